#pragma once

#include "core/editing/editor_state.h"
#include "core/model/picture.h"

namespace pictavo {

// Fills the 4-connected region of the start cell's code with code, never
// leaving 1..Width by 1..Height. Returns false when nothing changed (the start
// lies outside the picture or already has the code).
bool FloodFill(Picture& picture, int x, int y, PixelCode code);

// Every cell of the picture (not beyond its size) holding from becomes to.
// Returns false when nothing changed.
bool ReplaceCode(Picture& picture, PixelCode from, PixelCode to);

}  // namespace pictavo
