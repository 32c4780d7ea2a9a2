#pragma once

#include "core/editing/tools/tool.h"

namespace pictavo {

// The four tools that work on pixels. Each that changes pixels saves its
// undo snapshot at the press, even when it then changes none.

// Sets the square under the pointer, and every square the pointer crosses
// while the button is held.
class PenTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, PixelCode& color, int x, int y) override;
  void Drag(ToolContext& context, PixelCode& color, int x, int y) override;

 private:
  static void Dot(ToolContext& context, EditScope& scope, PixelCode code, int x, int y);
};

// Picks the code under the pointer into the button's colour, also while
// dragging.
class PipeTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, PixelCode& color, int x, int y) override;
  void Drag(ToolContext& context, PixelCode& color, int x, int y) override;

 private:
  static void Pick(ToolContext& context, PixelCode& color, int x, int y);
};

// Fills the 4-connected region under the pointer.
class BucketTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, PixelCode& color, int x, int y) override;
};

// Replaces every square of the clicked code in the whole picture.
class ChangeColorTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, PixelCode& color, int x, int y) override;
};

}  // namespace pictavo
