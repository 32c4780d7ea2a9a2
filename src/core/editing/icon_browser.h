#pragma once

namespace pictavo {

class Editor;

// Copies the Picture back into the current sub-icon and asks for the preview
// to be redrawn: what Present does on every screen update in skin mode.
void StoreSubIcon(Editor& editor);
// Copies the current sub-icon into the Picture and renders.
void LoadSubIcon(Editor& editor);

}  // namespace pictavo
