#include "core/editing/selection_transform.h"

#include <algorithm>

#include "core/editing/editor.h"

namespace pictavo {

namespace {

// Copies the buffer into the scratch grid, blanks the old extent, sets the
// new extent and fills it: new cell [i][j] takes old cell source(i, j).
template <typename Source>
void Remap(EditorState& s, int new_width, int new_height, Source source) {
  SelectionGrid& buffer = s.Selection.SelectionBuffer;
  SelectionGrid& scratch = s.Selection.SelectionScratch;
  for (int i = 1; i <= buffer.Width; ++i) {
    for (int j = 1; j <= buffer.Height; ++j) {
      scratch.Cells.At(i, j) = buffer.Cells.At(i, j);
      buffer.Cells.At(i, j) = PixelCode::Black;
    }
  }
  scratch.Width = buffer.Width;
  scratch.Height = buffer.Height;
  buffer.Width = new_width;
  buffer.Height = new_height;
  for (int i = 1; i <= new_width; ++i) {
    for (int j = 1; j <= new_height; ++j) {
      const CellPoint old = source(i, j);
      buffer.Cells.At(i, j) = scratch.Cells.At(old.x, old.y);
    }
  }
}

void SetRectFromBox(EditorState& s) {
  s.Selection.SelectionRect = {s.Selection.BoxStart.x + 1, s.Selection.BoxStart.y + 1,
                               s.Selection.BoxEnd.x, s.Selection.BoxEnd.y};
}

}  // namespace

void RotateSelectionLeft(Editor& editor) {
  if (!editor.State().Selection.SelectionCaptured) return;
  EditScope scope(editor);
  EditorState& s = scope.State();
  const int bw = s.Selection.SelectionBuffer.Width;
  const int bh = s.Selection.SelectionBuffer.Height;
  Remap(s, bh, bw, [bw](int i, int j) { return CellPoint{bw + 1 - j, i}; });
}

void RotateSelectionRight(Editor& editor) {
  if (!editor.State().Selection.SelectionCaptured) return;
  EditScope scope(editor);
  EditorState& s = scope.State();
  const int bw = s.Selection.SelectionBuffer.Width;
  const int bh = s.Selection.SelectionBuffer.Height;
  Remap(s, bh, bw, [bh](int i, int j) { return CellPoint{j, bh + 1 - i}; });
}

void FlipSelectionHorizontally(Editor& editor) {
  if (!editor.State().Selection.SelectionCaptured) return;
  EditScope scope(editor);
  EditorState& s = scope.State();
  const int bw = s.Selection.SelectionBuffer.Width;
  const int bh = s.Selection.SelectionBuffer.Height;
  Remap(s, bw, bh, [bh](int i, int j) { return CellPoint{i, bh + 1 - j}; });
}

void FlipSelectionVertically(Editor& editor) {
  if (!editor.State().Selection.SelectionCaptured) return;
  EditScope scope(editor);
  EditorState& s = scope.State();
  const int bw = s.Selection.SelectionBuffer.Width;
  const int bh = s.Selection.SelectionBuffer.Height;
  Remap(s, bw, bh, [bw](int i, int j) { return CellPoint{bw + 1 - i, j}; });
}

CropResult CropToSelection(Editor& editor) {
  const SelectionState& selection = editor.State().Selection;
  if (!selection.SelectionCaptured) return CropResult::NothingCaptured;
  // Only a quarter turn of a capture wider than the storage is high gets
  // here; keeping part of it would lose rows the user never chose to drop.
  if (selection.SelectionBuffer.Height > MaxPictureHeight ||
      selection.SelectionBuffer.Width > MaxPictureWidth) {
    return CropResult::TooTall;
  }
  EditScope scope(editor, UndoRule::Picture);
  EditorState& s = scope.State();
  const SelectionGrid& buffer = s.Selection.SelectionBuffer;
  SetRectFromBox(s);
  Picture& picture = s.Document.Picture;
  const Picture before = picture;
  picture.Width = buffer.Width;
  picture.Height = buffer.Height;
  for (int x = 1; x <= picture.Width; ++x) {
    for (int y = 1; y <= picture.Height; ++y) picture.Cells.At(x, y) = buffer.Cells.At(x, y);
  }
  s.Selection.BoxStart = {0, 0};
  s.Selection.BoxEnd = {picture.Width, picture.Height};
  scope.ChangedIf(picture != before);
  return CropResult::Cropped;
}

std::string CropRefusalMessage(int buffer_height) {
  return "The selection is " + std::to_string(buffer_height) +
         " rows high; a picture can hold at most " + std::to_string(MaxPictureHeight) + ".";
}

void ClearSelection(Editor& editor) {
  if (!editor.State().Selection.SelectionCaptured) return;
  EditScope scope(editor, UndoRule::Picture);
  EditorState& s = scope.State();
  SetRectFromBox(s);
  bool changed = false;
  const CellRect& r = s.Selection.SelectionRect;
  // The box may reach beyond the current picture but never past the storage.
  const int left = std::max(r.Left, 1);
  const int top = std::max(r.Top, 1);
  const int right = std::min(r.Right, MaxPictureWidth);
  const int bottom = std::min(r.Bottom, MaxPictureHeight);
  for (int x = left; x <= right; ++x) {
    for (int y = top; y <= bottom; ++y) {
      PixelCode& cell = s.Document.Picture.Cells.At(x, y);
      changed = changed || cell != s.Tools.RightColor;
      cell = s.Tools.RightColor;
    }
  }
  scope.ChangedIf(changed);
}

void SaveSelectionUndoStep(Editor& editor) { EditScope scope(editor, UndoRule::Picture); }

}  // namespace pictavo
