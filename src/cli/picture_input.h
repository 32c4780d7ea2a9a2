#pragma once

#include <optional>
#include <string>

#include <QString>

#include "core/model/picture.h"

namespace pictavo::cli {

// A picture file read as "Open Picture..." reads it: the record's codes in a
// Picture of the record's size, and its name.
struct LoadedPicture {
  Picture picture;
  std::string name;
};

// Reads and checks a picture file, no more of it than the window reads; on
// failure prints why, naming the file.
std::optional<LoadedPicture> LoadPicture(const QString& path);

}  // namespace pictavo::cli
