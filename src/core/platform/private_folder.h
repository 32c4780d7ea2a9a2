#pragma once

#include <filesystem>
#include <optional>

#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo {

// A folder only its owner may enter, for files no one else may plant, swap
// or read: made with mode 0700 (its parents as any folder is made). Checked
// again before every use: a folder, not a symbolic link, owned by the user
// running the program; access an older version left to others is taken away.
expected<void, Error> MakePrivateFolder(const std::filesystem::path& folder);
expected<void, Error> CheckPrivateFolder(const std::filesystem::path& folder);

// An exclusive lock (flock) on a file, held until the object goes or Release
// is called; other processes see it as taken, and it dies with its process.
class FileLock {
 public:
  FileLock() = default;
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

  // Makes a new file at `path` that is locked before anyone can see it:
  // locked under a temporary name, then linked into place. Refused ("File
  // exists") when anything stands at the path.
  static expected<FileLock, Error> CreateLocked(const std::filesystem::path& path);
  // Locks the file at `path`, never through a symbolic link. Empty when
  // another process holds it or the path names another file by the time it
  // is locked; an error when there is no file to lock.
  static expected<std::optional<FileLock>, Error> TryLock(const std::filesystem::path& path);

  bool Held() const { return fd_ >= 0; }
  // Whether `path` still names the locked file: removed or replaced, it
  // protects nothing.
  bool StillAt(const std::filesystem::path& path) const;
  void Release();

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace pictavo
