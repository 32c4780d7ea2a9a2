#include "image_io/bmp_header_check.h"

#include <cstddef>
#include <string_view>

namespace pictavo {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;  // the oldest header: 16-bit sizes
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t BitfieldsHeaderSize = 52;  // the masks inside the header
constexpr std::uint32_t MaskCount = 3;             // red, green, blue

enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3 };

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}
std::int64_t S32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(U32(b, at));
}

std::string Text(std::string_view text) { return std::string(text); }
std::string Number(std::int64_t value) { return std::to_string(value); }

bool KnownHeaderSize(std::uint32_t size) {
  switch (size) {
    case CoreHeaderSize:
    case InfoHeaderSize:
    case BitfieldsHeaderSize:
    case 56:   // masks with alpha
    case 64:   // the second OS/2 header
    case 108:  // version 4
    case 124:  // version 5
      return true;
    default:
      return false;
  }
}

// The compression a depth can have, or the reason it cannot.
std::string CompressionFault(std::uint32_t compression, std::uint32_t depth) {
  switch (compression) {
    case Rgb:
      return {};
    case Rle8:
      return depth == 8 ? std::string()
                        : "RLE8 compression with " + Number(depth) + " bits a pixel instead of 8";
    case Rle4:
      return depth == 4 ? std::string()
                        : "RLE4 compression with " + Number(depth) + " bits a pixel instead of 4";
    case Bitfields:
      return depth == 16 || depth == 32
                 ? std::string()
                 : "Bit-fields compression with " + Number(depth) + " bits a pixel";
    default:
      return "Compression method " + Number(compression) + " is not supported";
  }
}

// Walks a run-length stream: the decoder leaves every pixel it is not given
// unset, so the runs must fill each row before its end-of-line code and every
// row before the end; a jump over pixels is refused for the same reason.
std::string RunLengthFault(std::span<const std::uint8_t> data, std::uint64_t width,
                           std::uint64_t height, bool four_bits) {
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  std::size_t at = 0;
  while (y < height && at + 1 < data.size()) {
    const std::uint8_t count = data[at];
    const std::uint8_t code = data[at + 1];
    at += 2;
    if (count > 0) {
      x += count;
    } else if (code == 0 || code == 1) {  // end of line, end of image
      if (x < width) {
        return "Row " + Number(static_cast<std::int64_t>(y + 1)) +
               " of the compressed pixel data ends before its last pixel";
      }
      x = 0;
      ++y;
      if (code == 1) break;
    } else if (code == 2) {
      return Text("The compressed pixel data jumps over pixels it leaves unset");
    } else {  // `code` pixels stored as they are, padded to an even byte count
      std::size_t bytes = four_bits ? (code + 1u) / 2 : code;
      bytes += bytes & 1;
      if (data.size() - at < bytes) break;
      at += bytes;
      x += code;
    }
  }
  // The last row needs no end-of-line code.
  if (y < height && !(y + 1 == height && x >= width)) {
    return Text("The compressed pixel data ends before the last pixel");
  }
  return {};
}

}  // namespace

std::string BmpHeaderFault(std::span<const std::uint8_t> file) {
  const std::uint64_t file_size = file.size();
  if (file_size < FileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
    return Text("The file is too short for a BMP header");
  }
  const std::uint32_t data_offset = U32(file, 10);
  const std::uint32_t header_size = U32(file, FileHeaderSize);
  if (!KnownHeaderSize(header_size)) {
    return "The header size " + Number(header_size) + " is not one of a BMP image";
  }
  if (file_size < FileHeaderSize + header_size) return Text("The BMP header is cut short");

  const std::size_t h = FileHeaderSize;
  const bool core = header_size == CoreHeaderSize;
  const std::int64_t width = core ? U16(file, h + 4) : S32(file, h + 4);
  const std::int64_t height = core ? U16(file, h + 6) : S32(file, h + 8);
  const std::uint32_t planes = U16(file, core ? h + 8 : h + 12);
  const std::uint32_t depth = U16(file, core ? h + 10 : h + 14);
  const std::uint32_t compression = core ? Rgb : U32(file, h + 16);
  const std::uint32_t colors_used = core ? 0 : U32(file, h + 32);

  if (width <= 0) return "The width " + Number(width) + " is not a positive number of pixels";
  // A negative height stores the rows top-down; only the minimum is invalid.
  if (height == 0 || height == INT32_MIN) {
    return "The height " + Number(height) + " is not a valid number of pixels";
  }
  if (planes != 1) return "The header gives " + Number(planes) + " planes instead of 1";
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) {
    return "The depth of " + Number(depth) + " bits a pixel is not a BMP depth";
  }
  if (std::string fault = CompressionFault(compression, depth); !fault.empty()) return fault;
  const bool rle = compression == Rle8 || compression == Rle4;
  if (rle && height < 0) return Text("A compressed image cannot store its rows top-down");

  // What follows the header: the masks of a short header, then the palette.
  std::uint64_t headers_end = FileHeaderSize + header_size;
  if (compression == Bitfields) {
    std::size_t masks_at = h + InfoHeaderSize;
    if (header_size == InfoHeaderSize) {
      masks_at = headers_end;
      headers_end += MaskCount * 4;
      if (headers_end > file_size) return Text("The bit-fields masks lie past the end of the file");
    } else if (header_size == 64) {
      return Text("Bit-fields compression in an OS/2 header is not supported");
    }
    for (std::uint32_t i = 0; i < MaskCount; ++i) {
      const std::uint32_t mask = U32(file, masks_at + 4 * i);
      if (mask == 0) return Text("A bit-fields mask is zero");
      if (depth == 16 && mask > 0xFFFF) return Text("A bit-fields mask is wider than the pixel");
    }
  }
  if (depth <= 8) {
    const std::uint64_t most = std::uint64_t{1} << depth;
    const std::uint64_t colors = colors_used != 0 ? colors_used : most;
    if (colors > most) {
      return "The palette count " + Number(colors) + " is above the " + Number(most) +
             " colours of " + Number(depth) + " bits a pixel";
    }
    headers_end += colors * (core ? 3 : 4);
    if (headers_end > file_size) {
      return "The palette of " + Number(colors) + " colours runs past the end of the file";
    }
  }

  if (data_offset < headers_end) {
    return "The pixel data offset " + Number(data_offset) +
           " lies inside the headers, which end at byte " + Number(headers_end);
  }
  if (data_offset >= file_size) {
    return "The pixel data offset " + Number(data_offset) + " lies past the end of the file (" +
           Number(file_size) + " bytes)";
  }
  if (rle) {
    return RunLengthFault(file.subspan(data_offset), static_cast<std::uint64_t>(width),
                          static_cast<std::uint64_t>(height), compression == Rle4);
  }
  // Divided, not multiplied: a huge width times a huge height overflows.
  const std::uint64_t row_bytes = (static_cast<std::uint64_t>(width) * depth + 31) / 32 * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
  const std::uint64_t available = file_size - data_offset;
  if (rows > available / row_bytes) {
    return "The " + Number(static_cast<std::int64_t>(rows)) + " rows of " +
           Number(static_cast<std::int64_t>(row_bytes)) + " bytes do not fit in the " +
           Number(static_cast<std::int64_t>(available)) + " bytes after the pixel data offset";
  }
  return {};
}

}  // namespace pictavo
