#pragma once

#include <optional>

#include "core/editing/editor_state.h"

namespace pictavo {

// The select panel's Select and Paste buttons, read into the modes.
inline void ReadSelectPanelModes(EditorState& state, bool select_down, bool paste_down) {
  state.Selection.SelectMode = select_down;
  state.Selection.PasteMode = paste_down;
}

// After this, BoxStart holds Left - 1 and Top - 1 and BoxEnd holds Right and
// Bottom, whichever way the drag went. A normalised box stays as it is.
inline void NormaliseBox(SelectionState& s) {
  if (s.BoxStart.x >= s.BoxEnd.x) {
    const int old = s.BoxStart.x;
    s.BoxStart.x = s.BoxEnd.x - 1;
    s.BoxEnd.x = old + 1;
  }
  if (s.BoxStart.y >= s.BoxEnd.y) {
    const int old = s.BoxStart.y;
    s.BoxStart.y = s.BoxEnd.y - 1;
    s.BoxEnd.y = old + 1;
  }
}

// The outline a redraw draws: the shown box, normalised first.
inline std::optional<CellRect> ShownBox(SelectionState& s) {
  if (!s.BoxVisible) return std::nullopt;
  NormaliseBox(s);
  return CellRect{s.BoxStart.x, s.BoxStart.y, s.BoxEnd.x, s.BoxEnd.y};
}

}  // namespace pictavo
