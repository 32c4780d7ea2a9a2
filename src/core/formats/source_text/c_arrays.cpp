// C arrays: the program's C headers with their #define lines, X bitmaps (X11
// bytes and X10 16-bit words), and other tools' arrays, which give no size.
#include <utility>

#include "core/formats/source_text/parts.h"

namespace pictavo::source_text {

namespace {

struct Define {
  std::string name;
  LineValue value;
};

// "#define NAME VALUE" lines whose value is a number, "(3)" too.
std::vector<Define> Defines(const std::vector<TextLine>& lines) {
  std::vector<Define> defines;
  for (const TextLine& line : lines) {
    const std::string_view code = Trimmed(line.code);
    std::size_t at = 0;
    if (!Take(code, at, '#') || Word(code, at) != "define") continue;
    const std::string_view name = Word(code, at);
    std::string_view value = Trimmed(code.substr(at));
    while (value.size() > 2 && value.front() == '(' && value.back() == ')') {
      value = Trimmed(value.substr(1, value.size() - 2));
    }
    if (const auto number = ParseNumber(value); number && !name.empty()) {
      defines.push_back({std::string(name), {*number, line.number, std::string(value)}});
    }
  }
  return defines;
}

const Define* FindDefine(const std::vector<Define>& defines, std::string_view name) {
  for (const Define& define : defines) {
    if (define.name == name) return &define;
  }
  return nullptr;
}

// The first NAME_<suffix> define whose prefix also has the other suffixes.
std::optional<std::string> CommonPrefix(const std::vector<Define>& defines, std::string_view width,
                                        std::string_view height) {
  for (const Define& define : defines) {
    if (!define.name.ends_with(width)) continue;
    const std::string prefix = define.name.substr(0, define.name.size() - width.size());
    if (FindDefine(defines, prefix + std::string(height))) return prefix;
  }
  return std::nullopt;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The next character that is not blank space, on this line or a later one
// up to lines[last].
bool NextAcross(const std::vector<TextLine>& lines, std::size_t last, std::size_t& line,
                std::size_t& at) {
  while (line <= last && line < lines.size()) {
    SkipSpace(lines[line].code, at);
    if (at < lines[line].code.size()) return true;
    ++line;
    at = 0;
  }
  return false;
}

// X10 bitmaps hold 16-bit words, each row a whole number of them, the first
// pixel in the lowest bit of the word's low byte: as bytes, each row's words
// low byte first, less the last byte where the row ends in the word's low
// half.
expected<std::vector<LineValue>, Error> WordsAsRowBytes(const std::vector<LineValue>& words,
                                                        int width, int height, int line) {
  const auto per_row = static_cast<std::size_t>((width + 15) / 16);
  const auto bytes_per_row = static_cast<std::size_t>((width + 7) / 8);
  const std::size_t count = per_row * static_cast<std::size_t>(height);
  if (words.size() != count) {
    return RefuseAt(words.empty() ? line : words.back().line,
                    "an X10 bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels takes " + std::to_string(count) +
                        (count == 1 ? " word" : " words") + " of 16 bits; the text holds " +
                        std::to_string(words.size()) + ".");
  }
  std::vector<LineValue> bytes;
  for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
    for (std::size_t i = 0; i < bytes_per_row; ++i) {
      const LineValue& word = words[row * per_row + i / 2];
      if (word.value > 0xFFFF) {
        return RefuseAt(word.line, "the value " + word.written + " does not fit in 16 bits.");
      }
      const std::int64_t byte = i % 2 == 0 ? word.value & 0xFF : word.value >> 8;
      bytes.push_back({byte, word.line, word.written});
    }
  }
  return bytes;
}

}  // namespace

std::optional<ArrayOpening> FindArrayOpening(const std::vector<TextLine>& lines,
                                             std::size_t index) {
  const std::string_view code = lines[index].code;
  for (std::size_t p = code.find('['); p != code.npos; p = code.find('[', p + 1)) {
    std::size_t start = p;
    while (start > 0 && std::isspace(static_cast<unsigned char>(code[start - 1]))) --start;
    const std::size_t end = start;
    while (start > 0 && IsIdentifierChar(code[start - 1])) --start;
    if (start == end || std::isdigit(static_cast<unsigned char>(code[start]))) continue;
    // The count, if given, may be any expression ("ICON_WIDTH * 2").
    const std::size_t close = code.find_first_of("]=[{}", p + 1);
    if (close == code.npos || code[close] != ']') continue;
    // Attributes such as PROGMEM may stand before the "=", and the "=" and
    // the "{" on lines of their own: a few words and lines, which also keeps
    // a text of many brackets from being read over and over.
    constexpr std::size_t MostLines = 4;
    constexpr int MostWords = 8;
    const std::size_t last = index + MostLines;
    std::size_t line = index;
    std::size_t at = close + 1;
    int words = 0;
    while (words < MostWords && NextAcross(lines, last, line, at) &&
           !Word(lines[line].code, at).empty()) {
      ++words;
    }
    if (!NextAcross(lines, last, line, at) || !Take(lines[line].code, at, '=')) continue;
    if (!NextAcross(lines, last, line, at) || !Take(lines[line].code, at, '{')) continue;
    return ArrayOpening{std::string(code.substr(start, end - start)),
                        std::string(Trimmed(code.substr(0, start))), line, at};
  }
  return std::nullopt;
}

Parsed ParseCArray(const std::vector<TextLine>& lines, std::size_t index) {
  const ArrayOpening opening = *FindArrayOpening(lines, index);
  const int line = lines[index].number;
  auto values = CollectBraceValues(lines, opening.line, opening.values_at, false);
  if (!values) return unexpected(values.error());
  if (!values->closed) {
    return RefuseAt(lines.back().number, "expected \"}\" closing the array \"" + opening.symbol +
                                             "\" of line " + std::to_string(line) +
                                             ", found the end of the text.");
  }
  ParsedText parsed;
  parsed.size_line = line;
  parsed.opening = index;
  parsed.data = std::move(values->values);
  const std::vector<Define> defines = Defines(lines);
  const Define* width = nullptr;
  const Define* height = nullptr;
  // An X bitmap: name_width, name_height and name_bits, 1 = black, rows
  // padded to bytes (to 16-bit words in X10's), the first pixel in the
  // lowest bit.
  if (opening.symbol.ends_with("_bits")) {
    const std::string base = opening.symbol.substr(0, opening.symbol.size() - 5);
    width = FindDefine(defines, base + "_width");
    height = FindDefine(defines, base + "_height");
    if (width && height) {
      parsed.kind = SourceTextKind::XBitmap;
      parsed.name = base;
      parsed.shapes = {PackingShape{.depth = 1, .aligned = true, .inverted = true}};
    }
  }
  std::string prefix;
  if (parsed.kind != SourceTextKind::XBitmap) {
    parsed.kind = SourceTextKind::CHeader;
    parsed.name = opening.symbol;
    prefix = Upper(opening.symbol);
    if (!FindDefine(defines, prefix + "_WIDTH")) {
      prefix = CommonPrefix(defines, "_WIDTH", "_HEIGHT").value_or(prefix);
    }
    width = FindDefine(defines, prefix + "_WIDTH");
    height = FindDefine(defines, prefix + "_HEIGHT");
    if (const Define* bpp = FindDefine(defines, prefix + "_BPP")) {
      const std::int64_t depth = bpp->value.value;
      if (depth != 1 && depth != 2 && depth != 4 && depth != 8) {
        return RefuseAt(bpp->value.line, "the depth is " + bpp->value.written +
                                             " bits per pixel; expected 1, 2, 4 or 8.");
      }
      parsed.depth = static_cast<int>(depth);
      parsed.depth_line = bpp->value.line;
    }
  }
  for (std::size_t i = 0; i <= values->end; ++i) GatherHints(lines[i].comments, parsed.hints);
  if (!parsed.depth && parsed.hints.depth) parsed.depth = parsed.hints.depth;
  if (!width || !height) {
    // Other tools' arrays: the caller gives the size.
    parsed.no_size = "no size in the text: the array \"" + opening.symbol + "\" has no \"#define " +
                     prefix + "_WIDTH\" and \"#define " + prefix + "_HEIGHT\"; give --size WxH.";
    return parsed;
  }
  if (auto error = CheckSize(width->value, height->value, width->value.line)) {
    return unexpected(*error);
  }
  parsed.width = static_cast<int>(width->value.value);
  parsed.height = static_cast<int>(height->value.value);
  parsed.size_line = width->value.line;
  if (parsed.kind == SourceTextKind::XBitmap && opening.type.find("short") != std::string::npos) {
    auto bytes = WordsAsRowBytes(parsed.data, parsed.width, parsed.height, line);
    if (!bytes) return unexpected(bytes.error());
    parsed.data = std::move(*bytes);
  }
  return parsed;
}

std::optional<ParsedText> ParseValueList(const std::vector<TextLine>& lines) {
  ParsedText parsed;
  parsed.kind = SourceTextKind::ValueList;
  for (const TextLine& line : lines) {
    const std::string_view code = line.code;
    std::size_t at = 0;
    while (true) {
      SkipSpace(code, at);
      if (at >= code.size()) break;
      if (code[at] == ',') {
        ++at;
        continue;
      }
      const std::string_view word = Word(code, at);
      const std::optional<std::int64_t> value = ParseNumber(word);
      if (!value) return std::nullopt;
      parsed.data.push_back({*value, line.number, std::string(word)});
    }
    GatherHints(line.comments, parsed.hints);
  }
  if (parsed.data.empty()) return std::nullopt;
  parsed.size_line = parsed.data.front().line;
  parsed.depth = parsed.hints.depth;
  parsed.no_size = "no size in the text: it holds values alone; give --size WxH.";
  return parsed;
}

}  // namespace pictavo::source_text
