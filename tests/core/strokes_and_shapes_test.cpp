// Pen strokes that follow the pointer, redo, and the line and rectangle tools.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "recording_view.h"

namespace pictavo {
namespace {

using testing::RecordingView;
using Cells = std::set<std::pair<int, int>>;

// The straight path between two cells, written independently of the tools:
// n + 1 points evenly along the longer axis, rounded half up. Each point
// is next to the one before, so a chain of them is 8-connected.
Cells ReferenceLine(CellPoint a, CellPoint b) {
  const int n = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
  Cells cells;
  for (int i = 0; i <= n; ++i) {
    const double t = n == 0 ? 0.0 : static_cast<double>(i) / n;
    cells.insert({static_cast<int>(std::floor(a.x + t * (b.x - a.x) + 0.5)),
                  static_cast<int>(std::floor(a.y + t * (b.y - a.y) + 0.5))});
  }
  return cells;
}

struct Drawing : ::testing::Test {
  Drawing() : editor(&view) { editor.Start(); }
  EditorState& s() { return EditorTestDoor::MutableState(editor); }
  Cells Painted(PixelCode code) {
    Cells cells;
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      for (int x = 1; x <= MaxPictureWidth; ++x) {
        if (s().Document.Picture.Cells.At(x, y) == code) cells.insert({x, y});
      }
    }
    return cells;
  }
  // The picture's top-left part as rows of '#' (code) and '.' (anything else).
  std::string Art(int width, int height, PixelCode code) {
    std::string art;
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x)
        art += s().Document.Picture.Cells.At(x, y) == code ? '#' : '.';
      art += '\n';
    }
    return art;
  }
  int Pos(int cell) { return (cell - 1) * s().View.PixelSize + 1; }

  RecordingView view;
  Editor editor;
};

TEST_F(Drawing, PenStrokePaintsTheUnionOfItsSegmentsWithOneSnapshotAndNoFullRedraw) {
  std::mt19937 rng(7);
  auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 300; ++round) {
    Picture& picture = s().Document.Picture;
    picture.Width = 2 + below(95);
    picture.Height = 2 + below(91);
    s().View.PixelSize = 1 + below(12);
    picture.Cells.Fill(PixelCode::White);
    const int p = s().View.PixelSize;
    const MouseButton button = below(2) ? MouseButton::Left : MouseButton::Right;
    const PixelCode code = button == MouseButton::Left ? PixelCode::Black : PixelCode::Gray33;
    editor.SetColor(button, code);
    const int undo = s().Document.Undo.Count();

    // The press inside the picture; the moves anywhere, even far beyond it.
    CellPoint last{1 + below(picture.Width), 1 + below(picture.Height)};
    editor.MouseDown(button, (last.x - 1) * p + below(p), (last.y - 1) * p + below(p));
    Cells expected = ReferenceLine(last, last);
    const int renders = view.renders;
    for (int move = below(6); move > 0; --move) {
      const int x = below((picture.Width + 10) * p) - 5 * p;
      const int y = below((picture.Height + 10) * p) - 5 * p;
      editor.MouseMove(x, y);
      const CellPoint cell{std::clamp(x, 0, picture.Width * p - 1) / p + 1,
                           std::clamp(y, 0, picture.Height * p - 1) / p + 1};
      expected.merge(ReferenceLine(last, cell));
      last = cell;
    }
    editor.MouseUp(button, 0, 0);

    ASSERT_EQ(Painted(code), expected) << "round " << round;
    ASSERT_EQ(view.renders, renders) << "a stroke repaints only its squares";
    ASSERT_EQ(s().Document.Undo.Count(), std::min(undo + 1, UndoDepth));
  }
}

TEST_F(Drawing, RedoStepsForwardThroughWhatUndoSteppedBack) {
  // Digits click that cell of the first row black; u undoes, r redoes.
  struct Row {
    const char* steps;
    const char* shown;  // the first row afterwards
    int undo, redo;
  };
  const Row rows[] = {
      {"1 2 3", "###.", 3, 0},       {"1 2 u", "#...", 1, 1},       {"1 2 u u r", "#...", 1, 1},
      {"1 2 u u r r", "##..", 2, 0}, {"1 2 u r r", "##..", 2, 0},   {"1 2 u 4", "#..#", 2, 0},
      {"r", "....", 0, 0},           {"1 u u r u r", "#...", 1, 0},
  };
  for (const Row& row : rows) {
    editor.ClearUndo();
    s().Document.Picture.Cells.Fill(PixelCode::White);
    for (const char* c = row.steps; *c != '\0'; ++c) {
      if (*c == 'u') editor.PopUndo();
      if (*c == 'r') editor.PopRedo();
      if (*c >= '1' && *c <= '9') {
        editor.MouseDown(MouseButton::Left, Pos(*c - '0'), Pos(1));
        editor.MouseUp(MouseButton::Left, Pos(*c - '0'), Pos(1));
      }
    }
    EXPECT_EQ(Art(4, 1, PixelCode::Black), std::string(row.shown) + "\n") << row.steps;
    EXPECT_EQ(s().Document.Undo.Count(), row.undo) << row.steps;
    EXPECT_EQ(s().Document.Redo.Count(), row.redo) << row.steps;
    EXPECT_EQ(view.undo_enabled.back(), row.undo > 0) << row.steps;
  }
}

TEST_F(Drawing, LinesAndRectanglesDrawTheirCellsOnReleaseWithOneSnapshot) {
  struct Row {
    DrawTool tool;
    bool filled, shift;
    CellPoint from, to;
    const char* art;
  };
  const Row rows[] = {
      {DrawTool::Line, false, false, {1, 1}, {7, 3}, "##.....\n..###..\n.....##\n.......\n"},
      {DrawTool::Line, false, false, {7, 3}, {1, 1}, "##.....\n..###..\n.....##\n.......\n"},
      {DrawTool::Line, false, true, {1, 1}, {7, 3}, "#######\n.......\n.......\n.......\n"},
      {DrawTool::Line, false, true, {1, 1}, {4, 3}, "#......\n.#.....\n..#....\n...#...\n"},
      {DrawTool::Rectangle, false, false, {6, 3}, {2, 1}, ".#####.\n.#...#.\n.#####.\n.......\n"},
      {DrawTool::Rectangle, true, false, {2, 2}, {4, 3}, ".......\n.###...\n.###...\n.......\n"},
      {DrawTool::Rectangle, false, true, {1, 1}, {4, 2}, "####...\n#..#...\n#..#...\n####...\n"},
      // Kept square beyond the picture (7 x 4): only the picture's cells are drawn.
      {DrawTool::Rectangle, true, true, {5, 3}, {7, 4}, ".......\n.......\n....###\n....###\n"},
  };
  for (const Row& row : rows) {
    s().Document.Picture.Width = 7;
    s().Document.Picture.Height = 4;
    s().Document.Picture.Cells.Fill(PixelCode::White);
    editor.SelectTool(row.tool);
    editor.SetRectangleFilled(row.filled);
    editor.SetShiftHeld(row.shift);
    const int undo = s().Document.Undo.Count();
    editor.MouseDown(MouseButton::Right, Pos(row.from.x), Pos(row.from.y));
    const int renders = view.renders;
    editor.MouseMove(Pos(row.to.x), Pos(row.to.y));
    EXPECT_EQ(view.renders, renders + 1) << "the ghost follows the drag";
    EXPECT_EQ(Painted(PixelCode::Transparent).size(), 0U) << "nothing drawn before the release";
    editor.MouseUp(MouseButton::Right, Pos(row.to.x), Pos(row.to.y));
    EXPECT_EQ(Art(7, 4, PixelCode::Transparent), row.art);
    EXPECT_EQ(s().Document.Undo.Count(), undo + 1);
  }
  // A shape whose button another press let go is dropped.
  s().Document.Picture.Cells.Fill(PixelCode::White);
  const int undo = s().Document.Undo.Count();
  editor.MouseDown(MouseButton::Left, Pos(1), Pos(1));
  editor.MouseDown(MouseButton::Middle, Pos(1), Pos(1));
  editor.MouseUp(MouseButton::Left, Pos(3), Pos(3));
  EXPECT_EQ(Painted(PixelCode::White).size(), static_cast<std::size_t>(96 * 92));
  EXPECT_EQ(s().Document.Undo.Count(), undo);
}

}  // namespace
}  // namespace pictavo
