#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "core/model/expected.h"

#include "core/model/error.h"

namespace pictavo {

// Refuses anything at `path` that is not a regular file (a symbolic link to
// one counts as one): a named pipe would make a read or an append wait for a
// writer forever, and opening a device can have effects of its own. The error
// names what was found ("Is a named pipe, not a regular file"); a missing
// file gives "No such file or directory".
expected<void, Error> RequireRegularFile(const std::filesystem::path& path);

// The first `limit` bytes of the regular file at `path` (all of it when it is
// shorter). Anything else is refused before it is opened, and the file is
// opened so that nothing can block should it be swapped for a pipe meanwhile.
expected<std::vector<std::uint8_t>, Error> ReadRegularFile(const std::filesystem::path& path,
                                                           std::size_t limit);

// The whole regular file at `path`, never through a symbolic link: a link
// is refused ("Is a symbolic link"), and so is a file of more than `limit`
// bytes ("Larger than 64 MiB"), rather than read in part.
expected<std::vector<std::uint8_t>, Error> ReadWholeFile(const std::filesystem::path& path,
                                                         std::size_t limit);

// One write call on an open file descriptor, with the contract of POSIX
// write(): the number of bytes written, or -1 with errno set. Saves use the
// real one; tests pass one that gives up part-way, to prove that a failed
// save leaves the old file as it was.
using WriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

// Replaces the file at `path` with `bytes` so that no failure can leave it
// half-written: the bytes go into a temporary file in the same folder, which
// is flushed to disk and then renamed over the target. On failure the
// temporary file is removed, the old file is untouched and the error names the
// reason ("No such file or directory", "Is a directory"). An existing file
// keeps its permissions; a symbolic link is followed, so the link survives.
// An existing target that is not a regular file (a named pipe, a device) is
// refused and left as it is, never replaced by a file.
expected<void, Error> WriteFileAtomically(const std::filesystem::path& path,
                                          std::span<const std::uint8_t> bytes,
                                          const WriteCall& write_call = {});
expected<void, Error> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                          const WriteCall& write_call = {});

// As WriteFileAtomically, for files in a folder of the program's own: a
// symbolic link at `path` is replaced itself, never followed, and the new
// file is readable and writable by its owner only. A folder at the path is
// refused.
expected<void, Error> ReplaceFileNoFollow(const std::filesystem::path& path,
                                          std::span<const std::uint8_t> bytes,
                                          const WriteCall& write_call = {});

// As ReplaceFileNoFollow, but nothing is ever replaced: false, with nothing
// written, when anything stands at `path` (a name another process took).
expected<bool, Error> CreateFileNoFollow(const std::filesystem::path& path,
                                         std::span<const std::uint8_t> bytes,
                                         const WriteCall& write_call = {});

// Adds `bytes` at the end of the file at `path`, creating it if it is missing.
// An existing file is never truncated or re-created: if it cannot be opened,
// nothing is written. If writing fails part-way the file is cut back to its
// old length (a file this call created is removed again) and the error names
// the reason. Only a regular file is appended to; nothing else is opened.
expected<void, Error> AppendToFile(const std::filesystem::path& path,
                                   std::span<const std::uint8_t> bytes,
                                   const WriteCall& write_call = {});
expected<void, Error> AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                                   const WriteCall& write_call = {});

// Whether `path` names an existing character device or named pipe (through
// symbolic links). Command-line output to one is written into it directly,
// as a shell's redirection would, instead of replacing it by a file.
bool IsDeviceOrPipe(const std::filesystem::path& path);

// Writes `bytes` into the existing character device or named pipe at `path`:
// never creates, truncates or replaces anything. Opening a named pipe waits
// for its reader. Anything else found at the path when it is opened is
// refused before a byte is written.
expected<void, Error> WriteIntoDevice(const std::filesystem::path& path,
                                      std::span<const std::uint8_t> bytes);

}  // namespace pictavo
