#include "core/export/pack_pixels.h"

#include <array>
#include <cstddef>

namespace pictavo {

namespace {

// Rows: 1, 2 and 4 bpp; columns: Black, Gray66, Gray33, White, Transparent.
constexpr std::array<std::array<std::uint8_t, PixelCodeCount>, 3> PackedValues{{
    {0, 0, 1, 1, 1},
    {0, 1, 2, 3, 3},
    {0, 1, 2, 3, 4},
}};

constexpr bool IsPackedDepth(int depth) { return depth == 1 || depth == 2 || depth == 4; }

}  // namespace

std::uint8_t PackedValue(PixelCode code, int depth) {
  const std::size_t row = depth == 1 ? 0 : depth == 2 ? 1 : 2;
  const int value = ToInt(code);
  const std::size_t column = IsPixelCode(value) ? static_cast<std::size_t>(value)
                                                : static_cast<std::size_t>(PixelCode::Transparent);
  return PackedValues[row][column];
}

std::vector<std::uint8_t> PackPixels(CodeGridView source, int depth, bool align) {
  std::vector<std::uint8_t> bytes;
  if (!IsPackedDepth(depth)) return bytes;

  const int per_byte = 8 / depth;
  const int width = source.Width();
  const int height = source.Height();
  const int bytes_per_row = (width + per_byte - 1) / per_byte;
  bytes.reserve(align ? static_cast<std::size_t>(height) * bytes_per_row
                      : (static_cast<std::size_t>(width) * height + per_byte - 1) / per_byte);

  int slot_counter = 0;
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      const int slot = slot_counter % per_byte;
      if (slot == 0) bytes.push_back(0);
      bytes.back() = static_cast<std::uint8_t>(
          bytes.back() | (PackedValue(source.At(x, y), depth) << (slot * depth)));
      ++slot_counter;
      // A row that stops inside a byte leaves the rest of that byte empty.
      if (align && x == width && slot != per_byte - 1) slot_counter = 0;
    }
  }
  return bytes;
}

}  // namespace pictavo
