#pragma once

#include "core/editing/editor_state.h"
#include "core/editing/selection_box.h"

namespace pictavo {

class ToolContext;

// The select box tool's work: the box and paste. Positions are canvas
// pixels; the mouse handlers of the editor clamp the move and release
// positions before calling.
void BeginBox(ToolContext& context, int x, int y);
void DrawRubberBand(ToolContext& context, CellPoint start, CellPoint cell);
void EndBox(ToolContext& context, int x, int y);
void CaptureSelection(ToolContext& context);
// Stamps the captured pixels (undo step) and draws the canvas again; with
// nothing captured only the redraw.
void PasteSelection(ToolContext& context, int x, int y);
void DrawPasteGhost(ToolContext& context, int x, int y);

}  // namespace pictavo
