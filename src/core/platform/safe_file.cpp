#include "core/platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

namespace pictavo {

namespace fs = std::filesystem;

namespace {

// Longest part of the target's name kept in the temporary file's name, so the
// suffix never pushes it past the file system's name limit.
constexpr std::size_t MaxTempStemLength = 200;
constexpr int MaxTempAttempts = 100;
constexpr int MaxLinkHops = 40;

Error ErrorFromErrno(int error_number) { return Error{std::strerror(error_number)}; }

// Reads go in parts, so a large limit reserves nothing the file does not fill.
constexpr std::size_t ReadPartSize = std::size_t{1} << 16;

// The reason a file of this type is refused; a regular file gives none.
std::string NotRegularReason(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return std::strerror(EISDIR);
  const char* kind = S_ISFIFO(mode)   ? "a named pipe"
                     : S_ISCHR(mode)  ? "a character device"
                     : S_ISBLK(mode)  ? "a block device"
                     : S_ISSOCK(mode) ? "a socket"
                                      : "a special file";
  return std::string("Is ") + kind + ", not a regular file";
}

expected<void, Error> CheckRegular(mode_t mode) {
  std::string reason = NotRegularReason(mode);
  if (reason.empty()) return {};
  return unexpected(Error{std::move(reason)});
}

// Owns one open descriptor and closes it on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // Closes now and reports the result, which can carry a late write error.
  int Close() { return ::close(std::exchange(fd_, -1)); }

 private:
  int fd_;
};

// Writes every byte, going on after short writes and interruptions. Returns 0
// or the errno of the failure.
int WriteAll(int fd, std::span<const std::uint8_t> bytes, const WriteCall& write_call) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::uint8_t* data = bytes.data() + done;
    const std::size_t size = bytes.size() - done;
    const ssize_t written = write_call ? write_call(fd, data, size) : ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno != 0 ? errno : EIO;
    }
    if (written == 0) return EIO;
    done += static_cast<std::size_t>(written);
  }
  return 0;
}

// The file a save lands in: a symbolic link is followed so that saving through
// it updates the file it points at and leaves the link in place.
expected<fs::path, Error> ResolveLinks(const fs::path& path) {
  fs::path target = path;
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
    const fs::path link = fs::read_symlink(target, error);
    if (error) return unexpected(Error{error.message()});
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  return unexpected(ErrorFromErrno(ELOOP));
}

// Creates a fresh file next to `target` with `mode` (less the umask); not
// open, with `errno` set, on failure.
FileDescriptor CreateTemporaryBeside(const fs::path& target, fs::path& temp_path, mode_t mode) {
  static unsigned counter = 0;
  const std::string stem = target.filename().string().substr(0, MaxTempStemLength);
  for (int attempt = 0; attempt < MaxTempAttempts; ++attempt) {
    temp_path = target.parent_path() / ("." + stem + ".tmp" + std::to_string(::getpid()) + "-" +
                                        std::to_string(++counter));
    const int fd =
        ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return FileDescriptor(fd);
  }
  return FileDescriptor();
}

// Opens for appending, creating a missing file but never an existing one anew.
expected<FileDescriptor, Error> OpenForAppend(const fs::path& path, bool& created) {
  // Two rounds cover a file that appears or vanishes between the tries.
  for (int round = 0; round < 2; ++round) {
    // Non-blocking, should the file have become a pipe since it was checked.
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd >= 0) {
      created = false;
      return FileDescriptor(fd);
    }
    if (errno != ENOENT) return unexpected(ErrorFromErrno(errno));
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      created = true;
      return FileDescriptor(fd);
    }
    if (errno != EEXIST) return unexpected(ErrorFromErrno(errno));
  }
  return unexpected(ErrorFromErrno(EEXIST));
}

std::span<const std::uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// How a new file takes its place: renamed over what stands there, or linked
// in only where nothing does.
enum class Placing { Replace, OnlyNew };

// The bytes go into a new file beside `target`, which is flushed to disk and
// then put in place; every failure removes the new file and keeps the old
// one. Gives 0 or the errno of the failure.
int WriteThroughTemporary(const fs::path& target, std::span<const std::uint8_t> bytes,
                          const WriteCall& write_call, mode_t create_mode,
                          std::optional<mode_t> mode, Placing placing = Placing::Replace) {
  fs::path temp_path;
  FileDescriptor temp = CreateTemporaryBeside(target, temp_path, create_mode);
  if (!temp.IsOpen()) return errno != 0 ? errno : EEXIST;
  auto fail = [&temp_path](int error_number) {
    ::unlink(temp_path.c_str());
    return error_number;
  };
  if (mode) ::fchmod(temp.Get(), *mode);
  if (const int error = WriteAll(temp.Get(), bytes, write_call); error != 0) return fail(error);
  if (::fsync(temp.Get()) != 0) return fail(errno);
  if (temp.Close() != 0) return fail(errno);
  if (placing == Placing::Replace ? ::rename(temp_path.c_str(), target.c_str()) != 0
                                  : ::link(temp_path.c_str(), target.c_str()) != 0) {
    return fail(errno);
  }
  if (placing == Placing::OnlyNew) ::unlink(temp_path.c_str());

  // Make the new name itself durable; the new file is already in place, so a
  // folder that cannot be synced is no reason to report a failed save.
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  FileDescriptor folder_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder_fd.IsOpen()) ::fsync(folder_fd.Get());
  return 0;
}

expected<void, Error> Written(int error_number) {
  if (error_number == 0) return {};
  return unexpected(ErrorFromErrno(error_number));
}

std::string SizeText(std::size_t bytes) {
  return bytes % (std::size_t{1} << 20) == 0 ? std::to_string(bytes >> 20) + " MiB"
                                             : std::to_string(bytes) + " bytes";
}

}  // namespace

expected<void, Error> RequireRegularFile(const fs::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return unexpected(ErrorFromErrno(errno));
  return CheckRegular(status.st_mode);
}

expected<std::vector<std::uint8_t>, Error> ReadRegularFile(const fs::path& path,
                                                           std::size_t limit) {
  if (auto regular = RequireRegularFile(path); !regular) return unexpected(regular.error());
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!file.IsOpen()) return unexpected(ErrorFromErrno(errno));
  // The name may point elsewhere by now: what counts is what was opened.
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return unexpected(ErrorFromErrno(errno));
  if (auto regular = CheckRegular(status.st_mode); !regular) return unexpected(regular.error());

  // Read through a buffer that is never cleared, into a vector sized by the
  // file's own length: a small picture costs its bytes, not a cleared 64 KiB.
  std::vector<std::uint8_t> bytes;
  if (status.st_size > 0) {
    bytes.reserve(std::min(limit, static_cast<std::size_t>(status.st_size)));
  }
  const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(ReadPartSize);
  while (bytes.size() < limit) {
    const std::size_t part = std::min(limit - bytes.size(), ReadPartSize);
    const ssize_t got = ::read(file.Get(), buffer.get(), part);
    if (got < 0) {
      if (errno == EINTR) continue;
      return unexpected(ErrorFromErrno(errno));
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), buffer.get(), buffer.get() + got);
  }
  return bytes;
}

expected<std::vector<std::uint8_t>, Error> ReadWholeFile(const fs::path& path, std::size_t limit) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return unexpected(ErrorFromErrno(errno));
  if (S_ISLNK(status.st_mode)) return unexpected(Error{"Is a symbolic link"});
  if (auto regular = CheckRegular(status.st_mode); !regular) return unexpected(regular.error());
  FileDescriptor file(
      ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW));
  if (!file.IsOpen()) {
    return unexpected(errno == ELOOP ? Error{"Is a symbolic link"} : ErrorFromErrno(errno));
  }
  if (::fstat(file.Get(), &status) != 0) return unexpected(ErrorFromErrno(errno));
  if (auto regular = CheckRegular(status.st_mode); !regular) return unexpected(regular.error());
  const Error too_large{"Larger than " + SizeText(limit)};
  if (static_cast<std::uintmax_t>(status.st_size) > limit) return unexpected(too_large);
  // One byte more than the limit tells a file that grew since.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) {
      if (done > limit) return unexpected(too_large);
      bytes.resize(std::min(limit + 1, done + ReadPartSize));
    }
    const ssize_t got = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return unexpected(ErrorFromErrno(errno));
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

expected<void, Error> WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                                          const WriteCall& write_call) {
  const auto resolved = ResolveLinks(path);
  if (!resolved) return unexpected(resolved.error());
  const fs::path& target = *resolved;
  if (target.filename().empty()) return unexpected(ErrorFromErrno(EISDIR));

  struct stat old_file {};
  const bool replacing = ::stat(target.c_str(), &old_file) == 0;
  if (!replacing && errno != ENOENT) return unexpected(ErrorFromErrno(errno));
  // The rename would put a file in place of a pipe or a device.
  if (replacing) {
    if (auto regular = CheckRegular(old_file.st_mode); !regular) return regular;
  }

  // The replacement keeps the permissions of the file it replaces.
  return Written(WriteThroughTemporary(
      target, bytes, write_call, 0666,
      replacing ? std::optional<mode_t>(old_file.st_mode & 07777) : std::nullopt));
}

expected<void, Error> ReplaceFileNoFollow(const fs::path& path, std::span<const std::uint8_t> bytes,
                                          const WriteCall& write_call) {
  if (path.filename().empty()) return unexpected(ErrorFromErrno(EISDIR));
  struct stat old_file {};
  if (::lstat(path.c_str(), &old_file) == 0 && S_ISDIR(old_file.st_mode)) {
    return unexpected(ErrorFromErrno(EISDIR));
  }
  // The rename replaces a link at the path, not the file it points at.
  return Written(WriteThroughTemporary(path, bytes, write_call, 0600, std::nullopt));
}

expected<bool, Error> CreateFileNoFollow(const fs::path& path, std::span<const std::uint8_t> bytes,
                                         const WriteCall& write_call) {
  const int error =
      WriteThroughTemporary(path, bytes, write_call, 0600, std::nullopt, Placing::OnlyNew);
  if (error == EEXIST) return false;
  if (auto written = Written(error); !written) return unexpected(written.error());
  return true;
}

expected<void, Error> WriteFileAtomically(const fs::path& path, std::string_view bytes,
                                          const WriteCall& write_call) {
  return WriteFileAtomically(path, BytesOf(bytes), write_call);
}

expected<void, Error> AppendToFile(const fs::path& path, std::span<const std::uint8_t> bytes,
                                   const WriteCall& write_call) {
  // Checked before opening: opening a pipe or a device can block or act.
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) {
    if (auto regular = CheckRegular(existing.st_mode); !regular) return regular;
  } else if (errno != ENOENT) {
    return unexpected(ErrorFromErrno(errno));
  }
  bool created = false;
  auto file = OpenForAppend(path, created);
  if (!file) return unexpected(file.error());

  struct stat before {};
  if (::fstat(file->Get(), &before) != 0) return unexpected(ErrorFromErrno(errno));
  if (auto regular = CheckRegular(before.st_mode); !regular) return regular;
  // A regular file never blocks; the writes below go back to the usual mode.
  if (const int flags = ::fcntl(file->Get(), F_GETFL); flags >= 0) {
    ::fcntl(file->Get(), F_SETFL, flags & ~O_NONBLOCK);
  }

  // A failed append leaves the file as it was before: cut back, or gone again.
  auto fail = [&](int error_number) -> expected<void, Error> {
    Error error = ErrorFromErrno(error_number);
    if (created) {
      ::unlink(path.c_str());
    } else if (::ftruncate(file->Get(), before.st_size) != 0) {
      // Rare, but the user must know the file now ends with a partial listing.
      error.message += "; the partly written text could not be removed";
    }
    return unexpected(std::move(error));
  };
  if (const int error = WriteAll(file->Get(), bytes, write_call); error != 0) return fail(error);
  if (::fsync(file->Get()) != 0) return fail(errno);
  if (file->Close() != 0) return unexpected(ErrorFromErrno(errno));
  return {};
}

expected<void, Error> AppendToFile(const fs::path& path, std::string_view bytes,
                                   const WriteCall& write_call) {
  return AppendToFile(path, BytesOf(bytes), write_call);
}

bool IsDeviceOrPipe(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode));
}

expected<void, Error> WriteIntoDevice(const fs::path& path, std::span<const std::uint8_t> bytes) {
  // No O_CREAT and no O_TRUNC: whatever stands at the path is only written to.
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (!file.IsOpen()) return unexpected(ErrorFromErrno(errno));
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return unexpected(ErrorFromErrno(errno));
  // Swapped for a regular file since it was checked: it gets the safe replace
  // or nothing, never a write over its old content.
  if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode)) {
    return unexpected(Error{"It was replaced while being opened; nothing was written"});
  }
  if (const int error = WriteAll(file.Get(), bytes, {}); error != 0) {
    return unexpected(ErrorFromErrno(error));
  }
  if (file.Close() != 0) return unexpected(ErrorFromErrno(errno));
  return {};
}

}  // namespace pictavo
