#pragma once

// The pieces of the source-text reader: each family's parser finds the size,
// name and bytes; one chooser then decides how the bytes are packed.

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/source_text/reader.h"
#include "core/formats/source_text/scan.h"

namespace pictavo::source_text {

// What a family's parser found, before the packing is known.
struct ParsedText {
  SourceTextKind kind = SourceTextKind::Listing;
  std::string name;
  int width = 0;
  int height = 0;
  int size_line = 0;  // where the size stands
  // Why the text gives no size, for an array that reads once the caller
  // gives one; empty when the text gives its size.
  std::string no_size;
  std::size_t opening = 0;  // index of the line the array or label starts on
  std::vector<LineValue> data;
  // The shapes this family allows, in order of preference; empty: any.
  std::vector<PackingShape> shapes;
  // A depth the text states (a header, a _BPP define) and the line saying it.
  std::optional<int> depth;
  int depth_line = 0;
  // The whole packing, as the C header's and GNU as source's first line
  // states it.
  std::optional<PackingShape> stated;
  // Looser words of other tools' comments: the order and layout to try first.
  PackingHints hints;
  // Under one of the program's own header comments: packed as the listings
  // pack, the lowest bits first, in rows.
  bool own_listing = false;
  // The clipboard's trailing 1-bit array, when it follows and fits.
  std::optional<std::vector<std::uint8_t>> mono;
};

using Parsed = expected<ParsedText, Error>;

unexpected<Error> RefuseAt(int line, const std::string& text);

// The family starting at lines[index].
Parsed ParseListing(const std::vector<TextLine>& lines, std::size_t index);
Parsed ParseBracketArray(const std::vector<TextLine>& lines, std::size_t index);
Parsed ParseCArray(const std::vector<TextLine>& lines, std::size_t index);
// A text of values alone, or nothing.
std::optional<ParsedText> ParseValueList(const std::vector<TextLine>& lines);

// "name[W][H]={" in a line: the name and size, and where the values start.
struct BracketOpening {
  std::string name;
  LineValue width;
  LineValue height;
  std::size_t values_at = 0;  // just past the "{"
};
std::optional<BracketOpening> FindBracketOpening(std::string_view code);
// "symbol[] = {" or "symbol[N] = {", attributes such as PROGMEM before the
// "=", the "=" and "{" on the same line or on lines below.
struct ArrayOpening {
  std::string symbol;
  std::string type;           // the words before the symbol: "static const uint8_t"
  std::size_t line = 0;       // index of the line holding the "{"
  std::size_t values_at = 0;  // just past it
};
std::optional<ArrayOpening> FindArrayOpening(const std::vector<TextLine>& lines, std::size_t index);

// Numbers inside the braces opened just before lines[index].code[column],
// nested groups flattened. The listings' 1-bit array never closes its outer
// brace, so with `may_stay_open` anything else at the outer level ends it.
struct BraceValues {
  std::vector<LineValue> values;
  std::size_t end = 0;  // index of the line holding the last value or brace
  bool closed = false;
};
expected<BraceValues, Error> CollectBraceValues(const std::vector<TextLine>& lines,
                                                std::size_t index, std::size_t column,
                                                bool may_stay_open);

inline bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
inline void SkipSpace(std::string_view code, std::size_t& at) {
  while (at < code.size() && std::isspace(static_cast<unsigned char>(code[at]))) ++at;
}
// Whether `c` comes next, past blank space; taken if so.
inline bool Take(std::string_view code, std::size_t& at, char c) {
  SkipSpace(code, at);
  if (at >= code.size() || code[at] != c) return false;
  ++at;
  return true;
}
// The identifier or number next, past blank space; empty if none.
inline std::string_view Word(std::string_view code, std::size_t& at) {
  SkipSpace(code, at);
  const std::size_t start = at;
  while (at < code.size() && IsIdentifierChar(code[at])) ++at;
  return code.substr(start, at - start);
}

// The 1-bit array of a clipboard text, if one starts after lines[from].
std::optional<std::vector<std::uint8_t>> TrailingMonoArray(const std::vector<TextLine>& lines,
                                                           std::size_t from, int width, int height);

// The packing the nearest header comment at or above lines[index] states in
// the writer's words, unless the text's depth says otherwise.
void FindStatedPacking(const std::vector<TextLine>& lines, std::size_t index, ParsedText& parsed);

// Refuses a size the picture cannot take, quoting it as written.
std::optional<Error> CheckSize(const LineValue& width, const LineValue& height, int line);

struct Chosen {
  PackingShape shape;
  std::vector<PixelCode> codes;
};
expected<Chosen, Error> ChooseShape(const ParsedText& parsed, const ReadTextOptions& options);

}  // namespace pictavo::source_text
