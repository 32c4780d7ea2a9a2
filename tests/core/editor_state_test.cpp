#include <gtest/gtest.h>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "recording_view.h"

namespace pictavo {
namespace {

using testing::RecordingView;

struct StartedEditor : ::testing::Test {
  StartedEditor() : editor(&view) { editor.Start(); }
  EditorState& s() { return EditorTestDoor::MutableState(editor); }
  // Canvas position inside the 1-based cell at the current zoom.
  int At(int cell) { return (cell - 1) * s().View.PixelSize + 1; }

  RecordingView view;
  Editor editor;
};

TEST_F(StartedEditor, StartValues) {
  EXPECT_EQ(s().Document.Picture.Width, 96);
  EXPECT_EQ(s().Document.Picture.Height, 92);
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      ASSERT_EQ(s().Document.Picture.Cells.At(x, y), PixelCode::Transparent) << x << "," << y;
    }
  }
  EXPECT_EQ(s().Tools.LeftColor, PixelCode::Black);
  EXPECT_EQ(s().Tools.RightColor, PixelCode::Transparent);
  EXPECT_EQ(s().View.PixelSize, 5);
  EXPECT_TRUE(s().View.ShowGrid);
  EXPECT_FALSE(s().View.ShowBorder);
  EXPECT_FALSE(s().Document.Undo.Available());
  EXPECT_EQ(s().Document.Undo.Count(), 0);
  EXPECT_EQ(s().Tools.CurrentTool, DrawTool::Pen);
  EXPECT_EQ(s().Document.VersionText, "Pictavo v.2.0");
  EXPECT_EQ(s().Document.PictureFileVersion, 2);
  EXPECT_FALSE(s().Document.SkinMode);
  ASSERT_FALSE(view.undo_enabled.empty());
  EXPECT_FALSE(view.undo_enabled.back());
  EXPECT_GE(view.renders, 2);  // the first render and the one of the cleared picture
}

TEST_F(StartedEditor, UndoStepsBackThroughTheFiftyNewestStatesOnly) {
  // Edit k paints cell (k, 1) black; state k is the picture after k edits.
  for (int k = 1; k <= 51; ++k) {
    editor.MouseDown(MouseButton::Left, At(k), At(1));
    editor.MouseUp(MouseButton::Left, At(k), At(1));
  }
  EXPECT_EQ(s().Document.Undo.Count(), 50);
  for (int undo = 1; undo <= 50; ++undo) {
    ASSERT_TRUE(s().Document.Undo.Available()) << "undo " << undo;
    editor.PopUndo();
    // After this undo the picture holds edits 1 .. 51 - undo.
    const int edits_left = 51 - undo;
    for (int k = 1; k <= 51; ++k) {
      const PixelCode expected = k <= edits_left ? PixelCode::Black : PixelCode::Transparent;
      ASSERT_EQ(s().Document.Picture.Cells.At(k, 1), expected) << "undo " << undo << " cell " << k;
    }
  }
  EXPECT_FALSE(s().Document.Undo.Available());
  EXPECT_FALSE(view.undo_enabled.back());
  // The state before the first edit cannot be reached.
  const Picture before = s().Document.Picture;
  editor.PopUndo();
  EXPECT_EQ(s().Document.Picture, before);
  EXPECT_EQ(s().Document.Picture.Cells.At(1, 1), PixelCode::Black);
}

TEST_F(StartedEditor, UndoRestoresSizeWithThePixels) {
  editor.WidthDown();
  editor.HeightDown();
  EXPECT_EQ(s().Document.Picture.Width, 95);
  EXPECT_EQ(s().Document.Picture.Height, 91);
  editor.PopUndo();
  EXPECT_EQ(s().Document.Picture.Height, 92);
  EXPECT_EQ(s().Document.Picture.Width, 95);
  editor.PopUndo();
  EXPECT_EQ(s().Document.Picture.Width, 96);
}

TEST_F(StartedEditor, ClearPictureIsNotUndoableAndKeepsTheStack) {
  editor.MouseDown(MouseButton::Left, At(3), At(3));
  editor.MouseUp(MouseButton::Left, At(3), At(3));
  s().Tools.RightColor = PixelCode::White;
  s().Document.Picture.Width = 10;
  const int renders = view.renders;
  editor.ClearPicture();
  EXPECT_EQ(view.renders, renders + 1);
  EXPECT_EQ(s().Document.Undo.Count(), 1);
  // The whole storage, not only the current size, takes the right colour.
  EXPECT_EQ(s().Document.Picture.Cells.At(96, 92), PixelCode::White);
  EXPECT_EQ(s().Document.Picture.Cells.At(3, 3), PixelCode::White);
  editor.PopUndo();
  // Undo brings back the snapshot taken before the pen press, not the cleared state.
  EXPECT_EQ(s().Document.Picture.Cells.At(3, 3), PixelCode::Transparent);
  EXPECT_EQ(s().Document.Picture.Width, 96);
}

TEST_F(StartedEditor, ClearUndoForgetsSnapshotsAndDisablesUndo) {
  EditorTestDoor::PushUndo(editor);
  EditorTestDoor::PushUndo(editor);
  editor.ClearUndo();
  EXPECT_EQ(s().Document.Undo.Count(), 0);
  EXPECT_FALSE(s().Document.Undo.Available());
  const Picture before = s().Document.Picture;
  editor.PopUndo();
  EXPECT_EQ(s().Document.Picture, before);
}

TEST_F(StartedEditor, ViewCommandsKeepMenuAndButtonsInStepAndSaveNoUndo) {
  const int syncs = view.view_syncs;
  editor.ToggleGrid();
  EXPECT_FALSE(s().View.ShowGrid);
  editor.ToggleBorder();
  EXPECT_TRUE(s().View.ShowBorder);
  EXPECT_EQ(view.view_syncs, syncs + 2);
  editor.SetPixelSizeFromMenu(2);
  EXPECT_EQ(s().View.PixelSize, 2);
  EXPECT_FALSE(s().View.ShowGrid);  // the size items never change the grid flag
  editor.SetPixelSizeFromMenu(15);
  EXPECT_EQ(s().View.PixelSize, 15);
  EXPECT_EQ(s().Document.Undo.Count(), 0);
}

TEST_F(StartedEditor, PixelSizeArrowsStopAtTheLimits) {
  s().View.PixelSize = 49;
  editor.PixelSizeUp();
  EXPECT_EQ(s().View.PixelSize, 49);
  s().View.PixelSize = 1;
  editor.PixelSizeDown();
  EXPECT_EQ(s().View.PixelSize, 1);
  editor.PixelSizeUp();
  EXPECT_EQ(s().View.PixelSize, 2);
}

TEST_F(StartedEditor, CoordinatesAreZeroBasedCells) {
  editor.MouseMove(12, 37);
  ASSERT_FALSE(view.coordinates.empty());
  EXPECT_EQ(view.coordinates.back(), (CellPoint{2, 7}));
  // Beyond the picture the pointer is clamped onto its last column and row.
  editor.MouseMove(5000, -20);
  EXPECT_EQ(view.coordinates.back(), (CellPoint{95, 0}));
}

}  // namespace
}  // namespace pictavo
