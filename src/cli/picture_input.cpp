#include "cli/picture_input.h"

#include "cli/cli_support.h"
#include "core/formats/file_kind.h"
#include "core/formats/picture_file.h"

namespace pictavo::cli {

namespace {

constexpr char kNotAPicture[] = "not a picture file Pictavo can open: ";

}  // namespace

std::optional<LoadedPicture> LoadPicture(const QString& path) {
  const auto bytes = ReadLocalFile(path, PictureReadLimit);
  if (!bytes) {
    Refuse(path, CouldNotReadReason(bytes.error()));
    return std::nullopt;
  }
  const auto record = ReadPictureFile(*bytes);
  if (!record) {
    // A file of another kind is named, not blamed for a picture's fault.
    const FileKind kind = SniffFileKind(*bytes);
    if (kind != FileKind::PictureFile && kind != FileKind::Unknown) {
      const bool convertible = kind != FileKind::SkinFile && kind != FileKind::Text;
      Refuse(path, "is " + std::string(FileKindName(kind)) + ", not a picture file" +
                       (convertible ? "; pictavo-cli convert makes a picture file of it" : ""));
      return std::nullopt;
    }
    Refuse(path, kNotAPicture + record.error().message);
    return std::nullopt;
  }
  // Through the window's own copy, fit check included.
  LoadedPicture loaded{Picture{}, record->name};
  if (!ApplyPictureRecord(loaded.picture, *record)) {
    Refuse(path, std::string(kNotAPicture) + "the picture does not fit the editor");
    return std::nullopt;
  }
  return loaded;
}

}  // namespace pictavo::cli
