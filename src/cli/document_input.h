#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QString>

#include "core/documents/read_document.h"
#include "core/model/picture.h"
#include "core/model/skin.h"

namespace pictavo::cli {

// "-": standard input, read to its end and told by its content alone.
inline bool IsStandardInput(const QString& path) { return path == QLatin1String("-"); }

// A file of the kinds the hints take (or standard input for "-"), read as
// the window reads it; on failure prints "pictavo-cli: <path>: <reason>".
std::optional<Document> LoadDocument(const QString& path, ReadHints hints);

// A picture file or source text as "Open Picture..." reads it: the record's
// codes in a Picture of the record's size, and its name.
struct LoadedPicture {
  Picture picture;
  std::string name;
};
std::optional<LoadedPicture> PictureOf(const QString& path, const PictureDocument& document);
// A picture file, no more of it than the window reads.
std::optional<LoadedPicture> LoadPicture(const QString& path);

// A skin file read as "OpenSkin..." reads it.
struct LoadedSkin {
  Skin skin;
  std::string name;
  std::uintmax_t file_size = 0;
};
LoadedSkin SkinOf(Document document);
std::optional<LoadedSkin> LoadSkin(const QString& path);

}  // namespace pictavo::cli
