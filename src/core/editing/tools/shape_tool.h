#pragma once

#include "core/editing/tools/tool.h"
#include "core/render/canvas_raster.h"

namespace pictavo {

// The line and rectangle tools: a press starts the shape, a drag shows it
// as a ghost over the canvas, the release draws it in the pressing button's
// colour with one undo step. Shift keeps lines at 0, 45 or 90 degrees and
// rectangles square. A shape whose button was let go by another press, or
// by the middle button, is dropped.
class ShapeTool : public Tool {
 public:
  enum class Shape { Line, Rectangle };
  explicit ShapeTool(Shape shape) : shape_(shape) {}

  void Press(ToolContext& context, MouseButton button, int x, int y) override;
  void Drag(ToolContext& context, MouseButton button, int x, int y) override;
  void Release(ToolContext& context, MouseButton button, int x, int y) override;

 private:
  // Calls visit(x, y) for each cell of the shape from start to end, inside
  // or beyond the picture.
  template <class Visit>
  void ForEachCell(const ToolContext& context, CellPoint start, CellPoint end, Visit&& visit) const;
  // The end cell for a clamped position, kept straight or square with Shift.
  CellPoint EndCell(const ToolContext& context, int x, int y) const;
  void ShowGhost(ToolContext& context);

  Shape shape_;
  bool active_ = false;
  MouseButton button_ = MouseButton::Left;
  PixelCode code_ = PixelCode::Black;
  CellPoint start_;
  CellPoint end_;
  CellOverlay ghost_;
};

}  // namespace pictavo
