#include "core/platform/private_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

namespace pictavo {

namespace fs = std::filesystem;

namespace {

constexpr mode_t PrivateMode = 0700;

Error PathError(const fs::path& path, const std::string& reason) {
  return Error{path.string() + ": " + reason};
}

Error PathErrno(const fs::path& path, int error_number) {
  return PathError(path, std::strerror(error_number));
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

expected<void, Error> CheckPrivateFolder(const fs::path& folder) {
  struct stat status {};
  if (::lstat(folder.c_str(), &status) != 0) return unexpected(PathErrno(folder, errno));
  if (S_ISLNK(status.st_mode)) return unexpected(PathError(folder, "Is a symbolic link"));
  if (!S_ISDIR(status.st_mode)) return unexpected(PathErrno(folder, ENOTDIR));
  if (status.st_uid != ::geteuid()) {
    return unexpected(PathError(folder, "Belongs to another user"));
  }
  // Only the owner's own access is left as it was: a folder made read-only
  // stays so.
  if ((status.st_mode & 077) != 0 && ::chmod(folder.c_str(), status.st_mode & 0700) != 0) {
    return unexpected(PathErrno(folder, errno));
  }
  return {};
}

expected<void, Error> MakePrivateFolder(const fs::path& folder) {
  std::error_code code;
  if (folder.has_parent_path()) fs::create_directories(folder.parent_path(), code);
  if (code) return unexpected(PathError(folder.parent_path(), code.message()));
  if (::mkdir(folder.c_str(), PrivateMode) != 0 && errno != EEXIST) {
    return unexpected(PathErrno(folder, errno));
  }
  return CheckPrivateFolder(folder);
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileLock::~FileLock() { Release(); }

void FileLock::Release() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

bool FileLock::StillAt(const fs::path& path) const {
  struct stat held {};
  struct stat named {};
  return fd_ >= 0 && ::fstat(fd_, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         SameFile(held, named);
}

expected<FileLock, Error> FileLock::CreateLocked(const fs::path& path) {
  static unsigned counter = 0;
  const fs::path temp =
      path.parent_path() / ("." + path.filename().string() + ".tmp" + std::to_string(::getpid()) +
                            "-" + std::to_string(++counter));
  FileLock lock(
      ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
  // Named by the file it makes: the temporary name means nothing to a user.
  if (!lock.Held()) return unexpected(PathErrno(path, errno));
  int error = ::flock(lock.fd_, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
  // link() never replaces what stands at the path.
  if (error == 0 && ::link(temp.c_str(), path.c_str()) != 0) error = errno;
  ::unlink(temp.c_str());
  if (error != 0) return unexpected(PathErrno(path, error));
  return lock;
}

expected<std::optional<FileLock>, Error> FileLock::TryLock(const fs::path& path) {
  // Looked at before it is opened: opening a device can have effects.
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return unexpected(PathErrno(path, errno));
  if (S_ISLNK(status.st_mode)) return unexpected(PathError(path, "Is a symbolic link"));
  if (!S_ISREG(status.st_mode)) return unexpected(PathError(path, "Not a regular file"));
  FileLock lock(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!lock.Held()) {
    return unexpected(errno == ELOOP ? PathError(path, "Is a symbolic link")
                                     : PathErrno(path, errno));
  }
  if (::fstat(lock.fd_, &status) != 0) return unexpected(PathErrno(path, errno));
  if (!S_ISREG(status.st_mode)) return unexpected(PathError(path, "Not a regular file"));
  if (::flock(lock.fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return std::optional<FileLock>();
    return unexpected(PathErrno(path, errno));
  }
  // Removed (or replaced) by its last holder meanwhile: not the file asked for.
  if (!lock.StillAt(path)) return std::optional<FileLock>();
  return std::optional<FileLock>(std::move(lock));
}

}  // namespace pictavo
