// Fonts become skins of glyph icons. The oracles are golden icons drawn by
// hand from a small BDF font, and FreeType's own bitmaps of Debian's fonts
// (found by CMake, linked into PICTAVO_TEST_FONTS), placed by bearing and baseline.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/documents/font_import.h"
#include "core/documents/text_line.h"
#include "core/formats/skin_file.h"

namespace pictavo {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string DataPath(const std::string& name) {
  const char* dir = std::getenv("PICTAVO_TEST_DATA");
  return std::string(dir ? dir : "") + "/fonts/" + name;
}

// A Debian font's path ("dejavu", "terminus"), or empty (the caller skips).
std::string DebianFont(const char* name) {
  const char* dir = std::getenv("PICTAVO_TEST_FONTS");
  const std::string path = std::string(dir ? dir : "") + "/" + name;
  return dir && std::ifstream(path).good() ? path : "";
}

FontFace OpenFont(const std::string& path) {
  auto face = FontFace::Open(ReadBytes(path));
  EXPECT_TRUE(face) << path << ": " << (face ? "" : face.error().message);
  return std::move(*face);
}

// One icon a block: "0x41 8 x 7 bpp 1" and its rows, '#' Black, '+' Gray66,
// ':' Gray33, '.' White, '_' Transparent.
std::string Art(const Skin& skin) {
  std::ostringstream out;
  for (const TSkinIcon& icon : skin.Icons()) {
    out << IconLabel(icon) << ' ' << icon.Width << " x " << icon.Height << " bpp " << icon.BPP
        << '\n';
    for (int y = 0; y < icon.Height; ++y) {
      for (int x = 0; x < icon.Width; ++x) out << "#+:._"[icon.Data[icon.DataIndex(0, x, y)]];
      out << '\n';
    }
  }
  return out.str();
}

TEST(FontFiles, AreToldByContent) {
  using namespace std::string_literals;
  const std::pair<std::string, std::optional<FontFormat>> cases[] = {
      {"\x00\x01\x00\x00rest"s, FontFormat::TrueType},
      {"OTTO...."s, FontFormat::OpenType},
      {"ttcf...."s, FontFormat::Collection},
      {"STARTFONT 2.1\n"s, FontFormat::Bdf},
      {"\x01"
       "fcp...."s,
       FontFormat::Pcf},
      {"\x1F\x8B\x08garbage"s, std::nullopt},
      {"PVSK"s, std::nullopt},
      {""s, std::nullopt}};
  for (const auto& [bytes, format] : cases) {
    EXPECT_EQ(SniffFontFormat(std::vector<std::uint8_t>(bytes.begin(), bytes.end())), format)
        << bytes;
  }
  if (const std::string terminus = DebianFont("terminus"); !terminus.empty()) {
    EXPECT_EQ(SniffFontFormat(ReadBytes(terminus)), FontFormat::PcfGzip);
  }
}

TEST(CharSets, ReadCodesRangesAndLiterals) {
  const std::pair<std::string, std::u32string> cases[] = {
      {"65-67", U"ABC"}, {"0x41 - 0x42, U+20AC", U"AB\u20AC"},
      {"abca", U"abc"},  {"\xC3\xA9\xE2\x82\xAC", U"\u00E9\u20AC"},
      {"A-C", U"A-C"},   {"7", U"\u0007"}};
  for (const auto& [text, set] : cases) EXPECT_EQ(ParseCharSet(text).value(), set) << text;
  EXPECT_EQ(ParseCharSet("0x20-0x7E,0xA0-0xFF")->size(), 191u);
  EXPECT_EQ(CharSetOfText("\xEF\xBB\xBF"
                          "ab\r\nc\n")
                .value(),
            U"abc");
  const std::pair<std::string, std::string> refused[] = {
      {"126-32", "the range '~' (U+007E) to ' ' (U+0020) runs backwards"},
      {"0-0x10FFFF", "more than the 255 characters a skin has icon IDs for"},
      {"0x110000", "no character has the code 0x110000"},
      {"\xFF", "the characters are not UTF-8 text"}};
  for (const auto& [text, reason] : refused) EXPECT_EQ(ParseCharSet(text).error().message, reason);
}

TEST(IconIds, AreCodesOrNumberedFromAGivenId) {
  EXPECT_EQ(AssignIconIds(U"A\u20ACB\u00FF", 200).value(),
            (std::vector<GlyphId>{{U'A', 65}, {U'\u20AC', 200}, {U'B', 66}, {U'\u00FF', 201}}));
  EXPECT_EQ(AssignIconIds(U"\u00FF", std::nullopt).error().message,
            "'\u00FF' (U+00FF) has no icon ID: IDs are character codes 0 to 254; give --ids-from "
            "N to number the others from N");
  EXPECT_EQ(AssignIconIds(U"A\u20AC", 65).error().message,
            "'A' (U+0041) and '\u20AC' (U+20AC) would share the icon ID 65");
  EXPECT_EQ(AssignIconIds(U"\u20AC\u20AD", 254).error().message,
            "'\u20AD' (U+20AD) would take the icon ID 255, past the last, 254");
}

// The hand-drawn icons of tests/data/fonts/tiny.bdf, with the notes a user
// sees, and the skin survives a save.
TEST(BitmapFonts, GiveTheirOwnBitmapsOnOneBaseline) {
  FontFace face = OpenFont(DataPath("tiny.bdf"));
  EXPECT_EQ(face.Info().family, "Tiny");
  EXPECT_EQ(face.Info().strikes.size(), 1u);
  struct Case {
    const char* golden;
    FontImportOptions options;
  };
  FontImportOptions transparent;
  transparent.depth = 2;
  transparent.transparent = true;
  transparent.invert = true;
  for (Case c : {Case{"tiny_depth1.txt", {}}, Case{"tiny_transparent.txt", transparent}}) {
    c.options.chars = U" Agj\u00E9";
    const auto imported = ImportFont(face, c.options);
    ASSERT_TRUE(imported) << imported.error().message;
    const std::vector<std::uint8_t> golden = ReadBytes(DataPath(c.golden));
    EXPECT_EQ(Art(imported->skin), std::string(golden.begin(), golden.end())) << c.golden;
    EXPECT_EQ(imported->notes[0],
              "ink outside the cell was cut from 'j' (U+006A), '\u00E9' (U+00E9)");
    const SkinFileRead read = ReadSkinFile(WriteSkinFile(imported->skin, "Tiny").value());
    EXPECT_EQ(read.skin.value(), imported->skin);
  }
}

// FreeType's bitmap of a character at the size set, as an oracle.
struct FreeTypeGlyph {
  int left, top, width, rows, advance;
  std::vector<int> coverage;  // 0..255
};

FreeTypeGlyph OracleGlyph(FT_Face face, char32_t c, FT_Int32 load, FT_Render_Mode mode) {
  EXPECT_EQ(FT_Load_Char(face, c, load), 0);
  if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
    EXPECT_EQ(FT_Render_Glyph(face->glyph, mode), 0);
  }
  const FT_Bitmap& b = face->glyph->bitmap;
  FreeTypeGlyph g{face->glyph->bitmap_left,
                  face->glyph->bitmap_top,
                  static_cast<int>(b.width),
                  static_cast<int>(b.rows),
                  static_cast<int>((face->glyph->advance.x + 32) >> 6),
                  {}};
  for (int y = 0; y < g.rows; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const unsigned char* row = b.buffer + y * b.pitch;
      g.coverage.push_back(
          b.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255 : row[x]);
    }
  }
  return g;
}

// The code the docs give a pixel: the gray nearest the ink laid over White
// (255 - coverage), the lighter of two equally near.
int NearestGray(int coverage) {
  const int gray = 255 - coverage;
  int best = 0;
  for (int i = 1; i < 4; ++i) {
    if (std::abs(ShownGrays[i] - gray) <= std::abs(ShownGrays[best] - gray)) best = i;
  }
  return best;
}

// Every icon against the oracle: each pixel of the glyph bitmap at column
// left + x, row ascender - top + y; White elsewhere, the width the advance.
void ExpectIconsMatch(const Skin& skin, FT_Face oracle, int ascender, int depth, FT_Int32 load,
                      const std::string& where) {
  for (const TSkinIcon& icon : skin.Icons()) {
    const FreeTypeGlyph g = OracleGlyph(oracle, static_cast<char32_t>(icon.IconID), load,
                                        depth == 1 ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL);
    EXPECT_GE(icon.Width, g.advance);
    EXPECT_LT(icon.Width, g.advance + 8);
    int mismatches = 0;
    for (int y = 0; y < icon.Height; ++y) {
      for (int x = 0; x < icon.Width; ++x) {
        const int gx = x - g.left;
        const int gy = y - (ascender - g.top);
        const bool inside = x < g.advance && gx >= 0 && gx < g.width && gy >= 0 && gy < g.rows;
        const int cover = inside ? g.coverage[gy * g.width + gx] : 0;
        const int expected = depth == 1 ? (cover ? 0 : 3) : NearestGray(cover);
        mismatches += icon.Data[icon.DataIndex(0, x, y)] != expected;
      }
    }
    EXPECT_EQ(mismatches, 0) << where << " icon " << IconLabel(icon);
  }
}

TEST(BitmapFonts, TerminusIconsAreItsBitmaps) {
  const std::string path = DebianFont("terminus");
  if (path.empty()) GTEST_SKIP() << "Terminus (Debian xfonts-terminus) is not installed";
  FontFace face = OpenFont(path);
  FontImportOptions options;
  options.chars = ParseCharSet("32-126,160-254").value();
  const auto imported = ImportFont(face, options);
  ASSERT_TRUE(imported) << imported.error().message;
  EXPECT_EQ(imported->skin.Count(), 190);
  EXPECT_EQ(imported->height, 16);
  FT_Library library;
  FT_Face oracle;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  ASSERT_EQ(FT_New_Face(library, path.c_str(), 0, &oracle), 0);
  ASSERT_EQ(FT_Select_Size(oracle, 0), 0);
  ExpectIconsMatch(imported->skin, oracle, imported->line.ascender, 1, FT_LOAD_DEFAULT, "Terminus");
  FT_Done_FreeType(library);
}

TEST(OutlineFonts, DejaVuIconsAreFreeTypesBitmapsOnTheBaseline) {
  const std::string path = DebianFont("dejavu");
  if (path.empty()) GTEST_SKIP() << "DejaVu Sans (Debian fonts-dejavu-core) is not installed";
  FontFace face = OpenFont(path);
  FT_Library library;
  FT_Face oracle;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  ASSERT_EQ(FT_New_Face(library, path.c_str(), 0, &oracle), 0);
  for (int size = 8; size <= 24; ++size) {
    for (int depth : {1, 2}) {
      FontImportOptions options;
      options.size = size;
      options.depth = depth;
      const auto imported = ImportFont(face, options);
      ASSERT_TRUE(imported) << imported.error().message;
      EXPECT_EQ(imported->skin.Count(), 95);
      FT_Set_Pixel_Sizes(oracle, 0, size);
      ExpectIconsMatch(imported->skin, oracle, imported->line.ascender, depth,
                       depth == 1 ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL,
                       std::to_string(size) + " px depth " + std::to_string(depth));
    }
  }
  FT_Done_FreeType(library);
}

std::string Outcome(FontFace& face, const FontImportOptions& options) {
  const auto imported = ImportFont(face, options);
  return imported ? "accepted" : imported.error().message;
}

TEST(FontImport, RefusesWhatNoSkinCanHold) {
  FontFace tiny = OpenFont(DataPath("tiny.bdf"));
  const std::pair<void (*)(FontImportOptions&), std::string> cases[] = {
      {[](auto& o) { o.depth = 4; }, "the depth must be 1 or 2"},
      {[](auto& o) { o.transparent = true; }, "a transparent background needs depth 2"},
      {[](auto& o) { o.size = 9; }, "the bitmap font has no 9 px size; its sizes are 7"},
      {[](auto& o) { o.chars = U"xyz"; }, "the font has none of the characters asked for"},
      {[](auto& o) { o.width = 97; }, "the width must be 1 to 96 columns"}};
  for (const auto& [change, reason] : cases) {
    FontImportOptions options;
    change(options);
    EXPECT_EQ(Outcome(tiny, options), reason);
  }
  const std::string dejavu = DebianFont("dejavu");
  if (dejavu.empty()) GTEST_SKIP() << "DejaVu Sans (Debian fonts-dejavu-core) is not installed";
  FontFace face = OpenFont(dejavu);
  FontImportOptions options;
  options.size = 90;
  EXPECT_EQ(Outcome(face, options),
            "the font's line is 106 rows high at this size, more than the 92 an icon can have; "
            "give a smaller size or a height");
  options.size = 112;
  options.height = 92;
  options.chars = U"MW";
  EXPECT_EQ(Outcome(face, options),
            "glyphs that no icon can hold: 'M' (U+004D): its advance is 97 pixels, wider than the "
            "96 an icon can have; 'W' (U+0057): its glyph is 103 x 82 pixels, larger than the 96 "
            "x 92 an icon can have");
  options.size = 60;
  options.height = std::nullopt;
  options.chars = ParseCharSet("32-126,160-254").value();
  EXPECT_EQ(Outcome(face, options),
            "the glyphs take 68401 bytes of icon stream, more than the 34442 a skin file holds; "
            "give a smaller size or fewer characters");
}

TEST(HostileFonts, AreRefusedOrFinished) {
  std::vector<std::uint8_t> tiny = ReadBytes(DataPath("tiny.bdf"));
  std::string huge_glyph(tiny.begin(), tiny.end());
  huge_glyph.replace(huge_glyph.find("BBX 4 5 0 0"), 11, "BBX 4000 5 0 0");
  // 65,535 glyphs, one with a bitmap far beyond any icon.
  std::string many =
      "STARTFONT 2.1\nFONT many\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 0\n"
      "STARTPROPERTIES 2\nFONT_ASCENT 8\nFONT_DESCENT 0\nENDPROPERTIES\n"
      "CHARS 65535\n";
  for (int code = 0; code < 65535; ++code) {
    many += "STARTCHAR c\nENCODING " + std::to_string(code) +
            "\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 1 0 0\nBITMAP\nFF\nENDCHAR\n";
  }
  many += "ENDFONT\n";
  const std::vector<std::string> inputs = {
      std::string(tiny.begin(), tiny.begin() + 400),
      huge_glyph,
      many,
      std::string("\x00\x01\x00\x00", 4) + std::string(5000, '\xFF'),
      "\x01"
      "fcp",
      ""};
  const std::string damaged = "the font is damaged or of a kind FreeType does not read ";
  const std::string outcomes[] = {
      damaged + "(FreeType error 0xBA)",
      "glyphs that no icon can hold: 'A' (U+0041): its glyph is 4000 x 5 pixels, larger than the "
      "96 x 92 an icon can have",
      "accepted",
      damaged + "(FreeType error 0x02)",
      damaged + "(FreeType error 0x55)",
      "not a TrueType, OpenType, BDF or PCF font"};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    auto face = FontFace::Open(std::vector<std::uint8_t>(inputs[i].begin(), inputs[i].end()));
    EXPECT_EQ(face ? Outcome(*face, FontImportOptions{}) : face.error().message, outcomes[i]);
  }
}

TEST(TextLines, AreTheIconsSideBySide) {
  FontFace face = OpenFont(DataPath("tiny.bdf"));
  FontImportOptions options;
  options.chars = U" Agj\u00E9";
  const Skin skin = ImportFont(face, options)->skin;
  const CodeImage line = DrawTextLine(skin, U"gA g").value();
  ASSERT_EQ(line.width, 32);
  ASSERT_EQ(line.height, 7);
  const int order[] = {2, 1, 0, 2};
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 32; ++x) {
      const TSkinIcon& icon = skin.At(order[x / 8]);
      ASSERT_EQ(line.At(x, y), icon.Data[icon.DataIndex(0, x % 8, y)]) << x << "," << y;
    }
  }
  EXPECT_EQ(DrawTextLine(skin, U"Ab\u20AC").error().message,
            "the skin has no icon for 'b' (U+0062), '\u20AC' (U+20AC)");
}

}  // namespace
}  // namespace pictavo
