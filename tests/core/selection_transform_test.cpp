#include "core/editing/selection_transform.h"
#include "core/editing/editor_test_door.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/selection.h"

namespace pictavo {
namespace {

class CountingView : public EditorView {
 public:
  void Present() override { ++presents; }
  void Rendered() override { ++renders; }

  int presents = 0;
  int renders = 0;
};

// Letters stand for codes. Five codes cannot name six letters apart, so the
// same box runs under two spellings whose shared codes differ: any two
// letters differ in at least one of them.
using Spelling = std::map<char, PixelCode>;
const Spelling kFirstSpelling = {{'a', PixelCode::Black},       {'b', PixelCode::Gray66},
                                 {'c', PixelCode::Gray33},      {'d', PixelCode::White},
                                 {'e', PixelCode::Transparent}, {'f', PixelCode::Black}};
const Spelling kSecondSpelling = {{'a', PixelCode::Transparent}, {'b', PixelCode::White},
                                  {'c', PixelCode::Black},       {'d', PixelCode::Gray66},
                                  {'e', PixelCode::White},       {'f', PixelCode::Gray33}};

PixelCode PatternCode(int x, int y) { return ToPixelCode((3 * x + y) % PixelCodeCount); }

class SelectionTransformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.Start();
    editor.SelectTool(DrawTool::SelectBox);
  }

  EditorState& S() { return EditorTestDoor::MutableState(editor); }
  int Pos(int cell) { return (cell - 1) * S().View.PixelSize + 1; }

  void FillPattern() {
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      for (int y = 1; y <= MaxPictureHeight; ++y) S().Document.Picture.Cells.At(x, y) = PatternCode(x, y);
    }
  }
  void Drag(CellPoint from, CellPoint to) {
    editor.MouseDown(MouseButton::Left, Pos(from.x), Pos(from.y));
    editor.MouseMove(Pos(to.x), Pos(to.y));
    editor.MouseUp(MouseButton::Left, Pos(to.x), Pos(to.y));
  }
  // Captures literal rows written at (x0, y0) of the picture.
  void CaptureRows(const std::vector<std::string>& rows, const Spelling& spelling, int x0 = 20,
                   int y0 = 30) {
    for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
      for (int i = 0; i < static_cast<int>(rows[j].size()); ++i) {
        S().Document.Picture.Cells.At(x0 + i, y0 + j) = spelling.at(rows[j][i]);
      }
    }
    Drag({x0, y0},
         {x0 + static_cast<int>(rows[0].size()) - 1, y0 + static_cast<int>(rows.size()) - 1});
  }
  // The buffer's extent and its meaningful cells, row by row.
  std::vector<std::vector<PixelCode>> BufferRows() {
    const SelectionGrid& buffer = S().Selection.SelectionBuffer;
    std::vector<std::vector<PixelCode>> rows(static_cast<std::size_t>(buffer.Height));
    for (int j = 1; j <= buffer.Height; ++j) {
      for (int i = 1; i <= buffer.Width; ++i) rows[j - 1].push_back(buffer.Cells.At(i, j));
    }
    return rows;
  }
  static std::vector<std::vector<PixelCode>> Spelled(const std::vector<std::string>& rows,
                                                     const Spelling& spelling) {
    std::vector<std::vector<PixelCode>> out;
    for (const std::string& row : rows) {
      out.emplace_back();
      for (char letter : row) out.back().push_back(spelling.at(letter));
    }
    return out;
  }

  CountingView view;
  Editor editor{&view};
};

// ---- rotations and mirrorings -------------------------------------------------------

TEST_F(SelectionTransformTest, TwoByThreeBoxUnderEveryTransformation) {
  const struct {
    const char* name;
    void (*operation)(Editor&);
    std::vector<std::string> rows;
  } cases[] = {
      {"rotate right", RotateSelectionRight, {"da", "eb", "fc"}},
      {"rotate left", RotateSelectionLeft, {"cf", "be", "ad"}},
      {"flip horizontally", FlipSelectionHorizontally, {"def", "abc"}},
      {"flip vertically", FlipSelectionVertically, {"cba", "fed"}},
  };
  for (const Spelling* spelling : {&kFirstSpelling, &kSecondSpelling}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      CaptureRows({"abc", "def"}, *spelling);
      ASSERT_EQ(BufferRows(), Spelled({"abc", "def"}, *spelling));
      c.operation(editor);
      EXPECT_EQ(S().Selection.SelectionBuffer.Width, static_cast<int>(c.rows[0].size()));
      EXPECT_EQ(S().Selection.SelectionBuffer.Height, static_cast<int>(c.rows.size()));
      EXPECT_EQ(BufferRows(), Spelled(c.rows, *spelling));
    }
  }
}

TEST_F(SelectionTransformTest, RotationsBackToTheStartGiveTheSameBuffer) {
  FillPattern();
  Drag({4, 9}, {10, 11});  // 7 x 3
  const auto captured = BufferRows();
  for (auto* rotate : {RotateSelectionLeft, RotateSelectionRight}) {
    for (int turn = 0; turn < 4; ++turn) rotate(editor);
    EXPECT_EQ(BufferRows(), captured);
  }
  RotateSelectionLeft(editor);
  EXPECT_EQ(S().Selection.SelectionBuffer.Width, 3);
  EXPECT_EQ(S().Selection.SelectionBuffer.Height, 7);
  RotateSelectionRight(editor);
  EXPECT_EQ(BufferRows(), captured);
  for (auto* flip : {FlipSelectionHorizontally, FlipSelectionVertically}) {
    flip(editor);
    EXPECT_NE(BufferRows(), captured);
    flip(editor);
    EXPECT_EQ(BufferRows(), captured);
  }
}

TEST_F(SelectionTransformTest, RotationOfTheWidestCaptureFitsTheBuffer) {
  FillPattern();
  Drag({1, 1}, {96, 92});
  RotateSelectionRight(editor);
  EXPECT_EQ(S().Selection.SelectionBuffer.Width, 92);
  EXPECT_EQ(S().Selection.SelectionBuffer.Height, 96);
  // Old (x, y) lands at (bh + 1 - y, x).
  EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(92, 1), PatternCode(1, 1));
  EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(1, 96), PatternCode(96, 92));
  EXPECT_EQ(S().Selection.SelectionBuffer.Cells.At(3, 50), PatternCode(50, 90));
}

TEST_F(SelectionTransformTest, BufferTransformationsTouchNothingElse) {
  FillPattern();
  Drag({4, 9}, {10, 11});
  const Picture picture = S().Document.Picture;
  const CellRect rect = S().Selection.SelectionRect;
  const CellPoint start = S().Selection.BoxStart;
  const CellPoint end = S().Selection.BoxEnd;
  const int undo = S().Document.Undo.Count();
  const int renders = view.renders;
  const int presents = view.presents;
  for (auto* operation : {RotateSelectionLeft, RotateSelectionRight, FlipSelectionHorizontally,
                          FlipSelectionVertically, RotateSelectionLeft}) {
    operation(editor);
  }
  EXPECT_EQ(S().Document.Picture, picture);
  EXPECT_EQ(S().Selection.SelectionRect, rect);
  EXPECT_EQ(S().Selection.BoxStart, start);
  EXPECT_EQ(S().Selection.BoxEnd, end);
  EXPECT_TRUE(S().Selection.BoxVisible);
  EXPECT_EQ(S().Document.Undo.Count(), undo);
  EXPECT_EQ(view.renders, renders);
  EXPECT_EQ(view.presents, presents);
}

// ---- crop -------------------------------------------------------------------------

TEST_F(SelectionTransformTest, CropAfterRotatingTenByFourGivesFourColumnsAndTenRows) {
  FillPattern();
  Drag({11, 21}, {20, 24});
  ASSERT_EQ(S().Selection.SelectionBuffer.Width, 10);
  RotateSelectionLeft(editor);
  const auto rotated = BufferRows();
  const int undo = S().Document.Undo.Count();
  const int renders = view.renders;
  EXPECT_EQ(CropToSelection(editor), CropResult::Cropped);
  EXPECT_EQ(S().Document.Picture.Width, 4);
  EXPECT_EQ(S().Document.Picture.Height, 10);
  for (int x = 1; x <= 4; ++x) {
    for (int y = 1; y <= 10; ++y) EXPECT_EQ(S().Document.Picture.Cells.At(x, y), rotated[y - 1][x - 1]);
  }
  // Beyond the new size the cells keep their codes.
  EXPECT_EQ(S().Document.Picture.Cells.At(5, 1), PatternCode(5, 1));
  EXPECT_EQ(S().Document.Picture.Cells.At(1, 11), PatternCode(1, 11));
  EXPECT_EQ(S().Selection.BoxStart, (CellPoint{0, 0}));
  EXPECT_EQ(S().Selection.BoxEnd, (CellPoint{4, 10}));
  EXPECT_EQ(S().Selection.SelectionRect, (CellRect{11, 21, 20, 24}));
  EXPECT_EQ(S().Document.Undo.Count(), undo + 1);
  EXPECT_EQ(view.renders, renders + 1);
}

TEST_F(SelectionTransformTest, UndoAfterCropBringsBackSizeAndPixelsButNotTheBox) {
  FillPattern();
  editor.SetWidthQuick(40);
  Drag({11, 21}, {20, 24});
  RotateSelectionRight(editor);
  const Picture before = S().Document.Picture;
  const SelectionGrid buffer = S().Selection.SelectionBuffer;
  ASSERT_EQ(CropToSelection(editor), CropResult::Cropped);
  editor.PopUndo();
  EXPECT_EQ(S().Document.Picture, before);
  EXPECT_EQ(S().Selection.BoxEnd, (CellPoint{4, 10}));
  EXPECT_EQ(S().Selection.SelectionBuffer, buffer);
}

TEST_F(SelectionTransformTest, CropTakesTheBufferAsCapturedTransparentPixelsIncluded) {
  CaptureRows({"abc", "def"}, kFirstSpelling);  // e is transparent here
  // Paint over the box: the crop still takes the captured pixels.
  for (int x = 20; x <= 22; ++x) S().Document.Picture.Cells.At(x, 30) = PixelCode::White;
  S().Document.Picture.Cells.At(2, 2) = PixelCode::Black;
  ASSERT_EQ(CropToSelection(editor), CropResult::Cropped);
  EXPECT_EQ(S().Document.Picture.Width, 3);
  EXPECT_EQ(S().Document.Picture.Height, 2);
  EXPECT_EQ(S().Document.Picture.Cells.At(1, 1), kFirstSpelling.at('a'));
  EXPECT_EQ(S().Document.Picture.Cells.At(2, 2), PixelCode::Transparent);
}

TEST_F(SelectionTransformTest, ASecondCropTakesItsCoordinatesFromTheBoxOfTheFirst) {
  FillPattern();
  Drag({30, 30}, {35, 32});
  ASSERT_EQ(CropToSelection(editor), CropResult::Cropped);
  EXPECT_EQ(S().Selection.SelectionRect, (CellRect{30, 30, 35, 32}));
  ASSERT_EQ(CropToSelection(editor), CropResult::Cropped);
  EXPECT_EQ(S().Selection.SelectionRect, (CellRect{1, 1, 6, 3}));
  EXPECT_EQ(S().Document.Picture.Width, 6);
  EXPECT_EQ(S().Document.Picture.Height, 3);
}

TEST_F(SelectionTransformTest, CropOfABufferTallerThanAPictureIsRefused) {
  FillPattern();
  Drag({1, 40}, {96, 44});
  RotateSelectionLeft(editor);
  ASSERT_EQ(S().Selection.SelectionBuffer.Height, 96);
  const Picture before = S().Document.Picture;
  const CellPoint end = S().Selection.BoxEnd;
  const CellRect rect = S().Selection.SelectionRect;
  const int undo = S().Document.Undo.Count();
  const int renders = view.renders;
  EXPECT_EQ(CropToSelection(editor), CropResult::TooTall);
  EXPECT_EQ(S().Document.Picture, before);
  EXPECT_EQ(S().Selection.BoxEnd, end);
  EXPECT_EQ(S().Selection.SelectionRect, rect);
  EXPECT_EQ(S().Document.Undo.Count(), undo);
  EXPECT_EQ(view.renders, renders);
  EXPECT_EQ(CropRefusalMessage(S().Selection.SelectionBuffer.Height),
            "The selection is 96 rows high; a picture can hold at most 92.");
}

TEST_F(SelectionTransformTest, CropOfABufferExactlyAsTallAsAPictureIsDone) {
  FillPattern();
  Drag({3, 40}, {94, 41});
  RotateSelectionRight(editor);
  ASSERT_EQ(S().Selection.SelectionBuffer.Height, 92);
  EXPECT_EQ(CropToSelection(editor), CropResult::Cropped);
  EXPECT_EQ(S().Document.Picture.Width, 2);
  EXPECT_EQ(S().Document.Picture.Height, 92);
  // Old (x, y) lands at (bh + 1 - y, x): the top row of the capture is column 2.
  EXPECT_EQ(S().Document.Picture.Cells.At(2, 92), PatternCode(94, 40));
  EXPECT_EQ(S().Document.Picture.Cells.At(1, 1), PatternCode(3, 41));
}

// ---- clear --------------------------------------------------------------------------

TEST_F(SelectionTransformTest, ClearFillsTheBoxWithTheRightColour) {
  FillPattern();
  Drag({5, 7}, {2, 3});
  const SelectionGrid buffer = S().Selection.SelectionBuffer;
  const int undo = S().Document.Undo.Count();
  const int renders = view.renders;
  Picture expected = S().Document.Picture;
  for (int x = 2; x <= 5; ++x) {
    for (int y = 3; y <= 7; ++y) expected.Cells.At(x, y) = PixelCode::Transparent;
  }
  ClearSelection(editor);  // RightColor is still its start value
  EXPECT_EQ(S().Document.Picture, expected);
  EXPECT_EQ(S().Selection.SelectionBuffer, buffer);
  EXPECT_EQ(S().Document.Undo.Count(), undo + 1);
  EXPECT_EQ(view.renders, renders + 1);
}

TEST_F(SelectionTransformTest, ClearUsesTheLastBoxAfterItWasHidden) {
  FillPattern();
  Drag({10, 10}, {11, 12});
  editor.SelectTool(DrawTool::Pen);
  ASSERT_FALSE(S().Selection.BoxVisible);
  editor.SetRightColor(PixelCode::White);
  ClearSelection(editor);
  for (int y = 9; y <= 13; ++y) {
    for (int x = 9; x <= 12; ++x) {
      const bool inside = x >= 10 && x <= 11 && y >= 10 && y <= 12;
      EXPECT_EQ(S().Document.Picture.Cells.At(x, y), inside ? PixelCode::White : PatternCode(x, y))
          << x << "," << y;
    }
  }
}

TEST_F(SelectionTransformTest, ClearReachesCellsOfTheBoxBeyondAShrunkPicture) {
  FillPattern();
  editor.SetWidthQuick(20);
  editor.SetHeightQuick(10);
  Drag({15, 5}, {18, 8});
  editor.SetWidthQuick(16);
  editor.SetHeightQuick(6);
  editor.SetRightColor(PixelCode::Black);
  ClearSelection(editor);
  editor.SetWidthQuick(20);
  editor.SetHeightQuick(10);
  for (int x = 14; x <= 19; ++x) {
    for (int y = 4; y <= 9; ++y) {
      const bool inside = x >= 15 && x <= 18 && y >= 5 && y <= 8;
      EXPECT_EQ(S().Document.Picture.Cells.At(x, y), inside ? PixelCode::Black : PatternCode(x, y))
          << x << "," << y;
    }
  }
}

TEST_F(SelectionTransformTest, ClearAfterCropFillsTheWholeNewPicture) {
  FillPattern();
  Drag({30, 30}, {35, 32});
  ASSERT_EQ(CropToSelection(editor), CropResult::Cropped);
  editor.SetRightColor(PixelCode::Gray66);
  ClearSelection(editor);
  for (int x = 1; x <= 7; ++x) {
    for (int y = 1; y <= 4; ++y) {
      const bool inside = x <= 6 && y <= 3;
      EXPECT_EQ(S().Document.Picture.Cells.At(x, y), inside ? PixelCode::Gray66 : PatternCode(x, y));
    }
  }
}

TEST_F(SelectionTransformTest, ClearOfABoxReachingPastTheStorageWritesOnlyInsideIt) {
  FillPattern();
  Drag({91, 89}, {96, 92});
  // No handler makes such a box; the clear must still keep to the storage,
  // where a cell past the last column would be the first of the next row.
  S().Selection.BoxEnd = {101, 97};
  editor.SetRightColor(PixelCode::White);
  ClearSelection(editor);
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      const bool inside = x >= 91 && y >= 89;
      EXPECT_EQ(S().Document.Picture.Cells.At(x, y), inside ? PixelCode::White : PatternCode(x, y))
          << x << "," << y;
    }
  }
}

// ---- before any capture -----------------------------------------------------------

TEST_F(SelectionTransformTest, EveryOperationBeforeACaptureDoesNothing) {
  FillPattern();
  // A box press without a release leaves a box but no capture.
  editor.MouseDown(MouseButton::Left, Pos(3), Pos(3));
  editor.MouseMove(Pos(6), Pos(6));
  S().Selection.BoxEnd = {6, 6};
  const Picture picture = S().Document.Picture;
  const SelectionGrid buffer = S().Selection.SelectionBuffer;
  const int undo = S().Document.Undo.Count();
  const int renders = view.renders;
  const int presents = view.presents;
  for (auto* operation : {RotateSelectionLeft, RotateSelectionRight, FlipSelectionHorizontally,
                          FlipSelectionVertically, ClearSelection}) {
    operation(editor);
  }
  EXPECT_EQ(CropToSelection(editor), CropResult::NothingCaptured);
  EXPECT_FALSE(S().Selection.SelectionCaptured);
  EXPECT_EQ(S().Document.Picture, picture);
  EXPECT_EQ(S().Selection.SelectionBuffer, buffer);
  EXPECT_EQ(S().Document.Undo.Count(), undo);
  EXPECT_EQ(view.renders, renders);
  EXPECT_EQ(view.presents, presents);
}

}  // namespace
}  // namespace pictavo
