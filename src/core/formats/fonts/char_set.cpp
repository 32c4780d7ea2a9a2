#include "core/formats/fonts/char_set.h"

#include <array>
#include <cstdio>

namespace pictavo {

namespace {

constexpr char32_t kLastCode = 0x10FFFF;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A decimal number, or hex after 0x or U+. Nothing when the text is not one;
// a number too large for any character reads as one past the last.
std::optional<char32_t> ReadCode(std::string_view text) {
  text = Trim(text);
  int base = 10;
  if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X") ||
                          text.starts_with("U+") || text.starts_with("u+"))) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  unsigned long long value = 0;
  for (char ch : text) {
    int digit = -1;
    if (ch >= '0' && ch <= '9') digit = ch - '0';
    if (base == 16 && ch >= 'a' && ch <= 'f') digit = ch - 'a' + 10;
    if (base == 16 && ch >= 'A' && ch <= 'F') digit = ch - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = std::min<unsigned long long>(value * base + digit, kLastCode + 1ULL);
  }
  return static_cast<char32_t>(value);
}

struct Range {
  char32_t first;
  char32_t last;
};

// The ranges of a "32-126,0xA0-0xFF" text, or nothing when it is not one.
std::optional<std::vector<Range>> ReadRanges(std::string_view text) {
  std::vector<Range> ranges;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const std::size_t dash = item.find('-');
    const auto first = ReadCode(item.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : ReadCode(item.substr(dash + 1));
    if (!first || !last) return std::nullopt;
    ranges.push_back({*first, *last});
    if (comma == std::string_view::npos) return ranges;
    text.remove_prefix(comma + 1);
  }
}

expected<CharSet, Error> Collect(const std::u32string& chars) {
  CharSet set;
  for (char32_t c : chars) {
    if (set.find(c) != CharSet::npos) continue;
    if (set.size() == static_cast<std::size_t>(MaxGlyphIcons)) {
      return unexpected(Error{"more than the " + std::to_string(MaxGlyphIcons) +
                              " characters a skin has icon IDs for"});
    }
    set.push_back(c);
  }
  if (set.empty()) return unexpected(Error{"no characters given"});
  return set;
}

}  // namespace

CharSet PrintableAscii() {
  CharSet set;
  for (char32_t c = 32; c <= 126; ++c) set.push_back(c);
  return set;
}

std::optional<std::u32string> DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80                   ? 0
                      : lead >= 0xC2 && lead < 0xE0 ? 1
                      : lead >= 0xE0 && lead < 0xF0 ? 2
                      : lead >= 0xF0 && lead < 0xF5 ? 3
                                                    : -1;
    if (extra < 0) return std::nullopt;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= utf8.size()) return std::nullopt;
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and codes past the last are not UTF-8.
    constexpr std::array<char32_t, 4> kLeast = {0, 0x80, 0x800, 0x10000};
    if (c < kLeast[static_cast<std::size_t>(extra)] || IsSurrogate(c) || c > kLastCode) {
      return std::nullopt;
    }
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string CharName(char32_t c) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return code;
  return "'" + Utf8Of(c) + "' (" + code + ")";
}

expected<CharSet, Error> ParseCharSet(std::string_view text) {
  const auto ranges = ReadRanges(text);
  if (!ranges) {
    const auto chars = DecodeUtf8(text);
    if (!chars) return unexpected(Error{"the characters are not UTF-8 text"});
    return Collect(*chars);
  }
  std::u32string chars;
  for (const Range& r : *ranges) {
    for (char32_t c : {r.first, r.last}) {
      if (c > kLastCode || IsSurrogate(c)) {
        return unexpected(Error{"no character has the code " + std::string(text)});
      }
    }
    if (r.last < r.first) {
      return unexpected(
          Error{"the range " + CharName(r.first) + " to " + CharName(r.last) + " runs backwards"});
    }
    // Counted before the range is spelt out: 0-0x10FFFF is refused at once.
    if (r.last - r.first >= static_cast<char32_t>(MaxGlyphIcons) * 2 ||
        chars.size() > static_cast<std::size_t>(MaxGlyphIcons) * 2) {
      return unexpected(Error{"more than the " + std::to_string(MaxGlyphIcons) +
                              " characters a skin has icon IDs for"});
    }
    for (char32_t c = r.first; c <= r.last; ++c) {
      if (!IsSurrogate(c)) chars.push_back(c);
    }
  }
  return Collect(chars);
}

expected<CharSet, Error> CharSetOfText(std::string_view utf8) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  const auto chars = DecodeUtf8(utf8);
  if (!chars) return unexpected(Error{"the characters file is not UTF-8 text"});
  std::u32string kept;
  for (char32_t c : *chars) {
    if (c != U'\n' && c != U'\r') kept.push_back(c);
  }
  return Collect(kept);
}

expected<std::vector<GlyphId>, Error> AssignIconIds(const CharSet& set,
                                                    std::optional<int> ids_from) {
  std::vector<GlyphId> ids;
  std::array<char32_t, 256> owner{};
  std::array<bool, 256> taken{};
  int next = ids_from.value_or(0);
  for (char32_t c : set) {
    int id = static_cast<int>(c);
    if (c > static_cast<char32_t>(MaxGlyphId)) {
      if (!ids_from) {
        return unexpected(Error{CharName(c) +
                                " has no icon ID: IDs are character codes 0 to 254; give "
                                "--ids-from N to number the others from N"});
      }
      id = next++;
      if (id > MaxGlyphId || id < 0) {
        return unexpected(Error{CharName(c) + " would take the icon ID " + std::to_string(id) +
                                ", past the last, 254"});
      }
    }
    const auto slot = static_cast<std::size_t>(id);
    if (taken[slot]) {
      return unexpected(Error{CharName(owner[slot]) + " and " + CharName(c) +
                              " would share the icon ID " + std::to_string(id)});
    }
    taken[slot] = true;
    owner[slot] = c;
    ids.push_back({c, id});
  }
  return ids;
}

}  // namespace pictavo
