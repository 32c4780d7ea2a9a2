#include "core/editing/selection.h"
#include "core/editing/editor_test_door.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/editing/editor.h"
#include "test_models.h"

namespace pictavo {
namespace {

using testing::CanvasPixel;

constexpr std::uint32_t BlackArgb = 0xFF000000u;

class RecordingView : public EditorView {
 public:
  void Present() override { ++presents; }
  void Rendered() override { ++renders; }
  void SelectionCoordinatesChanged(const CellRect& rect) override { reported.push_back(rect); }

  int presents = 0;
  int renders = 0;
  std::vector<CellRect> reported;
};

// Letters of small literal pictures: k black, 6 66 % gray, 3 33 % gray,
// w white, t transparent.
PixelCode CodeOf(char letter) {
  switch (letter) {
    case 'k':
      return PixelCode::Black;
    case '6':
      return PixelCode::Gray66;
    case '3':
      return PixelCode::Gray33;
    case 'w':
      return PixelCode::White;
    default:
      return PixelCode::Transparent;
  }
}

// A pattern in which neighbouring cells differ, so a shifted copy shows.
PixelCode PatternCode(int x, int y) { return ToPixelCode((x + 2 * y) % PixelCodeCount); }

class SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.Start();
    editor.SelectTool(DrawTool::SelectBox);
  }

  EditorState& S() { return EditorTestDoor::MutableState(editor); }
  int P() { return editor.State().View.PixelSize; }
  // Canvas position inside the 1-based cell; `offset` picks the pixel in it.
  int Pos(int cell, int offset = 2) { return (cell - 1) * P() + offset; }

  void FillPattern() {
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      for (int y = 1; y <= MaxPictureHeight; ++y)
        S().Document.Picture.Cells.At(x, y) = PatternCode(x, y);
    }
  }
  void FillPicture(PixelCode code) { S().Document.Picture.Cells.Fill(code); }
  // Writes literal rows into the picture with their top-left at (x0, y0).
  void PutRows(int x0, int y0, const std::vector<std::string>& rows) {
    for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
      for (int i = 0; i < static_cast<int>(rows[j].size()); ++i) {
        S().Document.Picture.Cells.At(x0 + i, y0 + j) = CodeOf(rows[j][i]);
      }
    }
  }

  void Drag(CellPoint from, CellPoint to) {
    editor.MouseDown(MouseButton::Left, Pos(from.x), Pos(from.y));
    editor.MouseMove(Pos(to.x, 1), Pos(to.y, 3));
    editor.MouseUp(MouseButton::Left, Pos(to.x, 4), Pos(to.y, 0));
  }

  // Captures literal rows: they are written at (x0, y0), boxed, and then the
  // picture is filled with `ground`.
  void CaptureRows(const std::vector<std::string>& rows, PixelCode ground, int x0 = 30,
                   int y0 = 40) {
    PutRows(x0, y0, rows);
    Drag({x0, y0},
         {x0 + static_cast<int>(rows[0].size()) - 1, y0 + static_cast<int>(rows.size()) - 1});
    FillPicture(ground);
  }

  void EnterPasteMode() {
    editor.SetSelectPanelModes(false, true);
    editor.SelectTool(DrawTool::SelectBox);
  }
  std::uint32_t CanvasAtCell(int x, int y) { return CanvasPixel(editor.Canvas(), Pos(x), Pos(y)); }

  RecordingView view;
  Editor editor{&view};
};

// ---- box and capture -------------------------------------------------------------

TEST_F(SelectionTest, DragSelectsBothEndCellsWhicheverWayItGoes) {
  FillPattern();
  const struct {
    CellPoint from, to;
  } drags[] = {{{5, 7}, {2, 3}}, {{2, 3}, {5, 7}}, {{5, 3}, {2, 7}}, {{2, 7}, {5, 3}}};
  for (const auto& drag : drags) {
    SCOPED_TRACE(::testing::Message() << "from " << drag.from.x << "," << drag.from.y);
    Drag(drag.from, drag.to);
    EXPECT_EQ(S().Selection.SelectionRect, (CellRect{2, 3, 5, 7}));
    ASSERT_EQ(S().Selection.SelectionBuffer.Width, 4);
    ASSERT_EQ(S().Selection.SelectionBuffer.Height, 5);
    for (int i = 1; i <= 4; ++i) {
      for (int j = 1; j <= 5; ++j) {
        EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(i, j), PatternCode(i + 1, j + 2));
      }
    }
    EXPECT_TRUE(S().Selection.SelectionCaptured);
    EXPECT_TRUE(S().Selection.BoxVisible);
    EXPECT_FALSE(S().Selection.BoxDragging);
    ASSERT_FALSE(view.reported.empty());
    EXPECT_EQ(view.reported.back(), (CellRect{2, 3, 5, 7}));
  }
  EXPECT_EQ(view.reported.size(), 4u);
}

TEST_F(SelectionTest, ClickWithoutMovingSelectsThePressedPixel) {
  FillPattern();
  editor.MouseDown(MouseButton::Left, Pos(9, 4), Pos(6, 0));
  editor.MouseUp(MouseButton::Left, Pos(9, 4), Pos(6, 0));
  EXPECT_EQ(S().Selection.SelectionBuffer.Width, 1);
  EXPECT_EQ(S().Selection.SelectionBuffer.Height, 1);
  EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(1, 1), PatternCode(9, 6));
  ASSERT_EQ(view.reported.size(), 1u);
  EXPECT_EQ(view.reported[0], (CellRect{9, 6, 9, 6}));
}

TEST_F(SelectionTest, ReleaseBeyondThePictureEndsAtItsLastColumnAndRow) {
  FillPattern();
  editor.SetWidthQuick(20);
  editor.SetHeightQuick(10);
  editor.MouseDown(MouseButton::Left, Pos(18), Pos(8));
  editor.MouseMove(5000, 5000);
  editor.MouseUp(MouseButton::Left, 5000, 5000);
  EXPECT_EQ(S().Selection.SelectionRect, (CellRect{18, 8, 20, 10}));
  EXPECT_EQ(S().Selection.SelectionBuffer.Width, 3);
  EXPECT_EQ(S().Selection.SelectionBuffer.Height, 3);
  EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(3, 3), PatternCode(20, 10));
}

TEST_F(SelectionTest, PressBeyondThePictureIsClampedOntoIt) {
  FillPattern();
  editor.SetWidthQuick(20);
  editor.SetHeightQuick(10);
  // Cell (134, 117) of the shown canvas lies beyond even the storage.
  editor.MouseDown(MouseButton::Left, 669, 586);
  editor.MouseUp(MouseButton::Left, Pos(15), Pos(5));
  EXPECT_EQ(S().Selection.SelectionRect, (CellRect{15, 5, 20, 10}));
  EXPECT_EQ(S().Selection.SelectionBuffer.Width, 6);
  EXPECT_EQ(S().Selection.SelectionBuffer.Height, 6);
  EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(6, 6), PatternCode(20, 10));
  // Negative positions are held at the first column and row.
  editor.MouseDown(MouseButton::Left, -40, -3);
  editor.MouseUp(MouseButton::Left, Pos(2), Pos(2));
  EXPECT_EQ(S().Selection.SelectionRect, (CellRect{1, 1, 2, 2}));
}

TEST_F(SelectionTest, EveryBoxPressMakesAnUndoStepAndHidesTheOldBox) {
  Drag({2, 2}, {4, 4});
  ASSERT_TRUE(S().Selection.BoxVisible);
  const int undo_before = S().Document.Undo.Count();
  editor.MouseDown(MouseButton::Left, Pos(6), Pos(6));
  EXPECT_EQ(S().Document.Undo.Count(), undo_before + 1);
  EXPECT_FALSE(S().Selection.BoxVisible);
  EXPECT_TRUE(S().Selection.BoxDragging);
  EXPECT_EQ(S().Selection.BoxStart, (CellPoint{5, 5}));
  // The right button does nothing for this tool.
  editor.MouseUp(MouseButton::Left, Pos(6), Pos(6));
  const int undo_after = S().Document.Undo.Count();
  editor.MouseDown(MouseButton::Right, Pos(9), Pos(9));
  EXPECT_EQ(S().Document.Undo.Count(), undo_after);
  EXPECT_EQ(S().Selection.SelectionRect, (CellRect{6, 6, 6, 6}));
}

TEST_F(SelectionTest, PaintingInsideAShownBoxLeavesTheBufferAsCaptured) {
  FillPattern();
  Drag({3, 3}, {6, 5});
  const SelectionGrid captured = S().Selection.SelectionBuffer;
  editor.SelectTool(DrawTool::Pen);
  editor.SetLeftColor(PatternCode(4, 4) == PixelCode::White ? PixelCode::Black : PixelCode::White);
  editor.MouseDown(MouseButton::Left, Pos(4), Pos(4));
  editor.MouseUp(MouseButton::Left, Pos(4), Pos(4));
  ASSERT_NE(S().Document.Picture.Cells.At(4, 4), PatternCode(4, 4));
  EXPECT_EQ(S().Selection.SelectionBuffer, captured);
  // A paste elsewhere stamps the captured pixel, not the painted one.
  editor.SetSelectPanelModes(false, true);
  editor.SelectTool(DrawTool::SelectBox);
  editor.MouseDown(MouseButton::Left, Pos(50), Pos(50));
  EXPECT_EQ(S().Document.Picture.Cells.At(51, 51), PatternCode(4, 4));
}

TEST_F(SelectionTest, ModeSwitchesKeepTheBufferUntilTheNextRelease) {
  FillPattern();
  Drag({3, 3}, {6, 5});
  const SelectionGrid captured = S().Selection.SelectionBuffer;
  EnterPasteMode();
  EXPECT_TRUE(S().Selection.PasteMode);
  EXPECT_FALSE(S().Selection.SelectMode);
  editor.SetSelectPanelModes(true, false);
  editor.SelectTool(DrawTool::SelectBox);
  EXPECT_EQ(S().Selection.SelectionBuffer, captured);
  editor.SelectTool(DrawTool::Bucket);
  EXPECT_FALSE(S().Selection.SelectMode);
  EXPECT_FALSE(S().Selection.PasteMode);
  EXPECT_FALSE(S().Selection.BoxVisible);
  editor.SetSelectPanelModes(true, false);
  editor.SelectTool(DrawTool::SelectBox);
  EXPECT_EQ(S().Selection.SelectionBuffer, captured);
  Drag({10, 10}, {11, 10});
  EXPECT_EQ(S().Selection.SelectionBuffer.Width, 2);
  EXPECT_EQ(S().Selection.SelectionBuffer.Height, 1);
  EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(2, 1), PatternCode(11, 10));
}

TEST(SelectPanelModes, FollowThePanelButtons) {
  EditorState state;
  ReadSelectPanelModes(state, false, true);
  EXPECT_FALSE(state.Selection.SelectMode);
  EXPECT_TRUE(state.Selection.PasteMode);
  ReadSelectPanelModes(state, true, false);
  EXPECT_TRUE(state.Selection.SelectMode);
  EXPECT_FALSE(state.Selection.PasteMode);
}

// ---- outlines on the canvas ---------------------------------------------------------

// Black pixels on the vertical line at screen column x from y0 to y1 - 1.
int BlackOnColumn(const CanvasRaster& canvas, int x, int y0, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y) count += CanvasPixel(canvas, x, y) == BlackArgb;
  return count;
}
int BlackOnRow(const CanvasRaster& canvas, int y, int x0, int x1) {
  int count = 0;
  for (int x = x0; x < x1; ++x) count += CanvasPixel(canvas, x, y) == BlackArgb;
  return count;
}

TEST_F(SelectionTest, ShownBoxIsADashedBlackLineAlongTheOuterEdges) {
  FillPicture(PixelCode::White);
  Drag({5, 7}, {2, 3});
  const CanvasRaster& canvas = editor.Canvas();
  // Columns 2..5 and rows 3..7 at pixel size 5: edges at x 5 and 25, y 10 and 35.
  EXPECT_EQ(CanvasPixel(canvas, 5, 10), BlackArgb);
  for (int x : {5, 25}) {
    const int black = BlackOnColumn(canvas, x, 10, 35);
    EXPECT_GT(black, 10) << "x " << x;
    EXPECT_LT(black, 25) << "x " << x;  // dashed, not solid
  }
  for (int y : {10, 35}) {
    const int black = BlackOnRow(canvas, y, 5, 25);
    EXPECT_GT(black, 8) << "y " << y;
    EXPECT_LT(black, 20) << "y " << y;
  }
  // Nothing just outside or inside the edges.
  EXPECT_EQ(BlackOnColumn(canvas, 4, 0, 60) + BlackOnColumn(canvas, 6, 11, 34), 0);
  EXPECT_EQ(BlackOnColumn(canvas, 26, 0, 60) + BlackOnColumn(canvas, 24, 11, 34), 0);
  // Leaving the tool hides it.
  editor.SelectTool(DrawTool::Pen);
  EXPECT_EQ(BlackOnColumn(canvas, 5, 10, 35), 0);
}

// The outline as the pen walks it from `from`, one mark per pixel: '#' for
// black, '.' for anything else.
std::string PenMarks(const CanvasRaster& canvas, CellPoint from, CellPoint step, int length) {
  std::string marks;
  for (int i = 0; i < length; ++i) {
    marks += CanvasPixel(canvas, from.x + i * step.x, from.y + i * step.y) == BlackArgb ? '#' : '.';
  }
  return marks;
}

TEST_F(SelectionTest, BoxDashesAreFourOnTwoOffAndRunOnRoundTheCorners) {
  FillPicture(PixelCode::White);
  Drag({5, 7}, {2, 3});  // edges at x 5 and 25, y 10 and 35
  const CanvasRaster& canvas = editor.Canvas();
  // From the top-left corner down, right, up and back left; the dash that
  // reaches a corner goes on along the next edge.
  EXPECT_EQ(PenMarks(canvas, {5, 10}, {0, 1}, 25), "####..####..####..####..#");
  EXPECT_EQ(PenMarks(canvas, {5, 35}, {1, 0}, 20), "###..####..####..###");
  EXPECT_EQ(PenMarks(canvas, {25, 35}, {0, -1}, 25), "#..####..####..####..####");
  EXPECT_EQ(PenMarks(canvas, {25, 10}, {-1, 0}, 20), "..####..####..####..");
}

TEST_F(SelectionTest, RubberBandIsRedrawnOnlyWhenThePointerEntersAnotherCell) {
  FillPicture(PixelCode::White);
  editor.MouseDown(MouseButton::Left, Pos(2), Pos(2));
  int renders = view.renders;
  int presents = view.presents;
  editor.MouseMove(Pos(4), Pos(5));
  EXPECT_EQ(view.renders, renders + 1);
  EXPECT_EQ(view.presents, presents + 2);  // the Render's and the band's own
  EXPECT_EQ(S().Pointer.RubberBandCell, (CellPoint{3, 4}));
  const CanvasRaster& canvas = editor.Canvas();
  // 0-based cells (1, 1) to (3, 4): lines at x 5 and 20, y 5 and 25.
  EXPECT_EQ(CanvasPixel(canvas, 5, 5), BlackArgb);
  for (int x : {5, 20}) {
    const int black = BlackOnColumn(canvas, x, 5, 25);
    EXPECT_GT(black, 8);
    EXPECT_LT(black, 20);
  }
  EXPECT_GT(BlackOnRow(canvas, 25, 5, 20), 5);

  renders = view.renders;
  presents = view.presents;
  editor.MouseMove(Pos(4, 0), Pos(5, 4));
  editor.MouseMove(Pos(4, 3), Pos(5, 1));
  EXPECT_EQ(view.renders, renders);
  EXPECT_EQ(view.presents, presents);

  // Back over the press: the old lines are gone, the band is one cell.
  editor.MouseMove(Pos(2), Pos(2));
  EXPECT_EQ(view.renders, renders + 1);
  EXPECT_EQ(BlackOnColumn(canvas, 20, 5, 25), 0);
  EXPECT_EQ(CanvasPixel(canvas, 5, 5), BlackArgb);
  EXPECT_GT(BlackOnRow(canvas, 10, 5, 10), 0);
  // Up and left of the press the band still spans both cells.
  editor.MouseDown(MouseButton::Left, Pos(6), Pos(6));
  editor.MouseMove(Pos(3), Pos(4));
  EXPECT_GT(BlackOnColumn(canvas, 10, 15, 30), 5);
  EXPECT_GT(BlackOnColumn(canvas, 30, 15, 30), 5);
  EXPECT_EQ(BlackOnColumn(canvas, 35, 0, 60), 0);
}

// ---- paste ----------------------------------------------------------------------------

TEST_F(SelectionTest, PasteStampsTheBufferSkippingTransparentPixels) {
  CaptureRows({"kt3", "6wt"}, PixelCode::Gray33);
  FillPicture(PixelCode::Gray66);
  EnterPasteMode();
  const int undo_before = S().Document.Undo.Count();
  Picture expected = S().Document.Picture;
  editor.MouseDown(MouseButton::Left, Pos(10, 4), Pos(20, 0));
  expected.Cells.At(10, 20) = PixelCode::Black;
  expected.Cells.At(12, 20) = PixelCode::Gray33;
  expected.Cells.At(10, 21) = PixelCode::Gray66;
  expected.Cells.At(11, 21) = PixelCode::White;
  EXPECT_EQ(S().Document.Picture, expected);
  EXPECT_EQ(S().Document.Undo.Count(), undo_before + 1);
  // The same buffer again, as often as clicked.
  editor.MouseDown(MouseButton::Left, Pos(40), Pos(40));
  EXPECT_EQ(S().Document.Picture.Cells.At(40, 40), PixelCode::Black);
  EXPECT_EQ(S().Document.Picture.Cells.At(41, 41), PixelCode::White);
  EXPECT_EQ(S().Document.Undo.Count(), undo_before + 2);
}

TEST_F(SelectionTest, PastingAnAllTransparentBufferChangesNothingButMakesAnUndoStep) {
  FillPattern();
  PutRows(30, 40, {"ttt", "ttt"});
  Drag({30, 40}, {32, 41});
  EnterPasteMode();
  const Picture before = S().Document.Picture;
  const int undo_before = S().Document.Undo.Count();
  editor.MouseDown(MouseButton::Left, Pos(5), Pos(5));
  EXPECT_EQ(S().Document.Picture, before);
  EXPECT_EQ(S().Document.Undo.Count(), undo_before + 1);
}

TEST_F(SelectionTest, PasteAtTheLastColumnWritesOnlyTheFirstBufferColumn) {
  CaptureRows({"k6", "3w"}, PixelCode::Transparent);
  const Picture before = S().Document.Picture;
  EnterPasteMode();
  editor.MouseDown(MouseButton::Left, Pos(96), Pos(91));
  Picture expected = before;
  expected.Cells.At(96, 91) = PixelCode::Black;
  expected.Cells.At(96, 92) = PixelCode::Gray33;
  EXPECT_EQ(S().Document.Picture, expected);
}

TEST_F(SelectionTest, PasteClickOutsideThePictureWritesNothingButMakesAnUndoStep) {
  CaptureRows({"k6", "3w"}, PixelCode::Transparent);
  editor.SetWidthQuick(20);
  editor.SetHeightQuick(10);
  const Picture before = S().Document.Picture;
  EnterPasteMode();
  const int undo_before = S().Document.Undo.Count();
  editor.MouseMove(500, 400);
  editor.MouseDown(MouseButton::Left, 500, 400);
  EXPECT_EQ(S().Document.Picture, before);  // also the cells beyond the picture
  EXPECT_EQ(S().Document.Undo.Count(), undo_before + 1);
  // The ghost, from the clamped pointer, stands on the last column and row.
  EXPECT_EQ(S().Pointer.GhostCell, (CellPoint{20, 10}));
}

TEST_F(SelectionTest, PasteLeftOfOrAboveTheCanvasDropsWhatFallsBeforeIt) {
  CaptureRows({"kkk", "kk6", "kk3"}, PixelCode::White);
  const Picture before = S().Document.Picture;
  EnterPasteMode();
  // Pixel size 5: position -10 is cell -1, so buffer column 3 lands on column 1.
  editor.MouseDown(MouseButton::Left, -10, -10);
  Picture expected = before;
  expected.Cells.At(1, 1) = PixelCode::Gray33;
  EXPECT_EQ(S().Document.Picture, expected);
}

TEST_F(SelectionTest, PasteBeforeAnyCaptureDoesNothing) {
  FillPattern();
  EnterPasteMode();
  const Picture before = S().Document.Picture;
  const int undo_before = S().Document.Undo.Count();
  editor.MouseDown(MouseButton::Left, Pos(5), Pos(5));
  EXPECT_EQ(S().Document.Picture, before);
  EXPECT_EQ(S().Document.Undo.Count(), undo_before);
  EXPECT_FALSE(S().Selection.SelectionCaptured);
}

// ---- paste ghost ---------------------------------------------------------------------

TEST_F(SelectionTest, GhostShowsOpaquePixelsEverywhereAndTransparentOnesOnlyBeyondThePicture) {
  CaptureRows({"kt3", "t6t", "t3k"}, PixelCode::White);
  editor.SetWidthQuick(20);
  editor.SetHeightQuick(10);
  EnterPasteMode();
  editor.MouseMove(Pos(19), Pos(9));
  const std::uint32_t white = ColorOf(PixelCode::White).Argb();
  const std::uint32_t teal = ColorOf(PixelCode::Transparent).Argb();
  const std::uint32_t gray33 = ColorOf(PixelCode::Gray33).Argb();
  const struct {
    int x, y;
    std::uint32_t argb;
  } expected[] = {
      {19, 9, BlackArgb},
      {20, 9, white},
      {21, 9, gray33},
      {19, 10, white},
      {20, 10, ColorOf(PixelCode::Gray66).Argb()},
      {21, 10, teal},
      {19, 11, teal},
      {20, 11, gray33},
      {21, 11, BlackArgb},
  };
  for (const auto& cell : expected) {
    EXPECT_EQ(CanvasAtCell(cell.x, cell.y), cell.argb) << cell.x << "," << cell.y;
  }
  // A drawn square covers its grid lines; a skipped one keeps them.
  EXPECT_EQ(CanvasPixel(editor.Canvas(), 18 * 5, 8 * 5), BlackArgb);
  EXPECT_EQ(CanvasPixel(editor.Canvas(), 19 * 5, 8 * 5 + 2), GridColor.Argb());
  // The square right of the ghost shows the canvas ground.
  EXPECT_EQ(CanvasAtCell(22, 9), CanvasBackground.Argb());
}

TEST_F(SelectionTest, GhostIsRedrawnOnlyWhenThePointerEntersAnotherCell) {
  CaptureRows({"k6"}, PixelCode::White);
  EnterPasteMode();
  int renders = view.renders;
  int presents = view.presents;
  editor.MouseMove(Pos(7), Pos(8));
  EXPECT_EQ(view.renders, renders + 1);
  // The ghost is laid over the redraw itself: one copy to the screen.
  EXPECT_EQ(view.presents, presents + 1);
  EXPECT_EQ(CanvasAtCell(8, 8), ColorOf(PixelCode::Gray66).Argb());
  renders = view.renders;
  editor.MouseMove(Pos(7, 0), Pos(8, 4));
  EXPECT_EQ(view.renders, renders);
  // Moving on erases the old ghost.
  editor.MouseMove(Pos(20), Pos(8));
  EXPECT_EQ(view.renders, renders + 1);
  EXPECT_EQ(CanvasAtCell(7, 8), ColorOf(PixelCode::White).Argb());
  EXPECT_EQ(CanvasAtCell(20, 8), BlackArgb);
}

TEST_F(SelectionTest, AfterAPasteClickTheGhostComesBackOnlyInAnotherCell) {
  CaptureRows({"k6"}, PixelCode::White);
  EnterPasteMode();
  editor.MouseMove(Pos(7), Pos(8));
  // Change the picture under the ghost so the paste's Render is visible.
  S().Document.Picture.Cells.At(8, 8) = PixelCode::Gray33;
  S().Document.Picture.Cells.At(9, 8) = PixelCode::Gray33;
  editor.MouseDown(MouseButton::Left, Pos(8), Pos(8));
  editor.MouseUp(MouseButton::Left, Pos(8), Pos(8));
  EXPECT_EQ(CanvasAtCell(8, 8), BlackArgb);
  EXPECT_EQ(CanvasAtCell(9, 8), ColorOf(PixelCode::Gray66).Argb());
  EXPECT_EQ(CanvasAtCell(7, 8), ColorOf(PixelCode::White).Argb());  // ghost gone
  EXPECT_FALSE(S().Selection.BoxVisible);
  const int renders = view.renders;
  editor.MouseMove(Pos(7, 4), Pos(8, 4));
  EXPECT_EQ(view.renders, renders);
  EXPECT_EQ(CanvasAtCell(7, 8), ColorOf(PixelCode::White).Argb());
  editor.MouseMove(Pos(30), Pos(8));
  EXPECT_EQ(CanvasAtCell(30, 8), BlackArgb);
}

TEST_F(SelectionTest, GhostBeforeAnyCaptureOnlyRenders) {
  FillPattern();
  EnterPasteMode();
  editor.Render();
  const std::vector<std::uint32_t> plain(
      editor.Canvas().Pixels(),
      editor.Canvas().Pixels() + CanvasRaster::StoredWidth * CanvasRaster::StoredHeight);
  const int renders = view.renders;
  editor.MouseMove(Pos(3), Pos(3));
  EXPECT_EQ(view.renders, renders + 1);
  EXPECT_EQ(std::memcmp(plain.data(), editor.Canvas().Pixels(), plain.size() * 4), 0);
}

// The ghost drawn the plain way, square by square: fill the square of
// every buffer pixel unless it is transparent inside the picture.
void DrawGhostSquareBySquare(CanvasRaster& canvas, const EditorState& s, int px, int py) {
  const int p = s.View.PixelSize;
  for (int j = 1; j <= s.Selection.SelectionBuffer.Height; ++j) {
    for (int i = 1; i <= s.Selection.SelectionBuffer.Width; ++i) {
      const int x = px + i - 1;
      const int y = py + j - 1;
      const PixelCode code = s.Selection.SelectionBuffer.Cells.At(i, j);
      if (code == PixelCode::Transparent && x <= s.Document.Picture.Width &&
          y <= s.Document.Picture.Height) {
        continue;
      }
      canvas.FillRect((x - 1) * p, (y - 1) * p, x * p, y * p, ColorOf(code));
    }
  }
}

TEST_F(SelectionTest, GhostMatchesASquareBySquareDrawingAtEveryZoom) {
  FillPattern();
  Drag({1, 1}, {96, 92});  // every code, transparent runs included
  FillPicture(PixelCode::White);
  EnterPasteMode();
  editor.ToggleBorder();  // the ghost covers the frame and the box lines too
  const struct {
    int pixel_size, width, height;
    CellPoint cell;
  } cases[] = {{15, 96, 92, {2, 2}}, {15, 96, 92, {40, 30}}, {5, 20, 10, {19, 3}},
               {1, 96, 92, {5, 90}}, {4, 50, 60, {1, 1}},    {49, 2, 2, {2, 2}},
               {2, 96, 92, {96, 1}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "pixel size " << c.pixel_size);
    editor.SetPixelSizeFromMenu(c.pixel_size);
    editor.SetWidthQuick(c.width);
    editor.SetHeightQuick(c.height);
    editor.Render();
    CanvasRaster reference = editor.Canvas();
    DrawGhostSquareBySquare(reference, S(), c.cell.x, c.cell.y);
    S().Pointer.GhostCell = {0, 0};
    editor.MouseMove((c.cell.x - 1) * c.pixel_size, (c.cell.y - 1) * c.pixel_size);
    ASSERT_EQ(S().Pointer.GhostCell, c.cell);
    int differing = 0;
    for (int y = 0; y < CanvasRaster::StoredHeight; ++y) {
      for (int x = 0; x < CanvasRaster::StoredWidth; ++x) {
        differing += CanvasPixel(editor.Canvas(), x, y) != CanvasPixel(reference, x, y);
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
}  // namespace pictavo
