#include "core/editing/edit_scope.h"

#include "core/editing/editor.h"

namespace pictavo {

EditScope::EditScope(Editor& editor, UndoRule rule) : editor_(editor) {
  if (rule != UndoRule::None) editor_.PushUndo(rule);
}

EditScope::~EditScope() { editor_.CommitEdit(changed_, document_changed_, redraw_, cell_); }

EditorState& EditScope::State() { return editor_.MutableState(); }
DocumentState& EditScope::Document() { return editor_.MutableState().Document; }
::pictavo::Skin& EditScope::Skin() { return editor_.MutableSkin(); }
TSkinIcon* EditScope::CurrentIcon() { return editor_.MutableCurrentIcon(); }

void EditScope::Changed() { changed_ = true; }

void EditScope::ChangedIf(bool changed) {
  if (changed) {
    changed_ = true;
  } else {
    redraw_ = true;
  }
}

void EditScope::ChangedCell(int x, int y) {
  // A second square in one scope is no longer a one-square repaint.
  if (cell_ && !(*cell_ == CellPoint{x, y})) changed_ = true;
  cell_ = CellPoint{x, y};
}

void EditScope::DocumentChanged() { document_changed_ = true; }

void EditScope::Redraw() { redraw_ = true; }

}  // namespace pictavo
