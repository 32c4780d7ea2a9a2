#pragma once

#include "core/editing/edit_scope.h"
#include "core/editing/editor_state.h"
#include "core/render/canvas_raster.h"

namespace pictavo {

class Editor;
class EditorView;

// What a tool may see and do: read the state, change it through an edit
// scope, and draw over the canvas what is not part of the picture (the
// rubber band, the paste ghost). Tools never get the whole Editor.
class ToolContext {
 public:
  explicit ToolContext(Editor& editor) : editor_(editor) {}

  const EditorState& State() const;
  const ::pictavo::Picture& Picture() const { return State().Document.Picture; }
  int PixelSize() const { return State().View.PixelSize; }
  // The 1-based cell under a canvas position (which may lie beyond the picture).
  CellPoint CellUnder(int x, int y) const { return {x / PixelSize() + 1, y / PixelSize() + 1}; }
  // Clamps a canvas position onto the picture's last column and row.
  CellPoint Clamp(int x, int y) const;
  // The code a square drawn with `code` will show: in skin mode the one the
  // icon's depth keeps.
  PixelCode ShownCode(PixelCode code) const;

  // Opens the scope every change of the tool goes through.
  EditScope Edit(UndoRule rule = UndoRule::None) { return EditScope(editor_, rule); }

  // Drawing that changes nothing in the state.
  void Render();
  void RenderWithOverlay(const CellOverlay& overlay);
  void StrokeBox(int left, int top, int right, int bottom);
  void Present();
  EditorView& View();

 private:
  Editor& editor_;
};

}  // namespace pictavo
