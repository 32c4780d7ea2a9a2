#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "core/formats/listing.h"
#include "core/formats/pack_pixels.h"
#include "core/formats/source_text/writer.h"
#include "core/formats/source_text/reader.h"
#include "test_models.h"

namespace pictavo {
namespace {

using Writer = std::function<std::string(CodeGridView, std::string_view)>;

// One way the program writes a picture as text, the depth it keeps, and what
// the reader is told. Rows packed with align can take as many bytes as
// without; then either reading may be taken.
struct WriterRow {
  std::string name;
  Writer write;
  int depth = 8;
  bool aligned = false;
  ReadTextOptions options = {};
  // Texts that name a C symbol made from the name give that symbol back.
  bool keeps_name = true;
};

Writer Listing(ListingFormat format, bool align) {
  return [=](CodeGridView p, std::string_view n) { return BuildListing(p, n, format, align); };
}
Writer Clipboard(ListingFormat format, bool align) {
  return
      [=](CodeGridView p, std::string_view n) { return PictureClipboardText(p, n, format, align); };
}

std::vector<WriterRow> WriterRows() {
  std::vector<WriterRow> rows = {
      {"cpp", Listing(ListingFormat::Cpp, false)},
      {"cpp clipboard", Clipboard(ListingFormat::Cpp, false)},
      {"asm8", Listing(ListingFormat::Asm8, false)},
      {"asm8 clipboard", Clipboard(ListingFormat::Asm8, true)},
      {"asmfile", AsmFileListing},
      {"1-bit array alone", MonoArrayListing, 1},
  };
  const std::pair<ListingFormat, int> packed[] = {
      {ListingFormat::Asm1, 1}, {ListingFormat::Asm2, 2}, {ListingFormat::Asm4, 4}};
  for (const auto& [format, depth] : packed) {
    for (const bool align : {false, true}) {
      const std::string name = "asm" + std::to_string(depth) + (align ? " aligned" : "");
      rows.push_back({name, Listing(format, align), depth, align});
      rows.push_back({name + " clipboard", Clipboard(format, align), depth, align});
    }
  }
  // The texts made for compilers, told only what their text may not say.
  const auto made = [](SourceFormat format, int depth, bool align, BitOrder order,
                       ByteLayout layout) -> Writer {
    return [=](CodeGridView p, std::string_view n) {
      return WriteSourceText(p, {format, depth, align, order, layout, SourceSymbol(n, "file")});
    };
  };
  for (const SourceFormat format : {SourceFormat::C, SourceFormat::Gas}) {
    for (const int depth : {1, 2, 4, 8}) {
      for (const bool align : {false, true}) {
        for (const BitOrder order : {BitOrder::Lsb, BitOrder::Msb}) {
          if (depth == 8 && (align || order == BitOrder::Msb)) continue;
          ReadTextOptions told;
          if (order == BitOrder::Msb) told.bit_order = BitOrder::Msb;
          if (format == SourceFormat::Gas) told.depth = depth;
          rows.push_back(
              {std::string(format == SourceFormat::C ? "c" : "gas") + std::to_string(depth) +
                   (align ? " aligned" : "") + (order == BitOrder::Msb ? " msb" : ""),
               made(format, depth, align, order, ByteLayout::Rows), depth, align, told, false});
        }
      }
    }
    for (const BitOrder order : {BitOrder::Lsb, BitOrder::Msb}) {
      ReadTextOptions told;
      told.layout = ByteLayout::Pages;
      if (order == BitOrder::Msb) told.bit_order = BitOrder::Msb;
      if (format == SourceFormat::Gas) told.depth = 1;
      rows.push_back({format == SourceFormat::C ? "c1 pages" : "gas1 pages",
                      made(format, 1, false, order, ByteLayout::Pages), 1, false, told, false});
    }
  }
  rows.push_back({"xbm",
                  made(SourceFormat::Xbm, 1, true, BitOrder::Lsb, ByteLayout::Rows),
                  1,
                  false,
                  {},
                  false});
  return rows;
}

// Whether the bytes of `row` could as well be rows packed without align.
bool AlignmentUntold(const WriterRow& row, int width, int height) {
  if (!row.aligned || width * row.depth % 8 == 0) return false;
  const int per_byte = 8 / row.depth;
  return height * ((width + per_byte - 1) / per_byte) == (width * height + per_byte - 1) / per_byte;
}

// The picture as a text of `depth` holds it.
std::vector<PixelCode> AtDepth(CodeGridView picture, int depth) {
  std::vector<PixelCode> codes;
  for (int y = 1; y <= picture.Height(); ++y) {
    for (int x = 1; x <= picture.Width(); ++x) {
      const PixelCode code = picture.At(x, y);
      if (depth == 1) {
        codes.push_back(PackedValue(code, 1) ? PixelCode::White : PixelCode::Black);
      } else {
        codes.push_back(depth == 2 ? ToPixelCode(PackedValue(code, 2)) : code);
      }
    }
  }
  return codes;
}

TEST(ReadSourceText, EveryTextTheProgramWritesReadsBack) {
  std::mt19937 random(22);
  const std::string name_characters = "aZ09_ :[]{}=/*#;.,@";
  const auto rows = WriterRows();
  for (int round = 0; round < 200; ++round) {
    Picture picture;
    picture.Width = std::uniform_int_distribution(1, MaxPictureWidth)(random);
    picture.Height = std::uniform_int_distribution(1, MaxPictureHeight)(random);
    // Small pictures are where packings coincide; take them often.
    if (round % 3 == 0) picture.Width = std::uniform_int_distribution(1, 9)(random);
    if (round % 4 == 0) picture.Height = std::uniform_int_distribution(1, 9)(random);
    for (int y = 1; y <= picture.Height; ++y) {
      for (int x = 1; x <= picture.Width; ++x) {
        picture.Cells.At(x, y) = ToPixelCode(std::uniform_int_distribution(0, 4)(random));
      }
    }
    std::string name(std::uniform_int_distribution(0, 16)(random), 'x');
    for (char& c : name) c = name_characters[random() % name_characters.size()];
    // Spaces around a label are not kept.
    std::string expected_name = name;
    expected_name.erase(0, expected_name.find_first_not_of(' '));
    expected_name.erase(expected_name.find_last_not_of(' ') + 1);
    for (const WriterRow& row : rows) {
      const std::string text = row.write(ViewOf(picture), name);
      const auto read = ReadSourceText(text, row.options);
      ASSERT_TRUE(read) << row.name << " of \"" << name << "\": " << read.error().message << "\n"
                        << text;
      ASSERT_EQ(read->picture.width, picture.Width) << row.name;
      ASSERT_EQ(read->picture.height, picture.Height) << row.name;
      EXPECT_EQ(read->picture.name,
                row.keeps_name ? expected_name : SourceSymbol(name, "file").substr(0, 16))
          << row.name;
      if (AlignmentUntold(row, picture.Width, picture.Height)) {
        // Either reading is right; the one taken must give the same bytes.
        Picture back = picture;
        ApplyPictureRecord(back, read->picture);
        EXPECT_EQ(PackPixels(ViewOf(back), row.depth, read->shape.aligned),
                  PackPixels(ViewOf(picture), row.depth, true))
            << row.name;
        continue;
      }
      EXPECT_EQ(read->picture.codes, AtDepth(ViewOf(picture), row.depth)) << row.name << "\n"
                                                                          << text;
    }
  }
}

// The 3 x 2 icon (row 1 Black, White, Transparent; row 2 Gray66, Gray33,
// White) as each depth keeps it.
const std::vector<int> Icon1 = {0, 3, 3, 0, 3, 3};
const std::vector<int> Icon2 = {0, 3, 3, 1, 2, 3};
const std::vector<int> Icon4 = {0, 3, 4, 1, 2, 3};

constexpr auto Low = BitOrder::Lsb;
constexpr auto High = BitOrder::Msb;
constexpr auto Pages = ByteLayout::Pages;
constexpr auto Rows = ByteLayout::Rows;

std::string Header(const std::string& bpp, const std::string& bytes, const std::string& note = "") {
  return "/* icon: 3 x 2" + note +
         " */\n#ifndef ICON_H\n#define ICON_H\n#include <stdint.h>\n"
         "#define ICON_WIDTH 3\n#define ICON_HEIGHT 2\n#define ICON_BPP " +
         bpp + "\nstatic const uint8_t icon[] = {\n    " + bytes + " /* rows 1-2 */\n};\n#endif\n";
}

std::string Gas(const std::string& bytes, const std::string& note = "") {
  return "# icon: 3 x 2" + note +
         "\n\t.section .rodata\n\t.global icon\n\t.type icon, @object\n"
         "icon:\r\n\t# the size, then the rows:\r\n\t.byte 3,2\r\n\t.byte " +
         bytes + "\r\n\t.size icon, .-icon\r\n";
}

struct Golden {
  std::string what;
  std::string text;
  std::vector<int> codes;
  PackingShape shape;
  ReadTextOptions options = {};
};

TEST(ReadSourceText, HandWrittenTextsOfEveryLayout) {
  const std::string dots_asm1 =
      "/* format 1 bit per pixel */\r\ndots: \r\n.byte 7,2  /* Image size*/\r\n.byte 0x41,0x02\r\n";
  const std::vector<int> dots = {3, 0, 0, 0, 0, 0, 3, 0, 3, 0, 0, 0, 0, 0};
  const Golden rows[] = {
      {"c1", Header("1", "0x36,"), Icon1, {1}},
      {"c1 aligned", Header("1", "0x06, 0x06"), Icon1, {1, true}},
      {"c1 msb found by its spare bits", Header("1", "0x6C"), Icon1, {1, false, High}},
      {"c1 msb aligned, said", Header("1", "0x60, 0x60", " msb first"), Icon1, {1, true, High}},
      {"c1 pages", Header("1", "0x00, 0x03, 0x03"), Icon1, {1, false, Low, Pages}},
      {"c1 pages msb", Header("1", "0x00, 0xC0, 0xC0"), Icon1, {1, false, High, Pages}},
      {"c2, decimal and hex, a byte order mark",
       "\xEF\xBB\xBF" + Header("2", "124, 0x0e"),
       Icon2,
       {2}},
      {"c2 msb", Header("2", "0x3D, 0xB0"), Icon2, {2, false, High}},
      {"c2 msb aligned", Header("2", "0x3C, 0x6C"), Icon2, {2, true, High}},
      {"c4 aligned", Header("4", "0x30, 0x04, 0x21, 0x03"), Icon4, {4, true}},
      {"c4 msb, said",
       Header("4", "0x03, 0x41, 0x23", ", most significant first"),
       Icon4,
       {4, false, High}},
      {"c4 msb, unsaid, read as lsb", Header("4", "0x03, 0x41, 0x23"), {3, 0, 1, 4, 3, 2}, {4}},
      {"c4 msb, unsaid, told",
       Header("4", "0x03, 0x41, 0x23"),
       Icon4,
       {4, false, High},
       {High, std::nullopt, std::nullopt}},
      {"c8", Header("8", "0, 3, 4, 1, 2, 3"), Icon4, {8}},
      {"gas2", Gas("0x7C,0x0E"), Icon2, {2}},
      {"gas1 pages, said", Gas("0x00,0x03,0x03", ", 1 bpp, pages"), Icon1, {1, false, Low, Pages}},
      {"gas1 pages, told",
       Gas("0x00,0x03,0x03"),
       Icon1,
       {1, false, Low, Pages},
       {std::nullopt, Pages, 1}},
      {"gas4 aligned", Gas("0x30,0x04,0x21,0x03"), Icon4, {4, true}},
      {"gas8", Gas("0,3,4,1,2,3"), Icon4, {8}},
      {"xbm",
       "#define icon_width 3\n#define icon_height 2\nstatic unsigned char icon_bits[] = {\n   "
       "0x01, 0x01};\n",
       Icon1,
       {1, true, Low, Rows, true}},
      {"asm1 aligned, told by its 1-bit array",
       dots_asm1 +
           "/*C++ format*/\r\n/* format 1 bit per pixel */\r\ndots[7][2]={\r\n\r\n{65,1}\r\n",
       dots,
       {1, true}},
      {"asm1 aligned alone, read unaligned",
       dots_asm1,
       {3, 0, 0, 0, 0, 0, 3, 0, 0, 3, 0, 0, 0, 0},
       {1}},
  };
  for (const Golden& row : rows) {
    const auto read = ReadSourceText(row.text, row.options);
    ASSERT_TRUE(read) << row.what << ": " << read.error().message;
    const std::string name = row.what.starts_with("asm") ? "dots" : "icon";
    EXPECT_EQ(read->picture.name, name) << row.what;
    std::vector<int> codes;
    for (const PixelCode code : read->picture.codes) codes.push_back(ToInt(code));
    EXPECT_EQ(codes, row.codes) << row.what;
    EXPECT_EQ(read->shape, row.shape) << row.what << ": " << DescribeShape(read->shape);
  }
}

TEST(ReadSourceText, RefusesWithTheLineAndWhatWasExpected) {
  const std::string asm2 =
      "/* format 2 bits per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n";
  const std::pair<std::string, std::string> rows[] = {
      {"",
       "Line 1: expected a source text of a picture: a label with \".byte WIDTH,HEIGHT\" and "
       "its bytes, an array \"name[WIDTH][HEIGHT]={\", or a C array \"name[] = {\" with its "
       "#define lines; found an empty line."},
      {"\n\nhello\n",
       "Line 3: expected a source text of a picture: a label with \".byte WIDTH,HEIGHT\" and "
       "its bytes, an array \"name[WIDTH][HEIGHT]={\", or a C array \"name[] = {\" with its "
       "#define lines; found \"hello\"."},
      {"icon:\n.byte 3\n",
       "Line 2: expected \".byte WIDTH,HEIGHT\" with the picture's size, found \".byte 3\"."},
      {".byte 3 x:\n", "Line 1: expected a number after \".byte\", found \"3 x:\"."},
      {"icon:\n.byte 97,2\n", "Line 2: the picture is 97 x 2; a picture is 1 x 1 to 96 x 92."},
      {"x[3][93]={\n", "Line 1: the picture is 3 x 93; a picture is 1 x 1 to 96 x 92."},
      {asm2 + ".byte 0x7C,0x0E,0x00\r\n",
       "Line 4: a 3 x 2 picture at 2 bits per pixel (as line 1 says) takes 2 bytes; the text holds "
       "3."},
      {"/* 1 bpp */\nicon:\n.byte 3,2\n.byte 1,2,3,4\n",
       "Line 4: a 3 x 2 picture at 1 bit per pixel (as line 1 says) takes 1 byte, or 2 with rows "
       "aligned, or 3 in pages of 8 rows; the text holds 4."},
      {"icon:\n.byte 3,2\n.byte 1,2,3,4,5\n",
       "Line 3: the text holds 5 bytes after the size, a count no 3 x 2 picture packs into at 1, "
       "2, 4 or 8 bits per pixel."},
      {asm2 + ".byte 0x7C,0x0G\r\n", "Line 4: expected a number after \".byte\", found \"0x0G\"."},
      {asm2 + ".byte 0x7C,\r\n", "Line 4: expected a number after \".byte\", found an empty line."},
      {"/* 8 bpp */\nicon:\n.byte 3,2\n.byte 0,3,4\n.byte 1,7,3\n",
       "Line 5: the pixel at column 2, row 2 has the value 7 at 8 bits per pixel; pixel codes run "
       "from 0 to 4."},
      {"icon:\n.byte 3,2\n.byte 0,3,4,1,2,256\n", "Line 3: the value 256 does not fit in a byte."},
      {"x[2][2]={\n{0,1}\n{2,+3}\n}",
       "Line 3: expected a number, \",\" or \"}\" in the array, found \"+3}\"."},
      {"static const uint8_t icon[] = {1, 2};",
       "Line 1: expected \"#define ICON_WIDTH\" and \"#define ICON_HEIGHT\" giving the size of the "
       "array \"icon\"; the text has no such lines."},
      {"#define ICON_WIDTH 3\n#define ICON_HEIGHT 2\n#define ICON_BPP 3\nconst uint8_t icon[] = "
       "{1};",
       "Line 3: the depth is 3 bits per pixel; expected 1, 2, 4 or 8."},
      {"#define ICON_WIDTH 3\n#define ICON_HEIGHT 2\nconst uint8_t icon[] = {1,\n2,\n",
       "Line 5: expected \"}\" closing the array \"icon\" of line 3, found the end of the text."},
  };
  for (const auto& [text, message] : rows) {
    const auto read = ReadSourceText(text);
    ASSERT_FALSE(read) << text;
    EXPECT_EQ(read.error().message, message);
  }
}

TEST(ReadSourceText, LongNamesAreCutAndSaidSo) {
  const auto read = ReadSourceText("a_name_of_twenty_chars:\n.byte 2,1\n.byte 0,3\n");
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(read->picture.name, "a_name_of_twenty");
  EXPECT_EQ(read->notes,
            std::vector<std::string>{"The name \"a_name_of_twenty_chars\" is longer than 16 "
                                     "characters; the picture is named \"a_name_of_twenty\"."});
}

}  // namespace
}  // namespace pictavo
