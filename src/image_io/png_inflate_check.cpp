#include "image_io/png_inflate_check.h"

#include <zlib.h>

#include <memory>
#include <string_view>

namespace pictavo {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t SignatureSize = 8;
constexpr std::size_t ChunkFrame = 12;  // length, type, checksum
constexpr std::size_t ScratchSize = std::size_t{1} << 16;

std::uint32_t U32Big(Bytes b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
         std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

bool TypeIs(Bytes file, std::size_t at, std::string_view type) {
  return std::string_view(reinterpret_cast<const char*>(&file[at]), 4) == type;
}

int Channels(int colour) {
  switch (colour) {
    case 0:  // grey
    case 3:  // palette
      return 1;
    case 4:  // grey and alpha
      return 2;
    case 2:  // red, green, blue
      return 3;
    case 6:  // with alpha
      return 4;
    default:
      return 0;
  }
}

// Inflates one stream into a scratch buffer, counting only.
class InflateCounter {
 public:
  InflateCounter() : scratch_(std::make_unique_for_overwrite<Bytef[]>(ScratchSize)) {
    ready_ = inflateInit(&stream_) == Z_OK;
  }
  ~InflateCounter() {
    if (ready_) inflateEnd(&stream_);
  }
  InflateCounter(const InflateCounter&) = delete;
  InflateCounter& operator=(const InflateCounter&) = delete;

  // Feeds `data` while the output stays within `limit`. False once the
  // stream has ended, is damaged or has passed the limit.
  bool Feed(Bytes data, std::int64_t limit) {
    if (!ready_ || ended_) return false;
    stream_.next_in = const_cast<Bytef*>(data.data());
    stream_.avail_in = static_cast<uInt>(data.size());
    int result = Z_OK;
    do {
      stream_.next_out = scratch_.get();
      stream_.avail_out = static_cast<uInt>(ScratchSize);
      result = inflate(&stream_, Z_NO_FLUSH);
      if (Total() > limit) return false;
    } while (result == Z_OK && (stream_.avail_in > 0 || stream_.avail_out == 0));
    ended_ = result != Z_OK && result != Z_BUF_ERROR;
    return !ended_;
  }
  std::int64_t Total() const { return static_cast<std::int64_t>(stream_.total_out); }

 private:
  z_stream stream_{};
  std::unique_ptr<Bytef[]> scratch_;
  bool ready_ = false;
  bool ended_ = false;
};

}  // namespace

std::int64_t PngInflatedSize(std::uint32_t width, std::uint32_t height, int depth, int colour,
                             bool interlaced) {
  const std::int64_t bits = std::int64_t{Channels(colour)} * depth;
  const auto rows = [bits](std::int64_t w, std::int64_t h) -> std::int64_t {
    return w == 0 || h == 0 ? 0 : h * (1 + (w * bits + 7) / 8);
  };
  if (!interlaced) return rows(width, height);
  // The passes: first column and row, then the steps between them.
  constexpr int Passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  std::int64_t total = 0;
  for (const auto& [x0, y0, dx, dy] : Passes) {
    const std::int64_t w = width > std::uint32_t(x0) ? (width - x0 + dx - 1) / dx : 0;
    const std::int64_t h = height > std::uint32_t(y0) ? (height - y0 + dy - 1) / dy : 0;
    total += rows(w, h);
  }
  return total;
}

std::string PngInflateFault(Bytes file) {
  constexpr std::size_t HeaderEnd = SignatureSize + 8 + 13;
  if (file.size() < HeaderEnd || !TypeIs(file, SignatureSize + 4, "IHDR")) return {};
  const std::uint32_t width = U32Big(file, 16);
  const std::uint32_t height = U32Big(file, 20);
  const std::int64_t declared = PngInflatedSize(width, height, file[24], file[25], file[28] != 0);
  if (declared == 0) return {};  // the decoder refuses the header

  InflateCounter counter;
  std::size_t at = SignatureSize;
  while (file.size() - at >= ChunkFrame) {
    const std::size_t length = U32Big(file, at);
    if (file.size() - at - ChunkFrame < length || TypeIs(file, at + 4, "IEND")) break;
    if (TypeIs(file, at + 4, "IDAT") && !counter.Feed(file.subspan(at + 8, length), declared)) {
      break;
    }
    at += ChunkFrame + length;
  }
  if (counter.Total() <= declared) return {};
  return "The PNG's pixel data inflates past the " + std::to_string(declared) + " bytes of its " +
         std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace pictavo
