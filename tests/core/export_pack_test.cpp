#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/model/picture.h"
#include "core/model/pixel_code.h"
#include "core/formats/pack_pixels.h"
#include "test_models.h"

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Picture MakePicture(int width, int height, const std::vector<int>& codes) {
  return testing::MakePicture(width, height, codes, PixelCode::White);
}

Picture Icon() { return testing::IconExample(PixelCode::White); }

struct PackCase {
  int depth;
  bool align;
  Bytes expected;
};

TEST(PackPixels, ThreeByTwoIconAtEveryDepth) {
  const PackCase cases[] = {
      {1, false, {0x36}},      {1, true, {0x06, 0x06}},        {2, false, {0x7C, 0x0E}},
      {2, true, {0x3C, 0x39}}, {4, false, {0x30, 0x14, 0x32}}, {4, true, {0x30, 0x04, 0x21, 0x03}},
  };
  const Picture icon = Icon();
  for (const PackCase& c : cases) {
    EXPECT_EQ(PackPixels(ViewOf(icon), c.depth, c.align), c.expected)
        << "depth " << c.depth << " align " << c.align;
  }
}

TEST(PackPixels, TransparentPacksAsLightWhiteOrItself) {
  const Picture transparent = MakePicture(2, 2, {4, 4, 4, 4});
  EXPECT_EQ(PackPixels(ViewOf(transparent), 1, false), Bytes{0x0F});
  EXPECT_EQ(PackPixels(ViewOf(transparent), 2, false), Bytes{0xFF});
  EXPECT_EQ(PackPixels(ViewOf(transparent), 4, false), (Bytes{0x44, 0x44}));
}

TEST(PackPixels, PackedValueTable) {
  // Per code Black, Gray66, Gray33, White, Transparent.
  const int expected[3][PixelCodeCount] = {{0, 0, 1, 1, 1}, {0, 1, 2, 3, 3}, {0, 1, 2, 3, 4}};
  const int depths[3] = {1, 2, 4};
  for (int d = 0; d < 3; ++d) {
    for (int code = 0; code < PixelCodeCount; ++code) {
      EXPECT_EQ(PackedValue(ToPixelCode(code), depths[d]), expected[d][code])
          << "code " << code << " depth " << depths[d];
    }
  }
}

TEST(PackPixels, SpareHighBitsOfLastByteStayZero) {
  const Picture white = MakePicture(3, 2, {3, 3, 3, 3, 3, 3});
  EXPECT_EQ(PackPixels(ViewOf(white), 1, false), Bytes{0x3F});
  EXPECT_EQ(PackPixels(ViewOf(white), 1, true), (Bytes{0x07, 0x07}));
  EXPECT_EQ(PackPixels(ViewOf(white), 2, true), (Bytes{0x3F, 0x3F}));
}

TEST(PackPixels, ByteCountFollowsWidthHeightAndAlign) {
  for (int depth : {1, 2, 4}) {
    const int bits = depth;
    for (int width = 2; width <= 17; ++width) {
      for (int height = 2; height <= 4; ++height) {
        Picture picture;
        picture.Width = width;
        picture.Height = height;
        const std::size_t unaligned = (width * height * bits + 7) / 8;
        const std::size_t aligned = height * ((width * bits + 7) / 8);
        EXPECT_EQ(PackPixels(ViewOf(picture), depth, false).size(), unaligned);
        EXPECT_EQ(PackPixels(ViewOf(picture), depth, true).size(), aligned);
      }
    }
  }
}

TEST(PackPixels, AlignChangesNothingWhenRowsFillWholeBytes) {
  Picture picture;
  picture.Width = 16;
  picture.Height = 3;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 16; ++x) picture.Cells.At(x, y) = ToPixelCode((x * 3 + y) % 5);
  }
  for (int depth : {1, 2, 4}) {
    EXPECT_EQ(PackPixels(ViewOf(picture), depth, true), PackPixels(ViewOf(picture), depth, false))
        << "depth " << depth;
  }
}

TEST(PackPixels, LineBreakingPictureTenByThree) {
  Picture picture;
  picture.Width = 10;
  picture.Height = 3;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 10; ++x) picture.Cells.At(x, y) = ToPixelCode((x + y - 2) % 5);
  }
  EXPECT_EQ(PackPixels(ViewOf(picture), 2, false),
            (Bytes{0xE4, 0x93, 0x9F, 0x4F, 0x3E, 0x3E, 0xF9, 0x04}));
  EXPECT_EQ(PackPixels(ViewOf(picture), 2, true),
            (Bytes{0xE4, 0x93, 0x0F, 0xF9, 0xE4, 0x03, 0x3E, 0xF9, 0x04}));
}

TEST(PackPixels, OnePixelWideSelection) {
  SelectionGrid selection;
  selection.Cells.Fill(PixelCode::White);
  selection.Width = 1;
  selection.Height = 3;
  selection.Cells.At(1, 1) = PixelCode::White;
  selection.Cells.At(1, 2) = PixelCode::Black;
  selection.Cells.At(1, 3) = PixelCode::Transparent;
  EXPECT_EQ(PackPixels(ViewOf(selection), 1, true), (Bytes{0x01, 0x00, 0x01}));
  EXPECT_EQ(PackPixels(ViewOf(selection), 1, false), Bytes{0x05});
  EXPECT_EQ(PackPixels(ViewOf(selection), 4, true), (Bytes{0x03, 0x00, 0x04}));
}

TEST(PackPixels, EachPackingStandsAlone) {
  const Picture icon = Icon();
  EXPECT_EQ(PackPixels(ViewOf(icon), 4, true), (Bytes{0x30, 0x04, 0x21, 0x03}));
  EXPECT_EQ(PackPixels(ViewOf(icon), 4, false), (Bytes{0x30, 0x14, 0x32}));
  EXPECT_EQ(PackPixels(ViewOf(icon), 1, true), (Bytes{0x06, 0x06}));
  EXPECT_EQ(PackPixels(ViewOf(icon), 1, false), Bytes{0x36});
}

TEST(PackPixels, UnknownCodePacksLikeTransparentWithoutSpilling) {
  Picture picture = MakePicture(2, 2, {0, 0, 0, 0});
  picture.Cells.At(1, 1) = static_cast<PixelCode>(0xFF);
  EXPECT_EQ(PackPixels(ViewOf(picture), 4, false), (Bytes{0x04, 0x00}));
  EXPECT_EQ(PackPixels(ViewOf(picture), 2, false), Bytes{0x03});
  EXPECT_EQ(PackPixels(ViewOf(picture), 1, false), Bytes{0x01});
}

TEST(PackPixels, UnsupportedDepthGivesNothing) {
  const Picture icon = Icon();
  EXPECT_TRUE(PackPixels(ViewOf(icon), 8, false).empty());
  EXPECT_TRUE(PackPixels(ViewOf(icon), 0, true).empty());
  EXPECT_TRUE(PackPixels(ViewOf(icon), 3, false).empty());
}

}  // namespace
}  // namespace pictavo
