#include "core/documents/history_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

#include "core/platform/private_folder.h"

namespace pictavo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view RecordExtension = ".record";
constexpr std::string_view RecordHead = "Pictavo history record 1\n";
// Entries filed within one stamp are numbered 00 to 99.
constexpr int MaxFilingsPerStamp = 100;

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

// Digits where `form` has '9', the same character elsewhere.
bool Matches(std::string_view text, std::string_view form) {
  if (text.size() != form.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    if (form[i] == '9' ? !digit : text[i] != form[i]) return false;
  }
  return true;
}

constexpr std::string_view StampForm = "99999999-999999-999";
constexpr std::string_view IdForm = "99999999-999999-999-99";

std::string SizeText(std::uintmax_t bytes) {
  return bytes % (std::uintmax_t{1} << 20) == 0 ? std::to_string(bytes >> 20) + " MiB"
                                                : std::to_string(bytes) + " bytes";
}

// The size of a regular file at `path` (never through a link), or nothing.
std::optional<std::uintmax_t> RegularFileSize(const fs::path& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return static_cast<std::uintmax_t>(status.st_size);
}

bool AnythingAt(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

std::string_view DocumentExtension(DocumentKind kind) {
  return kind == DocumentKind::Skin ? ".skin" : ".ptv";
}

std::string_view DocumentWord(DocumentKind kind) {
  return kind == DocumentKind::Skin ? "skin" : "picture";
}

bool IsHistoryStamp(std::string_view stamp) { return Matches(stamp, StampForm); }

std::string WriteHistoryRecord(const HistoryRecord& record) {
  std::string text(RecordHead);
  const std::pair<const char*, const std::string*> fields[] = {{"time", &record.time},
                                                               {"command", &record.command},
                                                               {"name", &record.name},
                                                               {"source", &record.source}};
  for (const auto& [key, value] : fields) text += std::string(key) + '=' + Escape(*value) + '\n';
  return text;
}

std::optional<HistoryRecord> ReadHistoryRecord(std::string_view text) {
  if (!text.starts_with(RecordHead)) return std::nullopt;
  text.remove_prefix(RecordHead.size());
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

HistoryStore::HistoryStore(fs::path folder, HistoryBounds bounds, WriteCall write_call)
    : folder_(std::move(folder)), bounds_(bounds), write_call_(std::move(write_call)) {}

expected<void, Error> HistoryStore::MakeFolder() const { return MakePrivateFolder(folder_); }

expected<void, Error> HistoryStore::WriteFile(const std::string& name,
                                              std::span<const std::uint8_t> bytes) const {
  if (auto made = MakeFolder(); !made) return made;
  const fs::path path = folder_ / name;
  if (auto written = ReplaceFileNoFollow(path, bytes, write_call_); !written) {
    return unexpected(Error{path.string() + ": " + written.error().message});
  }
  return {};
}

expected<std::vector<std::uint8_t>, Error> HistoryStore::ReadFile(const std::string& name,
                                                                  std::size_t limit) const {
  const fs::path path = folder_ / name;
  auto bytes = ReadWholeFile(path, limit);
  if (!bytes) return unexpected(Error{path.string() + ": " + bytes.error().message});
  return bytes;
}

expected<HistoryEntry, Error> HistoryStore::File(const FiledDocument& document,
                                                 const HistoryRecord& record,
                                                 std::string_view stamp) {
  if (!IsHistoryStamp(stamp)) return unexpected(Error{"not a filing time: " + std::string(stamp)});
  const std::string record_text = WriteHistoryRecord(record);
  const std::uintmax_t size = document.bytes.size() + record_text.size();
  if (size > bounds_.max_bytes || record_text.size() > MaxRecordBytes) {
    return unexpected(Error{"the " + std::string(DocumentWord(document.kind)) + " takes " +
                            std::to_string(size) + " bytes, more than the " +
                            SizeText(bounds_.max_bytes) + " the history holds"});
  }
  if (auto made = MakeFolder(); !made) return unexpected(made.error());
  // Filings within one stamp are numbered on from the newest of them, so ids
  // keep sorting in filing order; a name taken by anything is passed over.
  const std::string prefix = std::string(stamp) + "-";
  int next = 0;
  for (const HistoryEntry& filed : List()) {
    if (filed.id.starts_with(prefix)) {
      next = std::max(next, std::stoi(filed.id.substr(prefix.size())) + 1);
    }
  }
  const std::span<const std::uint8_t> record_bytes(
      reinterpret_cast<const std::uint8_t*>(record_text.data()), record_text.size());
  // Each name is taken only where nothing stands, so that two windows filing
  // at once, or a file put there, never lose one another's.
  const auto create = [this](const fs::path& path,
                             std::span<const std::uint8_t> bytes) -> expected<bool, Error> {
    auto created = CreateFileNoFollow(path, bytes, write_call_);
    if (created) return created;
    return unexpected(Error{path.string() + ": " + created.error().message});
  };
  for (; next < MaxFilingsPerStamp; ++next) {
    const std::string id = prefix + (next < 10 ? "0" : "") + std::to_string(next);
    const DocumentKind other =
        document.kind == DocumentKind::Skin ? DocumentKind::Picture : DocumentKind::Skin;
    const fs::path record_path = folder_ / (id + std::string(RecordExtension));
    if (AnythingAt(record_path) ||
        AnythingAt(folder_ / (id + std::string(DocumentExtension(other))))) {
      continue;
    }
    HistoryEntry entry{id, document.kind, record,
                       folder_ / (id + std::string(DocumentExtension(document.kind))), size};
    // The document first: a record is listed only with its document.
    const auto document_created = create(entry.document, document.bytes);
    if (!document_created) return unexpected(document_created.error());
    if (!*document_created) continue;
    const auto record_created = create(record_path, record_bytes);
    if (!record_created || !*record_created) {
      std::error_code ignored;
      fs::remove(entry.document, ignored);
      if (!record_created) return unexpected(record_created.error());
      continue;
    }
    Trim(id);
    return entry;
  }
  return unexpected(Error{"too many entries filed at " + std::string(stamp)});
}

std::vector<HistoryEntry> HistoryStore::List() const {
  std::vector<HistoryEntry> entries;
  std::error_code code;
  for (const fs::directory_entry& file : fs::directory_iterator(folder_, code)) {
    const fs::path& path = file.path();
    if (path.extension() != RecordExtension) continue;
    const std::string id = path.stem().string();
    if (!Matches(id, IdForm)) continue;
    const auto record_size = RegularFileSize(path);
    if (!record_size || *record_size > MaxRecordBytes) continue;
    // Exactly one document, as the store writes it.
    const auto picture = RegularFileSize(folder_ / (id + ".ptv"));
    const auto skin = RegularFileSize(folder_ / (id + ".skin"));
    if (picture.has_value() == skin.has_value()) continue;
    const DocumentKind kind = picture ? DocumentKind::Picture : DocumentKind::Skin;
    const std::uintmax_t bytes = *record_size + (picture ? *picture : *skin);
    if (bytes > bounds_.max_bytes) continue;
    const auto text = ReadWholeFile(path, MaxRecordBytes);
    if (!text) continue;
    auto record = ReadHistoryRecord(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
    if (!record) continue;
    entries.push_back(HistoryEntry{id, kind, std::move(*record),
                                   folder_ / (id + std::string(DocumentExtension(kind))), bytes});
  }
  std::sort(entries.begin(), entries.end(),
            [](const HistoryEntry& a, const HistoryEntry& b) { return a.id > b.id; });
  return entries;
}

expected<void, Error> HistoryStore::Remove(const HistoryEntry& entry) {
  std::error_code code;
  fs::remove(entry.document, code);
  if (code) return unexpected(Error{entry.document.string() + ": " + code.message()});
  fs::remove(folder_ / (entry.id + std::string(RecordExtension)), code);
  return {};
}

expected<std::vector<std::uint8_t>, Error> HistoryStore::Read(const HistoryEntry& entry) const {
  return ReadWholeFile(entry.document, bounds_.max_bytes);
}

void HistoryStore::Trim(const std::string& filed_id) {
  const std::vector<HistoryEntry> entries = List();
  // The entry just filed counts first, whatever the others' ids; a removed
  // entry counts no more.
  std::size_t count = 0;
  std::uintmax_t total = 0;
  for (const HistoryEntry& entry : entries) {
    if (entry.id == filed_id) {
      count = 1;
      total = entry.bytes;
    }
  }
  for (const HistoryEntry& entry : entries) {
    if (entry.id == filed_id) continue;
    if (count < bounds_.max_entries && total + entry.bytes <= bounds_.max_bytes) {
      ++count;
      total += entry.bytes;
    } else {
      (void)Remove(entry);
    }
  }
}

}  // namespace pictavo
