#include "core/editing/tools/select_box_tool.h"

#include "core/editing/editor.h"
#include "core/editing/selection.h"

namespace pictavo {

void SelectBoxTool::Press(Editor& editor, MouseButton button, PixelCode&, int x, int y) {
  if (button != MouseButton::Left) return;
  const SelectionState& s = editor.State().Selection;
  if (s.SelectMode) BeginBox(editor, x, y);
  if (s.PasteMode) {
    PasteSelection(editor, x, y);
    editor.Render();
  }
}

void SelectBoxTool::Hover(Editor& editor, int x, int y) {
  Tool::Hover(editor, x, y);
  const EditorState& s = editor.State();
  if (s.Selection.SelectMode && s.Selection.BoxDragging) {
    const int p = s.View.PixelSize;
    DrawRubberBand(editor, s.Selection.BoxStart, {x / p, y / p});
  }
}

void SelectBoxTool::Release(Editor& editor, MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  if (editor.State().Selection.SelectMode) {
    EndBox(editor, x, y);
  } else {
    editor.MutableState().Selection.BoxVisible = false;
  }
}

}  // namespace pictavo
