// The listings' own "name[W][H]={" arrays, and the values between braces
// that every C-like family holds.
#include <utility>

#include "core/formats/source_text/parts.h"

namespace pictavo::source_text {

namespace {

// "[ number ]" at `at`, the number as written.
std::optional<LineValue> BracketedNumber(std::string_view code, std::size_t& at, int line) {
  if (!Take(code, at, '[')) return std::nullopt;
  const std::string_view written = Word(code, at);
  const std::optional<std::int64_t> number = ParseNumber(written);
  if (!number || !Take(code, at, ']')) return std::nullopt;
  return LineValue{*number, line, std::string(written)};
}

}  // namespace

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
        out.values.push_back({*value, lines[i].number, std::string(word)});
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

std::optional<BracketOpening> FindBracketOpening(std::string_view code) {
  std::optional<BracketOpening> found;
  // The last match wins: the name before it may hold brackets of its own.
  for (std::size_t p = code.find('['); p != code.npos; p = code.find('[', p + 1)) {
    std::size_t at = p;
    const auto width = BracketedNumber(code, at, 0);
    const auto height = width ? BracketedNumber(code, at, 0) : std::nullopt;
    if (!height || !Take(code, at, '=') || !Take(code, at, '{')) continue;
    found = BracketOpening{std::string(Trimmed(code.substr(0, p))), *width, *height, at};
  }
  return found;
}

Parsed ParseBracketArray(const std::vector<TextLine>& lines, std::size_t index) {
  const BracketOpening opening = *FindBracketOpening(lines[index].code);
  const int line = lines[index].number;
  if (auto error = CheckSize(opening.width, opening.height, line)) return unexpected(*error);
  auto values = CollectBraceValues(lines, index, opening.values_at, true);
  if (!values) return unexpected(values.error());
  ParsedText parsed;
  parsed.name = opening.name;
  parsed.width = static_cast<int>(opening.width.value);
  parsed.height = static_cast<int>(opening.height.value);
  parsed.size_line = line;
  parsed.opening = index;
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

std::optional<std::vector<std::uint8_t>> TrailingMonoArray(const std::vector<TextLine>& lines,
                                                           std::size_t from, int width,
                                                           int height) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    const auto opening = FindBracketOpening(lines[i].code);
    if (!opening) continue;
    if (opening->width.value != width || opening->height.value != height) return std::nullopt;
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
