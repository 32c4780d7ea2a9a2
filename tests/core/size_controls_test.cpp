#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/size_rules.h"
#include "recording_view.h"

namespace pictavo {
namespace {

struct SizeControls : ::testing::Test {
  SizeControls() : editor(&view) { editor.Start(); }
  EditorState& s() { return EditorTestDoor::MutableState(editor); }
  testing::RecordingView view;
  Editor editor;
};

TEST_F(SizeControls, ArrowsSaveASnapshotEvenAtTheLimit) {
  s().Document.Picture.Width = 2;
  editor.WidthDown();
  EXPECT_EQ(s().Document.Picture.Width, 2);
  EXPECT_EQ(s().Document.Undo.Count(), 1);
  s().Document.Picture.Height = 92;
  editor.HeightUp();
  EXPECT_EQ(s().Document.Picture.Height, 92);
  EXPECT_EQ(s().Document.Undo.Count(), 2);
  editor.WidthUp();
  editor.HeightDown();
  EXPECT_EQ(s().Document.Picture.Width, 3);
  EXPECT_EQ(s().Document.Picture.Height, 91);
}

// Each arrow at each end of its range, and one step inside: the largest
// picture is 96 x 92; a picture opened 1 wide or high is never made smaller.
TEST_F(SizeControls, ArrowsStopAtEachEnd) {
  enum Arrow { WidthUp, WidthDown, HeightUp, HeightDown };
  const struct {
    int width, height;
    Arrow arrow;
    int expected_width, expected_height;
  } cases[] = {
      {96, 10, WidthUp, 96, 10},  {95, 10, WidthUp, 96, 10},   {10, 92, HeightUp, 10, 92},
      {10, 91, HeightUp, 10, 92}, {96, 92, WidthDown, 95, 92}, {96, 92, HeightDown, 96, 91},
      {2, 10, WidthDown, 2, 10},  {10, 2, HeightDown, 10, 2},  {1, 1, WidthDown, 1, 1},
      {1, 1, HeightDown, 1, 1},   {1, 1, WidthUp, 2, 1},       {1, 1, HeightUp, 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << ", arrow " << c.arrow);
    s().Document.Picture.Width = c.width;
    s().Document.Picture.Height = c.height;
    switch (c.arrow) {
      case WidthUp:
        editor.WidthUp();
        break;
      case WidthDown:
        editor.WidthDown();
        break;
      case HeightUp:
        editor.HeightUp();
        break;
      case HeightDown:
        editor.HeightDown();
        break;
    }
    EXPECT_EQ(s().Document.Picture.Width, c.expected_width);
    EXPECT_EQ(s().Document.Picture.Height, c.expected_height);
  }
}

TEST_F(SizeControls, QuickSizeKeepsTheHiddenColumns) {
  s().Document.Picture.Cells.At(70, 3) = PixelCode::White;
  editor.SetWidthQuick(50);
  EXPECT_EQ(s().Document.Picture.Width, 50);
  EXPECT_EQ(s().Document.Undo.Count(), 0);
  editor.SetWidthQuick(96);
  EXPECT_EQ(s().Document.Picture.Cells.At(70, 3), PixelCode::White);
  editor.SetHeightQuick(5);
  EXPECT_EQ(s().Document.Picture.Height, 5);
}

TEST_F(SizeControls, SetSizeIsOneUndoStepAndWritesNoCell) {
  s().Document.Picture.Cells.At(15, 15) = PixelCode::Gray66;
  editor.ApplySetSize(20, 20);
  editor.ApplySetSize(10, 10);
  editor.ApplySetSize(20, 20);
  EXPECT_EQ(s().Document.Picture.Cells.At(15, 15), PixelCode::Gray66);
  EXPECT_EQ(s().Document.Undo.Count(), 3);
  editor.PopUndo();
  EXPECT_EQ(s().Document.Picture.Width, 10);
  EXPECT_EQ(s().Document.Picture.Height, 10);
}

TEST_F(SizeControls, NewPictureClearsWithTheRightColourAndEndsSkinMode) {
  editor.SetRightColor(PixelCode::White);
  s().Document.SkinMode = true;  // no icon in the skin: nothing may be touched
  editor.NewPicture(true, 30, 20);
  EXPECT_EQ(s().Document.Picture.Width, 30);
  EXPECT_EQ(s().Document.Picture.Height, 20);
  EXPECT_EQ(s().Document.Picture.Cells.At(1, 1), PixelCode::White);
  EXPECT_EQ(s().Document.Picture.Cells.At(96, 92), PixelCode::White);
  EXPECT_FALSE(s().Document.SkinMode);
  EXPECT_EQ(s().Document.Undo.Count(), 0);
}

TEST_F(SizeControls, CancelledNewPictureOnlyLeavesSkinMode) {
  const Picture before = s().Document.Picture;
  s().Document.SkinMode = true;
  editor.NewPicture(false, 0, 0);
  EXPECT_EQ(s().Document.Picture, before);
  EXPECT_FALSE(s().Document.SkinMode);
}

TEST_F(SizeControls, NewPictureInSkinModeFillsOnlyTheCurrentSubIcon) {
  TSkinIcon icon;
  icon.Width = 4;
  icon.Height = 2;
  icon.SubIcons = 2;
  icon.BPP = 4;
  icon.Data.assign(16, 1);
  EditorTestDoor::MutableSkin(editor).Append(icon);
  EditorTestDoor::MutableSkin(editor).Append(icon);
  s().Document.SkinMode = true;
  s().Document.CurrentIconIndex = 0;
  s().Document.CurrentSubIconIndex = 1;
  editor.SetRightColor(PixelCode::White);
  editor.NewPicture(true, 4, 2);
  const TSkinIcon& edited = editor.Skin().At(0);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(edited.Data[i], 1) << i;
  for (int i = 8; i < 16; ++i) EXPECT_EQ(edited.Data[i], 3) << i;
  EXPECT_EQ(editor.Skin().At(1), icon);
  EXPECT_FALSE(s().Document.SkinMode);
}

TEST_F(SizeControls, SetSizeInSkinModeResizesTheCurrentIcon) {
  TSkinIcon icon;
  icon.Width = 4;
  icon.Height = 4;
  icon.SubIcons = 1;
  icon.BPP = 8;
  icon.Data.assign(16, 2);
  EditorTestDoor::MutableSkin(editor).Append(icon);
  s().Document.SkinMode = true;
  editor.ApplySetSize(6, 2);
  EXPECT_EQ(editor.Skin().At(0).Width, 6);
  EXPECT_EQ(editor.Skin().At(0).Height, 2);
  EXPECT_EQ(editor.Skin().At(0).Data.size(), 12u);
  // With no icon at the current position, nothing is touched.
  s().Document.CurrentIconIndex = 5;
  editor.ApplySetSize(8, 8);
  EXPECT_EQ(editor.Skin().Count(), 1);
  EXPECT_EQ(s().Document.Picture.Width, 8);
}

struct SetSizeCase {
  const char* height;
  const char* width;
  std::optional<int> bpp;
  SetSizeCheck expected;
};

class SetSizeRule : public ::testing::TestWithParam<SetSizeCase> {};

TEST_P(SetSizeRule, ChecksTheBoxes) {
  const SetSizeCase c = GetParam();
  EXPECT_EQ(CheckSetSize(c.height, c.width, c.bpp).check, c.expected)
      << "h=" << c.height << " w=" << c.width;
}

// "H92_W96", "HSpace5_W5", "H3_W3_Bpp1": the boxes as typed, spelled out
// where a character cannot stand in a test name.
std::string BoxName(std::string_view box) {
  if (box.empty()) return "Empty";
  std::string name;
  for (const char c : box) {
    if (c == ' ') {
      name += "Space";
    } else if (c == '-') {
      name += "Minus";
    } else {
      name += c;
    }
  }
  return name;
}

std::string SetSizeCaseName(const ::testing::TestParamInfo<SetSizeCase>& info) {
  const SetSizeCase& c = info.param;
  std::string name = "H" + BoxName(c.height) + "_W" + BoxName(c.width);
  if (c.bpp) name += "_Bpp" + std::to_string(*c.bpp);
  return name;
}

void PrintTo(const SetSizeCase& c, std::ostream* os) {
  *os << "height \"" << c.height << "\" width \"" << c.width << "\"";
  if (c.bpp) *os << " bpp " << *c.bpp;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, SetSizeRule,
    ::testing::Values(SetSizeCase{"92", "96", {}, SetSizeCheck::Accepted},
                      SetSizeCase{"2", "2", {}, SetSizeCheck::Accepted},
                      SetSizeCase{"93", "96", {}, SetSizeCheck::InvalidDimensions},
                      SetSizeCase{"92", "97", {}, SetSizeCheck::InvalidDimensions},
                      SetSizeCase{"1", "5", {}, SetSizeCheck::InvalidDimensions},
                      SetSizeCase{"5", "1", {}, SetSizeCheck::InvalidDimensions},
                      SetSizeCase{"0", "0", {}, SetSizeCheck::InvalidDimensions},
                      SetSizeCase{"05", "5", {}, SetSizeCheck::Accepted},
                      SetSizeCase{"5a", "5", {}, SetSizeCheck::Ignored},
                      SetSizeCase{"-5", "5", {}, SetSizeCheck::Ignored},
                      SetSizeCase{" 5", "5", {}, SetSizeCheck::Ignored},
                      SetSizeCase{"5", "5 ", {}, SetSizeCheck::Ignored},
                      SetSizeCase{"", "5", {}, SetSizeCheck::Ignored},
                      SetSizeCase{"3", "3", 1, SetSizeCheck::InvalidIconParameters},
                      SetSizeCase{"2", "4", 1, SetSizeCheck::Accepted},
                      SetSizeCase{"93", "3", 1, SetSizeCheck::InvalidDimensions},
                      SetSizeCase{"3", "3", 8, SetSizeCheck::Accepted},
                      SetSizeCase{"91", "95", 8, SetSizeCheck::Accepted}),
    SetSizeCaseName);

TEST(SetSizeRuleValues, LeadingZerosAreDecimal) {
  const SetSizeResult r = CheckSetSize("09", "08", std::nullopt);
  EXPECT_EQ(r.height, 9);
  EXPECT_EQ(r.width, 8);
}

}  // namespace
}  // namespace pictavo
