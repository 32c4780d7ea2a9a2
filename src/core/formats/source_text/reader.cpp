#include "core/formats/source_text/reader.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/formats/source_text/header_comment.h"
#include "core/formats/source_text/parts.h"

namespace pictavo {

namespace source_text {

unexpected<Error> RefuseAt(int line, const std::string& text) {
  return unexpected<Error>(Error{"Line " + std::to_string(line) + ": " + text});
}

std::optional<Error> CheckSize(const LineValue& width, const LineValue& height, int line) {
  if (width.value >= 1 && width.value <= MaxPictureWidth && height.value >= 1 &&
      height.value <= MaxPictureHeight) {
    return std::nullopt;
  }
  return Error{"Line " + std::to_string(line) + ": the picture is " + width.written + " x " +
               height.written + "; a picture is 1 x 1 to " + std::to_string(MaxPictureWidth) +
               " x " + std::to_string(MaxPictureHeight) + "."};
}

namespace {

// Not the name line under a listing's own header, whatever the name holds.
bool IsByteDirective(const TextLine& line) {
  return !line.kept_whole && StartsWithWord(Trimmed(line.code), ".byte");
}

bool IsBlank(const TextLine& line) { return Trimmed(line.code).empty(); }

// GNU as and other assemblers end a line's code at these.
std::string_view WithoutLineComment(std::string_view code) {
  return code.substr(0, code.find_first_of("#;@"));
}

bool IsAsmBlank(const TextLine& line) {
  return Trimmed(WithoutLineComment(Trimmed(line.code))).empty();
}

// "label:" (spaces allowed around), the label's text; the own listings write
// "name: ".
std::optional<std::string> LabelOf(const TextLine& line) {
  const std::string_view code = Trimmed(line.code);
  if (code.empty() || code.back() != ':') return std::nullopt;
  // "# Pixels:" is a comment; a name the listings wrote may start with "#".
  if (!line.kept_whole && WithoutLineComment(code).empty()) return std::nullopt;
  return std::string(Trimmed(code.substr(0, code.size() - 1)));
}

// The values of one ".byte" line.
expected<std::vector<LineValue>, Error> ByteValues(const TextLine& line) {
  std::string_view rest = WithoutLineComment(Trimmed(line.code).substr(5));
  std::vector<LineValue> values;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = Trimmed(rest.substr(0, comma));
    const std::optional<std::int64_t> value = ParseNumber(item);
    if (!value) {
      return RefuseAt(line.number, "expected a number after \".byte\", " + Found(item) + ".");
    }
    values.push_back({*value, line.number, std::string(item)});
    if (comma == rest.npos) break;
    rest.remove_prefix(comma + 1);
  }
  return values;
}

}  // namespace

Parsed ParseListing(const std::vector<TextLine>& lines, std::size_t index) {
  ParsedText parsed;
  // The label nearest above, past directives (.global, .section) and blanks.
  for (std::size_t i = index; i-- > 0;) {
    if (auto label = LabelOf(lines[i])) {
      parsed.name = std::move(*label);
      break;
    }
    if (!IsAsmBlank(lines[i]) && Trimmed(lines[i].code).front() != '.') break;
  }
  std::vector<LineValue> values;
  std::size_t end = index;
  for (std::size_t i = index; i < lines.size(); ++i) {
    // A label starts the next picture, a "Save to end" file holding several.
    if (i > index && LabelOf(lines[i])) break;
    if (IsAsmBlank(lines[i])) continue;
    if (!IsByteDirective(lines[i])) break;
    auto more = ByteValues(lines[i]);
    if (!more) return unexpected(more.error());
    if (i == index && more->size() < 2) {
      return RefuseAt(lines[i].number, "expected \".byte WIDTH,HEIGHT\" with the picture's size, " +
                                           Found(lines[i].code) + ".");
    }
    values.insert(values.end(), more->begin(), more->end());
    end = i;
  }
  parsed.size_line = lines[index].number;
  if (values.size() < 2) {
    return RefuseAt(parsed.size_line, "expected \".byte WIDTH,HEIGHT\" with the picture's size.");
  }
  if (auto error = CheckSize(values[0], values[1], parsed.size_line)) {
    return unexpected(std::move(*error));
  }
  parsed.width = static_cast<int>(values[0].value);
  parsed.height = static_cast<int>(values[1].value);
  parsed.opening = index;
  parsed.data.assign(values.begin() + 2, values.end());
  for (std::size_t i = 0; i <= end; ++i) {
    PackingHints before = parsed.hints;
    GatherHints(lines[i].comments, parsed.hints);
    // Assemblers' own line comments ("# 2 bpp") say as much.
    const std::string_view code = lines[i].code;
    if (!LabelOf(lines[i]) && code.find_first_of("#;@") != code.npos) {
      GatherHints(code.substr(code.find_first_of("#;@")), parsed.hints);
    }
    if (!before.depth && parsed.hints.depth) parsed.depth_line = lines[i].number;
  }
  parsed.depth = parsed.hints.depth;
  FindStatedPacking(lines, index, parsed);
  for (std::size_t i = 0; i < index; ++i) {
    if (IsOwnHeader(lines[i].raw)) parsed.own_listing = true;
  }
  parsed.mono = TrailingMonoArray(lines, end + 1, parsed.width, parsed.height);
  return parsed;
}

void FindStatedPacking(const std::vector<TextLine>& lines, std::size_t index, ParsedText& parsed) {
  for (std::size_t i = index + 1; i-- > 0;) {
    const auto shape = StatedPacking(lines[i].comments, parsed.width, parsed.height);
    if (!shape) continue;
    // A sentence left behind when the define was changed by hand.
    if (parsed.depth && *parsed.depth != shape->depth) return;
    parsed.stated = shape;
    if (!parsed.depth) {
      parsed.depth = shape->depth;
      parsed.depth_line = lines[i].number;
    }
    return;
  }
}

namespace {

std::string CutName(std::string name, std::vector<std::string>& notes) {
  constexpr std::size_t NameLength = 16;
  if (name.size() <= NameLength) return name;
  std::string cut = name.substr(0, NameLength);
  notes.push_back("The name \"" + name +
                  "\" is longer than 16 characters; the picture is named \"" + cut + "\".");
  return cut;
}

std::vector<TextLine> LinesOf(std::string_view text) {
  // Editors may start a UTF-8 file with a byte order mark.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return ScanLines(text);
}

// The first family the text holds, parsed, or nothing when it holds none.
std::optional<Parsed> ParseFirst(const std::vector<TextLine>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TextLine& line = lines[i];
    // A label under a listing's own header is only a label, whatever the
    // name in it looks like.
    if (line.kept_whole && LabelOf(line)) continue;
    if (IsByteDirective(line)) return ParseListing(lines, i);
    if (FindBracketOpening(line.code)) return ParseBracketArray(lines, i);
    if (FindArrayOpening(lines, i)) return ParseCArray(lines, i);
  }
  if (auto list = ParseValueList(lines)) return Parsed(std::move(*list));
  return std::nullopt;
}

std::string SizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

// The caller's size and skip applied: the size where the text gives none,
// the values before the pixels left out.
std::optional<Error> ApplyOptions(ParsedText& parsed, const std::vector<TextLine>& lines,
                                  const ReadTextOptions& options) {
  if (const auto& size = options.size) {
    if (parsed.no_size.empty() && (size->width != parsed.width || size->height != parsed.height)) {
      return RefuseAt(parsed.size_line, "the text gives the size " +
                                            SizeText(parsed.width, parsed.height) + ", not the " +
                                            SizeText(size->width, size->height) + " asked for.")
          .error();
    }
    const LineValue width{size->width, parsed.size_line, std::to_string(size->width)};
    const LineValue height{size->height, parsed.size_line, std::to_string(size->height)};
    if (auto error = CheckSize(width, height, parsed.size_line)) return error;
    parsed.width = size->width;
    parsed.height = size->height;
    parsed.no_size.clear();
  }
  if (!parsed.no_size.empty()) return RefuseAt(parsed.size_line, parsed.no_size).error();
  if (parsed.kind == SourceTextKind::CHeader) FindStatedPacking(lines, parsed.opening, parsed);
  if (options.skip > 0) {
    if (options.skip >= parsed.data.size()) {
      const int line = parsed.data.empty() ? parsed.size_line : parsed.data.back().line;
      return RefuseAt(line, "the array holds " + std::to_string(parsed.data.size()) +
                                " values; leaving out the first " + std::to_string(options.skip) +
                                " leaves none.")
          .error();
    }
    parsed.data.erase(parsed.data.begin(),
                      parsed.data.begin() + static_cast<std::ptrdiff_t>(options.skip));
  }
  return std::nullopt;
}

}  // namespace

}  // namespace source_text

expected<SourceTextPicture, Error> ReadSourceText(std::string_view text,
                                                  const ReadTextOptions& options) {
  using namespace source_text;
  if (text.size() > SourceTextReadLimit) {
    return unexpected(Error{"The text is " + std::to_string(text.size()) +
                            " bytes long; a picture's source text is at most " +
                            std::to_string(SourceTextReadLimit) + " bytes."});
  }
  const std::vector<TextLine> lines = LinesOf(text);
  std::optional<Parsed> parsed = ParseFirst(lines);
  if (!parsed) {
    std::size_t first = 0;
    while (first + 1 < lines.size() && IsBlank(lines[first])) ++first;
    return RefuseAt(lines[first].number,
                    "expected a source text of a picture: a label with \".byte WIDTH,HEIGHT\" "
                    "and its bytes, an array \"name[WIDTH][HEIGHT]={\", or a C array "
                    "\"name[] = {\" with its #define lines; " +
                        Found(lines[first].code) + ".");
  }
  if (!*parsed) return unexpected(std::move(parsed->error()));
  ParsedText& found = **parsed;
  if (auto error = ApplyOptions(found, lines, options)) return unexpected(std::move(*error));
  auto chosen = ChooseShape(found, options);
  if (!chosen) return unexpected(std::move(chosen.error()));
  SourceTextPicture result;
  result.kind = found.kind;
  result.shape = chosen->shape;
  result.picture.name = CutName(found.name, result.notes);
  result.picture.width = found.width;
  result.picture.height = found.height;
  result.picture.codes = std::move(chosen->codes);
  return result;
}

bool TextWantsSize(std::string_view text, const ReadTextOptions& options) {
  using namespace source_text;
  if (options.size || text.size() > SourceTextReadLimit) return false;
  const std::optional<Parsed> parsed = ParseFirst(LinesOf(text));
  return parsed && *parsed && !(*parsed)->no_size.empty();
}

bool LooksLikeText(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') return false;
    if (byte == 0x7F) return false;
  }
  return true;
}

}  // namespace pictavo
