// Scrolling and zooming the canvas view.
#include <algorithm>

#include "core/editing/editor.h"

namespace pictavo {

namespace {

// The rubber band and the paste ghost are drawn over one redraw and skipped
// while the pointer stays on their cell; a moved view redraws without them,
// so the next pointer move must draw them again.
void ForgetPointerCells(PointerState& pointer) {
  pointer.RubberBandCell = {-1, -1};
  pointer.GhostCell = {-1, -1};
}

}  // namespace

void Editor::SetViewSize(int width, int height) {
  Viewport& shown = state_->View.Shown;
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (shown.Width == width && shown.Height == height) return;
  shown.Width = width;
  shown.Height = height;
  ForgetPointerCells(state_->Pointer);
  Render();
}

void Editor::ScrollTo(int left, int top) {
  const EditorState& s = *state_;
  const Viewport& shown = s.View.Shown;
  const int p = s.View.PixelSize;
  left = std::clamp(left, 0, MaxScroll(DrawingLength(s.Document.Picture.Width, p), shown.Width));
  top = std::clamp(top, 0, MaxScroll(DrawingLength(s.Document.Picture.Height, p), shown.Height));
  if (left == shown.Left && top == shown.Top) return;
  state_->View.Shown.Left = left;
  state_->View.Shown.Top = top;
  ForgetPointerCells(state_->Pointer);
  Render();
}

void Editor::Rezoom(int size, int x, int y) {
  ViewOptions& v = state_->View;
  if (size == v.PixelSize) return;
  v.Shown.Left = std::max(AnchoredOffset(v.Shown.Left, x, v.PixelSize, size), 0);
  v.Shown.Top = std::max(AnchoredOffset(v.Shown.Top, y, v.PixelSize, size), 0);
  v.PixelSize = size;
  ForgetPointerCells(state_->Pointer);
}

void Editor::ZoomAt(int steps, int x, int y) {
  const int size = std::clamp(ZoomStep(state_->View.PixelSize, steps), MinPixelSize, MaxPixelSize);
  if (size == state_->View.PixelSize) return;
  Rezoom(size, x, y);
  Render();
}

void Editor::FitToView(int room_width, int room_height) {
  const Picture& picture = state_->Document.Picture;
  SetPixelSizeFromMenu(FitPixelSize(picture.Width, picture.Height, room_width, room_height));
}

void Editor::ZoomAtCentre(int steps) {
  const Viewport& shown = state_->View.Shown;
  ZoomAt(steps, shown.Width / 2, shown.Height / 2);
}

}  // namespace pictavo
