#include "core/selection/selection.h"

#include "core/editor/editor.h"

// Placeholder bodies until the selection box lands; the select tool stays
// disabled in the window meanwhile.
namespace pictavo {

void ReadSelectPanelModes(EditorState& state, bool select_down, bool paste_down) {
  state.SelectMode = select_down;
  state.PasteMode = paste_down;
}
void BeginBox(Editor&, int, int) {}
void DrawRubberBand(Editor&, CellPoint, CellPoint) {}
void EndBox(Editor&, int, int) {}
void CaptureSelection(Editor&) {}
void DrawSelectionBox(Editor&) {}
void PasteSelection(Editor&, int, int) {}
void DrawPasteGhost(Editor&, int, int) {}

}  // namespace pictavo
