#include "core/documents/history_store.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "core/platform/safe_file.h"

namespace pictavo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view RecordExtension = ".record";
constexpr std::string_view RecordHead = "Pictavo history record 1\n";
constexpr std::string_view RecoveryId = "recovery";
// A filed document is a picture or a skin file, far below this.
constexpr std::size_t DocumentReadLimit = std::size_t{64} << 20;

Error FileError(const fs::path& path, const std::error_code& code) {
  return Error{path.string() + ": " + code.message()};
}

// One value per line: backslashes, line feeds and carriage returns escaped.
std::string Escape(std::string_view value) {
  std::string out;
  for (const char c : value) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      const char next = value[++i];
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else {
      out += value[i];
    }
  }
  return out;
}

std::uintmax_t SizeOr0(const fs::path& path) {
  std::error_code code;
  const std::uintmax_t size = fs::file_size(path, code);
  return code ? 0 : size;
}

fs::path DocumentPath(const fs::path& folder, std::string_view id, DocumentKind kind) {
  return folder / (std::string(id) + std::string(DocumentExtension(kind)));
}

fs::path RecordPath(const fs::path& folder, std::string_view id) {
  return folder / (std::string(id) + std::string(RecordExtension));
}

std::string ReadText(const fs::path& path) {
  const auto bytes = ReadRegularFile(path, 1 << 16);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

}  // namespace

std::string_view DocumentExtension(DocumentKind kind) {
  return kind == DocumentKind::Skin ? ".skin" : ".ptv";
}

std::string WriteHistoryRecord(const HistoryRecord& record) {
  std::string text(RecordHead);
  const std::pair<const char*, const std::string*> fields[] = {{"time", &record.time},
                                                               {"command", &record.command},
                                                               {"name", &record.name},
                                                               {"source", &record.source}};
  for (const auto& [key, value] : fields) text += std::string(key) + '=' + Escape(*value) + '\n';
  return text;
}

HistoryRecord ReadHistoryRecord(std::string_view text) {
  HistoryRecord record;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, equals);
    std::string value = Unescape(line.substr(equals + 1));
    if (key == "time") record.time = std::move(value);
    if (key == "command") record.command = std::move(value);
    if (key == "name") record.name = std::move(value);
    if (key == "source") record.source = std::move(value);
  }
  return record;
}

HistoryStore::HistoryStore(fs::path folder, HistoryBounds bounds)
    : folder_(std::move(folder)), bounds_(bounds) {}

expected<void, Error> HistoryStore::MakeFolder() const {
  std::error_code code;
  fs::create_directories(folder_, code);
  if (code) return unexpected(FileError(folder_, code));
  return {};
}

expected<HistoryEntry, Error> HistoryStore::File(const FiledDocument& document,
                                                 const HistoryRecord& record,
                                                 std::string_view stamp) {
  if (auto made = MakeFolder(); !made) return unexpected(made.error());
  // Filings within one stamp are numbered on from the newest of them, so ids
  // keep sorting in filing order.
  const std::string prefix = std::string(stamp) + "-";
  int next = 0;
  for (const HistoryEntry& filed : List()) {
    if (filed.id.size() == prefix.size() + 2 && filed.id.starts_with(prefix)) {
      next = std::max(next, std::atoi(filed.id.c_str() + prefix.size()) + 1);
    }
  }
  if (next > 99) return unexpected(Error{"too many entries filed at " + std::string(stamp)});
  const std::string id = prefix + (next < 10 ? "0" : "") + std::to_string(next);
  HistoryEntry entry{id, document.kind, record, DocumentPath(folder_, id, document.kind), 0};
  // The document first: a record is listed only with its document.
  if (auto written = WriteFileAtomically(entry.document, document.bytes); !written) {
    return unexpected(Error{entry.document.string() + ": " + written.error().message});
  }
  const fs::path record_path = RecordPath(folder_, id);
  if (auto written = WriteFileAtomically(record_path, WriteHistoryRecord(record)); !written) {
    std::error_code ignored;
    fs::remove(entry.document, ignored);
    return unexpected(Error{record_path.string() + ": " + written.error().message});
  }
  entry.bytes = SizeOr0(entry.document) + SizeOr0(record_path);
  Trim();
  return entry;
}

std::vector<HistoryEntry> HistoryStore::List() const {
  std::vector<HistoryEntry> entries;
  std::error_code code;
  for (const fs::directory_entry& file : fs::directory_iterator(folder_, code)) {
    const fs::path& path = file.path();
    if (path.extension() != RecordExtension) continue;
    const std::string id = path.stem().string();
    if (id == RecoveryId) continue;
    for (const DocumentKind kind : {DocumentKind::Picture, DocumentKind::Skin}) {
      const fs::path document = DocumentPath(folder_, id, kind);
      std::error_code missing;
      if (!fs::is_regular_file(document, missing)) continue;
      entries.push_back(HistoryEntry{id, kind, ReadHistoryRecord(ReadText(path)), document,
                                     SizeOr0(document) + SizeOr0(path)});
      break;
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const HistoryEntry& a, const HistoryEntry& b) { return a.id > b.id; });
  return entries;
}

expected<void, Error> HistoryStore::Remove(const HistoryEntry& entry) {
  std::error_code code;
  fs::remove(entry.document, code);
  if (code) return unexpected(FileError(entry.document, code));
  fs::remove(RecordPath(folder_, entry.id), code);
  return {};
}

expected<std::vector<std::uint8_t>, Error> HistoryStore::Read(const HistoryEntry& entry) const {
  return ReadRegularFile(entry.document, DocumentReadLimit);
}

void HistoryStore::Trim() {
  std::size_t count = 0;
  std::uintmax_t total = 0;
  for (const HistoryEntry& entry : List()) {
    ++count;
    total += entry.bytes;
    if (count > 1 && (count > bounds_.max_entries || total > bounds_.max_bytes)) {
      (void)Remove(entry);
    }
  }
}

expected<void, Error> HistoryStore::WriteRecovery(const FiledDocument& document,
                                                  const HistoryRecord& record) {
  if (auto made = MakeFolder(); !made) return unexpected(made.error());
  const fs::path path = DocumentPath(folder_, RecoveryId, document.kind);
  if (auto written = WriteFileAtomically(path, document.bytes); !written) {
    return unexpected(Error{path.string() + ": " + written.error().message});
  }
  // Only one kind is ever the document at a time.
  std::error_code ignored;
  fs::remove(DocumentPath(
                 folder_, RecoveryId,
                 document.kind == DocumentKind::Skin ? DocumentKind::Picture : DocumentKind::Skin),
             ignored);
  const fs::path record_path = RecordPath(folder_, RecoveryId);
  if (auto written = WriteFileAtomically(record_path, WriteHistoryRecord(record)); !written) {
    return unexpected(Error{record_path.string() + ": " + written.error().message});
  }
  return {};
}

void HistoryStore::RemoveRecovery() {
  std::error_code ignored;
  for (const DocumentKind kind : {DocumentKind::Picture, DocumentKind::Skin}) {
    fs::remove(DocumentPath(folder_, RecoveryId, kind), ignored);
  }
  fs::remove(RecordPath(folder_, RecoveryId), ignored);
}

expected<bool, Error> HistoryStore::FileLeftRecovery(std::string_view command,
                                                     std::string_view stamp) {
  bool found = false;
  HistoryRecord record = ReadHistoryRecord(ReadText(RecordPath(folder_, RecoveryId)));
  record.command = std::string(command);
  for (const DocumentKind kind : {DocumentKind::Picture, DocumentKind::Skin}) {
    const fs::path path = DocumentPath(folder_, RecoveryId, kind);
    std::error_code missing;
    if (!fs::exists(path, missing)) continue;
    auto bytes = ReadRegularFile(path, DocumentReadLimit);
    if (!bytes) return unexpected(Error{path.string() + ": " + bytes.error().message});
    // Kept until it is safely filed, so a failure here loses nothing.
    if (auto filed = File(FiledDocument{kind, std::move(*bytes)}, record, stamp); !filed) {
      return unexpected(filed.error());
    }
    found = true;
  }
  RemoveRecovery();
  return found;
}

}  // namespace pictavo
