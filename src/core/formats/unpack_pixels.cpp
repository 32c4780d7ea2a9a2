#include "core/formats/unpack_pixels.h"

#include <cassert>

namespace pictavo {

namespace {

std::size_t CeilDiv(std::size_t a, std::size_t b) { return (a + b - 1) / b; }

// The picture's code for a value at `depth`.
std::optional<PixelCode> CodeOfValue(int value, const PackingShape& shape) {
  if (shape.depth == 1) {
    const bool light = (value != 0) != shape.inverted;
    return light ? PixelCode::White : PixelCode::Black;
  }
  if (!IsPixelCode(value)) return std::nullopt;
  return ToPixelCode(value);
}

}  // namespace

std::size_t PackedByteCount(int width, int height, const PackingShape& shape) {
  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  if (shape.depth == 1 && shape.layout == ByteLayout::Pages) return w * CeilDiv(h, 8);
  const std::size_t per_byte = 8 / static_cast<std::size_t>(shape.depth);
  return shape.aligned ? h * CeilDiv(w, per_byte) : CeilDiv(w * h, per_byte);
}

Unpacked UnpackPixels(std::span<const std::uint8_t> bytes, int width, int height,
                      const PackingShape& shape) {
  assert(bytes.size() == PackedByteCount(width, height, shape));
  Unpacked out;
  out.codes.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  // Bits some pixel took, per byte: whatever is left must be 0.
  std::vector<std::uint8_t> used(bytes.size(), 0);
  const int depth = shape.depth;
  const int per_byte = 8 / depth;
  const int field = (1 << depth) - 1;
  const bool pages = depth == 1 && shape.layout == ByteLayout::Pages;
  std::size_t position = 0;  // pixel slots taken so far, in row order
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::size_t index = 0;
      int slot = 0;
      if (pages) {
        index = static_cast<std::size_t>(y / 8) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x);
        slot = y % 8;
      } else {
        index = position / static_cast<std::size_t>(per_byte);
        slot = static_cast<int>(position % static_cast<std::size_t>(per_byte));
        ++position;
      }
      if (shape.order == BitOrder::Msb) slot = per_byte - 1 - slot;
      const int shift = slot * depth;
      const int value = (bytes[index] >> shift) & field;
      used[index] = static_cast<std::uint8_t>(used[index] | (field << shift));
      const std::optional<PixelCode> code = CodeOfValue(value, shape);
      if (!code) {
        if (!out.bad_pixel) {
          out.bad_pixel = out.codes.size();
          out.bad_byte = index;
          out.bad_value = value;
        }
        out.codes.push_back(PixelCode::Black);
        continue;
      }
      out.codes.push_back(*code);
    }
    // An aligned row that stops inside a byte leaves the rest of it empty.
    if (shape.aligned && !pages) {
      position = CeilDiv(position, static_cast<std::size_t>(per_byte)) *
                 static_cast<std::size_t>(per_byte);
    }
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if ((bytes[i] & ~used[i]) != 0) out.spare_bits_set = true;
  }
  return out;
}

std::string DescribeShape(const PackingShape& shape) {
  if (shape.depth == 8) return "8 bits per pixel";
  std::string text =
      shape.depth == 1 ? "1 bit per pixel" : std::to_string(shape.depth) + " bits per pixel";
  if (shape.depth == 1 && shape.layout == ByteLayout::Pages) {
    text += ", in pages of 8 rows";
  } else if (shape.aligned) {
    text += ", rows aligned to bytes";
  }
  if (shape.order == BitOrder::Msb) text += ", first pixel in the highest bits";
  return text;
}

}  // namespace pictavo
