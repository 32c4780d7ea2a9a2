#include "core/editing/tools/shape_tool.h"

#include <algorithm>
#include <cstring>

#include "core/editing/tools/shape_cells.h"

namespace pictavo {

template <class Visit>
void ShapeTool::ForEachCell(const ToolContext& context, CellPoint start, CellPoint end,
                            Visit&& visit) const {
  if (shape_ == Shape::Line) {
    ForEachLineCell(start, end, visit);
  } else {
    ForEachRectangleCell(start, end, context.RectangleFilled(), visit);
  }
}

void ShapeTool::Press(ToolContext& context, MouseButton button, int x, int y) {
  // A press just beyond the picture starts the shape on its edge.
  const CellPoint p = context.Clamp(x, y);
  start_ = context.CellUnder(p.x, p.y);
  end_ = start_;
  button_ = button;
  code_ = context.Color(button);
  active_ = true;
  ShowGhost(context);
}

void ShapeTool::Drag(ToolContext& context, MouseButton button, int x, int y) {
  if (!active_) return;
  const CellPoint end = EndCell(context, x, y);
  const PixelCode code = context.Color(button);
  if (end == end_ && code == code_) return;
  end_ = end;
  code_ = code;
  ShowGhost(context);
}

void ShapeTool::Release(ToolContext& context, MouseButton button, int x, int y) {
  if (!active_ || button != button_) return;
  active_ = false;
  if (!context.ButtonHeld(button)) {
    context.Render();  // takes the ghost away
    return;
  }
  end_ = EndCell(context, x, y);
  PictureEdit scope = context.Edit(UndoRule::Picture);
  Picture& picture = scope.Picture();
  bool changed = false;
  ForEachCell(context, start_, end_, [&](int cx, int cy) {
    if (!picture.Contains(cx, cy)) return;
    PixelCode& cell = picture.Cells.At(cx, cy);
    changed = changed || cell != code_;
    cell = code_;
  });
  // Drawn again in any case: the ghost goes.
  scope.ChangedIf(changed);
}

CellPoint ShapeTool::EndCell(const ToolContext& context, int x, int y) const {
  const CellPoint cell = context.CellUnder(x, y);
  if (!context.ShiftHeld()) return cell;
  return shape_ == Shape::Line ? KeepLineStraight(start_, cell) : KeepSquare(start_, cell);
}

// Laid over one full redraw as the paste ghost is, which also erases the
// previous one; only the cells on the picture show, and of a filled
// rectangle only those in the view are laid.
void ShapeTool::ShowGhost(ToolContext& context) {
  const Picture& picture = context.Picture();
  ghost_.Reset(1, 1, picture.Width, picture.Height);
  const auto code = static_cast<std::uint8_t>(context.ShownCode(code_));
  auto lay = [&](int cx, int cy) {
    if (picture.Contains(cx, cy)) ghost_.MutableRow(cy)[cx - 1] = code;
  };
  if (shape_ == Shape::Rectangle && context.RectangleFilled()) {
    const Viewport& shown = context.Shown();
    const int p = context.PixelSize();
    const int left = std::max(std::min(start_.x, end_.x), shown.Left / p + 1);
    const int top = std::max(std::min(start_.y, end_.y), shown.Top / p + 1);
    const int right = std::min(
        {std::max(start_.x, end_.x), picture.Width, (shown.Left + shown.Width - 1) / p + 1});
    const int bottom = std::min(
        {std::max(start_.y, end_.y), picture.Height, (shown.Top + shown.Height - 1) / p + 1});
    for (int y = top; left <= right && y <= bottom; ++y) {
      std::memset(ghost_.MutableRow(y) + (left - 1), code,
                  static_cast<std::size_t>(right - left + 1));
    }
  } else {
    ForEachCell(context, start_, end_, lay);
  }
  context.RenderWithOverlay(ghost_);
}

}  // namespace pictavo
