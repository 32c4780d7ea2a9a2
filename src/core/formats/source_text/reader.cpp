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

std::optional<Error> CheckSize(std::int64_t width, std::int64_t height, int line) {
  if (width >= 1 && width <= MaxPictureWidth && height >= 1 && height <= MaxPictureHeight) {
    return std::nullopt;
  }
  return Error{"Line " + std::to_string(line) + ": the picture is " + std::to_string(width) +
               " x " + std::to_string(height) + "; a picture is 1 x 1 to " +
               std::to_string(MaxPictureWidth) + " x " + std::to_string(MaxPictureHeight) + "."};
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
    values.push_back({*value, line.number});
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
  parsed.width = static_cast<int>(std::min<std::int64_t>(values[0].value, 1 << 20));
  parsed.height = static_cast<int>(std::min<std::int64_t>(values[1].value, 1 << 20));
  if (auto error = CheckSize(values[0].value, values[1].value, parsed.size_line)) {
    return unexpected(std::move(*error));
  }
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
  // Editors may start a UTF-8 file with a byte order mark.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::vector<TextLine> lines = ScanLines(text);
  std::optional<Parsed> parsed;
  for (std::size_t i = 0; i < lines.size() && !parsed; ++i) {
    const TextLine& line = lines[i];
    // A label under a listing's own header is only a label, whatever the
    // name in it looks like.
    if (line.kept_whole && LabelOf(line)) continue;
    if (IsByteDirective(line)) {
      parsed = ParseListing(lines, i);
    } else if (FindBracketOpening(line.code)) {
      parsed = ParseBracketArray(lines, i);
    } else if (FindArrayOpening(line.code)) {
      parsed = ParseCArray(lines, i);
    }
  }
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
  const ParsedText& found = **parsed;
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

bool LooksLikeText(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') return false;
    if (byte == 0x7F) return false;
  }
  return true;
}

}  // namespace pictavo
