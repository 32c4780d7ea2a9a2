#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "core/model/picture.h"
#include "core/model/pixel_code.h"
#include "core/formats/listing.h"
#include "test_models.h"

namespace pictavo {
namespace {

Picture MakePicture(int width, int height, const std::vector<int>& codes) {
  return testing::MakePicture(width, height, codes, PixelCode::Transparent);
}

Picture Icon() { return testing::IconExample(PixelCode::Transparent); }

Picture Filled(int width, int height, PixelCode code) {
  Picture picture;
  picture.Cells.Fill(PixelCode::Black);
  picture.Width = width;
  picture.Height = height;
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) picture.Cells.At(x, y) = code;
  }
  return picture;
}

struct ListingCase {
  ListingFormat format;
  bool align;
  std::string expected;
};

TEST(BuildListing, ThreeByTwoIconInEveryFormat) {
  const std::string asm1_head =
      "/* format 1 bit per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n";
  const std::string asm2_head =
      "/* format 2 bits per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n";
  const std::string asm4_head =
      "/* format 4 bits per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n";
  const std::string asm8 =
      "/* format 8 bits per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n"
      ".byte 0x00,0x03,0x04\r\n.byte 0x01,0x02,0x03\r\n";
  const std::string cpp =
      "/*Created by DravikPictavo */\r\nicon[3][2]={\r\n{0,3,4}\r\n{1,2,3}\r\n}";
  const ListingCase cases[] = {
      {ListingFormat::Asm1, false, asm1_head + ".byte 0x36\r\n"},
      {ListingFormat::Asm1, true, asm1_head + ".byte 0x06,0x06\r\n"},
      {ListingFormat::Asm2, false, asm2_head + ".byte 0x7C,0x0E\r\n"},
      {ListingFormat::Asm2, true, asm2_head + ".byte 0x3C,0x39\r\n"},
      {ListingFormat::Asm4, false, asm4_head + ".byte 0x30\r\n.byte 0x14\r\n.byte 0x32\r\n"},
      {ListingFormat::Asm4, true,
       asm4_head + ".byte 0x30\r\n.byte 0x04\r\n.byte 0x21\r\n.byte 0x03\r\n"},
      {ListingFormat::Asm8, false, asm8},
      {ListingFormat::Asm8, true, asm8},
      {ListingFormat::Cpp, false, cpp},
      {ListingFormat::Cpp, true, cpp},
  };
  const Picture icon = Icon();
  for (const ListingCase& c : cases) {
    EXPECT_EQ(BuildListing(ViewOf(icon), "icon", c.format, c.align), c.expected)
        << "format " << static_cast<int>(c.format) << " align " << c.align;
  }
}

TEST(BuildListing, LinesHoldWidthDivPerByteValuesAlsoWhenAligned) {
  Picture picture;
  picture.Width = 10;
  picture.Height = 3;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 10; ++x) picture.Cells.At(x, y) = ToPixelCode((x + y - 2) % 5);
  }
  const std::string head =
      "/* format 2 bits per pixel */\r\nicon: \r\n.byte 10,3  /* Image size*/\r\n";
  EXPECT_EQ(BuildListing(ViewOf(picture), "icon", ListingFormat::Asm2, false),
            head + ".byte 0xE4,0x93\r\n.byte 0x9F,0x4F\r\n.byte 0x3E,0x3E\r\n.byte 0xF9,0x04\r\n");
  EXPECT_EQ(BuildListing(ViewOf(picture), "icon", ListingFormat::Asm2, true),
            head +
                ".byte 0xE4,0x93\r\n.byte 0x0F,0xF9\r\n.byte 0xE4,0x03\r\n.byte 0x3E,0xF9\r\n"
                ".byte 0x04\r\n");
}

TEST(BuildListing, EmptyNameKeepsSeparatorAndBrackets) {
  const Picture icon = Icon();
  EXPECT_EQ(BuildListing(ViewOf(icon), "", ListingFormat::Asm1, false),
            "/* format 1 bit per pixel */\r\n: \r\n.byte 3,2  /* Image size*/\r\n.byte 0x36\r\n");
  EXPECT_EQ(BuildListing(ViewOf(icon), "", ListingFormat::Cpp, false),
            "/*Created by DravikPictavo */\r\n[3][2]={\r\n{0,3,4}\r\n{1,2,3}\r\n}");
  EXPECT_EQ(MonoArrayListing(ViewOf(icon), ""),
            "/*C++ format*/\r\n/* format 1 bit per pixel */\r\n[3][2]={\r\n\r\n{54}\r\n");
}

TEST(BuildListing, NarrowPictureKeepsAllBytesOnOneLine) {
  const Picture white = Filled(7, 3, PixelCode::White);
  const std::string head = "/* format 1 bit per pixel */\r\nn: \r\n.byte 7,3  /* Image size*/\r\n";
  EXPECT_EQ(BuildListing(ViewOf(white), "n", ListingFormat::Asm1, false),
            head + ".byte 0xFF,0xFF,0x1F\r\n");
  EXPECT_EQ(BuildListing(ViewOf(white), "n", ListingFormat::Asm1, true),
            head + ".byte 0x7F,0x7F,0x7F\r\n");

  SelectionGrid column;
  column.Width = 1;
  column.Height = 3;
  column.Cells.At(1, 1) = PixelCode::Transparent;
  column.Cells.At(1, 2) = PixelCode::Gray33;
  column.Cells.At(1, 3) = PixelCode::Gray66;
  EXPECT_EQ(BuildListing(ViewOf(column), "n", ListingFormat::Asm4, true),
            "/* format 4 bits per pixel */\r\nn: \r\n.byte 1,3  /* Image size*/\r\n"
            ".byte 0x04,0x02,0x01\r\n");
}

TEST(BuildListing, EightWideAtOneBitIsOneValuePerLineSixteenWideTwo) {
  Picture eight = Filled(8, 2, PixelCode::Black);
  for (int x = 1; x <= 8; x += 2) eight.Cells.At(x, 1) = PixelCode::White;
  EXPECT_EQ(BuildListing(ViewOf(eight), "e", ListingFormat::Asm1, false),
            "/* format 1 bit per pixel */\r\ne: \r\n.byte 8,2  /* Image size*/\r\n"
            ".byte 0x55\r\n.byte 0x00\r\n");

  Picture sixteen = Filled(16, 2, PixelCode::White);
  for (int x = 1; x <= 8; ++x) sixteen.Cells.At(x, 2) = PixelCode::Gray66;
  const std::string expected =
      "/* format 1 bit per pixel */\r\ns: \r\n.byte 16,2  /* Image size*/\r\n"
      ".byte 0xFF,0xFF\r\n.byte 0x00,0xFF\r\n";
  EXPECT_EQ(BuildListing(ViewOf(sixteen), "s", ListingFormat::Asm1, false), expected);
  EXPECT_EQ(BuildListing(ViewOf(sixteen), "s", ListingFormat::Asm1, true), expected);
}

TEST(BuildListing, SelectionCarriesItsOwnSizeAndThePictureName) {
  SelectionGrid selection;
  selection.Cells.Fill(PixelCode::White);
  selection.Width = 2;
  selection.Height = 3;
  const int codes[3][2] = {{0, 1}, {2, 3}, {4, 0}};
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 2; ++x) selection.Cells.At(x, y) = ToPixelCode(codes[y - 1][x - 1]);
  }
  EXPECT_EQ(BuildListing(ViewOf(selection), "icon", ListingFormat::Asm8, false),
            "/* format 8 bits per pixel */\r\nicon: \r\n.byte 2,3  /* Image size*/\r\n"
            ".byte 0x00,0x01\r\n.byte 0x02,0x03\r\n.byte 0x04,0x00\r\n");
  EXPECT_EQ(BuildListing(ViewOf(selection), "icon", ListingFormat::Cpp, false),
            "/*Created by DravikPictavo */\r\nicon[2][3]={\r\n{0,1}\r\n{2,3}\r\n{4,0}\r\n}");
  EXPECT_EQ(BuildListing(ViewOf(selection), "icon", ListingFormat::Asm2, false),
            "/* format 2 bits per pixel */\r\nicon: \r\n.byte 2,3  /* Image size*/\r\n"
            ".byte 0xE4,0x03\r\n");
}

TEST(BuildListing, NameBytesPassThroughUnchanged) {
  const Picture icon = Icon();
  const std::string name = "\xE9t\xE9_\xFF";
  EXPECT_EQ(BuildListing(ViewOf(icon), name, ListingFormat::Asm1, false),
            "/* format 1 bit per pixel */\r\n\xE9t\xE9_\xFF: \r\n.byte 3,2  /* Image size*/\r\n"
            ".byte 0x36\r\n");
}

TEST(BuildListing, FullSizePictureNeverExceedsLineLength) {
  Picture picture;
  for (int y = 1; y <= MaxPictureHeight; ++y) {
    for (int x = 1; x <= MaxPictureWidth; ++x) picture.Cells.At(x, y) = ToPixelCode((x * y) % 5);
  }
  // 96 wide: 12 values per line at 1 bpp, 24 at 2 bpp, 48 at 4 bpp, one line per row.
  const struct {
    ListingFormat format;
    std::size_t per_line;
  } cases[] = {{ListingFormat::Asm1, 12}, {ListingFormat::Asm2, 24}, {ListingFormat::Asm4, 48}};
  for (const auto& c : cases) {
    const std::string text = BuildListing(ViewOf(picture), "p", c.format, false);
    std::size_t data_lines = 0;
    std::size_t start = 0;
    std::size_t line_number = 0;
    while (start < text.size()) {
      const std::size_t end = text.find("\r\n", start);
      ASSERT_NE(end, std::string::npos) << "text must end with CR LF";
      const std::string line = text.substr(start, end - start);
      ASSERT_EQ(line.find('\n'), std::string::npos);
      if (++line_number > 3) {
        ++data_lines;
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), c.per_line - 1) << line;
      }
      start = end + 2;
    }
    EXPECT_EQ(data_lines, static_cast<std::size_t>(MaxPictureHeight));
  }
}

TEST(MonoArrayListing, ThreeByTwoIcon) {
  const Picture icon = Icon();
  EXPECT_EQ(MonoArrayListing(ViewOf(icon), "icon"),
            "/*C++ format*/\r\n/* format 1 bit per pixel */\r\nicon[3][2]={\r\n\r\n{54}\r\n");
}

TEST(MonoArrayListing, GroupsOfTwentyFiveDecimalValues) {
  // 16 x 14 packs into 28 bytes: first row dark, the rest light.
  Picture picture = Filled(16, 14, PixelCode::White);
  for (int x = 1; x <= 16; ++x) picture.Cells.At(x, 1) = PixelCode::Gray66;
  EXPECT_EQ(MonoArrayListing(ViewOf(picture), "m"),
            "/*C++ format*/\r\n/* format 1 bit per pixel */\r\nm[16][14]={\r\n\r\n"
            "{0,0,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,"
            "255,255,255,255}\r\n"
            "{255,255,255}\r\n");
}

TEST(AsmFileListing, ThreeByTwoIcon) {
  const Picture icon = Icon();
  EXPECT_EQ(AsmFileListing(ViewOf(icon), "icon"),
            "/*Created by DravikPictavo */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n"
            ".byte 0,3,4\r\n.byte 1,2,3\r\n");
}

TEST(AsmFileListing, EmptyName) {
  const Picture picture = MakePicture(2, 2, {4, 4, 0, 1});
  EXPECT_EQ(AsmFileListing(ViewOf(picture), ""),
            "/*Created by DravikPictavo */\r\n: \r\n.byte 2,2  /* Image size*/\r\n"
            ".byte 4,4\r\n.byte 0,1\r\n");
}

TEST(PictureClipboardText, ListingFollowedDirectlyByMonoArray) {
  const Picture icon = Icon();
  const std::string mono =
      "/*C++ format*/\r\n/* format 1 bit per pixel */\r\nicon[3][2]={\r\n\r\n{54}\r\n";
  EXPECT_EQ(PictureClipboardText(ViewOf(icon), "icon", ListingFormat::Cpp, false),
            "/*Created by DravikPictavo */\r\nicon[3][2]={\r\n{0,3,4}\r\n{1,2,3}\r\n}" + mono);
  // The appended array is never aligned, whatever the listing used.
  EXPECT_EQ(PictureClipboardText(ViewOf(icon), "icon", ListingFormat::Asm2, true),
            "/* format 2 bits per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n"
            ".byte 0x3C,0x39\r\n" +
                mono);
  EXPECT_EQ(PictureClipboardText(ViewOf(icon), "icon", ListingFormat::Asm1, true),
            "/* format 1 bit per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n"
            ".byte 0x06,0x06\r\n" +
                mono);
}

TEST(ListingFormatFromRadioIndex, PanelItemsInOrder) {
  EXPECT_EQ(ListingFormatFromRadioIndex(0), ListingFormat::Cpp);
  EXPECT_EQ(ListingFormatFromRadioIndex(1), ListingFormat::Asm1);
  EXPECT_EQ(ListingFormatFromRadioIndex(2), ListingFormat::Asm2);
  EXPECT_EQ(ListingFormatFromRadioIndex(3), ListingFormat::Asm4);
  EXPECT_EQ(ListingFormatFromRadioIndex(4), ListingFormat::Asm8);
  EXPECT_EQ(ListingFormatFromRadioIndex(-1), std::nullopt);
  EXPECT_EQ(ListingFormatFromRadioIndex(5), std::nullopt);
}

}  // namespace
}  // namespace pictavo
