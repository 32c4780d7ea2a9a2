// The C-like families of source text: the listings' own "name[W][H]={"
// arrays, and C headers and X bitmaps with their #define lines.
#include <cctype>
#include <utility>

#include "core/formats/source_text/parts.h"

namespace pictavo::source_text {

namespace {

bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

void SkipSpace(std::string_view code, std::size_t& at) {
  while (at < code.size() && std::isspace(static_cast<unsigned char>(code[at]))) ++at;
}

bool Take(std::string_view code, std::size_t& at, char c) {
  SkipSpace(code, at);
  if (at >= code.size() || code[at] != c) return false;
  ++at;
  return true;
}

std::string_view Word(std::string_view code, std::size_t& at) {
  SkipSpace(code, at);
  const std::size_t start = at;
  while (at < code.size() && IsIdentifierChar(code[at])) ++at;
  return code.substr(start, at - start);
}

// "[ number ]" at `at`.
std::optional<std::int64_t> BracketedNumber(std::string_view code, std::size_t& at) {
  if (!Take(code, at, '[')) return std::nullopt;
  const std::optional<std::int64_t> number = ParseNumber(Word(code, at));
  if (!number || !Take(code, at, ']')) return std::nullopt;
  return number;
}

struct BraceValues {
  std::vector<LineValue> values;
  std::size_t end = 0;  // index of the line holding the last value or brace
  bool closed = false;
};

// Numbers inside the braces opened just before lines[index].code[column],
// nested groups flattened. The listings' 1-bit array never closes its outer
// brace, so with `may_stay_open` anything else at the outer level ends it.
expected<BraceValues, Error> CollectBraceValues(const std::vector<TextLine>& lines,
                                                std::size_t index, std::size_t column,
                                                bool may_stay_open) {
  BraceValues out;
  int depth = 1;
  for (std::size_t i = index; i < lines.size(); ++i, column = 0) {
    const std::string_view code = lines[i].code;
    std::size_t at = column;
    while (true) {
      SkipSpace(code, at);
      if (at >= code.size()) break;
      const char c = code[at];
      if (c == ',') {
        ++at;
        continue;
      }
      if (c == '{' || c == '}') {
        ++at;
        depth += c == '{' ? 1 : -1;
        out.end = i;
        if (depth == 0) {
          out.closed = true;
          return out;
        }
        continue;
      }
      const std::size_t start = at;
      const std::string_view word = Word(code, at);
      const std::optional<std::int64_t> value = ParseNumber(word);
      if (value) {
        out.values.push_back({*value, lines[i].number});
        out.end = i;
        continue;
      }
      if (may_stay_open && depth == 1) return out;
      return RefuseAt(lines[i].number, "expected a number, \",\" or \"}\" in the array, " +
                                           Found(code.substr(start)) + ".");
    }
  }
  return out;
}

struct Define {
  std::string name;
  std::int64_t value = 0;
  int line = 0;
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
      defines.push_back({std::string(name), *number, line.number});
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

}  // namespace

std::optional<BracketOpening> FindBracketOpening(std::string_view code) {
  std::optional<BracketOpening> found;
  // The last match wins: the name before it may hold brackets of its own.
  for (std::size_t p = code.find('['); p != code.npos; p = code.find('[', p + 1)) {
    std::size_t at = p;
    const auto width = BracketedNumber(code, at);
    const auto height = width ? BracketedNumber(code, at) : std::nullopt;
    if (!height || !Take(code, at, '=') || !Take(code, at, '{')) continue;
    found = BracketOpening{std::string(Trimmed(code.substr(0, p))), *width, *height, at};
  }
  return found;
}

std::optional<ArrayOpening> FindArrayOpening(std::string_view code) {
  for (std::size_t p = code.find('['); p != code.npos; p = code.find('[', p + 1)) {
    std::size_t start = p;
    while (start > 0 && std::isspace(static_cast<unsigned char>(code[start - 1]))) --start;
    std::size_t end = start;
    while (start > 0 && IsIdentifierChar(code[start - 1])) --start;
    if (start == end || std::isdigit(static_cast<unsigned char>(code[start]))) continue;
    // The count, if given, may be any expression ("ICON_WIDTH * 2").
    const std::size_t close = code.find_first_of("]=[{}", p + 1);
    if (close == code.npos || code[close] != ']') continue;
    std::size_t at = close + 1;
    // Attributes such as PROGMEM may stand before the "=".
    while (!Word(code, at).empty()) {
    }
    if (!Take(code, at, '=') || !Take(code, at, '{')) continue;
    return ArrayOpening{std::string(code.substr(start, end - start)), at};
  }
  return std::nullopt;
}

Parsed ParseBracketArray(const std::vector<TextLine>& lines, std::size_t index) {
  const BracketOpening opening = *FindBracketOpening(lines[index].code);
  const int line = lines[index].number;
  if (auto error = CheckSize(opening.width, opening.height, line)) return unexpected(*error);
  auto values = CollectBraceValues(lines, index, opening.values_at, true);
  if (!values) return unexpected(values.error());
  ParsedText parsed;
  parsed.name = opening.name;
  parsed.width = static_cast<int>(opening.width);
  parsed.height = static_cast<int>(opening.height);
  parsed.size_line = line;
  parsed.data = std::move(values->values);
  // One code per pixel, or the 1-bit array packed without align: the header
  // above says which, else the count.
  const std::string_view header = index > 0 ? OwnHeaderOf(lines[index - 1].raw) : "";
  const bool codes =
      header.empty() ? parsed.data.size() == static_cast<std::size_t>(parsed.width * parsed.height)
                     : header.starts_with("/*Created");
  if (codes) {
    parsed.kind = SourceTextKind::CppArray;
    parsed.shapes = {PackingShape{}};
  } else {
    parsed.kind = SourceTextKind::MonoArray;
    parsed.shapes = {PackingShape{.depth = 1}};
  }
  return parsed;
}

Parsed ParseCArray(const std::vector<TextLine>& lines, std::size_t index) {
  const ArrayOpening opening = *FindArrayOpening(lines[index].code);
  const int line = lines[index].number;
  auto values = CollectBraceValues(lines, index, opening.values_at, false);
  if (!values) return unexpected(values.error());
  if (!values->closed) {
    return RefuseAt(lines.back().number, "expected \"}\" closing the array \"" + opening.symbol +
                                             "\" of line " + std::to_string(line) +
                                             ", found the end of the text.");
  }
  ParsedText parsed;
  parsed.size_line = line;
  parsed.data = std::move(values->values);
  const std::vector<Define> defines = Defines(lines);
  const Define* width = nullptr;
  const Define* height = nullptr;
  // An X bitmap: name_width, name_height and name_bits, 1 = black, rows
  // padded to bytes, the first pixel in the lowest bit.
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
  if (parsed.kind != SourceTextKind::XBitmap) {
    parsed.kind = SourceTextKind::CHeader;
    parsed.name = opening.symbol;
    std::string prefix = Upper(opening.symbol);
    if (!FindDefine(defines, prefix + "_WIDTH")) {
      prefix = CommonPrefix(defines, "_WIDTH", "_HEIGHT").value_or(prefix);
    }
    width = FindDefine(defines, prefix + "_WIDTH");
    height = FindDefine(defines, prefix + "_HEIGHT");
    if (!width || !height) {
      return RefuseAt(line, "expected \"#define " + prefix + "_WIDTH\" and \"#define " + prefix +
                                "_HEIGHT\" giving the size of the array \"" + opening.symbol +
                                "\"; the text has no such lines.");
    }
    if (const Define* bpp = FindDefine(defines, prefix + "_BPP")) {
      if (bpp->value != 1 && bpp->value != 2 && bpp->value != 4 && bpp->value != 8) {
        return RefuseAt(bpp->line, "the depth is " + std::to_string(bpp->value) +
                                       " bits per pixel; expected 1, 2, 4 or 8.");
      }
      parsed.depth = static_cast<int>(bpp->value);
      parsed.depth_line = bpp->line;
    }
  }
  if (auto error = CheckSize(width->value, height->value, width->line)) return unexpected(*error);
  parsed.width = static_cast<int>(width->value);
  parsed.height = static_cast<int>(height->value);
  parsed.size_line = width->line;
  for (std::size_t i = 0; i <= values->end; ++i) GatherHints(lines[i].comments, parsed.hints);
  if (!parsed.depth && parsed.hints.depth) parsed.depth = parsed.hints.depth;
  if (parsed.kind == SourceTextKind::CHeader) FindStatedPacking(lines, index, parsed);
  return parsed;
}

std::optional<std::vector<std::uint8_t>> TrailingMonoArray(const std::vector<TextLine>& lines,
                                                           std::size_t from, int width,
                                                           int height) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    const auto opening = FindBracketOpening(lines[i].code);
    if (!opening) continue;
    if (opening->width != width || opening->height != height) return std::nullopt;
    const auto values = CollectBraceValues(lines, i, opening->values_at, true);
    const auto count = (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 7) / 8;
    if (!values || values->values.size() != count) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (const LineValue& value : values->values) {
      if (value.value > 0xFF) return std::nullopt;
      bytes.push_back(static_cast<std::uint8_t>(value.value));
    }
    return bytes;
  }
  return std::nullopt;
}

}  // namespace pictavo::source_text
