#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pictavo {

// One line of a source text, its line end (CR LF, LF or CR) removed.
struct TextLine {
  int number = 0;  // from 1
  std::string_view raw;
  // The line without its /* */ and // comments. The line after one of the
  // listings' own header comments is kept whole: it holds the picture's
  // name, which may contain anything, "/*" included.
  std::string code;
  bool kept_whole = false;
  // Text of the comments on the line, for the hints they give (depth, bit
  // order, layout).
  std::string comments;
};

std::vector<TextLine> ScanLines(std::string_view text);

// The header comment of the program's own listings that ends the line
// ("/* format 2 bits per pixel */", "/*C++ format*/"), or nothing.
std::string_view OwnHeaderOf(std::string_view line);
bool IsOwnHeader(std::string_view line);

std::string_view Trimmed(std::string_view text);
bool StartsWithWord(std::string_view text, std::string_view word);  // case-insensitive

// A number as C, GNU as or Arduino writes it: decimal, 0x hex, 0b binary,
// Arduino's B01010101, a leading 0 for octal, with unsigned/long suffixes
// allowed. No sign. A number past NumberCeiling comes back as NumberCeiling,
// beyond every field's range, so that the field's check refuses it rather
// than a wrapped value passing.
inline constexpr std::int64_t NumberCeiling = std::int64_t{1} << 40;
std::optional<std::int64_t> ParseNumber(std::string_view token);

// A number with the line it stands on and its text, which messages quote.
struct LineValue {
  std::int64_t value = 0;
  int line = 0;
  std::string written;
};

// Hints a comment can give about how its picture is packed.
struct PackingHints {
  std::optional<int> depth;      // "2 bits per pixel", "4bpp"
  bool says_high_first = false;  // "msb", "most significant"
  bool says_low_first = false;   // "lsb", "least significant"
  bool pages = false;            // "page", "pages"
};
void GatherHints(std::string_view comment, PackingHints& hints);

// A piece of a line for a message: "found \"...\"" with the text cut short.
std::string Found(std::string_view text);

}  // namespace pictavo
