#pragma once

#include <optional>

#include "core/editing/tools/tool.h"

namespace pictavo {

// The four tools that work on pixels. Each that changes pixels saves its
// undo snapshot at the press, even when it then changes none.

// Sets the square under the pointer and, while the button is held, every
// square on the straight path from the last one to the new one, so a stroke
// has no gaps however fast the pointer moves.
class PenTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, int x, int y) override;
  void Drag(ToolContext& context, MouseButton button, int x, int y) override;

 private:
  static void Dot(PictureEdit& scope, PixelCode code, int x, int y);
  // The cell the stroke reached last; none before the first press.
  std::optional<CellPoint> last_;
};

// Picks the code under the pointer into the button's colour, also while
// dragging.
class PipeTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, int x, int y) override;
  void Drag(ToolContext& context, MouseButton button, int x, int y) override;

 private:
  static void Pick(ToolContext& context, MouseButton button, int x, int y);
};

// Fills the 4-connected region under the pointer.
class BucketTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, int x, int y) override;
};

// Replaces every square of the clicked code in the whole picture.
class ChangeColorTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, int x, int y) override;
};

}  // namespace pictavo
