#include <gtest/gtest.h>

#include <string>

#include "core/editing/add_icon.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/icon_commands.h"

namespace pictavo {
namespace {

TEST(ParseIconId, DecimalHexAndSigns) {
  const struct {
    const char* text;
    long long value;
  } cases[] = {
      {"0", 0},       {"1", 1},       {"254", 254}, {"00254", 254}, {"255", 255}, {"0xFE", 254},
      {"0XFE", 254},  {"$FE", 254},   {"xFE", 254}, {"XFE", 254},   {"$fe", 254}, {"0xfE", 254},
      {"0x100", 256}, {"+5", 5},      {"-3", -3},   {"-0x10", -16}, {"+$0A", 10}, {"  12", 12},
      {"\t7", 7},     {" \t -8", -8}, {"", 0},      {"abc", 0},     {"FE", 0},    {"12a", 0},
      {"12 ", 0},     {"1 2", 0},     {"0x", 0},    {"$", 0},       {"x", 0},     {"+", 0},
      {"-", 0},       {"0x1G", 0},    {"1e3", 0},   {"--3", 0},     {"+-3", 0},   {"0x0x1", 0},
      {"$$1", 0},     {"12.0", 0},    {" ", 0},     {"0b101", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseIconId(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(ParseIconId, LongNumbersStayOutOfRangeWithoutOverflow) {
  EXPECT_GT(ParseIconId("99999999999999999999999999999999999999"), 254);
  EXPECT_GT(ParseIconId("0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"), 254);
  EXPECT_LT(ParseIconId("-99999999999999999999999999999999999999"), 1);
  EXPECT_GT(ParseIconId("4294967297"), 254);            // 2^32 + 1 must not wrap to 1
  EXPECT_GT(ParseIconId("18446744073709551617"), 254);  // 2^64 + 1 either
  EXPECT_EQ(ParseIconId(std::string(500, '0') + "42"), 42);
}

TEST(AddIconModel, StartsAtFourByFourFourBppOneSubIcon) {
  const AddIconModel model;
  EXPECT_EQ(model.Icon().Width, 4);
  EXPECT_EQ(model.Icon().Height, 4);
  EXPECT_EQ(model.Icon().BPP, 4);
  EXPECT_EQ(model.Icon().SubIcons, 1);
  EXPECT_TRUE(model.Icon().Data.empty());
}

TEST(AddIconModel, IdIsCheckedFirst) {
  AddIconModel model;
  EXPECT_EQ(model.Validate("0"), AddIconCheck::InvalidId);
  for (const char* text : {"0", "255", "-3", "abc", "", "0x100"}) {
    EXPECT_EQ(model.Validate(text), AddIconCheck::InvalidId) << text;
  }
  model.WidthDown();   // 3 x 4 x 4 still packs
  model.HeightDown();  // 3 x 3 x 4 does not
  EXPECT_EQ(model.Validate("999"), AddIconCheck::InvalidId);
  EXPECT_EQ(model.Validate("9"), AddIconCheck::InvalidPacking);
  EXPECT_EQ(model.Icon().IconID, 0) << "a refusal sets no ID";
}

TEST(AddIconModel, AcceptedIdsAreStored) {
  const struct {
    const char* text;
    int id;
  } cases[] = {{"1", 1},     {"254", 254}, {"0xFE", 254}, {"0XFE", 254},
               {"$FE", 254}, {"xFE", 254}, {"+7", 7}};
  AddIconModel model;
  for (const auto& c : cases) {
    EXPECT_EQ(model.Validate(c.text), AddIconCheck::Accepted) << c.text;
    EXPECT_EQ(model.Icon().IconID, c.id) << c.text;
  }
}

TEST(AddIconModel, PackingRuleAtEveryDepth) {
  AddIconModel model;
  model.WidthDown();
  model.HeightDown();  // 3 x 3
  for (int step = 0; step < 3; ++step) {
    EXPECT_EQ(model.Validate("5"), AddIconCheck::InvalidPacking) << model.Icon().BPP;
    model.BppDown();
  }
  model.WidthUp();
  model.HeightUp();  // 4 x 4 at 1, 2 and 4 bpp
  for (int step = 0; step < 3; ++step) {
    EXPECT_EQ(model.Validate("5"), AddIconCheck::Accepted) << model.Icon().BPP;
    model.BppUp();
  }
  AddIconModel narrow;  // 3 x 8 at 1 bpp
  narrow.WidthDown();
  for (int i = 0; i < 4; ++i) narrow.HeightUp();
  narrow.BppDown();
  narrow.BppDown();
  ASSERT_EQ(narrow.Icon().BPP, 1);
  EXPECT_EQ(narrow.Validate("5"), AddIconCheck::Accepted);
  for (int i = 0; i < 4; ++i) narrow.HeightDown();  // 3 x 4: 12 bits at 1 bpp, 24 at 2
  EXPECT_EQ(narrow.Validate("5"), AddIconCheck::InvalidPacking);
  narrow.BppUp();
  EXPECT_EQ(narrow.Validate("5"), AddIconCheck::Accepted);
}

TEST(AddIconModel, DepthArrowsStepThroughOneTwoFour) {
  AddIconModel model;
  const int down[] = {2, 1, 1};
  for (int bpp : down) {
    model.BppDown();
    EXPECT_EQ(model.Icon().BPP, bpp);
  }
  const int up[] = {2, 4, 4};
  for (int bpp : up) {
    model.BppUp();
    EXPECT_EQ(model.Icon().BPP, bpp);
  }
}

TEST(AddIconModel, SizeArrowsStopAtTheirLimits) {
  AddIconModel model;
  for (int i = 0; i < 200; ++i) model.WidthUp();
  for (int i = 0; i < 200; ++i) model.HeightUp();
  EXPECT_EQ(model.Icon().Width, 96);
  EXPECT_EQ(model.Icon().Height, 92);
  for (int i = 0; i < 200; ++i) model.WidthDown();
  for (int i = 0; i < 200; ++i) model.HeightDown();
  EXPECT_EQ(model.Icon().Width, 1);
  EXPECT_EQ(model.Icon().Height, 1);
  model.SubIconsDown();
  EXPECT_EQ(model.Icon().SubIcons, 1);
  for (int i = 0; i < 299; ++i) model.SubIconsUp();
  EXPECT_EQ(model.Icon().SubIcons, 300);
}

TEST(AddIconModel, ValuesStayFromOneUseToTheNext) {
  AddIconModel model;
  for (int i = 0; i < 4; ++i) model.WidthUp();
  for (int i = 0; i < 4; ++i) model.HeightUp();
  model.BppDown();
  ASSERT_EQ(model.Validate("0x21"), AddIconCheck::Accepted);
  // Next opening: same values; a cancelled change is kept too.
  EXPECT_EQ(model.Icon().Width, 8);
  EXPECT_EQ(model.Icon().Height, 8);
  EXPECT_EQ(model.Icon().BPP, 2);
  model.SubIconsUp();
  EXPECT_EQ(model.Icon().SubIcons, 2);
  EXPECT_EQ(model.Icon().IconID, 0x21);
}

TEST(AddIconModel, MessageTexts) {
  EXPECT_EQ(AddIconCheckText(AddIconCheck::InvalidId), "Invalid icon ID");
  EXPECT_EQ(AddIconCheckText(AddIconCheck::InvalidPacking),
            "Width * Height * BPP must divide by 8.");
  EXPECT_EQ(AddIconCheckText(AddIconCheck::Accepted), "");
}

TEST(AddIconModel, AcceptedIconGoesIntoTheSkin) {
  Editor editor;
  AddIconModel model;
  model.BppDown();
  ASSERT_EQ(model.Validate("$AB"), AddIconCheck::Accepted);
  EditorTestDoor::MutableState(editor).Document.SkinMode = true;
  EditorTestDoor::MutableState(editor).Tools.RightColor = PixelCode::Gray33;
  ASSERT_TRUE(AddIcon(editor, model.Icon()));
  ASSERT_EQ(editor.Skin().Count(), 1);
  const TSkinIcon& icon = editor.Skin().At(0);
  EXPECT_EQ(IconLabel(icon), "0xAB");
  EXPECT_EQ(icon.BPP, 2);
  EXPECT_EQ(icon.Data, std::vector<std::uint8_t>(16, 2));
  EXPECT_TRUE(model.Icon().Data.empty()) << "the dialog keeps its own copy";
}

}  // namespace
}  // namespace pictavo
