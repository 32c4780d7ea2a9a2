#pragma once

#include <array>

namespace pictavo {

// The size in screen pixels of the canvas view when the window opens.
inline constexpr int ViewWidth = 670;
inline constexpr int ViewHeight = 587;

// The part of the whole canvas drawing that the view shows: its top-left
// corner in canvas pixels (the scroll offset) and its size in screen pixels.
// A canvas position is a view position plus (Left, Top).
struct Viewport {
  int Left = 0;
  int Top = 0;
  int Width = ViewWidth;
  int Height = ViewHeight;
  friend bool operator==(const Viewport&, const Viewport&) = default;
};

// The canvas drawing of a picture at a zoom along one axis: the squares and
// the last grid or frame line after them.
constexpr int DrawingLength(int cells, int pixel_size) { return cells * pixel_size + 1; }

// The largest offset that still fills the view, 0 when the drawing fits.
constexpr int MaxScroll(int drawing_length, int view_length) {
  return drawing_length > view_length ? drawing_length - view_length : 0;
}

// The largest pixel size from 1 to 49 at which a picture's whole drawing
// fits the view; 1 when none does. Given the view's room without scroll
// bars, it is the largest size at which no scroll bar is needed.
constexpr int FitPixelSize(int width, int height, int view_width, int view_height) {
  int size = 49;
  while (size > 1 &&
         (DrawingLength(width, size) > view_width || DrawingLength(height, size) > view_height)) {
    --size;
  }
  return size;
}

// The pixel sizes Zoom In and Zoom Out (and the wheel with Ctrl) stop at:
// about a quarter more at each step, so a few presses cross the whole range.
inline constexpr std::array<int, 15> ZoomLadder{1,  2,  3,  4,  5,  6,  8, 10,
                                                12, 16, 20, 24, 32, 40, 49};

// The pixel size `steps` rungs of the ladder above `size` (below it when
// negative). A size between two rungs goes to the nearer rung in the
// direction of the step; the ends of the ladder hold.
constexpr int ZoomStep(int size, int steps) {
  for (; steps > 0; --steps) {
    int next = ZoomLadder.back();
    for (const int rung : ZoomLadder) {
      if (rung > size) {
        next = rung;
        break;
      }
    }
    size = next;
  }
  for (; steps < 0; ++steps) {
    int next = ZoomLadder.front();
    for (const int rung : ZoomLadder) {
      if (rung < size) next = rung;
    }
    size = next;
  }
  return size;
}

// The offset after a zoom from old_size to new_size that keeps the cell
// under view position `anchor` under it, at the same fraction of the cell
// rounded down; not yet held to the drawing.
constexpr int AnchoredOffset(int offset, int anchor, int old_size, int new_size) {
  const int position = offset + anchor;
  const int cell = position / old_size;
  const int within = position - cell * old_size;
  return cell * new_size + within * new_size / old_size - anchor;
}

}  // namespace pictavo
