#include "core/editing/selection.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/editing/selection_box.h"
#include "core/editing/tools/tool_context.h"

namespace pictavo {

namespace {

// One overlay for the whole run: the ghost is redrawn on every cell change,
// so its 9 KB of cells are not built on the stack each time.
CellOverlay& GhostOverlay() {
  static CellOverlay overlay;
  return overlay;
}

}  // namespace

void BeginBox(ToolContext& context, int x, int y) {
  // Starting a box saves an undo step, though it changes no pixel.
  PictureEdit undo_step = context.Edit(UndoRule::Picture);
  SelectionState& s = context.MutableSelection();
  s.BoxVisible = false;  // the old box goes at the next Render
  // Clamped like the move and release positions, so a press beyond the
  // picture starts the box at its last column or row and the capture never
  // reaches cells outside the picture.
  const CellPoint p = context.Clamp(x, y);
  s.BoxStart = {p.x / context.PixelSize(), p.y / context.PixelSize()};
  s.BoxDragging = true;
}

void DrawRubberBand(ToolContext& context, CellPoint start, CellPoint cell) {
  if (cell == context.RubberBandCell()) return;
  context.Render();
  const int left = std::min(start.x, cell.x);
  const int right = std::max(start.x, cell.x) + 1;
  const int top = std::min(start.y, cell.y);
  const int bottom = std::max(start.y, cell.y) + 1;
  const int p = context.PixelSize();
  context.StrokeBox(left * p, top * p, right * p, bottom * p);
  context.Present();
  context.SetRubberBandCell(cell);
}

void EndBox(ToolContext& context, int x, int y) {
  SelectionState& s = context.MutableSelection();
  s.BoxVisible = true;
  s.BoxEnd = {x / context.PixelSize() + 1, y / context.PixelSize() + 1};
  CaptureSelection(context);
  context.Render();
  s.BoxDragging = false;
}

void CaptureSelection(ToolContext& context) {
  SelectionState& s = context.MutableSelection();
  ShownBox(s);  // a shown box is normalised before it is read
  s.SelectionRect = {s.BoxStart.x + 1, s.BoxStart.y + 1, s.BoxEnd.x, s.BoxEnd.y};
  const CellRect& r = s.SelectionRect;
  // The box comes from clamped positions, so it lies in the storage; the
  // copy is still held to it so that no index can ever leave the grids.
  const int left = std::max(r.Left, 1);
  const int top = std::max(r.Top, 1);
  const int right = std::min(r.Right, MaxPictureWidth);
  const int bottom = std::min(r.Bottom, MaxPictureHeight);
  SelectionGrid& buffer = s.SelectionBuffer;
  buffer.Width = std::max(right - left + 1, 0);
  buffer.Height = std::max(bottom - top + 1, 0);
  const PictureCells& cells = context.Picture().Cells;
  for (int x = left, i = 1; x <= right; ++x, ++i) {
    for (int y = top, j = 1; y <= bottom; ++y, ++j) buffer.Cells.At(i, j) = cells.At(x, y);
  }
  s.SelectionCaptured = true;
  context.SelectionCoordinatesChanged();
}

void PasteSelection(ToolContext& context, int x, int y) {
  if (!context.Selection().SelectionCaptured) {
    context.Render();
    return;
  }
  PictureEdit scope = context.Edit(UndoRule::Picture);
  bool changed = false;
  const int p = context.PixelSize();
  const int px = x / p + 1;
  const int py = y / p + 1;
  const SelectionGrid& buffer = context.Selection().SelectionBuffer;
  Picture& picture = scope.Picture();
  // Buffer cells that would land outside the picture are dropped: right of
  // and below it, and, for a position left of or above the canvas, before it.
  const int first_i = std::max(1, 2 - px);
  const int last_i = std::min(buffer.Width, picture.Width - px + 1);
  const int first_j = std::max(1, 2 - py);
  const int last_j = std::min(buffer.Height, picture.Height - py + 1);
  for (int i = first_i; i <= last_i; ++i) {
    for (int j = first_j; j <= last_j; ++j) {
      const PixelCode code = buffer.Cells.At(i, j);
      PixelCode& cell = picture.Cells.At(px + i - 1, py + j - 1);
      if (code != PixelCode::Transparent && cell != code) {
        cell = code;
        changed = true;
      }
    }
  }
  scope.ChangedIf(changed);
}

void DrawPasteGhost(ToolContext& context, int x, int y) {
  const int p = context.PixelSize();
  const Picture& picture = context.Picture();
  const int px = x / p + 1;
  const int py = y / p + 1;
  if (px > picture.Width || py > picture.Height) return;
  const CellPoint cell{px, py};
  if (cell == context.GhostCell()) return;

  // The ghost is laid over one full redraw, which also erases the previous
  // one. Transparent squares would hide the picture under them, so only those
  // beyond its right or bottom edge are shown.
  const SelectionGrid& buffer = context.Selection().SelectionBuffer;
  CellOverlay& ghost = GhostOverlay();
  ghost.Reset(px, py, buffer.Width, buffer.Height);
  // Only squares that can show in the view are worth laying over it.
  const Viewport& shown = context.Shown();
  const int last_column = std::min(buffer.Width, (shown.Left + shown.Width - 1) / p + 2 - px);
  const int last_row = std::min(buffer.Height, (shown.Top + shown.Height - 1) / p + 2 - py);
  for (int j = 1; j <= last_row; ++j) {
    std::uint8_t* row = ghost.MutableRow(j);
    const PixelCode* codes =
        buffer.Cells.Data() + static_cast<std::size_t>(j - 1) * SelectionGridSize;
    // Below the picture every square shows; beside it, those past its edge.
    const int shown_from = py + j - 1 > picture.Height ? 1 : picture.Width - px + 2;
    for (int i = 1; i <= last_column; ++i) {
      const PixelCode code = codes[i - 1];
      if (code != PixelCode::Transparent || i >= shown_from) {
        row[i - 1] = static_cast<std::uint8_t>(code);
      }
    }
  }
  context.RenderWithOverlay(ghost);
  context.SetGhostCell(cell);
}

}  // namespace pictavo
