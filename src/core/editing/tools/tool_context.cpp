#include "core/editing/tools/tool_context.h"

#include "core/editing/editor.h"

namespace pictavo {

namespace {
constexpr Rgb BoxPenColor{0, 0, 0};
}  // namespace

const Picture& ToolContext::Picture() const { return editor_.State().Document.Picture; }
int ToolContext::PixelSize() const { return editor_.State().View.PixelSize; }
const Viewport& ToolContext::Shown() const { return editor_.State().View.Shown; }
CellPoint ToolContext::Clamp(int x, int y) const { return editor_.Clamp(x, y); }

PixelCode ToolContext::ShownCode(PixelCode code) const {
  const TSkinIcon* icon = editor_.State().Document.SkinMode ? editor_.CurrentIcon() : nullptr;
  if (icon == nullptr) return code;
  return ToPixelCode(StoredCode(static_cast<std::uint8_t>(code), icon->BPP));
}

PixelCode ToolContext::Color(MouseButton button) const {
  const ToolState& tools = editor_.State().Tools;
  return button == MouseButton::Left ? tools.LeftColor : tools.RightColor;
}
bool ToolContext::RectangleFilled() const { return editor_.State().Tools.RectangleFilled; }
bool ToolContext::ButtonHeld(MouseButton button) const {
  const PointerState& pointer = editor_.State().Pointer;
  return button == MouseButton::Left    ? pointer.LeftButtonHeld
         : button == MouseButton::Right ? pointer.RightButtonHeld
                                        : false;
}
bool ToolContext::ShiftHeld() const { return editor_.State().Pointer.ShiftHeld; }

void ToolContext::SetColor(MouseButton button, PixelCode code) { editor_.SetColor(button, code); }

const SelectionState& ToolContext::Selection() const { return editor_.State().Selection; }
SelectionState& ToolContext::MutableSelection() { return editor_.MutableState().Selection; }
void ToolContext::SelectionCoordinatesChanged() {
  editor_.View().SelectionCoordinatesChanged(Selection().SelectionRect);
}
CellPoint ToolContext::RubberBandCell() const { return editor_.State().Pointer.RubberBandCell; }
void ToolContext::SetRubberBandCell(CellPoint cell) {
  editor_.MutableState().Pointer.RubberBandCell = cell;
}
CellPoint ToolContext::GhostCell() const { return editor_.State().Pointer.GhostCell; }
void ToolContext::SetGhostCell(CellPoint cell) { editor_.MutableState().Pointer.GhostCell = cell; }

void ToolContext::Render() { editor_.Render(); }
void ToolContext::RenderWithOverlay(const CellOverlay& overlay) {
  editor_.RenderWithOverlay(overlay);
}
void ToolContext::StrokeBox(int left, int top, int right, int bottom) {
  editor_.Canvas().StrokeBox(left, top, right, bottom, BoxPenColor, true);
}
void ToolContext::Present() { editor_.Present(); }

}  // namespace pictavo
