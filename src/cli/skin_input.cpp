#include "cli/skin_input.h"

#include <filesystem>
#include <system_error>

#include "cli/cli_support.h"
#include "core/formats/file_kind.h"
#include "core/formats/skin_file.h"

namespace pictavo::cli {

std::optional<LoadedSkin> LoadSkin(const QString& path) {
  const auto bytes = ReadLocalFile(path, SkinReadLimit);
  if (!bytes) {
    Refuse(path, CouldNotReadReason(bytes.error()));
    return std::nullopt;
  }
  SkinFileRead read = ReadSkinFile(*bytes);
  if (!read.skin) {
    if (const FileKind kind = SniffFileKind(*bytes);
        kind != FileKind::SkinFile && kind != FileKind::Unknown) {
      Refuse(path, "is " + std::string(FileKindName(kind)) + ", not a skin file");
      return std::nullopt;
    }
    // The window's message, then the reason.
    Refuse(path, std::string(DecompressionErrorText) + " " + AsSentence(read.skin.error().message));
    return std::nullopt;
  }
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(LocalPath(path), error);
  return LoadedSkin{std::move(*read.skin), std::move(read.name), error ? bytes->size() : size};
}

}  // namespace pictavo::cli
