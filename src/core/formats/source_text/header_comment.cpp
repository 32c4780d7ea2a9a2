#include "core/formats/source_text/header_comment.h"

#include <array>

#include "core/formats/source_text/scan.h"

namespace pictavo {

namespace {

// Every shape the sentence can name, so that reading it is finding the one
// whose sentence it is.
constexpr std::array<PackingShape, 15> Described = {{
    {8},
    {1, false, BitOrder::Lsb},
    {1, true, BitOrder::Lsb},
    {1, false, BitOrder::Msb},
    {1, true, BitOrder::Msb},
    {1, false, BitOrder::Lsb, ByteLayout::Pages},
    {1, false, BitOrder::Msb, ByteLayout::Pages},
    {2, false, BitOrder::Lsb},
    {2, true, BitOrder::Lsb},
    {2, false, BitOrder::Msb},
    {2, true, BitOrder::Msb},
    {4, false, BitOrder::Lsb},
    {4, true, BitOrder::Lsb},
    {4, false, BitOrder::Msb},
    {4, true, BitOrder::Msb},
}};

}  // namespace

std::string HeaderComment(std::string_view symbol, int width, int height,
                          const PackingShape& shape) {
  std::string out(symbol);
  out += ": " + std::to_string(width) + " x " + std::to_string(height) + " pixels, ";
  out += shape.depth == 1 ? "1 bit per pixel" : std::to_string(shape.depth) + " bits per pixel";
  if (shape.depth == 8) return out + ", one code per byte";
  return out + ", " + PackingWords(shape);
}

std::string PackingWords(const PackingShape& shape) {
  if (shape.depth == 1 && shape.layout == ByteLayout::Pages) {
    return std::string("pages of 8 rows, top row in bit ") +
           (shape.order == BitOrder::Lsb ? "0" : "7");
  }
  std::string out = shape.aligned ? "rows start a new byte" : "rows follow each other";
  out += shape.order == BitOrder::Lsb ? ", first pixel in the lowest bits"
                                      : ", first pixel in the highest bits";
  return out;
}

std::optional<PackingShape> StatedPacking(std::string_view comment, int width, int height) {
  comment = Trimmed(comment);
  if (comment.find(" pixels, ") == comment.npos) return std::nullopt;
  for (const PackingShape& shape : Described) {
    if (comment.ends_with(HeaderComment("", width, height, shape))) return shape;
  }
  return std::nullopt;
}

}  // namespace pictavo
