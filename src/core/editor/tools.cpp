#include "core/editor/editor.h"
#include "core/editor/pixel_ops.h"
#include "core/selection/selection.h"

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
  state_->LeftColor = code;
  view_->SwatchesChanged();
}

void Editor::SetRightColor(PixelCode code) {
  state_->RightColor = code;
  view_->SwatchesChanged();
}

void Editor::SelectTool(DrawTool tool, bool panel_select_down, bool panel_paste_down) {
  EditorState& s = *state_;
  s.CurrentTool = tool;
  if (tool == DrawTool::SelectBox) {
    view_->SelectPanelVisibilityChanged(true);
    s.SelectMode = true;
    ReadSelectPanelModes(s, panel_select_down, panel_paste_down);
    Render();
  } else {
    s.BoxVisible = false;
    Render();
    view_->SelectPanelVisibilityChanged(false);
    s.SelectMode = false;
    s.PasteMode = false;
  }
}

// ---- mouse ---------------------------------------------------------------------

CellPoint Editor::Clamp(int x, int y) const {
  const EditorState& s = *state_;
  int px = x < 0 ? 0 : x;
  if (x >= s.Picture.Width * s.PixelSize) px = s.Picture.Width * s.PixelSize - 1;
  int py = y < 0 ? 0 : y;
  if (y >= s.Picture.Height * s.PixelSize) py = s.Picture.Height * s.PixelSize - 1;
  return {px, py};
}

void Editor::MouseDown(MouseButton button, int x, int y) {
  EditorState& s = *state_;
  // A press of one button ends the other's stroke; the middle one ends both.
  s.LeftButtonHeld = button == MouseButton::Left;
  s.RightButtonHeld = button == MouseButton::Right;
  if (button == MouseButton::Left) {
    if (s.CurrentTool == DrawTool::SelectBox) {
      if (s.SelectMode) BeginBox(*this, x, y);
      if (s.PasteMode) {
        PasteSelection(*this, x, y);
        Render();
      }
    } else {
      PressTool(s.LeftColor, x, y);
    }
  } else if (button == MouseButton::Right && s.CurrentTool != DrawTool::SelectBox) {
    PressTool(s.RightColor, x, y);
  }
}

// The pixel tools at a press, with the pressed button's colour. Every tool
// that changes pixels saves its snapshot first, even if it then changes none.
void Editor::PressTool(PixelCode& color, int x, int y) {
  switch (state_->CurrentTool) {
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
  if (s.LeftButtonHeld) {
    if (s.CurrentTool == DrawTool::Pen) PenDot(s.LeftColor, p.x, p.y);
    if (s.CurrentTool == DrawTool::Pipe) PickColor(s.LeftColor, p.x, p.y);
  }
  if (s.RightButtonHeld) {
    if (s.CurrentTool == DrawTool::Pen) PenDot(s.RightColor, p.x, p.y);
    if (s.CurrentTool == DrawTool::Pipe) PickColor(s.RightColor, p.x, p.y);
  }
  if (s.PasteMode) DrawPasteGhost(*this, p.x, p.y);
  if (s.CurrentTool == DrawTool::SelectBox && s.SelectMode && s.BoxDragging) {
    DrawRubberBand(*this, s.BoxStart, {p.x / s.PixelSize, p.y / s.PixelSize});
  }
}

void Editor::MouseUp(MouseButton button, int x, int y) {
  EditorState& s = *state_;
  const CellPoint p = Clamp(x, y);
  if (button == MouseButton::Left) {
    if (s.CurrentTool == DrawTool::SelectBox) {
      if (s.SelectMode) {
        EndBox(*this, p.x, p.y);
      } else {
        s.BoxVisible = false;
      }
    }
    s.LeftButtonHeld = false;
  }
  if (button == MouseButton::Right) s.RightButtonHeld = false;
}

// ---- pixel tools -------------------------------------------------------------------

void Editor::PenDot(PixelCode code, int px, int py) {
  Picture& picture = state_->Picture;
  const CellPoint cell = PixelUnder(px, py, state_->PixelSize);
  if (!picture.Contains(cell.x, cell.y)) return;
  if (picture.Cells.At(cell.x, cell.y) == code) return;
  picture.Cells.At(cell.x, cell.y) = code;
  PaintCell(cell.x, cell.y);
}

void Editor::PickColor(PixelCode& target, int px, int py) {
  const CellPoint cell = PixelUnder(px, py, state_->PixelSize);
  if (PictureCells::Contains(cell.x, cell.y)) target = state_->Picture.Cells.At(cell.x, cell.y);
  view_->SwatchesChanged();
}

void Editor::BucketFill(PixelCode code, int px, int py) {
  const CellPoint start = PixelUnder(px, py, state_->PixelSize);
  if (FloodFill(state_->Picture, start.x, start.y, code)) Render();
}

void Editor::ReplaceColor(PixelCode code, int px, int py) {
  const CellPoint cell = PixelUnder(px, py, state_->PixelSize);
  if (!PictureCells::Contains(cell.x, cell.y)) return;
  // The clicked code is read even beyond the picture, inside the storage.
  ReplaceCode(state_->Picture, state_->Picture.Cells.At(cell.x, cell.y), code);
  Render();
}

}  // namespace pictavo
