#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/packing_order.h"
#include "core/formats/source_text/reader.h"
#include "core/formats/source_text/writer.h"
#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/model/skin.h"

namespace pictavo {

// A whole skin as a C header or GNU as source, for firmware without the
// skin loader: every frame of every icon in one array (SYMBOL_bits), an
// index of one entry per icon (SYMBOL_icons), and with `Lookup` a 256-entry
// table from icon ID to entry (SYMBOL_lookup). docs/formats.md sets out
// every byte.
struct SkinTableOptions {
  SourceFormat Format = SourceFormat::C;  // C or Gas
  // 0: each icon at its own depth, with the codes a skin file keeps of it,
  // which reads back as the same skin. 1, 2, 4 or 8: every icon at that
  // depth, codes mapped as the listings of that depth map them.
  int Depth = 0;
  bool Align = false;
  BitOrder Order = BitOrder::Lsb;
  ByteLayout Layout = ByteLayout::Rows;  // pages: every icon at 1 bpp
  bool Lookup = false;
  std::string Symbol;  // a C identifier, see SourceSymbol
};

// One entry of the index, 12 bytes in memory: the five bytes of the icon's
// head in a skin stream but in the order ID, width, height, depth, frames,
// a reserved 0, then the bytes of one frame (16 bits) and where the first
// frame starts in the bits (32 bits), in the target's byte order.
struct SkinTableEntry {
  std::uint8_t id = 0;
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint8_t bpp = 0;
  std::uint8_t frames = 0;
  std::uint16_t frame_bytes = 0;
  std::uint32_t offset = 0;
  friend bool operator==(const SkinTableEntry&, const SkinTableEntry&) = default;
};
inline constexpr std::size_t SkinTableEntrySize = 12;
// The lookup's value for an ID the skin has no icon of.
inline constexpr std::uint8_t SkinTableNoEntry = 0xFF;

// What a table holds, before it is written as a text.
struct SkinTableContent {
  std::vector<std::uint8_t> bits;
  std::vector<SkinTableEntry> index;
  // Entry of the first icon of each ID, SkinTableNoEntry where none.
  std::array<std::uint8_t, 256> lookup{};
};

// Refuses a skin a skin file cannot hold (so that the table reads back as
// it), an empty one, pages where an icon is packed at more than 1 bit, and
// a lookup whose entries pass 254.
expected<SkinTableContent, Error> MakeSkinTable(const Skin& skin, const SkinTableOptions& options);

// The whole text, with LF line ends. `name` is the skin's name field, kept in
// the first line so that the table reads back with it.
expected<std::string, Error> WriteSkinTable(const Skin& skin, std::string_view name,
                                            const SkinTableOptions& options);

// A skin file's own bytes as an array named `symbol`, for firmware that
// carries its loader.
std::string WriteSkinBytesText(std::span<const std::uint8_t> file, std::string_view symbol,
                               SourceFormat format);

// The texts above are told by their first line: "/* SYMBOL: skin ...".
bool LooksLikeSkinTable(std::string_view start);

// A table the program wrote is at most this long: every icon at 8 bits per
// pixel from 1, written out in hex.
inline constexpr std::size_t SkinTableReadLimit = std::size_t{4} << 20;

struct SkinTableRead {
  Skin skin;
  std::string name;
  // Sentences to pass on to the user (a name that was cut).
  std::vector<std::string> notes;
};

// Reads either text back: the table into its skin (its first line says how
// the frames are packed; `options`' bit order, layout and align decide over
// it), the skin file's bytes through the skin file's reader. A table whose
// icons a skin cannot hold is refused with the line and the reason.
expected<SkinTableRead, Error> ReadSkinTable(std::string_view text,
                                             const ReadTextOptions& options = {});

}  // namespace pictavo
