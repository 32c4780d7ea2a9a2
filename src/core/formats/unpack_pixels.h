#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/formats/packing_order.h"
#include "core/model/pixel_code.h"

namespace pictavo {

// How pixels were packed into bytes. `inverted` is the X bitmap's 1 = black.
struct PackingShape {
  int depth = 8;  // 1, 2, 4 or 8
  bool aligned = false;
  BitOrder order = BitOrder::Lsb;
  ByteLayout layout = ByteLayout::Rows;
  bool inverted = false;
  friend bool operator==(const PackingShape&, const PackingShape&) = default;
};

// Bytes a width x height picture takes in that shape.
std::size_t PackedByteCount(int width, int height, const PackingShape& shape);

// The pixels of the bytes, row by row: at 1 bpp Black or White, at 2 bpp the
// packed value as the code, at 4 and 8 bpp the value itself. The byte count
// must be PackedByteCount's. The first value that is no code (above 4 at 4
// or 8 bpp) is kept with its pixel's and its byte's 0-based index.
struct Unpacked {
  std::vector<PixelCode> codes;
  // Bits no pixel fills (padding, rows past the height) that are not 0: a
  // sign the bytes were packed in another shape.
  bool spare_bits_set = false;
  std::optional<std::size_t> bad_pixel;
  std::size_t bad_byte = 0;
  int bad_value = 0;
};
Unpacked UnpackPixels(std::span<const std::uint8_t> bytes, int width, int height,
                      const PackingShape& shape);

// "2 bits per pixel, rows aligned, highest bits first": the shape in words.
std::string DescribeShape(const PackingShape& shape);

}  // namespace pictavo
