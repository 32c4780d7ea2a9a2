#include <algorithm>
#include <cstdio>

#include "core/formats/skin_file.h"
#include "core/formats/source_text/header_comment.h"
#include "core/formats/source_text/skin_table.h"
#include "core/formats/source_text/skin_table_words.h"
#include "core/formats/text_append.h"
#include "core/model/picture.h"

namespace pictavo {

namespace {

// Values per data line; every frame starts a line of its own.
constexpr std::size_t ValuesPerLine = 16;

std::string Decimal(std::size_t value) { return std::to_string(value); }

std::string Who(int position, const TSkinIcon& icon) {
  return "icon " + Decimal(static_cast<std::size_t>(position) + 1) + " (" + IconLabel(icon) + ")";
}

std::string DepthWords(int depth) {
  return depth == 1 ? "1 bit per pixel"
                    : Decimal(static_cast<std::size_t>(depth)) + " bits per pixel";
}

// The frame's codes, at its own depth those a skin file keeps of them.
void FillFrame(const TSkinIcon& icon, int frame, bool own_depth, PictureCells& cells) {
  for (int y = 0; y < icon.Height; ++y) {
    for (int x = 0; x < icon.Width; ++x) {
      std::uint8_t code = icon.Data[icon.DataIndex(frame, x, y)];
      if (own_depth) code = StoredCode(code, icon.BPP);
      cells.At(x + 1, y + 1) = ToPixelCode(code);
    }
  }
}

void AppendValues(std::string& out, std::span<const std::uint8_t> bytes, std::string_view lead,
                  bool c) {
  for (std::size_t start = 0; start < bytes.size(); start += ValuesPerLine) {
    const std::size_t end = std::min(bytes.size(), start + ValuesPerLine);
    out += lead;
    for (std::size_t i = start; i < end; ++i) {
      if (i > start) out += c ? ", " : ",";
      AppendHex(out, bytes[i]);
    }
    if (c) out += ',';
    out += '\n';
  }
}

// "0xFE: 6 x 4, 4 bits per pixel, 3 frames of 12 bytes".
std::string EntryNote(const SkinTableEntry& entry) {
  std::string note;
  AppendHex(note, entry.id);
  note += ": " + Decimal(entry.width) + " x " + Decimal(entry.height) + ", " +
          DepthWords(entry.bpp) + ", " + Decimal(entry.frames) +
          (entry.frames == 1 ? " frame of " : " frames of ") + Decimal(entry.frame_bytes) +
          (entry.frame_bytes == 1 ? " byte" : " bytes");
  return note;
}

// The bits, each icon's frames under a comment that names the icon.
void AppendBits(std::string& out, const SkinTableContent& table, bool c) {
  const std::string_view lead = c ? "    " : "\t.byte ";
  for (const SkinTableEntry& entry : table.index) {
    out += (c ? "    /* " : "\t/* ") + EntryNote(entry) + " */\n";
    for (std::size_t f = 0; f < entry.frames; ++f) {
      const std::size_t at = entry.offset + f * entry.frame_bytes;
      AppendValues(out, std::span(table.bits).subspan(at, entry.frame_bytes), lead, c);
    }
  }
}

// The one-byte fields: ID, width, height, depth, frames, reserved.
std::string EntryBytes(const SkinTableEntry& entry, std::string_view comma) {
  std::string out;
  AppendHex(out, entry.id);
  for (const std::size_t value : {entry.width, entry.height, entry.bpp, entry.frames}) {
    out += std::string(comma) + Decimal(value);
  }
  return out + std::string(comma) + "0";
}

void AppendLookup(std::string& out, const SkinTableContent& table, bool c) {
  constexpr std::size_t PerLine = 8;
  for (std::size_t row = 0; row < 256; row += PerLine) {
    out += c ? "    " : "\t.byte ";
    for (std::size_t id = row; id < row + PerLine; ++id) {
      if (id > row) out += c ? ", " : ",";
      AppendHex(out, table.lookup[id]);
    }
    out += c ? ", /* IDs " : " /* IDs ";
    AppendHex(out, static_cast<std::uint8_t>(row));
    out += '-';
    AppendHex(out, static_cast<std::uint8_t>(row + PerLine - 1));
    out += " */\n";
  }
}

void AppendCTable(std::string& out, const SkinTableContent& table, const std::string& symbol,
                  bool lookup) {
  const std::string guard = SymbolGuard(symbol);
  const std::string count = SymbolDefine(symbol, "ICONS");
  out += "#ifndef " + guard + "\n#define " + guard + "\n\n#include <stdint.h>\n\n";
  out +=
      "/* One entry per icon, 12 bytes: the icon's ID, width, height, bits per pixel,\n"
      "   frames and a reserved 0, then the bytes of one frame, and where its first\n"
      "   frame starts in " +
      symbol + "_bits; frame f starts at offset + f * frame_bytes. */\n";
  out += "struct " + symbol +
         "_icon {\n    uint8_t id;\n    uint8_t width;\n    uint8_t height;\n"
         "    uint8_t bpp;\n    uint8_t frames;\n    uint8_t reserved;\n"
         "    uint16_t frame_bytes;\n    uint32_t offset;\n};\n\n";
  out += "#define " + count + " " + Decimal(table.index.size()) + "\n\n";
  out += "static const uint8_t " + symbol + "_bits[] = {\n";
  AppendBits(out, table, true);
  out += "};\n\nstatic const struct " + symbol + "_icon " + symbol + "_icons[" + count + "] = {\n";
  out += "    /* id, width, height, bpp, frames, reserved, frame_bytes, offset */\n";
  for (const SkinTableEntry& entry : table.index) {
    out += "    {" + EntryBytes(entry, ", ") + ", " + Decimal(entry.frame_bytes) + ", " +
           Decimal(entry.offset) + "},\n";
  }
  out += "};\n";
  if (lookup) {
    out += "\n/* The entry of each icon ID, 0xFF where the skin has none. */\n";
    out += "static const uint8_t " + symbol + "_lookup[256] = {\n";
    AppendLookup(out, table, true);
    out += "};\n";
  }
  out += "\n#endif /* " + guard + " */\n";
}

void AppendGasObject(std::string& out, const std::string& name) {
  out += "\t.global " + name + "\n\t.type " + name + ", %object\n" + name + ":\n";
}

void AppendGasTable(std::string& out, const SkinTableContent& table, const std::string& symbol,
                    bool lookup) {
  out += "\t.section .rodata\n";
  AppendGasObject(out, symbol + "_bits");
  AppendBits(out, table, false);
  out += "\t.size " + symbol + "_bits, . - " + symbol + "_bits\n";
  out += "\t.balign 4\n";
  AppendGasObject(out, symbol + "_icons");
  out += "\t/* id, width, height, bpp, frames, reserved; frame bytes; offset */\n";
  for (const SkinTableEntry& entry : table.index) {
    out += "\t.byte " + EntryBytes(entry, ",") + "\n\t.short " + Decimal(entry.frame_bytes) +
           "\n\t.long " + Decimal(entry.offset) + "\n";
  }
  out += "\t.size " + symbol + "_icons, . - " + symbol + "_icons\n";
  if (lookup) {
    AppendGasObject(out, symbol + "_lookup");
    AppendLookup(out, table, false);
    out += "\t.size " + symbol + "_lookup, . - " + symbol + "_lookup\n";
  }
  AppendGasObject(out, symbol + "_icon_count");
  out += "\t.short " + Decimal(table.index.size()) + "\n";
  out += "\t.size " + symbol + "_icon_count, . - " + symbol + "_icon_count\n";
  // The data asks for no executable stack, as every GNU as source says.
  out += "\t.section .note.GNU-stack,\"\",%progbits\n";
}

}  // namespace

expected<SkinTableContent, Error> MakeSkinTable(const Skin& skin, const SkinTableOptions& options) {
  if (skin.Count() == 0) return unexpected(Error{"the skin holds no icon to make a table of"});
  // What a skin file cannot hold could not come back from the table either.
  if (auto stream = BuildSkinStream(skin); !stream) return unexpected(stream.error());
  SkinTableContent table;
  table.lookup.fill(SkinTableNoEntry);
  PictureCells cells;
  for (int i = 0; i < skin.Count(); ++i) {
    const TSkinIcon& icon = skin.At(i);
    const bool own = options.Depth == 0;
    const int depth = own ? icon.BPP : options.Depth;
    if (options.Layout == ByteLayout::Pages && depth != 1) {
      return unexpected(Error{"pages of 8 rows hold 1 bit per pixel, and " + Who(i, icon) +
                              " is packed at " + DepthWords(depth)});
    }
    SourceTextOptions packing;
    packing.Bpp = depth;
    packing.Align = options.Align;
    packing.Order = options.Order;
    packing.Layout = depth == 1 ? options.Layout : ByteLayout::Rows;
    SkinTableEntry entry{
        static_cast<std::uint8_t>(icon.IconID),       static_cast<std::uint8_t>(icon.Width),
        static_cast<std::uint8_t>(icon.Height),       static_cast<std::uint8_t>(depth),
        static_cast<std::uint8_t>(icon.SubIcons),     0,
        static_cast<std::uint32_t>(table.bits.size())};
    for (int frame = 0; frame < icon.SubIcons; ++frame) {
      FillFrame(icon, frame, own, cells);
      const std::vector<std::uint8_t> bytes =
          SourceTextBytes(CodeGridView(cells, icon.Width, icon.Height), packing);
      entry.frame_bytes = static_cast<std::uint16_t>(bytes.size());
      table.bits.insert(table.bits.end(), bytes.begin(), bytes.end());
    }
    std::uint8_t& looked_up = table.lookup[entry.id];
    if (looked_up == SkinTableNoEntry) {
      if (options.Lookup && i >= SkinTableNoEntry) {
        return unexpected(Error{Who(i, icon) + " is entry " + Decimal(static_cast<std::size_t>(i)) +
                                " of the index; a lookup of one byte reaches entries 0 to 254"});
      }
      if (i < SkinTableNoEntry) looked_up = static_cast<std::uint8_t>(i);
    }
    table.index.push_back(entry);
  }
  return table;
}

expected<std::string, Error> WriteSkinTable(const Skin& skin, std::string_view name,
                                            const SkinTableOptions& options) {
  auto table = MakeSkinTable(skin, options);
  if (!table) return unexpected(table.error());
  const bool c = options.Format != SourceFormat::Gas;
  std::string out;
  out.reserve(2000 + 7 * table->bits.size() + 48 * table->index.size());
  out += "/* " +
         SkinTableSentence(options.Symbol, name, table->index.size(),
                           {options.Depth, options.Align, options.Order, options.Layout}) +
         " */\n";
  if (c) {
    AppendCTable(out, *table, options.Symbol, options.Lookup);
  } else {
    AppendGasTable(out, *table, options.Symbol, options.Lookup);
  }
  return out;
}

std::string WriteSkinBytesText(std::span<const std::uint8_t> file, std::string_view symbol_view,
                               SourceFormat format) {
  const std::string symbol(symbol_view);
  std::string out = "/* " + SkinBytesSentence(symbol, file.size()) + " */\n";
  if (format != SourceFormat::Gas) {
    const std::string guard = SymbolGuard(symbol);
    out += "#ifndef " + guard + "\n#define " + guard + "\n\n#include <stdint.h>\n\n";
    out += "static const uint8_t " + symbol + "[] = {\n";
    AppendValues(out, file, "    ", true);
    out += "};\n\n#endif /* " + guard + " */\n";
    return out;
  }
  out += "\t.section .rodata\n";
  AppendGasObject(out, symbol);
  AppendValues(out, file, "\t.byte ", false);
  out += "\t.size " + symbol + ", . - " + symbol + "\n";
  // C has sizeof; code that reaches the bytes from C here reads their count.
  out += "\t.balign 4\n";
  AppendGasObject(out, symbol + "_size");
  out += "\t.long " + Decimal(file.size()) + "\n";
  out += "\t.size " + symbol + "_size, . - " + symbol + "_size\n";
  out += "\t.section .note.GNU-stack,\"\",%progbits\n";
  return out;
}

}  // namespace pictavo
