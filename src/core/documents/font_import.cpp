#include "core/documents/font_import.h"

#include <algorithm>
#include <ctime>
#include <span>
#include <utility>

#include "core/documents/file_kinds.h"
#include "core/formats/skin_file.h"

namespace pictavo {

namespace {

// A list of characters in a sentence: the first few, then how many more.
std::string JoinNames(const std::vector<std::string>& names, std::string_view separator = ", ") {
  constexpr std::size_t kShown = 12;
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kShown; ++i) {
    text += (i > 0 ? std::string(separator) : std::string()) + names[i];
  }
  if (names.size() > kShown) text += " and " + std::to_string(names.size() - kShown) + " more";
  return text;
}

expected<void, Error> CheckOptions(const FontImportOptions& o) {
  if (o.depth != 1 && o.depth != 2) return unexpected(Error{"the depth must be 1 or 2"});
  if (o.transparent && o.depth != 2) {
    return unexpected(Error{"a transparent background needs depth 2"});
  }
  if (o.size != 0 && (o.size < MinFontPixelSize || o.size > MaxFontPixelSize)) {
    return unexpected(Error{"the size must be 1 to 255 pixels"});
  }
  if (o.height && !(*o.height >= MinIconHeight && *o.height <= MaxIconHeight)) {
    return unexpected(Error{"the height must be 1 to 92 rows"});
  }
  if (o.width && !(*o.width >= MinIconWidth && *o.width <= MaxIconWidth)) {
    return unexpected(Error{"the width must be 1 to 96 columns"});
  }
  return {};
}

// The codes of one cell of coverage: monochrome takes half coverage as ink;
// depth 2 lays the ink over the background as the eye would see it and takes
// the nearest gray, as the image import does.
void CellCodes(std::span<const std::uint8_t> cover, int width, int height,
               const FontImportOptions& o, std::span<PixelCode> codes) {
  const PixelCode ink = o.invert ? PixelCode::White : PixelCode::Black;
  const PixelCode background = o.invert ? PixelCode::Black : PixelCode::White;
  if (o.depth == 1) {
    for (std::size_t i = 0; i < cover.size(); ++i) codes[i] = cover[i] >= 128 ? ink : background;
    return;
  }
  std::vector<std::int32_t> brightness(cover.size());
  for (std::size_t i = 0; i < cover.size(); ++i) {
    brightness[i] = (o.invert ? cover[i] : 255 - cover[i]) * BrightnessOne;
  }
  DitherBrightness(brightness, width, height, DitherMethod::None, o.levels, false, codes);
  if (o.transparent) std::replace(codes.begin(), codes.end(), background, PixelCode::Transparent);
}

}  // namespace

expected<FontFace, Error> OpenFontFile(std::vector<std::uint8_t> bytes, std::string_view name) {
  constexpr std::size_t kSniffed = 4096;
  const std::vector<std::uint8_t> start(bytes.begin(),
                                        bytes.begin() + std::min(bytes.size(), kSniffed));
  auto face = FontFace::Open(std::move(bytes));
  if (face) return face;
  const auto kind = SniffFileKind(start, name);
  if (kind && *kind != FileKind::Font) {
    return unexpected(Error{"is " + std::string(KindInfo(*kind).name) + ", not a font"});
  }
  return face;
}

FontHinting DefaultHinting(int depth) {
  return depth == 1 ? FontHinting::Mono : FontHinting::Normal;
}

int StoredDepth(const FontImportOptions& options) {
  return options.transparent ? 4 : options.depth;
}

expected<FontImport, Error> ImportFont(FontFace& face, const FontImportOptions& o) {
  if (auto checked = CheckOptions(o); !checked) return unexpected(checked.error());
  auto ids = AssignIconIds(o.chars, o.ids_from);
  if (!ids) return unexpected(ids.error());
  auto line = face.SetPixelSize(o.size);
  if (!line) return unexpected(line.error());

  FontImport result;
  result.line = *line;
  result.height = o.height.value_or(line->Height());
  if (result.height < MinIconHeight || result.height > MaxIconHeight) {
    return unexpected(Error{"the font's line is " + std::to_string(result.height) +
                            " rows high at this size, more than the 92 an icon can have; "
                            "give a smaller size or a height"});
  }
  const int height = result.height;
  const int bpp = StoredDepth(o);
  const FontHinting hinting = o.hinting.value_or(DefaultHinting(o.depth));
  const PixelCode background = o.transparent ? PixelCode::Transparent
                               : o.invert    ? PixelCode::Black
                                             : PixelCode::White;

  std::vector<std::string> lacking;
  std::vector<std::string> refused;
  std::vector<std::string> cut;
  std::vector<std::string> padded;
  std::size_t stream = 1;  // the end marker
  std::vector<std::uint8_t> cover;
  std::vector<PixelCode> codes;
  const std::clock_t start = std::clock();
  for (const GlyphId& g : *ids) {
    if (!face.HasChar(g.c)) {
      lacking.push_back(CharName(g.c));
      continue;
    }
    auto glyph = face.DrawGlyph(g.c, o.depth == 1, hinting, MaxIconWidth, MaxIconHeight);
    if (!glyph) {
      refused.push_back(CharName(g.c) + ": " + glyph.error().message);
      continue;
    }
    const int width = o.width.value_or(std::max(glyph->advance, 1));
    if (width > MaxIconWidth) {
      refused.push_back(CharName(g.c) + ": its advance is " + std::to_string(width) +
                        " pixels, wider than the 96 an icon can have");
      continue;
    }
    int icon_width = width;
    while (!PacksIntoBytes(icon_width, height, bpp)) ++icon_width;
    if (icon_width != width) {
      padded.push_back(CharName(g.c) + " " + std::to_string(width) + " to " +
                       std::to_string(icon_width));
    }

    cover.assign(static_cast<std::size_t>(width) * height, 0);
    bool lost = false;
    for (int y = 0; y < glyph->rows; ++y) {
      for (int x = 0; x < glyph->width; ++x) {
        const std::uint8_t c = glyph->At(x, y);
        if (c == 0) continue;
        const int cx = glyph->left + x;
        const int cy = line->ascender - glyph->top + y;
        if (cx < 0 || cx >= width || cy < 0 || cy >= height) {
          lost = true;
        } else {
          cover[static_cast<std::size_t>(cy) * width + cx] = c;
        }
      }
    }
    if (lost) cut.push_back(CharName(g.c));
    codes.resize(cover.size());
    CellCodes(cover, width, height, o, codes);

    TSkinIcon icon{g.id, 1, bpp, icon_width, height, {}};
    icon.Data.assign(icon.ExpectedDataSize(), static_cast<std::uint8_t>(background));
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        icon.Data[icon.DataIndex(0, x, y)] =
            static_cast<std::uint8_t>(codes[static_cast<std::size_t>(y) * width + x]);
      }
    }
    stream += 5 + PackedIconSize(icon);
    result.skin.Append(std::move(icon));
    if (std::clock() - start > CLOCKS_PER_SEC) {
      return unexpected(
          Error{"drawing the glyphs took more than a second of processor time; "
                "the font is refused"});
    }
  }

  if (!refused.empty()) {
    return unexpected(Error{"glyphs that no icon can hold: " + JoinNames(refused, "; ")});
  }
  if (result.skin.Count() == 0) {
    return unexpected(Error{"the font has none of the characters asked for"});
  }
  if (stream > SkinStreamCapacity) {
    return unexpected(Error{"the glyphs take " + std::to_string(stream) +
                            " bytes of icon stream, more than the " +
                            std::to_string(SkinStreamCapacity) +
                            " a skin file holds; give a smaller size or fewer characters"});
  }
  if (!lacking.empty()) {
    result.notes.push_back("the font has no glyph for " + JoinNames(lacking) +
                           "; they are left out");
  }
  if (!cut.empty()) result.notes.push_back("ink outside the cell was cut from " + JoinNames(cut));
  if (!padded.empty()) {
    result.notes.push_back("widths padded on the right so each icon fills whole bytes: " +
                           JoinNames(padded));
  }
  if (bpp != o.depth) {
    result.notes.push_back(
        "the icons are stored at 4 bits per pixel, the least depth that "
        "keeps Transparent");
  }
  return result;
}

std::string SkinNameOfFont(const FontInfo& info) {
  std::string name;
  const auto chars = DecodeUtf8(info.family);
  for (char32_t c : chars.value_or(std::u32string(info.family.begin(), info.family.end()))) {
    if (name.size() == SkinNameFieldSize) break;
    if ((c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF)) name += static_cast<char>(c);
  }
  return name;
}

}  // namespace pictavo
