#pragma once

// A character device for the tests that check devices are refused, made inside
// the test's own folder: should the check under test be broken, a save that
// follows or replaces it harms only that folder, never the machine's devices.

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace pictavo::testing {

// Makes a node with the null device's numbers at `path`. Returns an empty
// text when made, else why not (making a device needs root), for the skip.
inline std::string MakeDeviceNode(const std::string& path) {
  if (::geteuid() != 0) return "making a character device needs root; the device case is skipped";
  if (::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
    return std::string("mknod failed (") + std::strerror(errno) + "); the device case is skipped";
  }
  return {};
}

}  // namespace pictavo::testing
