// Skin tables read back: the arrays of a C header or the labelled data of a
// GNU as source, found by the names the first line's symbol makes.
#include <map>
#include <utility>

#include "core/formats/skin_file.h"
#include "core/formats/source_text/parts.h"
#include "core/formats/source_text/skin_table.h"
#include "core/formats/source_text/skin_table_words.h"

namespace pictavo {

namespace {

using source_text::RefuseAt;

// The values of each array or label, by its name, and the line it opens on.
struct NamedValues {
  int line = 0;
  std::vector<LineValue> values;
};
using Arrays = std::map<std::string, NamedValues>;

expected<Arrays, Error> CArrays(const std::vector<TextLine>& lines) {
  Arrays arrays;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto opening = source_text::FindArrayOpening(lines, i);
    if (!opening) continue;
    auto values = source_text::CollectBraceValues(lines, opening->line, opening->values_at, false);
    if (!values) return unexpected(values.error());
    if (!values->closed) {
      return RefuseAt(lines.back().number, "expected \"}\" closing the array \"" + opening->symbol +
                                               "\", found the end of the text.");
    }
    arrays[opening->symbol] = {lines[i].number, std::move(values->values)};
    i = values->end;
  }
  return arrays;
}

bool IsDataDirective(std::string_view code) {
  for (const std::string_view directive : {".byte", ".short", ".long", ".2byte", ".4byte"}) {
    if (StartsWithWord(code, directive)) return true;
  }
  return false;
}

// "label:" and the .byte, .short and .long values below it (.2byte and
// .4byte as well, the same values spelt by size).
expected<Arrays, Error> GasArrays(const std::vector<TextLine>& lines) {
  Arrays arrays;
  NamedValues* current = nullptr;
  for (const TextLine& line : lines) {
    const std::string_view code = Trimmed(line.code);
    if (code.empty()) continue;
    if (code.back() == ':') {
      current = &arrays[std::string(Trimmed(code.substr(0, code.size() - 1)))];
      current->line = line.number;
      continue;
    }
    if (current == nullptr || !IsDataDirective(code)) {
      current = nullptr;
      continue;
    }
    std::string_view rest = code.substr(
        code.find_first_of(" \t") == code.npos ? code.size() : code.find_first_of(" \t"));
    while (true) {
      const std::size_t comma = rest.find(',');
      const std::string_view item = Trimmed(rest.substr(0, comma));
      const auto value = ParseNumber(item);
      if (!value) {
        return RefuseAt(line.number, "expected a number in the data, " + Found(item) + ".");
      }
      current->values.push_back({*value, line.number, std::string(item)});
      if (comma == rest.npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return arrays;
}

expected<const NamedValues*, Error> Named(const Arrays& arrays, const std::string& name, int line) {
  const auto found = arrays.find(name);
  if (found == arrays.end()) {
    return RefuseAt(line,
                    "the first line names a skin table, but the text has no \"" + name + "\".");
  }
  return &found->second;
}

expected<std::vector<std::uint8_t>, Error> Bytes(const NamedValues& named) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(named.values.size());
  for (const LineValue& value : named.values) {
    if (value.value > 0xFF) {
      return RefuseAt(value.line, "the value " + value.written + " does not fit in a byte.");
    }
    bytes.push_back(static_cast<std::uint8_t>(value.value));
  }
  return bytes;
}

// One entry's eight fields: id, width, height, bpp, frames, reserved,
// frame bytes, offset.
struct Entry {
  std::int64_t id, width, height, bpp, frames, reserved, frame_bytes, offset;
};

expected<TSkinIcon, Error> IconOf(const Entry& e, int line, std::span<const std::uint8_t> bits,
                                  PackingShape shape) {
  if (e.id < 0 || e.id >= SkinStreamEnd) {
    return RefuseAt(line, "the icon ID " + std::to_string(e.id) + " is not 0 to 254.");
  }
  if (!IsStoredDepth(e.bpp)) {
    return RefuseAt(line, "the depth " + std::to_string(e.bpp) + " is not 1, 2, 4 or 8.");
  }
  if (!IsIconSize(e.width, e.height) || e.frames < 1 || e.frames > MaxStoredSubIcons) {
    return RefuseAt(line, "an icon of " + std::to_string(e.width) + " x " +
                              std::to_string(e.height) + " pixels and " + std::to_string(e.frames) +
                              " frames; icons are 1 to 96 wide, 1 to 92 high, 1 to 255 frames.");
  }
  // A frame need not fill whole bytes: a skin file holds such icons (the
  // window's rule is stricter), and the table pads each frame to a byte.
  shape.depth = static_cast<int>(e.bpp);
  if (shape.depth != 1) shape.layout = ByteLayout::Rows;
  const int width = static_cast<int>(e.width);
  const int height = static_cast<int>(e.height);
  const std::size_t frame_bytes = PackedByteCount(width, height, shape);
  if (e.frame_bytes < 0 || static_cast<std::size_t>(e.frame_bytes) != frame_bytes) {
    return RefuseAt(line, "a frame of " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels at " + DescribeShape(shape) + " takes " +
                              std::to_string(frame_bytes) + " bytes, not " +
                              std::to_string(e.frame_bytes) + ".");
  }
  const auto frames = static_cast<std::size_t>(e.frames);
  if (e.offset < 0 || static_cast<std::uint64_t>(e.offset) > bits.size() ||
      bits.size() - static_cast<std::size_t>(e.offset) < frames * frame_bytes) {
    return RefuseAt(line, "the frames at offset " + std::to_string(e.offset) +
                              " pass the end of the bits, which hold " +
                              std::to_string(bits.size()) + " bytes.");
  }
  TSkinIcon icon{static_cast<std::int32_t>(e.id),
                 static_cast<std::int32_t>(e.frames),
                 static_cast<std::int32_t>(e.bpp),
                 width,
                 height,
                 {}};
  icon.Data.reserve(icon.ExpectedDataSize());
  for (std::size_t f = 0; f < frames; ++f) {
    const Unpacked unpacked = UnpackPixels(
        bits.subspan(static_cast<std::size_t>(e.offset) + f * frame_bytes, frame_bytes), width,
        height, shape);
    if (unpacked.bad_pixel) {
      return RefuseAt(line, "frame " + std::to_string(f + 1) + " holds the value " +
                                std::to_string(unpacked.bad_value) +
                                ", which is no pixel code (0 to 4).");
    }
    for (const PixelCode code : unpacked.codes)
      icon.Data.push_back(static_cast<std::uint8_t>(ToInt(code)));
  }
  return icon;
}

expected<Skin, Error> TableSkin(const TableStatement& statement, const Arrays& arrays,
                                const ReadTextOptions& options, int first_line) {
  auto bits_named = Named(arrays, statement.symbol + "_bits", first_line);
  if (!bits_named) return unexpected(bits_named.error());
  auto index = Named(arrays, statement.symbol + "_icons", first_line);
  if (!index) return unexpected(index.error());
  auto bits = Bytes(**bits_named);
  if (!bits) return unexpected(bits.error());
  const std::vector<LineValue>& fields = (*index)->values;
  constexpr std::size_t Fields = 8;
  if (fields.size() != Fields * statement.count) {
    return RefuseAt((*index)->line, "the first line gives " + std::to_string(statement.count) +
                                        " icons, but \"" + statement.symbol + "_icons\" holds " +
                                        std::to_string(fields.size()) + " values, not " +
                                        std::to_string(Fields * statement.count) + ".");
  }
  PackingShape shape;
  shape.aligned = options.align.value_or(statement.packing.aligned);
  shape.order = options.bit_order.value_or(statement.packing.order);
  shape.layout = options.layout.value_or(statement.packing.layout);
  if (shape.layout == ByteLayout::Pages) shape.aligned = false;
  Skin skin;
  for (std::size_t i = 0; i < statement.count; ++i) {
    const LineValue* f = &fields[i * Fields];
    const Entry entry{f[0].value, f[1].value, f[2].value, f[3].value,
                      f[4].value, f[5].value, f[6].value, f[7].value};
    auto icon = IconOf(entry, f[0].line, *bits, shape);
    if (!icon) return unexpected(icon.error());
    skin.Append(std::move(*icon));
  }
  return skin;
}

}  // namespace

bool LooksLikeSkinTable(std::string_view start) {
  if (start.starts_with("\xEF\xBB\xBF")) start.remove_prefix(3);
  start = start.substr(start.find_first_not_of(" \t\r\n") == start.npos
                           ? start.size()
                           : start.find_first_not_of(" \t\r\n"));
  if (!start.starts_with("/*")) return false;
  const std::size_t end = start.find("*/");
  if (end == std::string_view::npos) return false;
  return ReadTableStatement(start.substr(2, end - 2)).has_value();
}

expected<SkinTableRead, Error> ReadSkinTable(std::string_view text,
                                             const ReadTextOptions& options) {
  if (text.size() > SkinTableReadLimit) {
    return unexpected(Error{"The text is " + std::to_string(text.size()) +
                            " bytes long; a skin table is at most " +
                            std::to_string(SkinTableReadLimit) + " bytes."});
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::vector<TextLine> lines = ScanLines(text);
  std::size_t first = 0;
  while (first + 1 < lines.size() && Trimmed(lines[first].raw).empty()) ++first;
  const int first_line = lines[first].number;
  const auto statement = ReadTableStatement(lines[first].comments);
  if (!statement) {
    return RefuseAt(first_line,
                    "expected the first line of a skin table, \"/* SYMBOL: skin ...\", " +
                        Found(lines[first].raw) + ".");
  }
  auto arrays = CArrays(lines);
  if (arrays && arrays->empty()) arrays = GasArrays(lines);
  if (!arrays) return unexpected(arrays.error());

  SkinTableRead read;
  if (statement->skin_bytes) {
    auto named = Named(*arrays, statement->symbol, first_line);
    if (!named) return unexpected(named.error());
    auto bytes = Bytes(**named);
    if (!bytes) return unexpected(bytes.error());
    if (bytes->size() != statement->count) {
      return RefuseAt((*named)->line, "the first line gives " + std::to_string(statement->count) +
                                          " bytes, but \"" + statement->symbol + "\" holds " +
                                          std::to_string(bytes->size()) + ".");
    }
    SkinFileRead file = ReadSkinFile(*bytes);
    if (!file.skin) return unexpected(Error{AsSentence(file.skin.error().message)});
    read.skin = std::move(*file.skin);
    read.name = std::move(file.name);
    return read;
  }
  auto skin = TableSkin(*statement, *arrays, options, first_line);
  if (!skin) return unexpected(skin.error());
  read.skin = std::move(*skin);
  read.name = statement->name;
  if (read.name.size() > SkinNameFieldSize) {
    read.name.resize(SkinNameFieldSize);
    read.notes.push_back("The name \"" + statement->name +
                         "\" is longer than 16 characters; the skin is named \"" + read.name +
                         "\".");
  }
  return read;
}

}  // namespace pictavo
