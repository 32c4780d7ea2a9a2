#pragma once

#include <optional>
#include <string>

#include <QString>

#include "core/formats/picture_file.h"
#include "core/model/picture.h"

namespace pictavo::cli {

// A picture file read as "Open Picture..." reads it: the record's codes in a
// Picture of the record's size, and its name.
struct LoadedPicture {
  Picture picture;
  std::string name;
};

// The window reads no more of a picture file than this.
inline constexpr std::size_t MaxPictureFileBytes = std::size_t{16} << 20;

// Reads and checks a picture file; on failure prints why, naming the file.
std::optional<LoadedPicture> LoadPicture(const QString& path);

Picture PictureOf(const PictureRecord& record);

}  // namespace pictavo::cli
