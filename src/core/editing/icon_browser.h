#pragma once

namespace pictavo {

class Editor;

// Copies the current sub-icon into the Picture and renders.
void LoadSubIcon(Editor& editor);

}  // namespace pictavo
