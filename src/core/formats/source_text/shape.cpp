// Which packing a text's bytes were written in, when the text does not say
// all of it: the byte count rules out most readings, then spare bits that are
// not 0, then values that are no pixel code.
#include <algorithm>
#include <utility>

#include "core/formats/pack_pixels.h"
#include "core/formats/source_text/parts.h"

namespace pictavo::source_text {

namespace {

std::vector<PackingShape> Candidates(const ParsedText& parsed, const ReadTextOptions& options) {
  std::vector<PackingShape> shapes = parsed.shapes;
  if (shapes.empty()) {
    const std::optional<int> depth = parsed.depth ? parsed.depth : options.depth;
    const std::vector<int> depths = depth ? std::vector<int>{*depth} : std::vector<int>{8, 4, 2, 1};
    const bool high_first = parsed.hints.says_high_first && !parsed.hints.says_low_first;
    std::vector<BitOrder> orders = high_first ? std::vector{BitOrder::Msb, BitOrder::Lsb}
                                              : std::vector{BitOrder::Lsb, BitOrder::Msb};
    std::vector<ByteLayout> layouts = parsed.hints.pages
                                          ? std::vector{ByteLayout::Pages, ByteLayout::Rows}
                                          : std::vector{ByteLayout::Rows, ByteLayout::Pages};
    if (parsed.own_listing) {
      orders = {BitOrder::Lsb};
      layouts = {ByteLayout::Rows};
    }
    // The bit order weighs more than align: a reading in the usual order
    // comes first.
    for (const int depth : depths) {
      for (const ByteLayout layout : layouts) {
        if (layout == ByteLayout::Pages && depth != 1) continue;
        for (const BitOrder order : orders) {
          if (depth == 8 && order == BitOrder::Msb) continue;
          for (const bool aligned : {false, true}) {
            // Aligned rows that fill whole bytes are the same bytes.
            if (aligned && (layout == ByteLayout::Pages || parsed.width * depth % 8 == 0)) {
              continue;
            }
            shapes.push_back({depth, aligned, order, layout, false});
          }
        }
      }
    }
  }
  // What the caller says overrules the text, for the texts that can be
  // written either way; at 8 bpp neither applies.
  if (!parsed.shapes.empty()) return shapes;
  std::erase_if(shapes, [&options](const PackingShape& shape) {
    if (shape.depth == 8) return false;
    if (options.bit_order && shape.order != *options.bit_order) return true;
    return shape.depth == 1 && options.layout && shape.layout != *options.layout;
  });
  return shapes;
}

bool MatchesMono(const std::vector<PixelCode>& codes, int width, int height,
                 const std::vector<std::uint8_t>& mono) {
  Picture picture;
  picture.Width = width;
  picture.Height = height;
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      picture.Cells.At(x, y) = codes[static_cast<std::size_t>((y - 1) * width + (x - 1))];
    }
  }
  return PackPixels(ViewOf(picture), 1, false) == mono;
}

std::string Bytes(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

// Why no reading fits the byte count: what each reading at the stated depth
// would take, or that no depth fits.
Error CountMismatch(const ParsedText& parsed, const std::vector<PackingShape>& shapes) {
  const int line = parsed.data.empty() ? parsed.size_line : parsed.data.back().line;
  const std::string size = std::to_string(parsed.width) + " x " + std::to_string(parsed.height);
  const bool one_depth =
      !shapes.empty() && std::ranges::all_of(shapes, [&shapes](const PackingShape& shape) {
        return shape.depth == shapes.front().depth;
      });
  if (!one_depth) {
    return RefuseAt(line, "the text holds " + Bytes(parsed.data.size()) +
                              " after the size, a count no " + size +
                              " picture packs into at 1, 2, 4 or 8 bits per pixel.")
        .error();
  }
  std::string takes;
  std::vector<std::size_t> seen;
  for (const PackingShape& shape : shapes) {
    const std::size_t count = PackedByteCount(parsed.width, parsed.height, shape);
    if (std::ranges::find(seen, count) != seen.end()) continue;
    seen.push_back(count);
    if (takes.empty()) {
      takes = Bytes(count);
    } else {
      takes += ", or " + std::to_string(count) +
               (shape.layout == ByteLayout::Pages ? " in pages of 8 rows" : " with rows aligned");
    }
  }
  const int depth = shapes.empty() ? 0 : shapes.front().depth;
  std::string said;
  if (parsed.depth && parsed.depth_line > 0) {
    said = " (as line " + std::to_string(parsed.depth_line) + " says)";
  }
  return RefuseAt(line, "a " + size + " picture at " + std::to_string(depth) +
                            (depth == 1 ? " bit" : " bits") + " per pixel" + said + " takes " +
                            takes + "; the text holds " + std::to_string(parsed.data.size()) + ".")
      .error();
}

}  // namespace

expected<Chosen, Error> ChooseShape(const ParsedText& parsed, const ReadTextOptions& options) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(parsed.data.size());
  for (const LineValue& value : parsed.data) {
    if (value.value > 0xFF) {
      return RefuseAt(value.line,
                      "the value " + std::to_string(value.value) + " does not fit in a byte.");
    }
    bytes.push_back(static_cast<std::uint8_t>(value.value));
  }
  const std::vector<PackingShape> shapes = Candidates(parsed, options);
  // Best first: spare bits 0 and the trailing 1-bit array agreeing, then
  // spare bits 0, then any reading whose values are all pixel codes.
  std::optional<Chosen> best;
  int best_rank = 0;
  // The first reading that fits the count but holds a value that is no code.
  std::optional<std::pair<PackingShape, Unpacked>> bad;
  for (const PackingShape& shape : shapes) {
    if (PackedByteCount(parsed.width, parsed.height, shape) != bytes.size()) continue;
    Unpacked unpacked = UnpackPixels(bytes, parsed.width, parsed.height, shape);
    if (unpacked.bad_pixel) {
      if (!bad) bad.emplace(shape, std::move(unpacked));
      continue;
    }
    const bool agrees =
        parsed.mono && MatchesMono(unpacked.codes, parsed.width, parsed.height, *parsed.mono);
    const int rank = unpacked.spare_bits_set ? 1 : agrees || !parsed.mono ? 3 : 2;
    if (rank > best_rank) {
      best_rank = rank;
      best = Chosen{shape, std::move(unpacked.codes)};
      if (rank == 3) break;
    }
  }
  if (best) return std::move(*best);
  if (!bad) return unexpected(CountMismatch(parsed, shapes));
  const auto& [shape, unpacked] = *bad;
  const std::size_t pixel = *unpacked.bad_pixel;
  const std::size_t width = static_cast<std::size_t>(parsed.width);
  return RefuseAt(parsed.data[unpacked.bad_byte].line,
                  "the pixel at column " + std::to_string(pixel % width + 1) + ", row " +
                      std::to_string(pixel / width + 1) + " has the value " +
                      std::to_string(unpacked.bad_value) + " at " + DescribeShape(shape) +
                      "; pixel codes run from 0 to 4.");
}

}  // namespace pictavo::source_text
