#include "core/editing/tools/pixel_tools.h"

#include "core/editing/editor_view.h"
#include "core/editing/pixel_ops.h"
#include "core/editing/tools/shape_cells.h"

namespace pictavo {

void PenTool::Press(ToolContext& context, MouseButton, PixelCode& color, int x, int y) {
  EditScope scope = context.Edit(UndoRule::Picture);
  const CellPoint cell = context.CellUnder(x, y);
  Dot(context, scope, color, cell.x, cell.y);
  last_ = cell;
}

void PenTool::Drag(ToolContext& context, PixelCode& color, int x, int y) {
  EditScope scope = context.Edit();
  const CellPoint cell = context.CellUnder(x, y);
  ForEachLineCell(last_.value_or(cell), cell,
                  [&](int cx, int cy) { Dot(context, scope, color, cx, cy); });
  last_ = cell;
}

void PenTool::Dot(ToolContext& context, EditScope& scope, PixelCode code, int x, int y) {
  if (!context.Picture().Contains(x, y)) return;
  PixelCode& square = scope.Document().Picture.Cells.At(x, y);
  if (square == code) return;
  square = code;
  scope.ChangedCell(x, y);
}

void PipeTool::Press(ToolContext& context, MouseButton, PixelCode& color, int x, int y) {
  Pick(context, color, x, y);
}

void PipeTool::Drag(ToolContext& context, PixelCode& color, int x, int y) {
  Pick(context, color, x, y);
}

void PipeTool::Pick(ToolContext& context, PixelCode& color, int x, int y) {
  const CellPoint cell = context.CellUnder(x, y);
  if (PictureCells::Contains(cell.x, cell.y)) color = context.Picture().Cells.At(cell.x, cell.y);
  context.View().SwatchesChanged();
}

void BucketTool::Press(ToolContext& context, MouseButton, PixelCode& color, int x, int y) {
  EditScope scope = context.Edit(UndoRule::Picture);
  const CellPoint start = context.CellUnder(x, y);
  if (FloodFill(scope.Document().Picture, start.x, start.y, color)) scope.Changed();
}

void ChangeColorTool::Press(ToolContext& context, MouseButton, PixelCode& color, int x, int y) {
  EditScope scope = context.Edit(UndoRule::Picture);
  const CellPoint cell = context.CellUnder(x, y);
  if (!PictureCells::Contains(cell.x, cell.y)) return;
  // The clicked code is read even beyond the picture, inside the storage.
  Picture& picture = scope.Document().Picture;
  scope.ChangedIf(ReplaceCode(picture, picture.Cells.At(cell.x, cell.y), color));
}

}  // namespace pictavo
