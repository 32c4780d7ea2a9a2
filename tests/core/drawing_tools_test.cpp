#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/pixel_ops.h"
#include "core/editing/tools/pixel_tools.h"
#include "recording_view.h"

namespace pictavo {
namespace {

using testing::RecordingView;

struct DrawingTools : ::testing::Test {
  DrawingTools() : editor(&view) { editor.Start(); }
  EditorState& s() { return EditorTestDoor::MutableState(editor); }
  PixelCode Cell(int x, int y) { return s().Document.Picture.Cells.At(x, y); }
  // A canvas position inside the 1-based cell.
  int Pos(int cell) { return (cell - 1) * s().View.PixelSize + 2; }
  void Click(MouseButton button, int x, int y) {
    editor.MouseDown(button, Pos(x), Pos(y));
    editor.MouseUp(button, Pos(x), Pos(y));
  }
  void FillAll(PixelCode code) { s().Document.Picture.Cells.Fill(code); }

  RecordingView view;
  Editor editor;
};

TEST_F(DrawingTools, EachButtonPaintsWithItsOwnColour) {
  Click(MouseButton::Right, 4, 4);
  EXPECT_EQ(Cell(4, 4), PixelCode::Transparent);  // right colour at start
  FillAll(PixelCode::White);
  Click(MouseButton::Right, 4, 4);
  EXPECT_EQ(Cell(4, 4), PixelCode::Transparent);
  Click(MouseButton::Left, 5, 4);
  EXPECT_EQ(Cell(5, 4), PixelCode::Black);
  editor.SetColor(MouseButton::Right, PixelCode::Gray33);
  editor.SetColor(MouseButton::Middle, PixelCode::Gray66);  // the middle button sets nothing
  EXPECT_EQ(s().Tools.LeftColor, PixelCode::Black);
  Click(MouseButton::Right, 6, 4);
  EXPECT_EQ(Cell(6, 4), PixelCode::Gray33);
}

TEST_F(DrawingTools, OneStrokeIsOneUndoStepAndJoinsItsMoves) {
  editor.MouseDown(MouseButton::Left, Pos(1), Pos(1));
  editor.MouseMove(Pos(2), Pos(1));
  editor.MouseMove(Pos(5), Pos(1));  // joined to the previous position
  editor.MouseUp(MouseButton::Left, Pos(5), Pos(1));
  for (int x = 1; x <= 5; ++x) EXPECT_EQ(Cell(x, 1), PixelCode::Black);
  EXPECT_EQ(s().Document.Undo.Count(), 1);
  editor.PopUndo();
  for (int x = 1; x <= 5; ++x) EXPECT_EQ(Cell(x, 1), PixelCode::Transparent);
}

TEST_F(DrawingTools, PenRepaintsOneSquareWithoutAFullRender) {
  const int renders = view.renders;
  const int presents = view.presents;
  editor.MouseDown(MouseButton::Left, Pos(3), Pos(3));
  EXPECT_EQ(view.renders, renders);
  EXPECT_EQ(view.presents, presents + 1);
  // Painting a pixel that already has the colour draws nothing.
  editor.MouseMove(Pos(3), Pos(3));
  EXPECT_EQ(view.presents, presents + 1);
}

TEST_F(DrawingTools, PenBeyondThePictureChangesNothing) {
  s().Document.Picture.Width = 10;
  ToolContext context(editor);
  PenTool().Drag(context, MouseButton::Left, Pos(11), Pos(1));
  EXPECT_EQ(Cell(11, 1), PixelCode::Transparent);
}

TEST_F(DrawingTools, BucketWithTheSameColourSavesASnapshotButDoesNotRedraw) {
  editor.SelectTool(DrawTool::Bucket);
  FillAll(PixelCode::Black);
  const int renders = view.renders;
  Click(MouseButton::Left, 7, 7);
  EXPECT_EQ(s().Document.Undo.Count(), 1);
  EXPECT_EQ(view.renders, renders);
}

TEST_F(DrawingTools, BucketDoesNotPassDiagonalGaps) {
  editor.SelectTool(DrawTool::Bucket);
  FillAll(PixelCode::White);
  // A one-pixel diagonal line from (1, 5) to (5, 1) closes the top-left corner.
  for (int i = 1; i <= 5; ++i) s().Document.Picture.Cells.At(i, 6 - i) = PixelCode::Black;
  editor.SetColor(MouseButton::Left, PixelCode::Gray66);
  Click(MouseButton::Left, 10, 10);
  EXPECT_EQ(Cell(1, 1), PixelCode::White);
  EXPECT_EQ(Cell(2, 3), PixelCode::White);
  EXPECT_EQ(Cell(3, 4), PixelCode::Gray66);
  EXPECT_EQ(Cell(96, 92), PixelCode::Gray66);
  EXPECT_EQ(Cell(3, 3), PixelCode::Black);
}

TEST_F(DrawingTools, BucketNeverTouchesCellsOutsideTheSize) {
  editor.SelectTool(DrawTool::Bucket);
  FillAll(PixelCode::White);
  s().Document.Picture.Width = 20;
  s().Document.Picture.Height = 10;
  Click(MouseButton::Left, 1, 1);
  EXPECT_EQ(Cell(20, 10), PixelCode::Black);
  EXPECT_EQ(Cell(21, 1), PixelCode::White);
  EXPECT_EQ(Cell(1, 11), PixelCode::White);
  // A press beyond the picture fills nothing but still saves its snapshot.
  FillAll(PixelCode::White);
  Click(MouseButton::Left, 30, 5);
  EXPECT_EQ(Cell(1, 1), PixelCode::White);
  EXPECT_EQ(s().Document.Undo.Count(), 2);
}

TEST_F(DrawingTools, BucketFillsTheLargestRegion) {
  editor.SelectTool(DrawTool::Bucket);
  Click(MouseButton::Left, 50, 50);
  for (int x = 1; x <= 96; ++x) {
    for (int y = 1; y <= 92; ++y) ASSERT_EQ(Cell(x, y), PixelCode::Black);
  }
}

TEST_F(DrawingTools, ChangeColourReplacesUnconnectedPixelsInsideTheSizeOnly) {
  editor.SelectTool(DrawTool::ChangeColor);
  FillAll(PixelCode::Gray33);
  s().Document.Picture.Cells.At(2, 2) = PixelCode::White;
  s().Document.Picture.Cells.At(9, 9) = PixelCode::White;
  s().Document.Picture.Cells.At(40, 40) = PixelCode::White;
  s().Document.Picture.Width = 20;
  s().Document.Picture.Height = 20;
  const int renders = view.renders;
  Click(MouseButton::Left, 2, 2);
  EXPECT_EQ(Cell(2, 2), PixelCode::Black);
  EXPECT_EQ(Cell(9, 9), PixelCode::Black);
  EXPECT_EQ(Cell(40, 40), PixelCode::White);
  EXPECT_EQ(Cell(3, 3), PixelCode::Gray33);
  EXPECT_EQ(view.renders, renders + 1);
  EXPECT_EQ(s().Document.Undo.Count(), 1);
  // Clicked beyond the picture, inside the storage: the code stored there is
  // the one replaced, and the canvas is redrawn even when nothing changes.
  Click(MouseButton::Left, 40, 40);
  EXPECT_EQ(Cell(40, 40), PixelCode::White);
  EXPECT_EQ(view.renders, renders + 2);
}

TEST_F(DrawingTools, PipeReadsTheStorageBeyondThePicture) {
  editor.SelectTool(DrawTool::Pipe);
  s().Document.Picture.Cells.At(30, 5) = PixelCode::Gray66;
  s().Document.Picture.Width = 20;
  const int swatches = view.swatch_updates;
  Click(MouseButton::Left, 30, 5);
  EXPECT_EQ(s().Tools.LeftColor, PixelCode::Gray66);
  EXPECT_EQ(view.swatch_updates, swatches + 1);
  s().Document.Picture.Width = 96;
  s().Document.Picture.Cells.At(96, 1) = PixelCode::White;
  Click(MouseButton::Right, 96, 1);
  EXPECT_EQ(s().Tools.RightColor, PixelCode::White);
  EXPECT_EQ(s().Document.Undo.Count(), 0);  // the pipe saves nothing
  // Beyond the storage the colour stays, but the swatches are still updated.
  ToolContext context(editor);
  PipeTool().Drag(context, MouseButton::Left, 97 * s().View.PixelSize, 0);
  EXPECT_EQ(s().Tools.LeftColor, PixelCode::Gray66);
  EXPECT_EQ(view.swatch_updates, swatches + 3);
}

TEST_F(DrawingTools, PipeDragFollowsThePointer) {
  editor.SelectTool(DrawTool::Pipe);
  s().Document.Picture.Cells.At(2, 1) = PixelCode::White;
  editor.MouseDown(MouseButton::Left, Pos(1), Pos(1));
  EXPECT_EQ(s().Tools.LeftColor, PixelCode::Transparent);
  editor.MouseMove(Pos(2), Pos(1));
  EXPECT_EQ(s().Tools.LeftColor, PixelCode::White);
}

TEST_F(DrawingTools, MiddleButtonEndsTheStrokeAndDoesNothingElse) {
  editor.MouseDown(MouseButton::Left, Pos(1), Pos(1));
  const Picture after_press = s().Document.Picture;
  editor.MouseDown(MouseButton::Middle, Pos(2), Pos(2));
  EXPECT_FALSE(s().Pointer.LeftButtonHeld);
  EXPECT_FALSE(s().Pointer.RightButtonHeld);
  EXPECT_EQ(s().Document.Undo.Count(), 1);
  EXPECT_EQ(s().Document.Picture, after_press);
  editor.MouseMove(Pos(3), Pos(3));
  EXPECT_EQ(Cell(3, 3), PixelCode::Transparent);
}

TEST_F(DrawingTools, APressOfOneButtonEndsTheOthersStroke) {
  editor.MouseDown(MouseButton::Left, Pos(1), Pos(1));
  editor.MouseDown(MouseButton::Right, Pos(2), Pos(1));
  EXPECT_FALSE(s().Pointer.LeftButtonHeld);
  EXPECT_TRUE(s().Pointer.RightButtonHeld);
}

TEST_F(DrawingTools, MovesAreClampedOntoTheLastColumnAndRow) {
  s().Document.Picture.Width = 10;
  s().Document.Picture.Height = 8;
  editor.MouseDown(MouseButton::Left, Pos(1), Pos(1));
  editor.MouseMove(1000, 1000);
  EXPECT_EQ(Cell(10, 8), PixelCode::Black);
  EXPECT_EQ(Cell(11, 9), PixelCode::Transparent);
  editor.MouseMove(-40, -40);
  EXPECT_EQ(Cell(1, 1), PixelCode::Black);
}

TEST_F(DrawingTools, ChoosingThePenHidesTheBoxAndTheSelectPanel) {
  editor.SelectTool(DrawTool::SelectBox);
  EXPECT_TRUE(s().Selection.SelectMode);
  ASSERT_FALSE(view.panel_visible.empty());
  EXPECT_TRUE(view.panel_visible.back());
  s().Selection.BoxVisible = true;
  editor.SelectTool(DrawTool::Pen);
  EXPECT_FALSE(s().Selection.BoxVisible);
  EXPECT_FALSE(view.panel_visible.back());
  EXPECT_FALSE(s().Selection.SelectMode);
  EXPECT_FALSE(s().Selection.PasteMode);
  EXPECT_EQ(s().Tools.CurrentTool, DrawTool::Pen);
}

}  // namespace
}  // namespace pictavo

namespace pictavo {
namespace {

// The plain breadth-first region, to compare the span fill against.
Picture ReferenceFill(Picture picture, int x, int y, PixelCode code) {
  const PixelCode old_code = picture.Cells.At(x, y);
  if (old_code == code) return picture;
  std::vector<CellPoint> queue{{x, y}};
  picture.Cells.At(x, y) = code;
  for (std::size_t i = 0; i < queue.size(); ++i) {
    const CellPoint c = queue[i];
    for (const CellPoint n : {CellPoint{c.x - 1, c.y}, CellPoint{c.x + 1, c.y},
                              CellPoint{c.x, c.y - 1}, CellPoint{c.x, c.y + 1}}) {
      if (picture.Contains(n.x, n.y) && picture.Cells.At(n.x, n.y) == old_code) {
        picture.Cells.At(n.x, n.y) = code;
        queue.push_back(n);
      }
    }
  }
  return picture;
}

TEST(FloodFill, FillsExactlyTheConnectedRegionOnRandomPictures) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    Picture picture;
    // Two codes only, so regions are large, winding and full of holes.
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      for (int y = 1; y <= MaxPictureHeight; ++y) {
        picture.Cells.At(x, y) = random() % 100 < 55 ? PixelCode::White : PixelCode::Black;
      }
    }
    picture.Width = 2 + static_cast<int>(random() % 95);
    picture.Height = 2 + static_cast<int>(random() % 91);
    const int x = 1 + static_cast<int>(random() % picture.Width);
    const int y = 1 + static_cast<int>(random() % picture.Height);
    const Picture expected = ReferenceFill(picture, x, y, PixelCode::Gray66);
    FloodFill(picture, x, y, PixelCode::Gray66);
    ASSERT_EQ(picture, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace pictavo
