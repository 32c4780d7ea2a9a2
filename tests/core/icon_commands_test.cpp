#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/editor_view.h"
#include "core/editing/icon_commands.h"
#include "core/editing/sub_icon_sync.h"
#include "core/formats/skin_file.h"
#include "core/model/skin.h"
#include "test_models.h"

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t B = 0, G66 = 1, G33 = 2, W = 3, T = 4;

class RecordingView : public EditorView {
 public:
  void Rendered() override { ++renders; }
  void PreviewChanged() override { ++previews; }
  int renders = 0;
  int previews = 0;
};

using testing::MakeIcon;

TSkinIcon Blank(int id, int sub_icons, int width, int height) {
  return MakeIcon(id, sub_icons, 4, width, height,
                  Bytes(static_cast<std::size_t>(sub_icons * width * height), B));
}

class IconCommands : public ::testing::Test {
 protected:
  IconCommands() : editor_(&view_) {}

  void Open(std::vector<TSkinIcon> icons) {
    Skin skin;
    for (TSkinIcon& icon : icons) skin.Append(std::move(icon));
    OpenSkinIntoEditor(editor_, std::move(skin), editor_.State().Document.Name);
  }
  EditorState& S() { return EditorTestDoor::MutableState(editor_); }
  const TSkinIcon& Icon(int i) { return editor_.Skin().At(i); }
  Bytes PictureRow(int y, int width) {
    Bytes row;
    for (int x = 1; x <= width; ++x)
      row.push_back(static_cast<std::uint8_t>(S().Document.Picture.Cells.At(x, y)));
    return row;
  }

  RecordingView view_;
  Editor editor_;
};

// ---- icons and sub-icons ------------------------------------------------------------

TEST_F(IconCommands, SelectIconLoadsSubIconZeroAndEmptiesUndo) {
  Open({MakeIcon(1, 1, 4, 2, 1, {W, W}), MakeIcon(2, 2, 4, 4, 2,
                                                  {1, 2, 3, 4, 4, 3, 2, 1,  //
                                                   0, 0, 0, 0, 4, 4, 4, 4})});
  S().Document.CurrentSubIconIndex = 0;
  EditorTestDoor::PushUndo(editor_);
  SelectIcon(editor_, 1);
  EXPECT_EQ(S().Document.CurrentIconIndex, 1);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 0);
  EXPECT_EQ(S().Document.Undo.Count(), 0);
  EXPECT_EQ(S().Document.Picture.Width, 4);
  EXPECT_EQ(S().Document.Picture.Height, 2);
  EXPECT_EQ(PictureRow(1, 4), (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(PictureRow(2, 4), (Bytes{4, 3, 2, 1}));
}

TEST_F(IconCommands, SelectIconOutsideTheSkinDoesNothing) {
  Open({Blank(1, 1, 2, 2), Blank(2, 1, 4, 4)});
  EditorTestDoor::PushUndo(editor_);
  for (int index : {-1, 2, 100}) {
    SelectIcon(editor_, index);
    EXPECT_EQ(S().Document.CurrentIconIndex, 0);
    EXPECT_EQ(S().Document.Undo.Count(), 1);
  }
}

TEST_F(IconCommands, SubIconArrowsStopAtBothEnds) {
  Open({MakeIcon(1, 3, 4, 2, 1, {1, 1, 2, 2, 3, 3})});
  PreviousSubIcon(editor_);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 0);
  NextSubIcon(editor_);
  NextSubIcon(editor_);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 2);
  EXPECT_EQ(PictureRow(1, 2), (Bytes{3, 3}));
  EditorTestDoor::PushUndo(editor_);
  NextSubIcon(editor_);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 2);
  EXPECT_EQ(S().Document.Undo.Count(), 1) << "a refused move keeps the undo stack";
  PreviousSubIcon(editor_);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 1);
  EXPECT_EQ(S().Document.Undo.Count(), 0);
  EXPECT_EQ(PictureRow(1, 2), (Bytes{2, 2}));
}

TEST_F(IconCommands, AddSubIconCopiesTheCurrentOneAfterIt) {
  Open({MakeIcon(1, 3, 4, 2, 1, {B, G66, G33, W, T, B})});
  NextSubIcon(editor_);
  AddSubIcon(editor_);
  EXPECT_EQ(Icon(0).SubIcons, 4);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 2);
  EXPECT_EQ(Icon(0).Data, (Bytes{B, G66, G33, W, G33, W, T, B}));
  EXPECT_EQ(PictureRow(1, 2), (Bytes{G33, W}));
}

TEST_F(IconCommands, DeleteSubIconKeepsAValidCurrentOne) {
  Open({MakeIcon(1, 3, 4, 2, 1, {B, G66, G33, W, T, B})});
  NextSubIcon(editor_);
  NextSubIcon(editor_);
  DeleteSubIcon(editor_);
  EXPECT_EQ(Icon(0).SubIcons, 2);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 1);
  EXPECT_EQ(Icon(0).Data, (Bytes{B, G66, G33, W}));

  PreviousSubIcon(editor_);
  DeleteSubIcon(editor_);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 0);
  EXPECT_EQ(Icon(0).Data, (Bytes{G33, W}));
  EXPECT_EQ(PictureRow(1, 2), (Bytes{G33, W}));

  DeleteSubIcon(editor_);
  EXPECT_EQ(Icon(0).SubIcons, 1);
  EXPECT_EQ(Icon(0).Data, (Bytes{G33, W}));
}

TEST_F(IconCommands, AddIconGoesRightAfterTheCurrentOne) {
  Open({Blank(1, 1, 2, 2), Blank(2, 1, 2, 2), Blank(3, 1, 2, 2)});
  TSkinIcon prepared = Blank(0x40, 2, 3, 8);
  prepared.Data.clear();
  ASSERT_TRUE(AddIcon(editor_, prepared));
  EXPECT_EQ(IconLabels(editor_.Skin()), (std::vector<std::string>{"0x01", "0x40", "0x02", "0x03"}));
  EXPECT_EQ(S().Document.CurrentIconIndex, 1);
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 0);
  EXPECT_EQ(Icon(1).Data, Bytes(2 * 3 * 8, T));
  EXPECT_EQ(S().Document.Picture.Width, 3);
  EXPECT_EQ(S().Document.Picture.Height, 8);
}

TEST_F(IconCommands, AddIconBelowFourBppTakesTheRightColour) {
  Open({Blank(1, 1, 2, 2)});
  TSkinIcon prepared = MakeIcon(9, 1, 2, 4, 1, {});
  S().Tools.RightColor = PixelCode::Gray66;
  AddIcon(editor_, prepared);
  EXPECT_EQ(Icon(1).Data, Bytes(4, G66));
  S().Tools.RightColor = PixelCode::Transparent;
  AddIcon(editor_, prepared);
  EXPECT_EQ(Icon(2).Data, Bytes(4, W));
  prepared.BPP = 1;
  prepared.Width = 8;
  S().Tools.RightColor = PixelCode::Black;
  AddIcon(editor_, prepared);
  EXPECT_EQ(Icon(3).Data, Bytes(8, B));
}

TEST_F(IconCommands, AddIconIntoAnEmptySkinAndRefusedShapes) {
  Open({});
  EXPECT_FALSE(AddIcon(editor_, MakeIcon(1, 1, 4, 0, 4, {})));
  EXPECT_FALSE(AddIcon(editor_, MakeIcon(1, 0, 4, 2, 4, {})));
  EXPECT_FALSE(AddIcon(editor_, MakeIcon(1, 1, 4, 2, 93, {})));
  EXPECT_EQ(editor_.Skin().Count(), 0);
  ASSERT_TRUE(AddIcon(editor_, MakeIcon(7, 1, 4, 2, 4, {})));
  EXPECT_EQ(editor_.Skin().Count(), 1);
  EXPECT_EQ(S().Document.CurrentIconIndex, 0);
}

TEST_F(IconCommands, DeleteIconMakesTheFollowingOrNewLastCurrent) {
  Open({MakeIcon(1, 1, 4, 2, 1, {1, 1}), MakeIcon(2, 1, 4, 2, 1, {2, 2}),
        MakeIcon(3, 1, 4, 2, 1, {3, 3})});
  SelectIcon(editor_, 2);
  DeleteIcon(editor_);
  EXPECT_EQ(S().Document.CurrentIconIndex, 1);
  EXPECT_EQ(PictureRow(1, 2), (Bytes{2, 2}));
  SelectIcon(editor_, 0);
  DeleteIcon(editor_);
  EXPECT_EQ(S().Document.CurrentIconIndex, 0);
  EXPECT_EQ(IconLabels(editor_.Skin()), (std::vector<std::string>{"0x02"}));
  EXPECT_EQ(PictureRow(1, 2), (Bytes{2, 2}));
  DeleteIcon(editor_);
  EXPECT_EQ(editor_.Skin().Count(), 0);
  EXPECT_EQ(S().Document.CurrentIconIndex, 0);
  EXPECT_TRUE(S().Document.SkinMode);
}

TEST_F(IconCommands, EverythingIsSafeWithoutACurrentIcon) {
  for (int variant = 0; variant < 2; ++variant) {
    if (variant == 0) {
      Open({});
    } else {
      Open({Blank(1, 2, 2, 2)});
      S().Document.CurrentIconIndex = 5;  // no icon there
    }
    const Skin skin = editor_.Skin();
    S().Document.Picture.Cells.At(1, 1) = PixelCode::Gray33;
    const Picture picture = S().Document.Picture;
    EditorTestDoor::PushUndo(editor_);
    NextSubIcon(editor_);
    PreviousSubIcon(editor_);
    AddSubIcon(editor_);
    DeleteSubIcon(editor_);
    EXPECT_FALSE(RaiseBpp(editor_));
    EXPECT_FALSE(LowerBpp(editor_));
    DeleteIcon(editor_);
    EXPECT_FALSE(ChoosePreviewSubIcon(editor_, 0, 0, 415));
    editor_.Present();
    editor_.Render();
    std::vector<std::uint32_t> preview;
    DrawPreview(editor_, 3, 2, Rgb{1, 2, 3}, preview);
    EXPECT_EQ(preview, std::vector<std::uint32_t>(6, Rgb{1, 2, 3}.Argb()));
    EXPECT_EQ(editor_.Skin(), skin);
    EXPECT_EQ(S().Document.Picture, picture);
    EXPECT_EQ(S().Document.Undo.Count(), 1);
    EXPECT_EQ(S().Document.CurrentIconIndex, variant == 0 ? 0 : 5);
  }
}

TEST_F(IconCommands, SubIconIndexOutsideTheIconIsNeverUsed) {
  Open({MakeIcon(1, 2, 4, 2, 1, {1, 1, 2, 2})});
  S().Document.CurrentSubIconIndex = 7;
  const Skin skin = editor_.Skin();
  AddSubIcon(editor_);
  DeleteSubIcon(editor_);
  editor_.Present();
  EXPECT_EQ(editor_.Skin(), skin);
}

// ---- depth --------------------------------------------------------------------------

TEST_F(IconCommands, LoweringAThreeByThreeIconIsRefusedAndItStaysAtFour) {
  const Bytes data{T, W, G33, G66, B, T, W, W, T};
  Open({MakeIcon(1, 1, 4, 3, 3, data)});
  EditorTestDoor::PushUndo(editor_);
  EXPECT_TRUE(LowerBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 4);
  EXPECT_EQ(Icon(0).Data, data);
  EXPECT_EQ(S().Document.Undo.Count(), 1);
}

TEST_F(IconCommands, LoweringFitsTheCodesStepByStep) {
  const Bytes data{T, W, G33, G66, B, T, W, W, T, G33, G33, G66, B, B, T, W};
  Open({MakeIcon(1, 1, 4, 4, 4, data), MakeIcon(2, 1, 4, 4, 4, data)});
  S().Tools.RightColor = PixelCode::Transparent;
  EditorTestDoor::PushUndo(editor_);
  EXPECT_FALSE(LowerBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 2);
  EXPECT_EQ(Icon(0).Data, (Bytes{W, W, G33, G66, B, W, W, W, W, G33, G33, G66, B, B, W, W}));
  EXPECT_EQ(PictureRow(1, 4), (Bytes{W, W, G33, G66}));
  EXPECT_EQ(S().Document.Undo.Count(), 1) << "depth changes keep the undo stack";

  EXPECT_FALSE(LowerBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 1);
  EXPECT_EQ(Icon(0).Data, (Bytes{W, W, W, B, B, W, W, W, W, W, W, B, B, B, W, W}));
  EXPECT_FALSE(LowerBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 1);

  SelectIcon(editor_, 1);
  S().Tools.RightColor = PixelCode::Gray66;
  LowerBpp(editor_);
  EXPECT_EQ(Icon(1).Data,
            (Bytes{G66, W, G33, G66, B, G66, W, W, G66, G33, G33, G66, B, B, G66, W}));
}

TEST_F(IconCommands, RaisingStepsOneTwoFourAndStops) {
  const Bytes data{W, B, B, W, W, W, B, B};
  Open({MakeIcon(1, 1, 1, 8, 1, data)});
  EXPECT_FALSE(RaiseBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 2);
  EXPECT_FALSE(RaiseBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 4);
  EXPECT_FALSE(RaiseBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 4);
  EXPECT_EQ(Icon(0).Data, data);
}

TEST_F(IconCommands, EightBppFromAFileStepsDownToFour) {
  Open({MakeIcon(1, 1, 8, 2, 2, {T, G33, W, B}), MakeIcon(2, 1, 8, 3, 3, Bytes(9, T))});
  EXPECT_FALSE(RaiseBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 8);
  EXPECT_FALSE(LowerBpp(editor_));
  EXPECT_EQ(Icon(0).BPP, 4);
  EXPECT_EQ(Icon(0).Data, (Bytes{T, G33, W, B}));
  SelectIcon(editor_, 1);
  EXPECT_TRUE(LowerBpp(editor_));
  EXPECT_EQ(Icon(1).BPP, 8);
  EXPECT_EQ(Icon(1).Data, Bytes(9, T));
}

TEST(FitIconToBpp, RefusedDepthGoesOneStepUpUntested) {
  // 3 x 3 with 8 sub-icons packs at 1 bpp only as a whole; raised to 2 the
  // depth is refused and goes on to 4, which is kept although 36 bits is no
  // multiple of 8 either.
  TSkinIcon icon = MakeIcon(1, 8, 2, 3, 3, Bytes(72, T));
  EXPECT_TRUE(FitIconToBpp(icon, PixelCode::Black));
  EXPECT_EQ(icon.BPP, 4);
  EXPECT_EQ(icon.Data, Bytes(72, T));
}

TEST(FitIconToBpp, TransparentEndsWhiteAtOneBppWhateverTheRightColour) {
  TSkinIcon icon = MakeIcon(1, 1, 1, 8, 1, {T, T, B, G66, G33, W, T, B});
  EXPECT_FALSE(FitIconToBpp(icon, PixelCode::Black));
  EXPECT_EQ(icon.Data, (Bytes{W, W, B, B, W, W, W, B}));
}

TEST(FitIconToBpp, FourAndEightBppChangeNothing) {
  for (int bpp : {4, 8}) {
    TSkinIcon icon = MakeIcon(1, 1, bpp, 2, 4, {T, W, G33, G66, B, T, T, B});
    EXPECT_FALSE(FitIconToBpp(icon, PixelCode::Gray66));
    EXPECT_EQ(icon.Data, (Bytes{T, W, G33, G66, B, T, T, B}));
  }
}

// ---- preview ------------------------------------------------------------------------

TEST(PreviewGeometry, TenByTenInA415HighBox) {
  const TSkinIcon icon = Blank(1, 40, 10, 10);
  EXPECT_EQ(PreviewRows(415, icon, 1), 34);
  EXPECT_EQ(PreviewRows(415, icon, 2), 17);
  const int rows = PreviewRows(415, icon, 1);
  EXPECT_EQ(PreviewCellOrigin(icon, 1, rows, 0), (PreviewPoint{0, 0}));
  EXPECT_EQ(PreviewCellOrigin(icon, 1, rows, 1), (PreviewPoint{0, 12}));
  EXPECT_EQ(PreviewCellOrigin(icon, 1, rows, 34), (PreviewPoint{12, 0}));
  EXPECT_EQ(PreviewCellOrigin(icon, 3, 17, 18), (PreviewPoint{36, 36}));
}

TEST(PreviewGeometry, RowsNeverZero) {
  const TSkinIcon icon = Blank(1, 3, 10, 10);
  EXPECT_EQ(PreviewRows(11, icon, 1), 1);
  EXPECT_EQ(PreviewRows(0, icon, 1), 1);
  EXPECT_EQ(PreviewRows(-5, icon, 4), 1);
  EXPECT_EQ(PreviewRows(12, icon, 1), 1);
  EXPECT_EQ(PreviewRows(24, icon, 1), 2);
  // One row: sub-icons side by side.
  EXPECT_EQ(PreviewHitTest(icon, 1, 5, 15, 3), std::optional<int>(1));
  EXPECT_EQ(PreviewHitTest(icon, 1, 5, 15, 11), std::nullopt);
}

TEST(PreviewHitTest, ClickExamples) {
  const struct {
    int sub_icons, x, y;
    std::optional<int> hit;
  } cases[] = {
      {3, 5, 30, 2},
      {2, 5, 30, std::nullopt},
      {35, 11, 5, 34},
      {34, 11, 5, std::nullopt},
      {40, 0, 0, 0},
      {40, 10, 10, 0},
      {40, 10, 11, 1},
      {40, -4, -4, 0},
      {40, 5, 500, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PreviewHitTest(Blank(1, c.sub_icons, 10, 10), 1, 415, c.x, c.y), c.hit)
        << c.sub_icons << " sub-icons at " << c.x << "," << c.y;
  }
}

TEST_F(IconCommands, PreviewClickChoosesASubIcon) {
  Open({MakeIcon(1, 3, 4, 2, 1, {1, 1, 2, 2, 3, 3})});
  EditorTestDoor::PushUndo(editor_);
  // Cells are 4 x 3 at scale 1; with a 7-high box two fit in a column.
  EXPECT_TRUE(ChoosePreviewSubIcon(editor_, 0, 4, 7));
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 1);
  EXPECT_EQ(S().Document.Undo.Count(), 0);
  EXPECT_EQ(PictureRow(1, 2), (Bytes{2, 2}));
  EXPECT_TRUE(ChoosePreviewSubIcon(editor_, 3, 0, 7));
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 2);
  EXPECT_FALSE(ChoosePreviewSubIcon(editor_, 9, 0, 7));
  EXPECT_EQ(S().Document.CurrentSubIconIndex, 2);
}

TEST_F(IconCommands, PreviewZoomHasAFloorOfOne) {
  PreviewZoomOut(editor_);
  EXPECT_EQ(S().View.PreviewScale, 1);
  for (int i = 0; i < 60; ++i) PreviewZoomIn(editor_);
  EXPECT_EQ(S().View.PreviewScale, 61);
  PreviewZoomOut(editor_);
  EXPECT_EQ(S().View.PreviewScale, 60);
  EXPECT_EQ(view_.previews, 62);
}

TEST_F(IconCommands, DrawPreviewPaintsEachSubIconInItsCell) {
  // 2 x 1, three sub-icons; cells of 4 x 3, one column of two, then the next.
  Open({MakeIcon(1, 3, 4, 2, 1, {B, W, G66, T, G33, G33})});
  const Rgb bg{10, 20, 30};
  std::vector<std::uint32_t> out;
  DrawPreview(editor_, 9, 7, bg, out);
  const std::uint32_t o = bg.Argb(), k = CodeColors[B].Argb(), w = CodeColors[W].Argb(),
                      g = CodeColors[G66].Argb(), t = CodeColors[T].Argb(),
                      l = CodeColors[G33].Argb();
  const std::vector<std::uint32_t> expected{
      k, w, o, o, l, l, o, o, o,  //
      o, o, o, o, o, o, o, o, o,  //
      o, o, o, o, o, o, o, o, o,  //
      g, t, o, o, o, o, o, o, o,  //
      o, o, o, o, o, o, o, o, o,  //
      o, o, o, o, o, o, o, o, o,  //
      o, o, o, o, o, o, o, o, o,  //
  };
  EXPECT_EQ(out, expected);

  S().View.PreviewScale = 2;
  DrawPreview(editor_, 5, 3, bg, out);
  EXPECT_EQ(out, (std::vector<std::uint32_t>{k, k, w, w, o,  //
                                             k, k, w, w, o,  //
                                             o, o, o, o, o}));
}

TEST_F(IconCommands, PenInSkinModeWritesIntoTheIcon) {
  Open({MakeIcon(1, 2, 4, 4, 2, Bytes(16, T))});
  NextSubIcon(editor_);
  const int previews = view_.previews;
  S().Tools.LeftColor = PixelCode::White;
  // Pixel size 5: (12, 7) is column 3, row 2.
  editor_.MouseDown(MouseButton::Left, 12, 7);
  editor_.MouseUp(MouseButton::Left, 12, 7);
  Bytes expected(16, T);
  expected[8 + 4 + 2] = W;
  EXPECT_EQ(Icon(0).Data, expected);
  EXPECT_GT(view_.previews, previews);
}

TEST_F(IconCommands, StoreSubIconTouchesOnlyTheCurrentSubIcon) {
  Open({MakeIcon(1, 3, 4, 2, 1, {1, 1, 2, 2, 3, 3})});
  NextSubIcon(editor_);
  S().Document.Picture.Cells.At(1, 1) = PixelCode::Transparent;
  S().Document.Picture.Cells.At(2, 1) = PixelCode::Black;
  S().Document.Picture.Cells.At(3, 1) = PixelCode::White;  // beyond the icon
  StorePictureInSubIcon(S().Document, EditorTestDoor::MutableSkin(editor_));
  EXPECT_EQ(Icon(0).Data, (Bytes{1, 1, T, B, 3, 3}));
}

}  // namespace
}  // namespace pictavo
