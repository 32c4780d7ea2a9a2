#include "core/formats/pack_pixels.h"

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

constexpr std::size_t DepthRow(int depth) { return depth == 1 ? 0 : depth == 2 ? 1 : 2; }

constexpr std::uint8_t ValueOf(int code, std::size_t depth_row) {
  const int column = IsPixelCode(code) ? code : ToInt(PixelCode::Transparent);
  return PackedValues[depth_row][static_cast<std::size_t>(column)];
}

// The packed value of every possible cell byte, so the packing loop needs one
// look-up per pixel.
constexpr std::array<std::array<std::uint8_t, 256>, 3> ValueOfByte = [] {
  std::array<std::array<std::uint8_t, 256>, 3> table{};
  for (std::size_t row = 0; row < table.size(); ++row) {
    for (int code = 0; code < 256; ++code)
      table[row][static_cast<std::size_t>(code)] = ValueOf(code, row);
  }
  return table;
}();

constexpr bool IsPackedDepth(int depth) { return depth == 1 || depth == 2 || depth == 4; }

}  // namespace

std::uint8_t PackedValue(PixelCode code, int depth) {
  return ValueOf(ToInt(code), DepthRow(depth));
}

std::vector<std::uint8_t> PackPixels(CodeGridView source, int depth, bool align) {
  if (!IsPackedDepth(depth)) return {};

  const int per_byte = 8 / depth;
  const std::size_t width = static_cast<std::size_t>(source.Width());
  const std::size_t height = static_cast<std::size_t>(source.Height());
  const std::size_t count = align ? height * ((width + per_byte - 1) / per_byte)
                                  : (width * height + per_byte - 1) / per_byte;
  std::vector<std::uint8_t> bytes(count, 0);
  const std::array<std::uint8_t, 256>& values = ValueOfByte[DepthRow(depth)];

  // The byte being filled stays in `current` until it is full; `slot` is the
  // next pixel's place inside it, 0 at the least significant bits.
  std::size_t next = 0;
  std::uint8_t current = 0;
  int slot = 0;
  for (int y = 1; y <= source.Height(); ++y) {
    for (int x = 1; x <= source.Width(); ++x) {
      const auto code = static_cast<std::uint8_t>(source.At(x, y));
      current = static_cast<std::uint8_t>(current | (values[code] << (slot * depth)));
      if (++slot == per_byte) {
        bytes[next++] = current;
        current = 0;
        slot = 0;
      }
    }
    // With align a row that stops inside a byte leaves the rest of it empty and
    // the next row starts a new byte.
    if (align && slot != 0) {
      bytes[next++] = current;
      current = 0;
      slot = 0;
    }
  }
  if (slot != 0) bytes[next] = current;
  return bytes;
}

}  // namespace pictavo
