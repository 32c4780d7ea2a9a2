#include "cli/picture_input.h"

#include "cli/cli_support.h"

namespace pictavo::cli {

Picture PictureOf(const PictureRecord& record) {
  Picture picture;
  for (int y = 1; y <= record.height; ++y) {
    for (int x = 1; x <= record.width; ++x) picture.Cells.At(x, y) = record.At(x, y);
  }
  picture.Width = record.width;
  picture.Height = record.height;
  return picture;
}

std::optional<LoadedPicture> LoadPicture(const QString& path) {
  const auto bytes = ReadInput(path, MaxPictureFileBytes);
  if (!bytes) {
    Refuse(path, "could not be read: " + bytes.error().message);
    return std::nullopt;
  }
  const auto record = ReadPictureFile(*bytes);
  if (!record) {
    Refuse(path, "not a picture file Pictavo can open: " + record.error().message);
    return std::nullopt;
  }
  return LoadedPicture{PictureOf(*record), record->name};
}

}  // namespace pictavo::cli
