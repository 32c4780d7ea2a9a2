#pragma once

#include <array>

#include "core/editing/editor_state.h"
#include "core/model/skin.h"

namespace pictavo {

class Editor;

// Which undo snapshot a command saves before it changes anything.
enum class UndoRule {
  None,
  // The Picture as it was.
  Picture,
  // The Picture and, in skin mode, the current icon: for the commands that
  // change the icon's size, so undo restores both together.
  PictureAndIcon,
};

// The door through which every change to the document passes: the Picture,
// its name, the skin, the mode and which icon and sub-icon are current.
// Opening a scope saves the undo snapshot its rule asks for; inside, the
// command gets mutable access and says what it changed; when the scope
// closes, a changed Picture is fitted to the icon's depth and stored in the
// current sub-icon, the document version goes up when what a save writes
// changed, and the view is drawn again: the whole canvas, or only the one
// square a pen dot changed.
//
// The rest is set directly, without a scope, by the Editor's own operations:
// the start-up values, the view (zoom, scrolling, grid, border), the tools
// and colours, the pointer, the select panel's modes and the bookkeeping
// around the document (the saved and kept versions, the file path, emptying
// the undo steps); the select box tool keeps its box and captured pixels
// through its ToolContext. A few commands change such settings inside a
// scope they open anyway (the preview scale, the selection transforms).
class EditScope {
 public:
  explicit EditScope(Editor& editor, UndoRule rule = UndoRule::None);
  ~EditScope();
  EditScope(const EditScope&) = delete;
  EditScope& operator=(const EditScope&) = delete;

  EditorState& State();
  DocumentState& Document();
  ::pictavo::Skin& Skin();
  // The current icon in skin mode, or null when the skin holds none there.
  TSkinIcon* CurrentIcon();

  // The Picture changed: fitted, stored and drawn again as a whole. It
  // counts as a change of the document in picture mode, and in skin mode
  // when the sub-icon takes a new code.
  void Changed();
  // Changed() when `changed`, else only Redraw(): for the commands that
  // always draw again and know only afterwards whether the picture changed.
  void ChangedIf(bool changed);
  // Only the square at (x, y) changed: only the squares named so are fitted
  // and repainted, up to MaxCells of them; beyond that the whole canvas is.
  void ChangedCell(int x, int y);
  static constexpr int MaxCells = 128;
  // Something else a save writes changed (the name, the skin, the mode):
  // counted, with nothing fitted or drawn for it.
  void DocumentChanged();
  // The view must be drawn again though the document stays as it was.
  void Redraw();

 private:
  Editor& editor_;
  bool changed_ = false;
  bool document_changed_ = false;
  bool redraw_ = false;
  std::array<CellPoint, MaxCells> cells_{};
  int cell_count_ = 0;
};

}  // namespace pictavo
