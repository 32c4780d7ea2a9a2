#include "core/editing/editor.h"
#include "core/editing/selection_box.h"
#include "core/editing/tools/tool.h"
#include "core/editing/tools/tool_context.h"

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

void Editor::SelectTool(DrawTool tool) {
  EditorState& s = *state_;
  s.Tools.CurrentTool = tool;
  if (tool == DrawTool::SelectBox) {
    view_->SelectPanelVisibilityChanged(true);
    s.Selection.SelectMode = true;
    ReadSelectPanelModes(s, s.Selection.PanelSelectDown, s.Selection.PanelPasteDown);
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
  state_->Selection.PanelSelectDown = select_down;
  state_->Selection.PanelPasteDown = paste_down;
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
  ToolContext context(*this);
  CurrentTool().Press(context, button, x, y);
}

void Editor::MouseMove(int x, int y) {
  const CellPoint p = Clamp(x, y);
  ShowCoordinates(p.x, p.y);
  Tool& tool = CurrentTool();
  ToolContext context(*this);
  if (state_->Pointer.LeftButtonHeld) tool.Drag(context, MouseButton::Left, p.x, p.y);
  if (state_->Pointer.RightButtonHeld) tool.Drag(context, MouseButton::Right, p.x, p.y);
  tool.Hover(context, p.x, p.y);
}

void Editor::MouseUp(MouseButton button, int x, int y) {
  const CellPoint p = Clamp(x, y);
  ToolContext context(*this);
  if (button != MouseButton::Middle) CurrentTool().Release(context, button, p.x, p.y);
  if (button == MouseButton::Left) state_->Pointer.LeftButtonHeld = false;
  if (button == MouseButton::Right) state_->Pointer.RightButtonHeld = false;
}

Tool& Editor::CurrentTool() { return *tools_[static_cast<std::size_t>(state_->Tools.CurrentTool)]; }

}  // namespace pictavo
