#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pictavo::cli {

// Files written together into one folder: all of them or none.
struct NamedFile {
  std::string name;  // inside the folder
  std::string bytes;
};

// Checks every target, writes every file into a hidden folder inside
// `folder` and, only when all are written, moves them in: a failure before
// the moves changes no file. A target that is a symbolic link is followed,
// as a single save follows it. On failure prints the reason and returns false.
bool WriteFileSet(const std::filesystem::path& folder, const std::vector<NamedFile>& files);

}  // namespace pictavo::cli
