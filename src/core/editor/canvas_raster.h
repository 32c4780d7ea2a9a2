#pragma once

#include <cstdint>
#include <vector>

#include "core/editor/editor_state.h"
#include "core/editor/pixel_code.h"

namespace pictavo {

// The canvas bitmap. Its logical size follows the picture and the zoom
// (Width x PixelSize + 1 by Height x PixelSize + 1, at least 670 x 587), but
// only the top-left 670 x 587 is ever shown, so only that part is stored and
// drawn: a redraw costs the same at every zoom.
class CanvasRaster {
 public:
  static constexpr int StoredWidth = ViewWidth;
  static constexpr int StoredHeight = ViewHeight;

  CanvasRaster();

  int LogicalWidth() const { return logical_width_; }
  int LogicalHeight() const { return logical_height_; }

  // 0xFFRRGGBB pixels, StoredWidth per row.
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  std::uint32_t* Pixels() { return pixels_.data(); }
  std::uint32_t PixelAt(int x, int y) const;

  // Render steps 1 to 6: white ground, the squares, grid lines and frame.
  void RenderPicture(const EditorState& state);
  // Repaint one square (1-based cell) with its grid outline.
  void PaintCell(const EditorState& state, int x, int y);

  // Drawing primitives in screen pixels, clipped to the stored area. A
  // rectangle covers its left and top edges but not its right and bottom.
  void FillRect(int left, int top, int right, int bottom, Rgb color);
  // Closed path (l,t) (l,b) (r,b) (r,t) (l,t) with a solid or dashed pen.
  void StrokeBox(int left, int top, int right, int bottom, Rgb color, bool dashed);

 private:
  void SetPixel(int x, int y, std::uint32_t argb) {
    if (x >= 0 && x < StoredWidth && y >= 0 && y < StoredHeight) {
      pixels_[static_cast<std::size_t>(y) * StoredWidth + static_cast<std::size_t>(x)] = argb;
    }
  }

  std::vector<std::uint32_t> pixels_;
  int logical_width_ = StoredWidth;
  int logical_height_ = StoredHeight;
};

}  // namespace pictavo
