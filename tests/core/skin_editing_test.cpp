// Skin editing as the user meets it: what is shown is what a save keeps,
// undo of a size change, New Skin, the stream budget and frame playback.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/documents/skin_budget.h"
#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/frame_player.h"
#include "core/editing/icon_commands.h"
#include "core/formats/skin_file.h"
#include "recording_view.h"
#include "test_models.h"

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::MakeIcon;
constexpr std::uint8_t B = 0, G66 = 1, G33 = 2, W = 3, T = 4;

class SkinEditing : public ::testing::Test {
 public:
  SkinEditing() : editor_(&view_) { editor_.Start(); }

  void Open(std::vector<TSkinIcon> icons) {
    Skin skin;
    for (TSkinIcon& icon : icons) skin.Append(std::move(icon));
    OpenSkinIntoEditor(editor_, std::move(skin), editor_.State().Document.Name);
  }
  EditorState& S() { return EditorTestDoor::MutableState(editor_); }
  const TSkinIcon& Icon(int i) { return editor_.Skin().At(i); }
  // A left click on a 1-based cell at the start's pixel size of 5.
  void Draw(PixelCode code, int x, int y) {
    S().Tools.LeftColor = code;
    editor_.MouseDown(MouseButton::Left, (x - 1) * 5 + 2, (y - 1) * 5 + 2);
    editor_.MouseUp(MouseButton::Left, (x - 1) * 5 + 2, (y - 1) * 5 + 2);
  }
  // The skin as a save and an open give it back.
  Skin Reloaded() {
    auto file = WriteSkinFile(editor_.Skin(), "x");
    EXPECT_TRUE(file.has_value());
    SkinFileRead read = ReadSkinFile(*file);
    EXPECT_TRUE(read.skin.has_value());
    return read.skin ? *read.skin : Skin{};
  }

  testing::RecordingView view_;
  Editor editor_;
};

// ---- what is shown is what is saved -------------------------------------------------

TEST_F(SkinEditing, EveryCodeDrawnShowsAndStoresWhatItsDepthKeeps) {
  // Per depth: the code each of Black, Gray66, Gray33, White, Transparent comes back as.
  const std::pair<int, Bytes> depths[] = {
      {1, {B, W, B, W, B}}, {2, {B, G66, G33, W, B}}, {4, {B, G66, G33, W, T}}};
  for (const auto& [bpp, kept] : depths) {
    Open({MakeIcon(1, 2, bpp, 8, 2, Bytes(32, W))});
    for (int code = 0; code < 5; ++code) Draw(ToPixelCode(code), code + 1, 1);
    for (int code = 0; code < 5; ++code) {
      EXPECT_EQ(ToInt(S().Document.Picture.Cells.At(code + 1, 1)), kept[code])
          << bpp << " bpp, code " << code << " on the canvas";
      EXPECT_EQ(Icon(0).Data[code], kept[code]) << bpp << " bpp, code " << code << " in the icon";
    }
    EXPECT_EQ(Reloaded(), editor_.Skin()) << bpp << " bpp";
  }
}

TEST_F(SkinEditing, FillsPastesAndNewIconsAlsoTakeTheStoredCodes) {
  Open({MakeIcon(1, 1, 1, 8, 1, Bytes(8, B))});
  S().Tools.CurrentTool = DrawTool::Bucket;
  Draw(PixelCode::Gray33, 1, 1);
  EXPECT_EQ(Icon(0).Data, Bytes(8, B)) << "Gray33 keeps its low bit 0 at 1 bpp";
  Draw(PixelCode::Gray66, 1, 1);
  EXPECT_EQ(Icon(0).Data, Bytes(8, W));
  // A new 2 x 4 icon at 1 bpp with a gray right colour: filled with what a save keeps.
  S().Tools.RightColor = PixelCode::Gray66;
  ASSERT_TRUE(AddIcon(editor_, MakeIcon(9, 3, 1, 2, 4, {})));
  EXPECT_EQ(Icon(1).Data, Bytes(24, W));
  EXPECT_EQ(Reloaded(), editor_.Skin());
}

// ---- undo of a size change --------------------------------------------------------------

TEST_F(SkinEditing, UndoOfSetSizeRestoresTheIconWithThePicture) {
  Bytes data(128);
  for (std::size_t k = 0; k < data.size(); ++k) data[k] = static_cast<std::uint8_t>(k % 5);
  Open({MakeIcon(1, 2, 4, 8, 8, data)});
  editor_.ApplySetSize(2, 3);
  ASSERT_EQ(Icon(0).Width, 2);
  editor_.PopUndo();
  EXPECT_EQ(S().Document.Picture.Width, 8);
  EXPECT_EQ(S().Document.Picture.Height, 8);
  EXPECT_EQ(Icon(0).Width, 8);
  EXPECT_EQ(Icon(0).Height, 8);
  EXPECT_EQ(Icon(0).Data, data) << "both sub-icons come back whole";
  Draw(PixelCode::White, 7, 7);
  data[8 * 6 + 6] = W;
  EXPECT_EQ(Icon(0).Data, data) << "a pixel drawn after the undo reaches the icon";
}

TEST_F(SkinEditing, UndoStepsBackThroughDrawingAndResizingInOrder) {
  Open({MakeIcon(1, 1, 4, 4, 4, Bytes(16, B))});
  Draw(PixelCode::White, 1, 1);   // undo step 1
  editor_.ApplySetSize(2, 4);     // step 2
  Draw(PixelCode::Gray33, 2, 2);  // step 3
  editor_.WidthUp();              // step 4: 3 x 4 at 4 bpp packs
  EXPECT_EQ(Icon(0).Width, 3);
  const std::pair<int, std::uint8_t> after_each_undo[] = {{2, G33}, {2, B}, {4, B}};
  for (const auto& [width, at_2_2] : after_each_undo) {
    editor_.PopUndo();
    EXPECT_EQ(Icon(0).Width, width);
    EXPECT_EQ(S().Document.Picture.Width, width);
    EXPECT_EQ(Icon(0).Data[static_cast<std::size_t>(width) + 1], at_2_2);
  }
  EXPECT_EQ(Icon(0).Data[0], W);
  editor_.PopUndo();
  EXPECT_EQ(Icon(0).Data, Bytes(16, B));
}

TEST_F(SkinEditing, ArrowsInSkinModeKeepTheIconPacked) {
  Open({MakeIcon(1, 1, 1, 8, 1, Bytes(8, W))});
  editor_.WidthDown();  // 7 x 1 at 1 bpp does not pack: refused
  EXPECT_EQ(Icon(0).Width, 8);
  EXPECT_EQ(S().Document.Picture.Width, 8);
  editor_.HeightUp();  // 8 x 2 packs
  EXPECT_EQ(Icon(0).Height, 2);
  EXPECT_EQ(S().Document.Picture.Height, 2);
  EXPECT_EQ(S().Document.Undo.Count(), 2);
}

// ---- New Skin ---------------------------------------------------------------------------

TEST_F(SkinEditing, NewSkinHoldsOnlyItsFirstIcon) {
  Open({MakeIcon(1, 1, 4, 4, 4, Bytes(16, B)), MakeIcon(2, 1, 4, 4, 4, Bytes(16, W))});
  Draw(PixelCode::White, 1, 1);
  EXPECT_FALSE(StartNewSkin(editor_, MakeIcon(7, 0, 4, 4, 4, {})));
  EXPECT_EQ(editor_.Skin().Count(), 2) << "a refused icon changes nothing";
  ASSERT_TRUE(StartNewSkin(editor_, MakeIcon(7, 2, 2, 4, 2, {})));
  ASSERT_EQ(editor_.Skin().Count(), 1);
  EXPECT_EQ(IconLabel(Icon(0)), "0x07");
  EXPECT_EQ(Icon(0).Data, Bytes(16, W)) << "right colour Transparent fills with White";
  EXPECT_TRUE(S().Document.SkinMode);
  EXPECT_EQ(S().Document.CurrentIconIndex, 0);
  EXPECT_EQ(S().Document.Picture.Width, 4);
  EXPECT_EQ(S().Document.Undo.Count(), 0);
}

// ---- the stream budget -------------------------------------------------------------------

TEST(SkinBudget, CountsExactlyWhatTheWriterWrites) {
  std::mt19937 rng(15);
  int over = 0;
  for (int round = 0; round < 300; ++round) {
    Skin skin;
    const int icons = static_cast<int>(rng() % 12);
    for (int i = 0; i < icons; ++i) {
      TSkinIcon icon;
      icon.IconID = static_cast<int>(rng() % 255);
      icon.BPP = std::array{1, 2, 4, 8}[rng() % 4];
      do {
        icon.Width = 1 + static_cast<int>(rng() % 96);
        icon.Height = 1 + static_cast<int>(rng() % 92);
      } while (!PacksIntoBytes(icon.Width, icon.Height, icon.BPP));
      icon.SubIcons = 1 + static_cast<int>(rng() % 8);
      icon.Data.assign(icon.ExpectedDataSize(), static_cast<std::uint8_t>(rng() % 5));
      skin.Append(std::move(icon));
    }
    const int current = icons == 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(icons));
    const SkinBudget budget = BudgetOf(skin, current);
    const auto stream = BuildSkinStream(skin);
    EXPECT_EQ(budget.Over(), !stream.has_value()) << "round " << round;
    if (stream) {
      EXPECT_EQ(budget.stream_bytes, stream->size()) << "round " << round;
    } else {
      ++over;
      EXPECT_NE(stream.error().message.find(std::to_string(budget.stream_bytes) + " bytes"),
                std::string::npos)
          << stream.error().message;
    }
    if (icons > 0) {
      std::vector<std::uint8_t> packed;
      PackIconPixels(skin.At(current), packed);
      EXPECT_EQ(budget.icon_bytes, packed.size());
    }
  }
  EXPECT_GT(over, 10) << "some skins must exceed the capacity";
  EXPECT_LT(over, 290);
}

TEST(SkinBudget, TextGroupsTheDigits) {
  SkinBudget budget{96, 12345, SkinStreamCapacity};
  EXPECT_EQ(BudgetText(budget, true), "Icon 96 bytes\nStream 12,345 / 34,442 bytes");
  EXPECT_EQ(BudgetText(SkinBudget{0, 1, 34442}, false), "Stream 1 / 34,442 bytes");
  EXPECT_EQ(GroupedDigits(1234567), "1,234,567");
  EXPECT_EQ(GroupedDigits(999), "999");
  EXPECT_FALSE(budget.Over());
  EXPECT_TRUE((SkinBudget{0, 34443, 34442}).Over());
}

// ---- frame playback ---------------------------------------------------------------------

TEST_F(SkinEditing, PlayerStepsThroughTheSubIconsAndWraps) {
  FramePlayer player;
  Open({MakeIcon(1, 1, 4, 2, 2, Bytes(4, B)), MakeIcon(2, 3, 4, 2, 2, Bytes(12, B))});
  EXPECT_FALSE(player.Start(editor_)) << "one sub-icon is no animation";
  SelectIcon(editor_, 1);
  NextSubIcon(editor_);
  ASSERT_TRUE(player.Start(editor_));
  std::vector<int> frames{player.Frame()};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(player.Tick(editor_));
    frames.push_back(player.Frame());
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 0, 1, 2}));
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 1) << "playing changes nothing";
  EXPECT_EQ(player.IntervalMs(), 100);
  player.SetIntervalMs(1);
  EXPECT_EQ(player.IntervalMs(), FramePlayer::MinIntervalMs);
}

TEST_F(SkinEditing, PlayerStopsAtAnEditOrAnIconChange) {
  using Change = void (*)(SkinEditing&);
  const std::pair<const char*, Change> changes[] = {
      {"pen", [](SkinEditing& t) { t.Draw(PixelCode::White, 1, 1); }},
      {"next sub-icon", [](SkinEditing& t) { NextSubIcon(t.editor_); }},
      {"other icon", [](SkinEditing& t) { SelectIcon(t.editor_, 1); }},
      {"add sub-icon", [](SkinEditing& t) { AddSubIcon(t.editor_); }},
      {"depth", [](SkinEditing& t) { LowerBpp(t.editor_); }},
      {"set size", [](SkinEditing& t) { t.editor_.ApplySetSize(4, 4); }},
      {"leave skin mode", [](SkinEditing& t) { t.editor_.NewPicture(false, 2, 2); }},
  };
  for (const auto& [what, change] : changes) {
    Open({MakeIcon(1, 2, 4, 2, 2, Bytes(8, B)), MakeIcon(2, 2, 4, 2, 2, Bytes(8, B))});
    FramePlayer player;
    ASSERT_TRUE(player.Start(editor_));
    ASSERT_TRUE(player.Tick(editor_));
    EXPECT_FALSE(player.StopIfChanged(editor_)) << what;
    change(*this);
    EXPECT_TRUE(player.StopIfChanged(editor_)) << what;
    EXPECT_FALSE(player.Playing()) << what;
    EXPECT_FALSE(player.Tick(editor_)) << what;
  }
}

TEST_F(SkinEditing, PreviewFrameDrawsOneSubIcon) {
  Open({MakeIcon(1, 2, 4, 2, 1, {B, B, W, W})});
  const Rgb bg{1, 2, 3};
  std::vector<std::uint32_t> out;
  DrawPreviewFrame(editor_, 1, 3, 2, bg, out);
  const std::uint32_t w = ColorOf(PixelCode::White).Argb(), o = bg.Argb();
  EXPECT_EQ(out, (std::vector<std::uint32_t>{w, w, o, o, o, o}));
  DrawPreviewFrame(editor_, 2, 3, 2, bg, out);
  EXPECT_EQ(out, std::vector<std::uint32_t>(6, o));
}

}  // namespace
}  // namespace pictavo
