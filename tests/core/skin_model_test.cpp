#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/skin.h"
#include "core/formats/skin_file.h"
#include "test_models.h"

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

using testing::MakeIcon;

TEST(SkinIconModel, DataIndexFollowsSubIconRowColumnOrder) {
  const TSkinIcon icon = MakeIcon(1, 3, 1, 8, 4, Bytes(96, 0));
  EXPECT_EQ(icon.ExpectedDataSize(), 96u);
  EXPECT_EQ(icon.DataIndex(2, 5, 3), 93u);
  EXPECT_EQ(icon.DataIndex(0, 0, 0), 0u);
  EXPECT_EQ(icon.DataIndex(1, 0, 0), 32u);
  EXPECT_EQ(icon.DataIndex(0, 0, 1), 8u);
}

TEST(SkinIconModel, CopiesShareNoPixels) {
  TSkinIcon first = MakeIcon(1, 1, 4, 2, 1, {1, 2});
  Skin skin;
  skin.Append(first);
  first.Data[0] = 4;
  EXPECT_EQ(skin.At(0).Data, (Bytes{1, 2}));
}

struct LabelCase {
  int id;
  const char* label;
};

TEST(IconLabel, TwoUpperCaseHexDigitsOfTheLowByte) {
  const LabelCase cases[] = {
      {7, "0x07"}, {171, "0xAB"},   {10, "0x0A"}, {254, "0xFE"},
      {0, "0x00"}, {0x105, "0x05"}, {-1, "0xFF"},
  };
  for (const LabelCase& c : cases) {
    EXPECT_EQ(IconLabel(MakeIcon(c.id, 1, 4, 2, 1, {0, 0})), c.label) << c.id;
  }
}

TEST(IconLabel, DuplicateIdsAreListedInSkinOrder) {
  Skin skin;
  skin.Append(MakeIcon(9, 1, 4, 2, 1, {0, 0}));
  skin.Append(MakeIcon(9, 1, 4, 2, 1, {3, 3}));
  skin.Append(MakeIcon(171, 1, 4, 2, 1, {1, 1}));
  EXPECT_EQ(IconLabels(skin), (std::vector<std::string>{"0x09", "0x09", "0xAB"}));
}

TEST(SkinSequence, InsertRemoveKeepOrder) {
  Skin skin;
  skin.Append(MakeIcon(1, 1, 4, 2, 1, {0, 0}));
  skin.Append(MakeIcon(2, 1, 4, 2, 1, {0, 0}));
  skin.Insert(1, MakeIcon(3, 1, 4, 2, 1, {0, 0}));
  skin.Insert(skin.Count(), MakeIcon(4, 1, 4, 2, 1, {0, 0}));
  EXPECT_EQ(IconLabels(skin), (std::vector<std::string>{"0x01", "0x03", "0x02", "0x04"}));
  skin.Remove(0);
  skin.Remove(7);  // outside: nothing
  skin.Remove(-1);
  EXPECT_EQ(IconLabels(skin), (std::vector<std::string>{"0x03", "0x02", "0x04"}));
  EXPECT_FALSE(skin.Contains(3));
  EXPECT_TRUE(skin.Contains(2));
}

TEST(ResizeIcon, NarrowerAndLowerKeepsTopLeftOfEverySubIcon) {
  // 4 x 4, two sub-icons.
  TSkinIcon icon = MakeIcon(0x21, 2, 4, 4, 4, {1, 2, 3, 4,  //
                                               3, 4, 1, 2,  //
                                               4, 4, 4, 4,  //
                                               2, 2, 2, 2,  //
                                               4, 3, 2, 1,  //
                                               1, 1, 3, 3,  //
                                               2, 2, 2, 2,  //
                                               4, 4, 4, 4});
  ResizeIcon(icon, 6, 2);
  EXPECT_EQ(icon.Width, 6);
  EXPECT_EQ(icon.Height, 2);
  EXPECT_EQ(icon.SubIcons, 2);
  EXPECT_EQ(icon.BPP, 4);
  EXPECT_EQ(icon.IconID, 0x21);
  EXPECT_EQ(icon.Data, (Bytes{1, 2, 3, 4, 0, 0,  //
                              3, 4, 1, 2, 0, 0,  //
                              4, 3, 2, 1, 0, 0,  //
                              1, 1, 3, 3, 0, 0}));
}

TEST(ResizeIcon, GrowingAddsBlackRightColumnsAndBottomRows) {
  TSkinIcon icon = MakeIcon(1, 1, 2, 2, 2, {3, 1, 2, 4});
  ResizeIcon(icon, 3, 3);
  EXPECT_EQ(icon.Data, (Bytes{3, 1, 0,  //
                              2, 4, 0,  //
                              0, 0, 0}));
}

TEST(ResizeIcon, SameSizeLeavesDataUnchanged) {
  const Bytes data{0, 1, 2, 3, 4, 3, 2, 1, 4, 4, 0, 0, 1, 2, 3, 4};
  TSkinIcon icon = MakeIcon(5, 2, 4, 4, 2, data);
  ResizeIcon(icon, 4, 2);
  EXPECT_EQ(icon.Data, data);
}

}  // namespace
}  // namespace pictavo
