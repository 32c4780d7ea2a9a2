#include "core/editing/tools/select_box_tool.h"

#include "core/editing/selection.h"

namespace pictavo {

void SelectBoxTool::Press(ToolContext& context, MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  const SelectionState& s = context.Selection();
  if (s.SelectMode) BeginBox(context, x, y);
  if (s.PasteMode) PasteSelection(context, x, y);
}

void SelectBoxTool::Hover(ToolContext& context, int x, int y) {
  Tool::Hover(context, x, y);
  const SelectionState& s = context.Selection();
  if (s.SelectMode && s.BoxDragging) {
    const int p = context.PixelSize();
    DrawRubberBand(context, s.BoxStart, {x / p, y / p});
  }
}

void SelectBoxTool::Release(ToolContext& context, MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  if (context.Selection().SelectMode) {
    EndBox(context, x, y);
  } else {
    context.MutableSelection().BoxVisible = false;
  }
}

}  // namespace pictavo
