#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace pictavo::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.
struct TempFolder {
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "pictavo-history-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::filesystem::path path;
};

}  // namespace pictavo::testing
