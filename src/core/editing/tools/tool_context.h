#pragma once

#include "core/editing/edit_scope.h"
#include "core/editing/editor_state.h"
#include "core/render/canvas_raster.h"

namespace pictavo {

class Editor;

enum class MouseButton { Left, Right, Middle };

// The scope a tool changes the picture through: the Picture alone, and what
// of it changed. Closing it does what closing an EditScope does.
class PictureEdit {
 public:
  ::pictavo::Picture& Picture() { return scope_.Document().Picture; }
  void Changed() { scope_.Changed(); }
  void ChangedIf(bool changed) { scope_.ChangedIf(changed); }
  void ChangedCell(int x, int y) { scope_.ChangedCell(x, y); }

 private:
  friend class ToolContext;
  PictureEdit(Editor& editor, UndoRule rule) : scope_(editor, rule) {}

  EditScope scope_;
};

// What a tool may see and do, and no more: read the picture and the few
// settings it draws by, change the picture through a PictureEdit, set a
// button's colour, keep the selection box, and draw over the canvas what is
// not part of the picture (the rubber band, the ghosts). Tools never get the
// Editor, its whole state or its view.
class ToolContext {
 public:
  explicit ToolContext(Editor& editor) : editor_(editor) {}

  const ::pictavo::Picture& Picture() const;
  int PixelSize() const;
  // The part of the canvas drawing the view shows.
  const Viewport& Shown() const;
  // The 1-based cell under a canvas position (which may lie beyond the picture).
  CellPoint CellUnder(int x, int y) const { return {x / PixelSize() + 1, y / PixelSize() + 1}; }
  // Clamps a canvas position onto the picture's last column and row.
  CellPoint Clamp(int x, int y) const;
  // The code a square drawn with `code` will show: in skin mode the one the
  // icon's depth keeps.
  PixelCode ShownCode(PixelCode code) const;

  // The left or right button's colour.
  PixelCode Color(MouseButton button) const;
  bool RectangleFilled() const;
  bool ButtonHeld(MouseButton button) const;
  bool ShiftHeld() const;

  // Opens the scope every change of the picture goes through.
  PictureEdit Edit(UndoRule rule = UndoRule::None) { return PictureEdit(editor_, rule); }
  // Sets the button's colour and has the swatches shown again.
  void SetColor(MouseButton button, PixelCode code);

  // The selection box and the captured pixels: the select box tool's own,
  // and, like every setting outside the document, set directly. Nothing of
  // it is saved or undone.
  const SelectionState& Selection() const;
  SelectionState& MutableSelection();
  // The captured box changed: the select panel shows its corners.
  void SelectionCoordinatesChanged();
  // The cells the rubber band and the paste ghost were last drawn at, which
  // spare redrawing them while the pointer stays on one cell.
  CellPoint RubberBandCell() const;
  void SetRubberBandCell(CellPoint cell);
  CellPoint GhostCell() const;
  void SetGhostCell(CellPoint cell);

  // Drawing that changes nothing in the state.
  void Render();
  void RenderWithOverlay(const CellOverlay& overlay);
  void StrokeBox(int left, int top, int right, int bottom);
  void Present();

 private:
  Editor& editor_;
};

}  // namespace pictavo
