#include <gtest/gtest.h>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "recording_view.h"
#include "test_models.h"

namespace pictavo {
namespace {

using testing::CanvasPixel;

using testing::RecordingView;

struct ViewScroll : ::testing::Test {
  ViewScroll() { editor.Start(); }
  const Viewport& Shown() { return editor.State().View.Shown; }
  // 0-based cell column and row under a view position.
  CellPoint CellUnder(int x, int y) {
    const int p = editor.State().View.PixelSize;
    return {(Shown().Left + x) / p, (Shown().Top + y) / p};
  }
  Editor editor;
  EditorState& s = EditorTestDoor::MutableState(editor);
};

TEST_F(ViewScroll, StartsAtTheTopLeftOfTheStartView) {
  EXPECT_EQ(Shown(), (Viewport{0, 0, 670, 587}));
  EXPECT_EQ(editor.Canvas().View(), Shown());
}

TEST_F(ViewScroll, OffsetIsHeldToTheDrawing) {
  // 96 x 92 at size 10 draws 961 x 921.
  editor.SetPixelSizeFromMenu(10);
  editor.ScrollTo(5000, 5000);
  EXPECT_EQ(Shown().Left, 961 - 670);
  EXPECT_EQ(Shown().Top, 921 - 587);
  editor.ScrollBy(-100, -1000);
  EXPECT_EQ(Shown().Left, 191);
  EXPECT_EQ(Shown().Top, 0);
  // A larger view needs less offset; one the drawing fits needs none.
  editor.ScrollTo(5000, 5000);
  editor.SetViewSize(900, 900);
  EXPECT_EQ(Shown().Left, 61);
  EXPECT_EQ(Shown().Top, 21);
  editor.SetViewSize(1920, 1080);
  EXPECT_EQ(Shown(), (Viewport{0, 0, 1920, 1080}));
  editor.ScrollTo(10, 10);
  EXPECT_EQ(Shown().Left, 0);
  // A smaller picture pulls the offset back at its redraw.
  editor.SetViewSize(300, 200);
  editor.ScrollTo(5000, 5000);
  editor.SetWidthQuick(30);
  EXPECT_EQ(Shown().Left, 1);
  EXPECT_EQ(Shown().Top, 921 - 200);
  EXPECT_EQ(editor.Canvas().View(), Shown());
}

// Each offset is held by its own side of the drawing: a tall narrow picture
// scrolls only down, a wide short one only across.
TEST_F(ViewScroll, EachOffsetIsHeldByItsOwnSide) {
  const struct {
    int width, height, left, top;
  } cases[] = {{10, 92, 0, 921 - 200}, {96, 10, 961 - 300, 0}, {30, 40, 301 - 300, 401 - 200}};
  editor.SetPixelSizeFromMenu(10);
  editor.SetViewSize(300, 200);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
    s.Document.Picture.Width = c.width;
    s.Document.Picture.Height = c.height;
    editor.ScrollTo(5000, 5000);
    EXPECT_EQ(Shown().Left, c.left);
    EXPECT_EQ(Shown().Top, c.top);
  }
}

TEST_F(ViewScroll, WheelZoomKeepsTheCellUnderThePointer) {
  editor.SetViewSize(400, 300);
  int checked = 0;
  for (int size = MinPixelSize; size <= MaxPixelSize; size += 3) {
    for (int steps : {1, -1, 4, -2}) {
      for (const CellPoint pointer : {CellPoint{0, 0}, CellPoint{17, 299}, CellPoint{399, 150}}) {
        for (const CellPoint offset : {CellPoint{0, 0}, CellPoint{123, 45}, CellPoint{999, 2}}) {
          editor.SetPixelSizeFromMenu(size);
          editor.ScrollTo(offset.x, offset.y);
          const CellPoint before = CellUnder(pointer.x, pointer.y);
          const Viewport shown = Shown();
          editor.ZoomAt(steps, pointer.x, pointer.y);
          const int new_size = ZoomStep(size, steps);
          ASSERT_EQ(s.View.PixelSize, new_size);
          SCOPED_TRACE(::testing::Message()
                       << "size " << size << " by " << steps << " at " << pointer.x << ", "
                       << pointer.y << " from " << shown.Left << ", " << shown.Top);
          // Unless the drawing's edge holds the view back, the cell stays.
          const int max_left = std::max(96 * new_size + 1 - 400, 0);
          const int max_top = std::max(92 * new_size + 1 - 300, 0);
          const CellPoint after = CellUnder(pointer.x, pointer.y);
          if (Shown().Left != 0 && Shown().Left != max_left) {
            EXPECT_EQ(after.x, before.x);
            ++checked;
          }
          if (Shown().Top != 0 && Shown().Top != max_top) {
            EXPECT_EQ(after.y, before.y);
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 300);
}

TEST_F(ViewScroll, ZoomStaysWithinOneToFortyNine) {
  RecordingView view;
  editor.SetView(&view);
  editor.ZoomAt(100, 10, 10);
  EXPECT_EQ(s.View.PixelSize, 49);
  const int renders = view.renders;
  editor.ZoomAt(1, 10, 10);
  editor.ZoomAtCentre(1);
  EXPECT_EQ(s.View.PixelSize, 49);
  EXPECT_EQ(view.renders, renders);  // nothing changed, nothing redrawn
  editor.PixelSizeUp();
  EXPECT_EQ(s.View.PixelSize, 49);
  editor.ZoomAt(-100, 10, 10);
  EXPECT_EQ(s.View.PixelSize, 1);
  editor.ZoomAtCentre(-1);
  editor.PixelSizeDown();
  EXPECT_EQ(s.View.PixelSize, 1);
  editor.SetView(nullptr);
}

TEST(ZoomLadder, StepsStopAtTheRungs) {
  struct Row {
    int size, steps, expected;
  };
  const Row rows[] = {
      {5, 1, 6},    {6, 1, 8},     {8, 1, 10},   {10, 1, 12}, {12, 1, 16},  {16, 1, 20},
      {20, 1, 24},  {24, 1, 32},   {32, 1, 40},  {40, 1, 49}, {49, 1, 49},  {1, -1, 1},
      {49, -1, 40}, {6, -1, 5},    {5, -1, 4},   {2, -1, 1},  {5, 3, 10},   {49, -14, 1},
      {7, 1, 8},    {7, -1, 6},    {33, -1, 32}, {45, 1, 49}, {45, -1, 40}, {11, 2, 16},
      {1, 100, 49}, {49, -100, 1}, {17, 0, 17},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ZoomStep(row.size, row.steps), row.expected) << row.size << " by " << row.steps;
  }
}

// The room given is the view's without scroll bars: bars showing or not,
// the same room gives the same size.
TEST_F(ViewScroll, FitToViewTakesTheLargestSizeAtWhichNoBarIsNeeded) {
  struct Row {
    int width, height, room_width, room_height, size;
  };
  const Row rows[] = {
      {96, 92, 670, 587, 6},   // 577 x 553 fits, 673 wide does not
      {8, 8, 670, 587, 49},    // held to 49
      {2, 2, 99, 99, 49},      // 99 x 99 exactly
      {2, 2, 98, 99, 48},      // one pixel short
      {10, 40, 1920, 81, 2},   // the height decides
      {96, 92, 50, 50, 1},     // nothing fits: the smallest
      {32, 32, 645, 645, 20},  // 641 x 641
  };
  for (const Row& row : rows) {
    for (const int bar : {0, 17}) {
      s.Document.Picture.Width = row.width;
      s.Document.Picture.Height = row.height;
      editor.SetPixelSizeFromMenu(49);
      editor.SetViewSize(row.room_width - bar, row.room_height - bar);
      editor.ScrollTo(1000, 1000);
      editor.FitToView(row.room_width, row.room_height);
      EXPECT_EQ(s.View.PixelSize, row.size) << row.width << " x " << row.height << ", bar " << bar;
    }
  }
}

TEST_F(ViewScroll, MenuAndArrowsKeepTheTopLeftCell) {
  editor.SetPixelSizeFromMenu(10);
  editor.ScrollTo(204, 150);  // cell column 20, 4 pixels in; row 15
  editor.PixelSizeUp();
  EXPECT_EQ(Shown().Left, 20 * 11 + 4);
  EXPECT_EQ(Shown().Top, 15 * 11);
  editor.SetPixelSizeFromMenu(15);
  EXPECT_EQ(Shown().Left, 20 * 15 + 5);  // 4 pixels of 11 are 5 of 15, rounded down
  editor.PixelSizeDown();
  EXPECT_EQ(CellUnder(0, 0), (CellPoint{20, 15}));
  // At the start nothing is scrolled, and nothing scrolls.
  editor.SetPixelSizeFromMenu(5);
  editor.ScrollTo(0, 0);
  editor.SetPixelSizeFromMenu(49);
  EXPECT_EQ(Shown().Left, 0);
  EXPECT_EQ(Shown().Top, 0);
}

TEST_F(ViewScroll, KeysZoomAboutTheMiddleOfTheView) {
  editor.SetPixelSizeFromMenu(20);
  editor.ScrollTo(700, 500);
  const CellPoint middle = CellUnder(335, 293);
  editor.ZoomAtCentre(1);
  EXPECT_EQ(CellUnder(335, 293), middle);
  editor.ZoomAtCentre(-1);
  editor.ZoomAtCentre(-1);
  EXPECT_EQ(s.View.PixelSize, 16);
  EXPECT_EQ(CellUnder(335, 293), middle);
}

TEST_F(ViewScroll, ToolsTakeCanvasPositionsOfAScrolledView) {
  editor.SetPixelSizeFromMenu(10);
  editor.ScrollTo(400, 300);
  // The status bar shows the cell of the canvas position, not of the view.
  RecordingView view;
  editor.SetView(&view);
  editor.MouseMove(400 + 35, 300 + 8);
  ASSERT_FALSE(view.coordinates.empty());
  EXPECT_EQ(view.coordinates.back(), (CellPoint{43, 30}));
  editor.SetView(nullptr);
}

TEST_F(ViewScroll, BoxAndPasteGhostLieOnTheCellsOfAScrolledView) {
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      s.Document.Picture.Cells.At(x, y) = ToPixelCode((x + 2 * y) % PixelCodeCount);
    }
  }
  editor.SetPixelSizeFromMenu(10);
  editor.SetViewSize(300, 200);
  editor.ScrollTo(403, 287);  // cell (41, 29) at the top-left, 3 and 7 pixels cut off
  editor.SelectTool(DrawTool::SelectBox);
  // View positions plus the offset, as the canvas reports them.
  editor.MouseDown(MouseButton::Left, 403 + 15, 287 + 4);  // cell (42, 30)
  editor.MouseMove(403 + 120, 287 + 95);
  editor.MouseUp(MouseButton::Left, 403 + 120, 287 + 95);  // cell (53, 39)
  EXPECT_EQ(s.Selection.SelectionRect, (CellRect{42, 30, 53, 39}));

  s.Document.Picture.Cells.Fill(PixelCode::White);
  editor.SetSelectPanelModes(false, true);
  editor.SelectTool(DrawTool::SelectBox);
  editor.Render();
  // The ghost drawn the plain way over the same view: every square of the
  // buffer but the transparent ones, with its top-left on cell (47, 33).
  CanvasRaster reference = editor.Canvas();
  const SelectionGrid& buffer = s.Selection.SelectionBuffer;
  for (int j = 1; j <= buffer.Height; ++j) {
    for (int i = 1; i <= buffer.Width; ++i) {
      const PixelCode code = buffer.Cells.At(i, j);
      if (code == PixelCode::Transparent) continue;
      const int x = 47 + i - 1;
      const int y = 33 + j - 1;
      reference.FillRect((x - 1) * 10, (y - 1) * 10, x * 10, y * 10, ColorOf(code));
    }
  }
  editor.MouseMove(460 + 5, 320 + 9);
  ASSERT_EQ(s.Pointer.GhostCell, (CellPoint{47, 33}));
  int differing = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 300; ++x)
      differing += CanvasPixel(editor.Canvas(), x, y) != CanvasPixel(reference, x, y);
  }
  EXPECT_EQ(differing, 0);

  // Scrolling redraws without the ghost; the next move over the same cell
  // brings it back.
  editor.ScrollBy(0, 1);
  editor.MouseMove(460 + 5, 320 + 9);
  EXPECT_EQ(CanvasPixel(editor.Canvas(), 465 - 403, 329 - 288),
            CanvasPixel(reference, 465 - 403, 329 - 287));
  editor.MouseDown(MouseButton::Left, 460 + 5, 320 + 9);
  EXPECT_EQ(s.Document.Picture.Cells.At(47, 33), buffer.Cells.At(1, 1));
  EXPECT_EQ(s.Document.Picture.Cells.At(46, 33), PixelCode::White);
}

}  // namespace
}  // namespace pictavo
