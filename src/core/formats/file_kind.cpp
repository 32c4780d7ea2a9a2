#include "core/formats/file_kind.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/formats/skin_file.h"
#include "core/formats/source_text/reader.h"

namespace pictavo {

namespace {

constexpr std::array<std::uint8_t, 7> BmpInfoSizes = {12, 40, 52, 56, 64, 108, 124};

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

// Version 1 or 2 as a 4-byte integer, then a name length a picture can have.
bool LooksLikePictureFile(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 8 && (bytes[0] == 1 || bytes[0] == 2) && bytes[1] == 0 && bytes[2] == 0 &&
         bytes[3] == 0 && bytes[7] == 0 && bytes[6] == 0;
}

}  // namespace

FileKind ImageSignature(std::span<const std::uint8_t> bytes) {
  using namespace std::string_view_literals;
  if (StartsWith(bytes, "BM"sv)) return FileKind::BmpImage;
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n"sv)) return FileKind::PngImage;
  if (StartsWith(bytes, "GIF87a"sv) || StartsWith(bytes, "GIF89a"sv)) return FileKind::GifImage;
  if (StartsWith(bytes, "\xFF\xD8\xFF"sv)) return FileKind::JpegImage;
  return FileKind::Unknown;
}

FileKind SniffFileKind(std::span<const std::uint8_t> bytes) {
  // A BMP only with, at 14, the size of one of its info headers: "BM" alone
  // also starts texts.
  const FileKind image = ImageSignature(bytes);
  if (image != FileKind::Unknown &&
      (image != FileKind::BmpImage ||
       (bytes.size() >= 18 && bytes[15] == 0 && bytes[16] == 0 && bytes[17] == 0 &&
        std::ranges::find(BmpInfoSizes, bytes[14]) != BmpInfoSizes.end()))) {
    return image;
  }
  if (StartsWith(bytes, SkinFileMagic)) return FileKind::SkinFile;
  if (LooksLikePictureFile(bytes)) return FileKind::PictureFile;
  if (!bytes.empty() && LooksLikeText(bytes)) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ReadSourceText(text) ? FileKind::SourceText : FileKind::Text;
  }
  return FileKind::Unknown;
}

std::string_view FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::PictureFile:
      return "a picture file";
    case FileKind::SkinFile:
      return "a skin file";
    case FileKind::PngImage:
      return "a PNG image";
    case FileKind::GifImage:
      return "a GIF image";
    case FileKind::JpegImage:
      return "a JPEG image";
    case FileKind::BmpImage:
      return "a BMP image";
    case FileKind::SourceText:
      return "a source text";
    case FileKind::Text:
      return "a text file";
    case FileKind::Unknown:
      break;
  }
  return "a file of unknown kind";
}

}  // namespace pictavo
