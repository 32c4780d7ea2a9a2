#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/documents/export_catalogue.h"
#include "core/formats/listing.h"
#include "core/formats/source_text/reader.h"

namespace pictavo {
namespace {

// What each code reads back as from a text of each depth (docs/formats.md):
// at 1 bpp the light codes White and the dark Black, at 2 bpp Transparent
// White, at 4 and 8 bpp every code itself.
constexpr int ReadBack[3][5] = {{0, 0, 3, 3, 3}, {0, 1, 2, 3, 3}, {0, 1, 2, 3, 4}};

std::vector<PixelCode> AsRead(const Picture& picture, int depth) {
  std::vector<PixelCode> codes;
  for (int y = 1; y <= picture.Height; ++y) {
    for (int x = 1; x <= picture.Width; ++x) {
      const int code = ToInt(picture.Cells.At(x, y));
      codes.push_back(ToPixelCode(ReadBack[depth == 1 ? 0 : depth == 2 ? 1 : 2][code]));
    }
  }
  return codes;
}

// Every combination of the options `format` takes, with `symbol`.
std::vector<ExportChoices> EveryChoice(const ExportFormat& format, const std::string& symbol) {
  std::vector<ExportChoices> all;
  const auto takes = [&](bool set, ExportOption option) { return !set || format.Takes(option); };
  for (const bool align : {false, true}) {
    for (const BitOrder order : {BitOrder::Lsb, BitOrder::Msb}) {
      for (const ByteLayout layout : {ByteLayout::Rows, ByteLayout::Pages}) {
        const ExportChoices choices{align, order, layout, symbol};
        if (takes(align, ExportOption::Align) &&
            takes(order == BitOrder::Msb, ExportOption::BitOrder) &&
            takes(layout == ByteLayout::Pages, ExportOption::Layout) &&
            !(align && RefusedOption(format, ExportOption::Align, choices))) {
          all.push_back(choices);
        }
      }
    }
  }
  return all;
}

// Every export format with every option it takes, over random pictures with
// hostile names, reads back with no options as the picture its depth holds:
// what a text states decides over the readings its bytes fit.
TEST(ReadSourceText, EveryExportReadsBackAsWritten) {
  const std::string latin1 = "\xE9\xE8\xEA\xE0\xC7\xEF\xF1\xFC\xDF\xA0\xFF\xB5\xD8\xC6\xA9\xBF";
  const std::string names[] = {"",        latin1, "a/*b",      "*/ c",      "x // y", "say \"hi\"",
                               "it's",    "a:b:", "{x}",       "9lives",    "int",    "static",
                               "#;@ asm", "icon", ".byte 1,2", "x[1][1]={", "a[] = {"};
  // Widths whose rows take as many bytes aligned as not, then any size.
  const std::pair<int, int> sizes[] = {{47, 2}, {71, 2}, {15, 2}, {1, 1}, {96, 92}, {3, 2}};
  std::mt19937 random(30);
  for (int round = 0; round < 40; ++round) {
    Picture picture;
    std::uniform_int_distribution small(1, 9);
    if (round < std::ssize(sizes)) {
      std::tie(picture.Width, picture.Height) = sizes[round];
    } else {
      picture.Width =
          round % 3 ? std::uniform_int_distribution(1, MaxPictureWidth)(random) : small(random);
      picture.Height =
          round % 4 ? std::uniform_int_distribution(1, MaxPictureHeight)(random) : small(random);
    }
    for (int y = 1; y <= picture.Height; ++y) {
      for (int x = 1; x <= picture.Width; ++x) {
        picture.Cells.At(x, y) = ToPixelCode(std::uniform_int_distribution(0, 4)(random));
      }
    }
    const std::string& name = names[round % std::size(names)];
    // An odd count of names: each is given as the symbol in some rounds.
    const std::string symbol = round % 2 ? name : "";
    for (const ExportFormat& format : ExportFormats()) {
      // The picture file's own round trip stands in its tests.
      if (format.Family().binary) continue;
      for (const ExportChoices& choices : EveryChoice(format, symbol)) {
        const std::string text = WriteExport(format, ViewOf(picture), name, choices, "9 file");
        SCOPED_TRACE(std::string(format.name) + ", align " + std::to_string(choices.align) + ":\n" +
                     text);
        const auto read = ReadSourceText(text);
        ASSERT_TRUE(read) << read.error().message;
        // The listings keep the name; the compiler texts the symbol made of it.
        EXPECT_EQ(read->picture.name, format.Takes(ExportOption::Symbol)
                                          ? ExportSymbol(choices, name, "9 file").substr(0, 16)
                                          : name);
        ASSERT_EQ(read->picture.width, picture.Width);
        ASSERT_EQ(read->picture.codes, AsRead(picture, format.depth));
      }
    }
    // A listing copied alone does not say whether its rows were aligned: the
    // reader is told. The 1-bit array alone is never aligned.
    for (const auto& [format, depth] :
         {std::pair{ListingFormat::Asm1, 1}, {ListingFormat::Asm2, 2}, {ListingFormat::Asm4, 4}}) {
      for (const bool align : {false, true}) {
        const std::string text = BuildListing(ViewOf(picture), name, format, align);
        SCOPED_TRACE(text);
        const auto read = ReadSourceText(text, {.align = align});
        ASSERT_TRUE(read);
        EXPECT_EQ(read->picture.codes, AsRead(picture, depth));
      }
    }
    const auto mono = ReadSourceText(MonoArrayListing(ViewOf(picture), name));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->picture.codes, AsRead(picture, 1));
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

// The first line of the program's C header of the 3 x 2 icon at 4 bpp, up to
// the bit order.
const std::string Sentence4 =
    " pixels, 4 bits per pixel, rows follow each other, first pixel in the ";

// The 4 bpp header of the 3 x 2 icon under another first line.
std::string Under(const std::string& first_line, const std::string& bytes) {
  const std::string text = Header("4", bytes);
  return "/* " + first_line + " */" + text.substr(text.find('\n'));
}

// A 2 x 8 picture, Black but for one White pixel at (x, y).
std::vector<int> OneWhite(int x, int y) {
  std::vector<int> codes(16, 0);
  codes[static_cast<std::size_t>(y * 2 + x)] = 3;
  return codes;
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
       {.bit_order = High}},
      {"c4 msb in the program's words",
       Header("4", "0x03, 0x41, 0x23", Sentence4 + "highest bits"),
       Icon4,
       {4, false, High}},
      {"c4 msb in the program's words, told lsb",
       Header("4", "0x03, 0x41, 0x23", Sentence4 + "highest bits"),
       {3, 0, 1, 4, 3, 2},
       {4},
       {.bit_order = Low}},
      {"c4 msb in the program's words, the symbol renamed",
       Under("logo: 3 x 2" + Sentence4 + "highest bits", "0x03, 0x41, 0x23"),
       Icon4,
       {4, false, High}},
      {"c4 under the program's words for another size",
       Under("icon: 4 x 2" + Sentence4 + "highest bits", "0x03, 0x41, 0x23"),
       {3, 0, 1, 4, 3, 2},
       {4}},
      {"c1 told 2 bits: the option over the define",
       Header("1", "0x06, 0x06"),
       {2, 1, 0, 0, 2, 1},
       {2},
       {.depth = 2}},
      {"c4: octal as C reads it, unsigned and long suffixes",
       Header("4", "0x30u, 024UL, 50ll"),
       Icon4,
       {4}},
      // Nothing says the depth: 1 x 4 takes four bytes aligned at 2, 4 and
      // 8 bits, and the highest is read.
      {"no depth said: the highest that fits",
       "icon:\n.byte 1,4\n.byte 0,1,2,3\n",
       {0, 1, 2, 3},
       {8}},
      // Two bytes are 2 x 8 pixels at 1 bit in rows or in a page; rows come
      // first, and the lowest bits, unless a comment names the others.
      {"2 x 8: rows before pages", "icon:\n.byte 2,8\n.byte 2,0\n", OneWhite(1, 0), {1}},
      {"2 x 8: pages, said",
       "icon: /* pages */\n.byte 2,8\n.byte 2,0\n",
       OneWhite(0, 1),
       {1, false, Low, Pages}},
      {"2 x 8: msb, said",
       "icon: // msb\n.byte 2,8\n.byte 2,0\n",
       OneWhite(0, 3),
       {1, false, High}},
      {"c2 under a first line its define contradicts",
       Header("2", "0x7C, 0x0E", Sentence4 + "highest bits"),
       Icon2,
       {2}},
      {"c8", Header("8", "0, 3, 4, 1, 2, 3"), Icon4, {8}},
      {"gas2", Gas("0x7C,0x0E"), Icon2, {2}},
      {"gas1 pages, said", Gas("0x00,0x03,0x03", ", 1 bpp, pages"), Icon1, {1, false, Low, Pages}},
      {"gas1 pages, told",
       Gas("0x00,0x03,0x03"),
       Icon1,
       {1, false, Low, Pages},
       {.layout = Pages, .depth = 1}},
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
      {"asm1 aligned alone, told", dots_asm1, dots, {1, true}, {.align = true}},
      {"xbm, its brace on a line of its own",
       "#define icon_width 3\n#define icon_height 2\nstatic unsigned char icon_bits[] =\n\n"
       "{\n   0x01, 0x01};\n",
       Icon1,
       {1, true, Low, Rows, true}},
      {"Arduino's binary constant, PROGMEM, the brace below",
       "#define ICON_WIDTH 3\n#define ICON_HEIGHT 2\n#define ICON_BPP 1\n"
       "const uint8_t icon[] PROGMEM =\n{ B00110110 };\n",
       Icon1,
       {1}},
      {"no size in the text, given",
       "static const uint8_t icon[] U8X8_PROGMEM = {0x60, 0x60};",
       Icon1,
       {1, true, High},
       {.bit_order = High, .depth = 1, .align = true, .size = TextSize{3, 2}}},
      {"no size, 1 drawn",
       "static const uint8_t icon[] U8X8_PROGMEM = {0x60, 0x60};",
       {3, 0, 0, 3, 0, 0},
       {1, true, High, Rows, true},
       {.bit_order = High, .align = true, .size = TextSize{3, 2}, .invert = true}},
      {"a palette left out",
       "const uint8_t icon[] = {0xAA, 0xBB, 0x36};",
       Icon1,
       {1},
       {.depth = 1, .size = TextSize{3, 2}, .skip = 2}},
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
      {"icon:\n.byte 0,2\n", "Line 2: the picture is 0 x 2; a picture is 1 x 1 to 96 x 92."},
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
      {"icon:\n.byte 3,2\n.byte 0,3,4,1,2,18446744073709551617\n",
       "Line 3: the value 18446744073709551617 does not fit in a byte."},
      {"icon:\n.byte 4294967299,2\n",
       "Line 2: the picture is 4294967299 x 2; a picture is 1 x 1 to 96 x 92."},
      {"x[3][0x100000002]={\n",
       "Line 1: the picture is 3 x 0x100000002; a picture is 1 x 1 to 96 x 92."},
      {"#define I_WIDTH 99999999999999999999999\n#define I_HEIGHT 2\nconst uint8_t i[] = {1};",
       "Line 1: the picture is 99999999999999999999999 x 2; a picture is 1 x 1 to 96 x 92."},
      {"#define I_WIDTH 3\n#define I_HEIGHT 2\n#define I_BPP 4294967298\nconst uint8_t i[] = {1};",
       "Line 3: the depth is 4294967298 bits per pixel; expected 1, 2, 4 or 8."},
      {"#define a_width 3\n#define a_height 1\nstatic short a_bits[] = {0x10000};",
       "Line 3: the value 0x10000 does not fit in 16 bits."},
      {"#define a_width 17\n#define a_height 1\nstatic short a_bits[] = {0, 0, 0};",
       "Line 3: an X10 bitmap of 17 x 1 pixels takes 2 words of 16 bits; the text holds 3."},
      {"// 'arrow', 10x9px\n0x00, 0x40,\n",
       "Line 2: no size in the text: it holds values alone; give --size WxH."},
      {"x[2][2]={\n{0,1}\n{2,+3}\n}",
       "Line 3: expected a number, \",\" or \"}\" in the array, found \"+3}\"."},
      {"static const uint8_t icon[] = {1, 2};",
       "Line 1: no size in the text: the array \"icon\" has no \"#define ICON_WIDTH\" and "
       "\"#define ICON_HEIGHT\"; give --size WxH."},
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

TEST(ReadSourceText, RefusesWhatTheOptionsCannotMeet) {
  const std::string header = Header("2", "0x7C, 0x0E");
  const std::tuple<std::string, ReadTextOptions, std::string> rows[] = {
      {header,
       {.size = TextSize{4, 4}},
       "Line 5: the text gives the size 3 x 2, not the 4 x 4 asked for."},
      {header,
       {.invert = true},
       "Line 7: the text is read at 2 bits per pixel; a bit 1 as a drawn pixel is for 1-bit "
       "texts."},
      {"const uint8_t i[] = {1, 2};",
       {.size = TextSize{1, 1}, .skip = 2},
       "Line 1: the array holds 2 values; leaving out the first 2 leaves none."},
  };
  for (const auto& [text, options, message] : rows) {
    const auto read = ReadSourceText(text, options);
    ASSERT_FALSE(read) << text;
    EXPECT_EQ(read.error().message, message);
    EXPECT_FALSE(TextWantsSize(text, options));
  }
  EXPECT_TRUE(TextWantsSize("const uint8_t i[] = {1, 2};"));
  EXPECT_FALSE(TextWantsSize("const uint8_t i[] = {1, 2};", {.size = TextSize{1, 2}}));
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
