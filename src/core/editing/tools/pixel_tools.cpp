#include "core/editing/tools/pixel_tools.h"

#include "core/editing/editor.h"

namespace pictavo {

void PenTool::Press(Editor& editor, MouseButton, PixelCode& color, int x, int y) {
  editor.PushUndo();
  editor.PenDot(color, x, y);
}

void PenTool::Drag(Editor& editor, PixelCode& color, int x, int y) { editor.PenDot(color, x, y); }

void PipeTool::Press(Editor& editor, MouseButton, PixelCode& color, int x, int y) {
  editor.PickColor(color, x, y);
}

void PipeTool::Drag(Editor& editor, PixelCode& color, int x, int y) {
  editor.PickColor(color, x, y);
}

void BucketTool::Press(Editor& editor, MouseButton, PixelCode& color, int x, int y) {
  editor.PushUndo();
  editor.BucketFill(color, x, y);
}

void ChangeColorTool::Press(Editor& editor, MouseButton, PixelCode& color, int x, int y) {
  editor.PushUndo();
  editor.ReplaceColor(color, x, y);
}

}  // namespace pictavo
