#include "core/formats/source_text/writer.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

#include "core/formats/pack_pixels.h"
#include "core/formats/source_text/header_comment.h"
#include "core/formats/text_append.h"

namespace pictavo {

namespace {

// Lines per X bitmap data line, as X's own tools write them.
constexpr std::size_t XbmValuesPerLine = 12;
// Lines of bytes that do not follow picture rows hold this many values.
constexpr std::size_t ValuesPerLine = 16;

void AppendDecimal(std::string& out, std::size_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// The fields of a byte in the opposite order: what the lowest bits held goes
// to the highest. A field keeps its own bit order, so a 2-bit value stays
// that value.
std::uint8_t ReverseFields(std::uint8_t byte, int depth) {
  std::uint8_t out = 0;
  const int fields = 8 / depth;
  const int mask = (1 << depth) - 1;
  for (int i = 0; i < fields; ++i) {
    const int field = (byte >> (i * depth)) & mask;
    out = static_cast<std::uint8_t>(out | (field << ((fields - 1 - i) * depth)));
  }
  return out;
}

// 1 bpp in pages of 8 rows: byte (page, x) holds rows 8 page .. 8 page + 7
// of column x, the top row in bit 0. Rows past the height are 0.
std::vector<std::uint8_t> PackPages(CodeGridView source) {
  const int pages = (source.Height() + 7) / 8;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(pages) * static_cast<std::size_t>(source.Width()));
  for (int page = 0; page < pages; ++page) {
    for (int x = 1; x <= source.Width(); ++x) {
      std::uint8_t byte = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int y = page * 8 + bit + 1;
        if (y > source.Height()) break;
        byte = static_cast<std::uint8_t>(byte | (PackedValue(source.At(x, y), 1) << bit));
      }
      bytes.push_back(byte);
    }
  }
  return bytes;
}

std::vector<std::uint8_t> CodeBytes(CodeGridView source) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(source.Width()) *
                static_cast<std::size_t>(source.Height()));
  for (int y = 1; y <= source.Height(); ++y) {
    for (int x = 1; x <= source.Width(); ++x)
      bytes.push_back(static_cast<std::uint8_t>(source.At(x, y)));
  }
  return bytes;
}

// X bitmap: 1 = black, where the 1-bit packing gives 0; rows padded to whole
// bytes, the spare bits 0.
std::vector<std::uint8_t> XbmBytes(CodeGridView source) {
  std::vector<std::uint8_t> bytes = PackPixels(source, 1, true);
  const std::size_t per_row = static_cast<std::size_t>((source.Width() + 7) / 8);
  const int last_bits = source.Width() % 8;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool last_of_row = (i + 1) % per_row == 0;
    const auto used =
        static_cast<std::uint8_t>(last_of_row && last_bits != 0 ? (1 << last_bits) - 1 : 0xFF);
    bytes[i] = static_cast<std::uint8_t>(~bytes[i] & used);
  }
  return bytes;
}

int DepthOf(const SourceTextOptions& options) {
  if (options.Format == SourceFormat::Xbm) return 1;
  return options.Bpp == 2 || options.Bpp == 4 || options.Bpp == 8 ? options.Bpp : 1;
}

bool UsesPages(const SourceTextOptions& options) {
  return options.Format != SourceFormat::Xbm && DepthOf(options) == 1 &&
         options.Layout == ByteLayout::Pages;
}

// How the data lines follow the picture: one line per row when every row
// starts a byte, one per page, otherwise lines of a fixed count.
struct LinePlan {
  std::size_t per_line;
  bool commented;  // each line is one row or one page
};

LinePlan PlanLines(CodeGridView source, const SourceTextOptions& options) {
  const int depth = DepthOf(options);
  const auto width = static_cast<std::size_t>(source.Width());
  if (UsesPages(options)) return {width, true};
  if (options.Align || depth == 8 || (width * static_cast<std::size_t>(depth)) % 8 == 0)
    return {(width * static_cast<std::size_t>(depth) + 7) / 8, true};
  return {ValuesPerLine, false};
}

// " /* row 3 */" or " /* rows 8-15 */" for data line `line`.
void AppendLineComment(std::string& out, std::size_t line, CodeGridView source, bool pages) {
  if (!pages) {
    out += " /* row ";
    AppendDecimal(out, line);
  } else {
    const std::size_t last = std::min(line * 8 + 7, static_cast<std::size_t>(source.Height() - 1));
    out += " /* rows ";
    AppendDecimal(out, line * 8);
    out += '-';
    AppendDecimal(out, last);
  }
  out += " */";
}

// The packing as the header comment names it.
PackingShape ShapeOf(const SourceTextOptions& options) {
  const int depth = DepthOf(options);
  if (depth == 8) return {8};
  if (UsesPages(options)) return {1, false, options.Order, ByteLayout::Pages};
  return {depth, options.Align, options.Order};
}

std::string Description(CodeGridView source, const SourceTextOptions& options) {
  return HeaderComment(options.Symbol, source.Width(), source.Height(), ShapeOf(options));
}

// The data lines, each starting with `lead`, values separated by ",", every
// line but the last ending with ","; C wants the commas, as wants them only
// between values, which `line_end_comma` chooses.
void AppendDataLines(std::string& out, const std::vector<std::uint8_t>& bytes, CodeGridView source,
                     const SourceTextOptions& options, std::string_view lead, bool line_end_comma) {
  const LinePlan plan = PlanLines(source, options);
  const bool pages = UsesPages(options);
  std::size_t line = 0;
  for (std::size_t start = 0; start < bytes.size(); start += plan.per_line, ++line) {
    const std::size_t end = std::min(bytes.size(), start + plan.per_line);
    out += lead;
    for (std::size_t i = start; i < end; ++i) {
      if (i > start) out += line_end_comma ? ", " : ",";
      AppendHex(out, bytes[i]);
    }
    if (line_end_comma) out += ',';
    if (plan.commented) AppendLineComment(out, line, source, pages);
    out += '\n';
  }
}

void AppendCHeader(std::string& out, CodeGridView source, const SourceTextOptions& options,
                   const std::vector<std::uint8_t>& bytes) {
  const std::string guard = SymbolGuard(options.Symbol);
  out += "/* " + Description(source, options) + " */\n";
  out += "#ifndef " + guard + "\n#define " + guard + "\n\n#include <stdint.h>\n\n";
  out += "#define " + SymbolDefine(options.Symbol, "WIDTH") + " ";
  AppendDecimal(out, static_cast<std::size_t>(source.Width()));
  out += "\n#define " + SymbolDefine(options.Symbol, "HEIGHT") + " ";
  AppendDecimal(out, static_cast<std::size_t>(source.Height()));
  out += "\n#define " + SymbolDefine(options.Symbol, "BPP") + " ";
  AppendDecimal(out, static_cast<std::size_t>(DepthOf(options)));
  out += "\n\nstatic const uint8_t " + options.Symbol + "[] = {\n";
  AppendDataLines(out, bytes, source, options, "    ", true);
  out += "};\n\n#endif /* " + guard + " */\n";
}

void AppendGas(std::string& out, CodeGridView source, const SourceTextOptions& options,
               const std::vector<std::uint8_t>& bytes) {
  out += "/* " + Description(source, options) + " */\n";
  out += "\t.section .rodata\n\t.global " + options.Symbol + "\n\t.type " + options.Symbol +
         ", %object\n" + options.Symbol + ":\n\t.byte ";
  AppendDecimal(out, static_cast<std::size_t>(source.Width()));
  out += ',';
  AppendDecimal(out, static_cast<std::size_t>(source.Height()));
  out += " /* width, height */\n";
  AppendDataLines(out, bytes, source, options, "\t.byte ", false);
  out += "\t.size " + options.Symbol + ", . - " + options.Symbol + "\n";
  // The data asks for no executable stack: without this note an ELF linker
  // gives the whole program one, and warns.
  out += "\t.section .note.GNU-stack,\"\",%progbits\n";
}

void AppendXbm(std::string& out, CodeGridView source, const SourceTextOptions& options,
               const std::vector<std::uint8_t>& bytes) {
  out += "#define " + options.Symbol + "_width ";
  AppendDecimal(out, static_cast<std::size_t>(source.Width()));
  out += "\n#define " + options.Symbol + "_height ";
  AppendDecimal(out, static_cast<std::size_t>(source.Height()));
  out += "\nstatic unsigned char " + options.Symbol + "_bits[] = {";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += ',';
    out += i % XbmValuesPerLine == 0 ? "\n   " : " ";
    AppendHex(out, bytes[i]);
  }
  out += "};\n";
}

}  // namespace

std::vector<std::uint8_t> SourceTextBytes(CodeGridView source, const SourceTextOptions& options) {
  if (options.Format == SourceFormat::Xbm) return XbmBytes(source);
  const int depth = DepthOf(options);
  if (depth == 8) return CodeBytes(source);
  std::vector<std::uint8_t> bytes =
      UsesPages(options) ? PackPages(source) : PackPixels(source, depth, options.Align);
  if (options.Order == BitOrder::Msb) {
    for (std::uint8_t& byte : bytes) byte = ReverseFields(byte, depth);
  }
  return bytes;
}

std::string WriteSourceText(CodeGridView source, const SourceTextOptions& options) {
  const std::vector<std::uint8_t> bytes = SourceTextBytes(source, options);
  std::string out;
  out.reserve(400 + 3 * options.Symbol.size() + 7 * bytes.size());
  switch (options.Format) {
    case SourceFormat::C:
      AppendCHeader(out, source, options, bytes);
      break;
    case SourceFormat::Gas:
      AppendGas(out, source, options, bytes);
      break;
    case SourceFormat::Xbm:
      AppendXbm(out, source, options, bytes);
      break;
  }
  return out;
}

std::array<BitSource, 8> FirstByteBits(CodeGridView source, const SourceTextOptions& options) {
  std::array<BitSource, 8> bits{};
  const int width = source.Width();
  const int height = source.Height();
  if (width == 0 || height == 0) return bits;
  const int depth = DepthOf(options);
  const bool msb = options.Format != SourceFormat::Xbm && options.Order == BitOrder::Msb;
  for (int bit = 0; bit < 8; ++bit) {
    BitSource& s = bits[static_cast<std::size_t>(bit)];
    if (depth == 8) {
      s = {true, 0, 0, bit};
    } else if (UsesPages(options)) {
      const int row = msb ? 7 - bit : bit;
      if (row < height) s = {true, 0, row, 0};
    } else {
      // Pixel n of the stream fills slot n of the byte; with msb the slots
      // are counted from the top.
      const int per_byte = 8 / depth;
      const int slot = msb ? per_byte - 1 - bit / depth : bit / depth;
      const bool whole_rows = options.Align || options.Format == SourceFormat::Xbm;
      const bool inside = whole_rows ? slot < width : slot < width * height;
      if (inside) s = {true, slot % width, slot / width, bit % depth};
    }
  }
  return bits;
}

}  // namespace pictavo
