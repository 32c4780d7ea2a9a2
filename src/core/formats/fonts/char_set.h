#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo {

// The characters a font is taken for, in the order given, each once.
using CharSet = std::u32string;

// A skin has room for 255 icon IDs (0..254): no set is longer.
inline constexpr int MaxGlyphIcons = 255;
inline constexpr int MaxGlyphId = 254;

// 32..126, the default.
CharSet PrintableAscii();

// "32-126", "0x20-0x7E,0xA0-0xFF", "U+20AC": codes and ranges of codes,
// decimal or hex, separated by commas. A text that does not read so is a
// literal string of characters, in UTF-8.
expected<CharSet, Error> ParseCharSet(std::string_view text);
// The characters of a UTF-8 text (a characters file); line ends and a
// leading byte order mark are not characters of the set.
expected<CharSet, Error> CharSetOfText(std::string_view utf8);

// "'A' (U+0041)"; a control character by its code only: "U+000A".
std::string CharName(char32_t c);
std::string Utf8Of(char32_t c);
// The characters of a UTF-8 text, or nothing when it is not UTF-8.
std::optional<std::u32string> DecodeUtf8(std::string_view utf8);

// One glyph of the set and the icon ID it is stored under.
struct GlyphId {
  char32_t c = 0;
  int id = 0;
  friend bool operator==(const GlyphId&, const GlyphId&) = default;
};

// The icon ID of each character: its code when it is 0..254 (Latin-1 but
// for 255, the skin's end marker). The others are numbered from `ids_from`
// in the order of the set; without it they are refused, and so is an ID
// that two characters would share or one past 254.
expected<std::vector<GlyphId>, Error> AssignIconIds(const CharSet& set,
                                                    std::optional<int> ids_from);

}  // namespace pictavo
