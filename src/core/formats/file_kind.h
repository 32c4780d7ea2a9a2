#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pictavo {

// What a file holds, told by its first bytes, so that a file given where
// another kind is expected can be named ("is a PNG image, not a picture
// file") instead of refused for a fault it does not have.
enum class FileKind {
  Unknown,
  PictureFile,
  SkinFile,
  PngImage,
  GifImage,
  JpegImage,
  BmpImage,
  SourceText,  // a text ReadSourceText reads
  Text,        // any other text
};

FileKind SniffFileKind(std::span<const std::uint8_t> bytes);

// The image format whose signature the bytes start with, or Unknown: "BM"
// alone makes a BMP here, whose headers the image loader checks itself.
FileKind ImageSignature(std::span<const std::uint8_t> bytes);

// "a PNG image", "a picture file", "a source text"...
std::string_view FileKindName(FileKind kind);

}  // namespace pictavo
