#pragma once

#include "core/editing/editor_state.h"
#include "core/model/skin.h"

namespace pictavo {

// The Picture and the current sub-icon of the current icon hold the same
// pixels while a skin is edited: these copy one into the other. Both do
// nothing when there is no such sub-icon or its Data does not fit the Picture.

// Gives the Picture's cells over the icon (within `cells`, 1-based, inclusive)
// the codes the icon's depth stores, so the canvas shows what a saved skin
// will hold. A pen's repaint fits its one cell, a redraw the whole icon.
void FitPictureToIconDepth(DocumentState& document, const Skin& skin,
                           CellRect cells = {1, 1, MaxPictureWidth, MaxPictureHeight});
// Copies the Picture into the sub-icon, each code as the depth stores it: one
// pass over its rows, no allocation, since it runs on every edit in skin mode.
// True when a stored code changed.
bool StorePictureInSubIcon(const DocumentState& document, Skin& skin);
// Copies the sub-icon into the Picture and gives the Picture its size.
// False when there was nothing to copy.
bool LoadSubIconIntoPicture(DocumentState& document, const Skin& skin);

}  // namespace pictavo
