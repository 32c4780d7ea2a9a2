// Which packing a text's bytes were written in, when the text does not say
// all of it: the byte count rules out most readings, then spare bits that are
// not 0, then values that are no pixel code.
#include <algorithm>
#include <utility>

#include "core/formats/pack_pixels.h"
#include "core/formats/source_text/parts.h"

namespace pictavo::source_text {

namespace {

// What is known of the packing, each part from the strongest source that
// tells: the caller's options, then the text's own header comment, its depth
// (a define, a listing's header) and the listings' fixed order.
struct Known {
  std::optional<int> depth;
  std::optional<bool> aligned;
  std::optional<BitOrder> order;
  std::optional<ByteLayout> layout;
};

Known KnownOf(const ParsedText& parsed, const ReadTextOptions& options) {
  Known known;
  known.depth = parsed.depth;
  if (const auto& stated = parsed.stated) {
    known.order = stated->order;
    known.layout = stated->layout;
    if (stated->layout == ByteLayout::Rows) known.aligned = stated->aligned;
  } else if (parsed.own_listing) {
    known.order = BitOrder::Lsb;
    known.layout = ByteLayout::Rows;
  }
  if (options.depth) known.depth = options.depth;
  // A 1 that means a drawn pixel is a 1-bit reading.
  if (options.invert && !known.depth) known.depth = 1;
  if (options.align) known.aligned = options.align;
  if (options.bit_order) known.order = options.bit_order;
  if (options.layout) known.layout = options.layout;
  return known;
}

template <typename T>
std::vector<T> Tried(const std::optional<T>& known, std::vector<T> in_order) {
  return known ? std::vector<T>{*known} : in_order;
}

// Every reading left open, in order of preference: the highest depth, then
// rows before pages, the lowest bits first, rows not aligned before aligned,
// unless the text's looser words say otherwise.
std::vector<PackingShape> Candidates(const ParsedText& parsed, const ReadTextOptions& options) {
  // The texts of one packing only (code arrays, the 1-bit array, X bitmaps).
  if (!parsed.shapes.empty()) return parsed.shapes;
  const Known known = KnownOf(parsed, options);
  const bool high_first = parsed.hints.says_high_first && !parsed.hints.says_low_first;
  const auto depths = Tried(known.depth, {8, 4, 2, 1});
  const auto orders = Tried(known.order, high_first ? std::vector{BitOrder::Msb, BitOrder::Lsb}
                                                    : std::vector{BitOrder::Lsb, BitOrder::Msb});
  const auto layouts =
      Tried(known.layout, parsed.hints.pages ? std::vector{ByteLayout::Pages, ByteLayout::Rows}
                                             : std::vector{ByteLayout::Rows, ByteLayout::Pages});
  std::vector<PackingShape> shapes;
  for (const int depth : depths) {
    // One code per byte: neither order, layout nor align applies.
    if (depth == 8) {
      shapes.push_back({8});
      continue;
    }
    // Pages are 1-bit only: deeper bytes follow the rows whatever is told.
    for (const ByteLayout layout : depth == 1 ? layouts : std::vector{ByteLayout::Rows}) {
      // The bit order weighs more than align: a reading in the usual order
      // comes first.
      for (const BitOrder order : orders) {
        if (layout == ByteLayout::Pages) {
          shapes.push_back({1, false, order, layout, options.invert});
          continue;
        }
        // Rows that fill whole bytes are the same bytes either way.
        const bool whole = parsed.width * depth % 8 == 0;
        for (const bool aligned : Tried(known.aligned, {false, true})) {
          if (aligned && whole && !known.aligned) continue;
          shapes.push_back({depth, aligned, order, layout, options.invert && depth == 1});
        }
      }
    }
  }
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
Error CountMismatch(const ParsedText& parsed, const std::vector<PackingShape>& shapes,
                    const ReadTextOptions& options) {
  const int line = parsed.data.empty() ? parsed.size_line : parsed.data.back().line;
  const std::string size = std::to_string(parsed.width) + " x " + std::to_string(parsed.height);
  const bool one_depth =
      !shapes.empty() && std::ranges::all_of(shapes, [&shapes](const PackingShape& shape) {
        return shape.depth == shapes.front().depth;
      });
  if (!one_depth) {
    // A listing's first two values are its size; an array's are pixels.
    const std::string holds =
        parsed.kind == SourceTextKind::Listing
            ? "the text holds " + Bytes(parsed.data.size()) + " after the size"
            : "the array holds " + Bytes(parsed.data.size());
    return RefuseAt(line, holds + ", a count no " + size +
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
  if (parsed.depth && parsed.depth_line > 0 && !options.depth) {
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
      return RefuseAt(value.line, "the value " + value.written + " does not fit in a byte.");
    }
    bytes.push_back(static_cast<std::uint8_t>(value.value));
  }
  if (options.invert && parsed.shapes.empty()) {
    const Known known = KnownOf(parsed, options);
    if (known.depth != 1) {
      const bool said = !options.depth && parsed.depth_line > 0;
      return RefuseAt(said ? parsed.depth_line : parsed.size_line,
                      "the text is read at " + std::to_string(*known.depth) +
                          " bits per pixel; a bit 1 as a drawn pixel is for 1-bit texts.");
    }
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
  if (!bad) return unexpected(CountMismatch(parsed, shapes, options));
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
