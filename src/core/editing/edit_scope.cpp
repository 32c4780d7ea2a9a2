#include "core/editing/edit_scope.h"

#include "core/editing/editor.h"

namespace pictavo {

EditScope::EditScope(Editor& editor, UndoRule rule) : editor_(editor) {
  if (rule != UndoRule::None) editor_.PushUndo(rule);
}

EditScope::~EditScope() {
  editor_.CommitEdit(
      changed_, document_changed_, redraw_,
      std::span<const CellPoint>(cells_.data(), static_cast<std::size_t>(cell_count_)));
}

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
  const CellPoint cell{x, y};
  if (cell_count_ > 0 && cells_[static_cast<std::size_t>(cell_count_ - 1)] == cell) return;
  if (cell_count_ == MaxCells) {
    // Too many for a cheap repaint: the whole canvas is drawn instead.
    changed_ = true;
    return;
  }
  cells_[static_cast<std::size_t>(cell_count_++)] = cell;
}

void EditScope::DocumentChanged() { document_changed_ = true; }

void EditScope::Redraw() { redraw_ = true; }

}  // namespace pictavo
