#include "core/editing/tools/select_box_tool.h"

#include "core/editing/selection.h"

namespace pictavo {

void SelectBoxTool::Press(ToolContext& context, MouseButton button, PixelCode&, int x, int y) {
  if (button != MouseButton::Left) return;
  const SelectionState& s = context.State().Selection;
  if (s.SelectMode) BeginBox(context, x, y);
  if (s.PasteMode) PasteSelection(context, x, y);
}

void SelectBoxTool::Hover(ToolContext& context, int x, int y) {
  Tool::Hover(context, x, y);
  const EditorState& s = context.State();
  if (s.Selection.SelectMode && s.Selection.BoxDragging) {
    const int p = s.View.PixelSize;
    DrawRubberBand(context, s.Selection.BoxStart, {x / p, y / p});
  }
}

void SelectBoxTool::Release(ToolContext& context, MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  if (context.State().Selection.SelectMode) {
    EndBox(context, x, y);
  } else {
    EditScope scope = context.Edit();
    scope.State().Selection.BoxVisible = false;
  }
}

}  // namespace pictavo
