#pragma once

// The pieces of the source-text reader: each family's parser finds the size,
// name and bytes; one chooser then decides how the bytes are packed.

#include <cstdint>
#include <optional>
#include <string>
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

// "name[W][H]={" in a line: the name and size, and where the values start.
struct BracketOpening {
  std::string name;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::size_t values_at = 0;  // just past the "{"
};
std::optional<BracketOpening> FindBracketOpening(std::string_view code);
// "symbol[] = {" or "symbol[N] = {".
struct ArrayOpening {
  std::string symbol;
  std::size_t values_at = 0;
};
std::optional<ArrayOpening> FindArrayOpening(std::string_view code);

// The 1-bit array of a clipboard text, if one starts after lines[from].
std::optional<std::vector<std::uint8_t>> TrailingMonoArray(const std::vector<TextLine>& lines,
                                                           std::size_t from, int width, int height);

// The packing the nearest header comment at or above lines[index] states in
// the writer's words, unless the text's depth says otherwise.
void FindStatedPacking(const std::vector<TextLine>& lines, std::size_t index, ParsedText& parsed);

// Refuses a size the picture cannot take.
std::optional<Error> CheckSize(std::int64_t width, std::int64_t height, int line);

struct Chosen {
  PackingShape shape;
  std::vector<PixelCode> codes;
};
expected<Chosen, Error> ChooseShape(const ParsedText& parsed, const ReadTextOptions& options);

}  // namespace pictavo::source_text
