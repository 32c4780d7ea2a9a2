#include "image_io/image_data_check.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace pictavo {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr int MaxLzwBits = 12;
constexpr std::size_t MaxGifExtensionBytes = std::size_t{4} << 20;
constexpr int MaxLzwCodes = 1 << MaxLzwBits;

std::uint32_t U16(Bytes b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t U32Big(Bytes b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
         std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

// The number of pixels an LZW stream decodes to, or -1 when a code refers to
// a string not yet defined. Only lengths are kept: the colours do not matter.
std::int64_t LzwPixelCount(const std::vector<std::uint8_t>& data, int min_code_size) {
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  std::array<std::int64_t, MaxLzwCodes> length{};
  int code_size = min_code_size + 1;
  int next = clear + 2;
  int previous = -1;
  std::int64_t pixels = 0;
  std::uint32_t bits = 0;
  int bit_count = 0;
  for (const std::uint8_t byte : data) {
    bits |= static_cast<std::uint32_t>(byte) << bit_count;
    bit_count += 8;
    while (bit_count >= code_size) {
      const int code = static_cast<int>(bits & ((1u << code_size) - 1));
      bits >>= code_size;
      bit_count -= code_size;
      if (code == clear) {
        code_size = min_code_size + 1;
        next = clear + 2;
        previous = -1;
        continue;
      }
      if (code == end) return pixels;
      std::int64_t code_length = 0;
      if (code < clear) {
        code_length = 1;
      } else if (previous >= 0 && code < next) {
        code_length = length[static_cast<std::size_t>(code)];
      } else if (previous >= 0 && code == next) {
        code_length = (previous < clear ? 1 : length[static_cast<std::size_t>(previous)]) + 1;
      } else {
        return -1;
      }
      if (previous >= 0 && next < MaxLzwCodes) {
        const std::int64_t previous_length =
            previous < clear ? 1 : length[static_cast<std::size_t>(previous)];
        length[static_cast<std::size_t>(next)] = previous_length + 1;
        ++next;
        if (next == (1 << code_size) && code_size < MaxLzwBits) ++code_size;
      }
      pixels += code_length;
      previous = code;
    }
  }
  return pixels;
}

// Reads the data sub-blocks starting at `at`, up to their empty block;
// false when the file ends first.
bool ReadSubBlocks(Bytes file, std::size_t& at, std::vector<std::uint8_t>* data) {
  while (at < file.size()) {
    const std::size_t size = file[at++];
    if (size == 0) return true;
    if (file.size() - at < size) return false;
    if (data)
      data->insert(data->end(), file.begin() + static_cast<std::ptrdiff_t>(at),
                   file.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
  }
  return false;
}

std::size_t ColorTableBytes(std::uint8_t packed) {
  return (packed & 0x80) ? 3u << ((packed & 0x07) + 1) : 0;
}

}  // namespace

std::string GifDataFault(Bytes file, GifLayout* layout) {
  constexpr std::size_t HeaderSize = 6 + 7;  // signature, version, screen descriptor
  const std::string cut_short = "The GIF data is cut short";
  if (file.size() < HeaderSize) return cut_short;
  const std::uint32_t screen_width = U16(file, 6);
  const std::uint32_t screen_height = U16(file, 8);
  std::size_t at = HeaderSize + ColorTableBytes(file[10]);
  int images = 0;
  std::size_t extension_bytes = 0;
  while (at < file.size()) {
    const std::uint8_t block = file[at++];
    if (block == 0x3B) {  // the trailer
      if (images == 0) return "The GIF holds no image";
      if (layout)
        *layout = {static_cast<int>(screen_width), static_cast<int>(screen_height), images};
      return {};
    }
    if (block == 0x21) {  // an extension: its label, then sub-blocks
      if (at >= file.size()) return cut_short;
      const std::size_t start = ++at;
      if (!ReadSubBlocks(file, at, nullptr)) return cut_short;
      // Comments and application data: the decoder steps over every byte.
      extension_bytes += at - start;
      if (extension_bytes > MaxGifExtensionBytes) {
        return "The GIF's extension blocks hold more than " +
               std::to_string(MaxGifExtensionBytes >> 20) + " MiB";
      }
      continue;
    }
    if (block != 0x2C) return "The GIF holds an unknown block (" + std::to_string(block) + ")";
    constexpr std::size_t DescriptorSize = 9;
    if (file.size() - at < DescriptorSize + 1) return cut_short;
    const std::string image = "GIF image " + std::to_string(images + 1);
    if (images == MaxImageFrames) {
      return "The GIF holds more than " + std::to_string(MaxImageFrames) + " images";
    }
    const std::uint32_t left = U16(file, at);
    const std::uint32_t top = U16(file, at + 2);
    const std::uint32_t width = U16(file, at + 4);
    const std::uint32_t height = U16(file, at + 6);
    // The decoder would walk every row and column of the rectangle.
    if (left + width > screen_width || top + height > screen_height) {
      return image + " (" + std::to_string(width) + " x " + std::to_string(height) + " at " +
             std::to_string(left) + ", " + std::to_string(top) + ") lies outside the " +
             std::to_string(screen_width) + " x " + std::to_string(screen_height) + " screen";
    }
    const std::int64_t pixels = std::int64_t{width} * height;
    at += DescriptorSize + ColorTableBytes(file[at + 8]);
    if (at >= file.size()) return cut_short;
    const int min_code_size = file[at++];
    if (min_code_size < 1 || min_code_size > MaxLzwBits - 1) {
      return "The GIF image has the invalid code size " + std::to_string(min_code_size);
    }
    std::vector<std::uint8_t> data;
    if (!ReadSubBlocks(file, at, &data)) return cut_short;
    // An encoder needs at most 12 bits a pixel and a few clear codes: more
    // is padding the decoder would have to work through.
    if (static_cast<std::int64_t>(data.size()) > 2 * pixels + MaxLzwCodes) {
      return image + " holds " + std::to_string(data.size()) +
             " bytes of compressed data for its " + std::to_string(pixels) + " pixels";
    }
    const std::int64_t decoded = LzwPixelCount(data, min_code_size);
    if (decoded < 0) return "The compressed data of " + image + " is damaged";
    if (decoded < pixels) {
      return image + " ends after " + std::to_string(decoded) + " of its " +
             std::to_string(pixels) + " pixels";
    }
    // A few bytes of codes can stand for billions of pixels, each of which
    // the decoder would place; one string past the end is an encoder's slack.
    if (decoded > pixels + MaxLzwCodes) {
      return image + " decodes to " + std::to_string(decoded) + " pixels, far more than the " +
             std::to_string(pixels) + " of its rectangle";
    }
    ++images;
  }
  return cut_short;
}

std::string JpegDataFault(Bytes file) {
  const std::string cut_short = "The JPEG data is cut short";
  if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return cut_short;
  std::size_t at = 2;
  bool in_scan = false;
  std::int64_t scans = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t pixels = 1;
  while (at + 1 < file.size()) {
    if (file[at] != 0xFF) {
      // Inside a scan every 0xFF of the data is followed by a 0 byte, so
      // only markers stop the search; elsewhere a segment must follow.
      if (!in_scan) return "The JPEG data is damaged";
      ++at;
      continue;
    }
    const std::uint8_t marker = file[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;  // stuffed byte, restart marker or a marker without a length
      continue;
    }
    if (marker == 0xD9) return {};  // the end of the image
    if (marker == 0xDA && ++scans > MaxJpegScans) {
      return "The JPEG holds more than " + std::to_string(MaxJpegScans) + " scans";
    }
    if (marker == 0xDA && pixels <= MaxDecodedPixels && scans * pixels > MaxJpegScanPixels) {
      // Each scan is a pass over the whole image.
      return "The JPEG takes more than " + std::to_string(MaxJpegScanPixels / pixels) +
             " scans over its " + std::to_string(width) + " x " + std::to_string(height) +
             " pixels";
    }
    if (file.size() - at < 4) return cut_short;
    const std::size_t length = std::size_t{file[at + 2]} << 8 | file[at + 3];  // big-endian
    if (length < 2) return "The JPEG data is damaged";
    if (file.size() - at - 2 < length) return cut_short;
    const bool frame_header =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame_header && length >= 7) {  // precision, height, width
      height = std::int64_t{file[at + 5]} << 8 | file[at + 6];
      width = std::int64_t{file[at + 7]} << 8 | file[at + 8];
      pixels = std::max<std::int64_t>(height * width, 1);
    }
    at += 2 + length;
    in_scan = marker == 0xDA;
  }
  return cut_short;
}

std::string PngHeaderFault(Bytes file) {
  constexpr std::size_t HeaderEnd = 8 + 8 + 13;  // signature, chunk length and type, header
  if (file.size() < HeaderEnd ||
      std::string_view(reinterpret_cast<const char*>(&file[12]), 4) != std::string_view("IHDR")) {
    return {};  // the walk and the decoder say what is wrong
  }
  const std::int64_t width = std::int64_t{U32Big(file, 16)};
  const std::int64_t height = std::int64_t{U32Big(file, 20)};
  const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
  if (width * height > MaxDecodedPixels) return "Image too large (" + size + ")";
  // Sixteen-bit colour comes out at 8 bytes a pixel, all else at 4 or less.
  const int depth = file[24];
  const int colour = file[25];
  const std::int64_t bytes = width * height * (depth == 16 && colour != 0 ? 8 : 4);
  if (bytes > MaxDecodedBytes) {
    return "Image too large to decode (" + size + " of 16 bits a channel take " +
           std::to_string(bytes >> 20) + " MiB; at most " + std::to_string(MaxDecodedBytes >> 20) +
           " MiB)";
  }
  return {};
}

std::string PngDataFault(Bytes file) {
  constexpr std::size_t SignatureSize = 8;
  constexpr std::size_t ChunkFrame = 12;  // length, type, checksum
  constexpr std::uint32_t MaxChunkLength = 0x7FFFFFFF;
  const std::string cut_short = "The PNG data is cut short";
  std::size_t at = SignatureSize;
  while (file.size() - at >= ChunkFrame) {
    const std::uint32_t length = U32Big(file, at);
    std::string type;
    for (std::size_t i = 4; i < 8; ++i) {
      const std::uint8_t c = file[at + i];
      type += (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? static_cast<char>(c) : '?';
    }
    const std::string chunk = "The PNG chunk \"" + type + "\" at byte " + std::to_string(at);
    if (length > MaxChunkLength) {
      return chunk + " claims " + std::to_string(length) + " bytes, above the format's limit";
    }
    if (file.size() - at - ChunkFrame < length) {
      return chunk + " claims " + std::to_string(length) + " bytes, past the end of the file (" +
             std::to_string(file.size()) + " bytes)";
    }
    at += ChunkFrame + length;
    if (type == "IEND") return {};
  }
  return cut_short;
}

}  // namespace pictavo
