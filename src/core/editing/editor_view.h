#pragma once

#include "core/editing/editor_state.h"

namespace pictavo {

// What the editor asks of the window that shows it. The main window
// implements it; core tests use a recording fake. Every method has an empty
// default so a fake overrides only what it watches.
class EditorView {
 public:
  virtual ~EditorView() = default;

  // Copy the shown 670 x 587 of the canvas bitmap to the screen.
  virtual void Present() {}
  // A full Render finished: show the size numbers and settle the layout.
  virtual void Rendered() {}
  virtual void UndoControlsChanged(bool /*available*/) {}
  virtual void RedoControlsChanged(bool /*available*/) {}
  virtual void SwatchesChanged() {}
  // "View Grids" / "View Border" menu checks and buttons.
  virtual void ViewControlsChanged() {}
  // 0-based cell under the pointer, for the status bar.
  virtual void CoordinatesChanged(int /*cx*/, int /*cy*/) {}
  virtual void SelectPanelVisibilityChanged(bool /*visible*/) {}
  // The captured box, for the select panel's X1, Y1, X2, Y2 boxes.
  virtual void SelectionCoordinatesChanged(const CellRect& /*rect*/) {}
  // The skin preview must be drawn again.
  virtual void PreviewChanged() {}
  // `PictureName` changed: the name box shows it.
  virtual void PictureNameChanged() {}
  // The document changed, was saved or now comes from another file. Called
  // for every counted edit, so it must stay cheap.
  virtual void DocumentStateChanged() {}
};

}  // namespace pictavo
