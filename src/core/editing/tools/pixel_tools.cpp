#include "core/editing/tools/pixel_tools.h"

#include "core/editing/pixel_ops.h"
#include "core/editing/tools/shape_cells.h"

namespace pictavo {

void PenTool::Press(ToolContext& context, MouseButton button, int x, int y) {
  PictureEdit scope = context.Edit(UndoRule::Picture);
  const CellPoint cell = context.CellUnder(x, y);
  Dot(scope, context.Color(button), cell.x, cell.y);
  last_ = cell;
}

void PenTool::Drag(ToolContext& context, MouseButton button, int x, int y) {
  PictureEdit scope = context.Edit();
  const CellPoint cell = context.CellUnder(x, y);
  const PixelCode code = context.Color(button);
  ForEachLineCell(last_.value_or(cell), cell, [&](int cx, int cy) { Dot(scope, code, cx, cy); });
  last_ = cell;
}

void PenTool::Dot(PictureEdit& scope, PixelCode code, int x, int y) {
  Picture& picture = scope.Picture();
  if (!picture.Contains(x, y)) return;
  PixelCode& square = picture.Cells.At(x, y);
  if (square == code) return;
  square = code;
  scope.ChangedCell(x, y);
}

void PipeTool::Press(ToolContext& context, MouseButton button, int x, int y) {
  Pick(context, button, x, y);
}

void PipeTool::Drag(ToolContext& context, MouseButton button, int x, int y) {
  Pick(context, button, x, y);
}

// Beyond the storage the button keeps its colour; the swatches are shown
// again all the same.
void PipeTool::Pick(ToolContext& context, MouseButton button, int x, int y) {
  const CellPoint cell = context.CellUnder(x, y);
  context.SetColor(button, PictureCells::Contains(cell.x, cell.y)
                               ? context.Picture().Cells.At(cell.x, cell.y)
                               : context.Color(button));
}

void BucketTool::Press(ToolContext& context, MouseButton button, int x, int y) {
  PictureEdit scope = context.Edit(UndoRule::Picture);
  const CellPoint start = context.CellUnder(x, y);
  if (FloodFill(scope.Picture(), start.x, start.y, context.Color(button))) scope.Changed();
}

void ChangeColorTool::Press(ToolContext& context, MouseButton button, int x, int y) {
  PictureEdit scope = context.Edit(UndoRule::Picture);
  const CellPoint cell = context.CellUnder(x, y);
  if (!PictureCells::Contains(cell.x, cell.y)) return;
  // The clicked code is read even beyond the picture, inside the storage.
  Picture& picture = scope.Picture();
  scope.ChangedIf(ReplaceCode(picture, picture.Cells.At(cell.x, cell.y), context.Color(button)));
}

}  // namespace pictavo
