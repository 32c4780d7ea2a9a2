#include "cli/document_input.h"

#include <utility>

#include "cli/cli_support.h"
#include "qt_support/document_file.h"

namespace pictavo::cli {

std::optional<Document> LoadDocument(const QString& path, ReadHints hints) {
  hints.front = Front::CommandLine;
  const bool stream = IsStandardInput(path);
  auto document = stream ? ReadDocumentStream(stdin, hints) : ReadDocumentFile(path, hints);
  if (!document) {
    Refuse(stream ? QStringLiteral("standard input") : path, document.error().reason);
    return std::nullopt;
  }
  return std::move(*document);
}

std::optional<LoadedPicture> PictureOf(const QString& path, const PictureDocument& document) {
  // Through the window's own copy, fit check included.
  LoadedPicture loaded{Picture{}, document.record.name};
  if (!ApplyPictureRecord(loaded.picture, document.record)) {
    Refuse(path, std::string("the picture does not fit the editor"));
    return std::nullopt;
  }
  return loaded;
}

std::optional<LoadedPicture> LoadPicture(const QString& path) {
  const auto document = LoadDocument(path, Taking(PictureFiles));
  if (!document) return std::nullopt;
  return PictureOf(path, std::get<PictureDocument>(document->content));
}

LoadedSkin SkinOf(Document document) {
  auto& skin = std::get<SkinDocument>(document.content);
  return LoadedSkin{std::move(skin.skin), std::move(skin.name), document.file_size};
}

std::optional<LoadedSkin> LoadSkin(const QString& path) {
  auto document = LoadDocument(path, Taking(SkinFiles));
  if (!document) return std::nullopt;
  return SkinOf(std::move(*document));
}

}  // namespace pictavo::cli
