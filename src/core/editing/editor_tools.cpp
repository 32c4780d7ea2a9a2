#include "core/editing/editor.h"
#include "core/editing/pixel_ops.h"
#include "core/editing/selection_box.h"
#include "core/editing/tools/tool.h"

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
  if (x >= s.Document.Picture.Width * s.View.PixelSize)
    px = s.Document.Picture.Width * s.View.PixelSize - 1;
  int py = y < 0 ? 0 : y;
  if (y >= s.Document.Picture.Height * s.View.PixelSize)
    py = s.Document.Picture.Height * s.View.PixelSize - 1;
  return {px, py};
}

void Editor::MouseDown(MouseButton button, int x, int y) {
  EditorState& s = *state_;
  // A press of one button ends the other's stroke; the middle one ends both.
  s.Pointer.LeftButtonHeld = button == MouseButton::Left;
  s.Pointer.RightButtonHeld = button == MouseButton::Right;
  if (button == MouseButton::Middle) return;
  CurrentTool().Press(*this, button, ColorOf(button), x, y);
}

void Editor::MouseMove(int x, int y) {
  const CellPoint p = Clamp(x, y);
  ShowCoordinates(p.x, p.y);
  Tool& tool = CurrentTool();
  if (state_->Pointer.LeftButtonHeld) tool.Drag(*this, state_->Tools.LeftColor, p.x, p.y);
  if (state_->Pointer.RightButtonHeld) tool.Drag(*this, state_->Tools.RightColor, p.x, p.y);
  tool.Hover(*this, p.x, p.y);
}

void Editor::MouseUp(MouseButton button, int x, int y) {
  const CellPoint p = Clamp(x, y);
  if (button != MouseButton::Middle) CurrentTool().Release(*this, button, p.x, p.y);
  if (button == MouseButton::Left) state_->Pointer.LeftButtonHeld = false;
  if (button == MouseButton::Right) state_->Pointer.RightButtonHeld = false;
}

Tool& Editor::CurrentTool() { return *tools_[static_cast<std::size_t>(state_->Tools.CurrentTool)]; }

PixelCode& Editor::ColorOf(MouseButton button) {
  return button == MouseButton::Left ? state_->Tools.LeftColor : state_->Tools.RightColor;
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
  if (PictureCells::Contains(cell.x, cell.y))
    target = state_->Document.Picture.Cells.At(cell.x, cell.y);
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
