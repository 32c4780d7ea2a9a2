#include "core/editing/editor.h"
#include "core/editing/pixel_ops.h"
#include "core/editing/selection.h"

namespace pictavo {

// ---- colours and tools ----------------------------------------------------------

void Editor::SetColor(MouseButton button, PixelCode code) {
  if (button == MouseButton::Left) {
    SetLeftColor(code);
  } else if (button == MouseButton::Right) {
    SetRightColor(code);
  }
}

void Editor::SetLeftColor(PixelCode code) {
  state_->Tools.LeftColor = code;
  view_->SwatchesChanged();
}

void Editor::SetRightColor(PixelCode code) {
  state_->Tools.RightColor = code;
  view_->SwatchesChanged();
}

void Editor::SelectTool(DrawTool tool, bool panel_select_down, bool panel_paste_down) {
  EditorState& s = *state_;
  s.Tools.CurrentTool = tool;
  if (tool == DrawTool::SelectBox) {
    view_->SelectPanelVisibilityChanged(true);
    s.Selection.SelectMode = true;
    ReadSelectPanelModes(s, panel_select_down, panel_paste_down);
    Render();
  } else {
    s.Selection.BoxVisible = false;
    Render();
    view_->SelectPanelVisibilityChanged(false);
    s.Selection.SelectMode = false;
    s.Selection.PasteMode = false;
  }
}

void Editor::SetSelectPanelModes(bool select_down, bool paste_down) {
  ReadSelectPanelModes(*state_, select_down, paste_down);
}

// ---- mouse ---------------------------------------------------------------------

CellPoint Editor::Clamp(int x, int y) const {
  const EditorState& s = *state_;
  int px = x < 0 ? 0 : x;
  if (x >= s.Document.Picture.Width * s.View.PixelSize) px = s.Document.Picture.Width * s.View.PixelSize - 1;
  int py = y < 0 ? 0 : y;
  if (y >= s.Document.Picture.Height * s.View.PixelSize) py = s.Document.Picture.Height * s.View.PixelSize - 1;
  return {px, py};
}

void Editor::MouseDown(MouseButton button, int x, int y) {
  EditorState& s = *state_;
  // A press of one button ends the other's stroke; the middle one ends both.
  s.Pointer.LeftButtonHeld = button == MouseButton::Left;
  s.Pointer.RightButtonHeld = button == MouseButton::Right;
  if (button == MouseButton::Left) {
    if (s.Tools.CurrentTool == DrawTool::SelectBox) {
      if (s.Selection.SelectMode) BeginBox(*this, x, y);
      if (s.Selection.PasteMode) {
        PasteSelection(*this, x, y);
        Render();
      }
    } else {
      PressTool(s.Tools.LeftColor, x, y);
    }
  } else if (button == MouseButton::Right && s.Tools.CurrentTool != DrawTool::SelectBox) {
    PressTool(s.Tools.RightColor, x, y);
  }
}

// The pixel tools at a press, with the pressed button's colour. Every tool
// that changes pixels saves its snapshot first, even if it then changes none.
void Editor::PressTool(PixelCode& color, int x, int y) {
  switch (state_->Tools.CurrentTool) {
    case DrawTool::Pen:
      PushUndo();
      PenDot(color, x, y);
      break;
    case DrawTool::Pipe:
      PickColor(color, x, y);
      break;
    case DrawTool::Bucket:
      PushUndo();
      BucketFill(color, x, y);
      break;
    case DrawTool::ChangeColor:
      PushUndo();
      ReplaceColor(color, x, y);
      break;
    case DrawTool::SelectBox:
      break;
  }
}

void Editor::MouseMove(int x, int y) {
  EditorState& s = *state_;
  const CellPoint p = Clamp(x, y);
  ShowCoordinates(p.x, p.y);
  if (s.Pointer.LeftButtonHeld) {
    if (s.Tools.CurrentTool == DrawTool::Pen) PenDot(s.Tools.LeftColor, p.x, p.y);
    if (s.Tools.CurrentTool == DrawTool::Pipe) PickColor(s.Tools.LeftColor, p.x, p.y);
  }
  if (s.Pointer.RightButtonHeld) {
    if (s.Tools.CurrentTool == DrawTool::Pen) PenDot(s.Tools.RightColor, p.x, p.y);
    if (s.Tools.CurrentTool == DrawTool::Pipe) PickColor(s.Tools.RightColor, p.x, p.y);
  }
  if (s.Selection.PasteMode) DrawPasteGhost(*this, p.x, p.y);
  if (s.Tools.CurrentTool == DrawTool::SelectBox && s.Selection.SelectMode && s.Selection.BoxDragging) {
    DrawRubberBand(*this, s.Selection.BoxStart, {p.x / s.View.PixelSize, p.y / s.View.PixelSize});
  }
}

void Editor::MouseUp(MouseButton button, int x, int y) {
  EditorState& s = *state_;
  const CellPoint p = Clamp(x, y);
  if (button == MouseButton::Left) {
    if (s.Tools.CurrentTool == DrawTool::SelectBox) {
      if (s.Selection.SelectMode) {
        EndBox(*this, p.x, p.y);
      } else {
        s.Selection.BoxVisible = false;
      }
    }
    s.Pointer.LeftButtonHeld = false;
  }
  if (button == MouseButton::Right) s.Pointer.RightButtonHeld = false;
}

// ---- pixel tools -------------------------------------------------------------------

void Editor::PenDot(PixelCode code, int px, int py) {
  Picture& picture = state_->Document.Picture;
  const CellPoint cell = PixelUnder(px, py, state_->View.PixelSize);
  if (!picture.Contains(cell.x, cell.y)) return;
  if (picture.Cells.At(cell.x, cell.y) == code) return;
  picture.Cells.At(cell.x, cell.y) = code;
  PaintCell(cell.x, cell.y);
}

void Editor::PickColor(PixelCode& target, int px, int py) {
  const CellPoint cell = PixelUnder(px, py, state_->View.PixelSize);
  if (PictureCells::Contains(cell.x, cell.y)) target = state_->Document.Picture.Cells.At(cell.x, cell.y);
  view_->SwatchesChanged();
}

void Editor::BucketFill(PixelCode code, int px, int py) {
  const CellPoint start = PixelUnder(px, py, state_->View.PixelSize);
  if (FloodFill(state_->Document.Picture, start.x, start.y, code)) Render();
}

void Editor::ReplaceColor(PixelCode code, int px, int py) {
  const CellPoint cell = PixelUnder(px, py, state_->View.PixelSize);
  if (!PictureCells::Contains(cell.x, cell.y)) return;
  // The clicked code is read even beyond the picture, inside the storage.
  ReplaceCode(state_->Document.Picture, state_->Document.Picture.Cells.At(cell.x, cell.y), code);
  Render();
}

}  // namespace pictavo
