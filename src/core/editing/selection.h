#pragma once

#include "core/editing/editor_state.h"
#include "core/editing/selection_box.h"

namespace pictavo {

class Editor;

// The selection box and paste. Positions are canvas pixels; the mouse
// handlers of the editor clamp the move and release positions before calling.
void BeginBox(Editor& editor, int x, int y);
void DrawRubberBand(Editor& editor, CellPoint start, CellPoint cell);
void EndBox(Editor& editor, int x, int y);
void CaptureSelection(Editor& editor);
void PasteSelection(Editor& editor, int x, int y);
void DrawPasteGhost(Editor& editor, int x, int y);

}  // namespace pictavo
