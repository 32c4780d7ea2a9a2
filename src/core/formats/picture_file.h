#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

// The version every picture file is written with.
inline constexpr int CurrentPictureFileVersion = 2;
// A picture record is at most a few tens of kilobytes plus its name; reading
// no further keeps a device or a huge file chosen by mistake from filling
// memory. Bytes after the record are ignored anyway.
inline constexpr std::size_t PictureReadLimit = std::size_t{16} << 20;

// The content of a picture file (.ptv) once read and checked.
struct PictureRecord {
  std::string name;  // Latin-1 bytes, as stored
  int width = 0;
  int height = 0;
  std::vector<PixelCode> codes;  // row-major, width * height

  // 1-based column and row, as in the Picture.
  PixelCode At(int x, int y) const {
    return codes[static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(x - 1)];
  }
  friend bool operator==(const PictureRecord&, const PictureRecord&) = default;
};

// The bytes of a picture file as they go to disk (after the text-mode
// translation): version, name length, name, width, height, then the codes row
// by row from the top. Version 1 stores width, height and codes as 4-byte
// integers, every other version as single bytes.
std::vector<std::uint8_t> WritePictureFile(CodeGridView grid, std::string_view name,
                                           int version = CurrentPictureFileVersion);

// Reads the bytes of a picture file as they are on disk. Refuses, with a
// message naming the fault, a file that ends before its record does, a
// negative name length or one beyond the file, a size outside 1..96 by 1..92
// and a code outside 0..4. Bytes after the record are ignored.
expected<PictureRecord, Error> ReadPictureFile(std::span<const std::uint8_t> stored);

// Whether a record can become the Picture: a size within the storage and
// exactly width * height codes, each 0..4. Every record ReadPictureFile
// returns passes.
bool FitsPicture(const PictureRecord& record);

// Open Picture's copy: a record that fits writes its codes into
// Cells[1..width][1..height] and sets Width and Height, the cells outside
// keeping their codes; one that does not fit changes nothing and gives false.
bool ApplyPictureRecord(Picture& picture, const PictureRecord& record);

}  // namespace pictavo
