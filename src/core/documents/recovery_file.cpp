#include "core/documents/recovery_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <set>
#include <span>
#include <system_error>
#include <utility>

namespace pictavo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view SlotPrefix = "recovery";
constexpr std::string_view LockExtension = ".lock";
constexpr std::string_view RecordExtension = ".record";
constexpr int MaxSlotsPerProcess = 100;

// "recovery", "recovery-123", "recovery-123-4": a window's files are named
// by what follows.
bool IsSlotName(std::string_view name) {
  if (!name.starts_with(SlotPrefix)) return false;
  name.remove_prefix(SlotPrefix.size());
  while (!name.empty()) {
    if (name.front() != '-') return false;
    name.remove_prefix(1);
    std::size_t digits = 0;
    while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits])) != 0) {
      ++digits;
    }
    if (digits == 0) return false;
    name.remove_prefix(digits);
  }
  return true;
}

bool AnythingAt(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

std::string FileOf(std::string_view slot, std::string_view extension) {
  return std::string(slot) + std::string(extension);
}

void RemoveQuietly(const fs::path& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

constexpr DocumentKind Kinds[] = {DocumentKind::Picture, DocumentKind::Skin};

}  // namespace

expected<void, Error> RecoveryFile::Claim() {
  const fs::path& folder = store_.Folder();
  if (lock_.Held() && lock_.StillAt(folder / FileOf(name_, LockExtension))) return {};
  if (auto made = store_.MakeFolder(); !made) return made;
  // A name no file of the folder has, so that no work left there is met.
  const std::string base = std::string(SlotPrefix) + "-" + std::to_string(::getpid());
  for (int n = 0; n < MaxSlotsPerProcess; ++n) {
    const std::string name = n == 0 ? base : base + "-" + std::to_string(n);
    if (AnythingAt(folder / FileOf(name, LockExtension)) ||
        AnythingAt(folder / FileOf(name, RecordExtension)) ||
        AnythingAt(folder / FileOf(name, ".ptv")) || AnythingAt(folder / FileOf(name, ".skin"))) {
      continue;
    }
    auto lock = FileLock::CreateLocked(folder / FileOf(name, LockExtension));
    if (!lock) return unexpected(lock.error());
    lock_ = std::move(*lock);
    name_ = name;
    return {};
  }
  return unexpected(Error{folder.string() + ": no free name for a recovery file"});
}

expected<void, Error> RecoveryFile::Write(const FiledDocument& document,
                                          const HistoryRecord& record) {
  if (auto claimed = Claim(); !claimed) return claimed;
  if (auto written =
          store_.WriteFile(FileOf(name_, DocumentExtension(document.kind)), document.bytes);
      !written) {
    return written;
  }
  // Only one kind is ever the document at a time.
  const DocumentKind other =
      document.kind == DocumentKind::Skin ? DocumentKind::Picture : DocumentKind::Skin;
  RemoveQuietly(store_.Folder() / FileOf(name_, DocumentExtension(other)));
  const std::string text = WriteHistoryRecord(record);
  return store_.WriteFile(
      FileOf(name_, RecordExtension),
      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void RecoveryFile::Remove() {
  if (name_.empty()) return;
  for (const DocumentKind kind : Kinds) {
    RemoveQuietly(store_.Folder() / FileOf(name_, DocumentExtension(kind)));
  }
  RemoveQuietly(store_.Folder() / FileOf(name_, RecordExtension));
}

void RecoveryFile::Release() {
  Remove();
  const fs::path lock_path = store_.Folder() / FileOf(name_, LockExtension);
  if (!name_.empty() && lock_.StillAt(lock_path)) RemoveQuietly(lock_path);
  lock_.Release();
  name_.clear();
}

LeftRecovery FileLeftRecovery(HistoryStore& store, std::string_view command,
                              std::string_view stamp) {
  const fs::path& folder = store.Folder();
  std::set<std::string> slots;
  std::error_code code;
  for (const fs::directory_entry& file : fs::directory_iterator(folder, code)) {
    const fs::path& path = file.path();
    const std::string extension = path.extension().string();
    if ((extension == ".ptv" || extension == ".skin" || extension == RecordExtension ||
         extension == LockExtension) &&
        IsSlotName(path.stem().string())) {
      slots.insert(path.stem().string());
    }
  }

  LeftRecovery left;
  const auto fail = [&left](Error error) {
    if (!left.failure) left.failure = std::move(error);
  };
  for (const std::string& slot : slots) {
    // Taken first, so that a running window, or another start filing the
    // same files, is left to them.
    const fs::path lock_path = folder / FileOf(slot, LockExtension);
    FileLock lock;
    const bool had_lock = AnythingAt(lock_path);
    if (had_lock) {
      auto tried = FileLock::TryLock(lock_path);
      if (!tried) {
        fail(tried.error());
        continue;
      }
      if (!*tried) continue;
      lock = std::move(**tried);
    } else if (auto created = FileLock::CreateLocked(lock_path)) {
      lock = std::move(*created);
    } else {
      continue;
    }

    const auto text = store.ReadFile(FileOf(slot, RecordExtension), MaxRecordBytes);
    // The work matters more than its record: one that cannot be read is
    // filed with an empty one.
    HistoryRecord record;
    if (text) {
      record = ReadHistoryRecord(
                   std::string_view(reinterpret_cast<const char*>(text->data()), text->size()))
                   .value_or(HistoryRecord{});
    }
    record.command = std::string(command);
    bool all_filed = true;
    for (const DocumentKind kind : Kinds) {
      const std::string name = FileOf(slot, DocumentExtension(kind));
      if (!AnythingAt(folder / name)) continue;
      auto bytes = store.ReadFile(name, store.Bounds().max_bytes);
      if (!bytes) {
        fail(bytes.error());
        all_filed = false;
        continue;
      }
      if (auto filed = store.File(FiledDocument{kind, std::move(*bytes)}, record, stamp); !filed) {
        fail(filed.error());
        all_filed = false;
        continue;
      }
      // Filed: never filed again, whatever becomes of the rest.
      RemoveQuietly(folder / name);
      ++left.filed;
    }
    if (all_filed) RemoveQuietly(folder / FileOf(slot, RecordExtension));
    if (all_filed || !had_lock) RemoveQuietly(lock_path);
  }
  return left;
}

}  // namespace pictavo
