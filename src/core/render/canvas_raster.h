#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/picture.h"
#include "core/model/pixel_code.h"
#include "core/render/viewport.h"

namespace pictavo {

// Squares drawn over everything else of one redraw (the paste ghost): a code
// for some picture cells, addressed 1-based like the picture, up to 96 x 96.
class CellOverlay {
 public:
  static constexpr int MaxSize = SelectionGridSize;

  // Places the overlay's cell (1, 1) on picture cell (left, top), all empty.
  void Reset(int left, int top, int width, int height);
  // The codes of overlay row j (1-based) to fill in, Width() of them, all
  // Empty after Reset.
  std::uint8_t* MutableRow(int j) { return &codes_[static_cast<std::size_t>(j - 1) * MaxSize]; }
  std::optional<PixelCode> At(int x, int y) const {
    const int i = x - left_;
    const int j = y - top_;
    if (i < 0 || i >= width_ || j < 0 || j >= height_) return std::nullopt;
    const std::uint8_t code =
        codes_[static_cast<std::size_t>(j) * MaxSize + static_cast<std::size_t>(i)];
    if (code == Empty) return std::nullopt;
    return static_cast<PixelCode>(code);
  }

  // The codes of overlay row y (a picture row inside the overlay), one per
  // overlay column, Empty where nothing is laid.
  const std::uint8_t* RowCodes(int y) const {
    return &codes_[static_cast<std::size_t>(y - top_) * MaxSize];
  }
  static constexpr std::uint8_t Empty = 0xFF;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int left_ = 1;
  int top_ = 1;
  int width_ = 0;
  int height_ = 0;
  std::array<std::uint8_t, static_cast<std::size_t>(MaxSize) * MaxSize> codes_{};
};

// The frames beside the edited one, shown faintly with it (onion skin): the
// codes of whole frames of the icon, `width` x `height` row by row as an
// icon's Data holds them; null for a frame not shown. They only colour the
// canvas: nothing of them goes into the picture.
struct OnionFrames {
  const std::uint8_t* previous = nullptr;
  const std::uint8_t* next = nullptr;
  int width = 0;
  int height = 0;
  bool Any() const { return previous != nullptr || next != nullptr; }
};

// The colour cell (x, y), 1-based, of the edited frame is shown in with its
// onion frames: three parts its own colour and one part the colour of each
// onion frame whose code differs there, rounded to the nearest.
std::uint32_t OnionArgb(const OnionFrames& onion, int x, int y, PixelCode code);

// What one redraw of the canvas shows, all of it read, none of it kept.
struct CanvasScene {
  const Picture* picture = nullptr;
  int PixelSize = 5;
  bool ShowGrid = true;
  bool ShowBorder = false;
  // The selection box as its dashed outline runs, in cell edges: from
  // (Left, Top) to (Right, Bottom) times the pixel size.
  std::optional<CellRect> box;
  // Squares laid over everything else (the paste ghost), kept clear of the
  // lines and the box as well.
  const CellOverlay* ghost = nullptr;
  // Frames shown faintly under the picture's squares, if any.
  const OnionFrames* onion = nullptr;
  // The part of the whole drawing to store: the view.
  Viewport view;
};

// The canvas bitmap. Its logical size follows the picture and the zoom
// (Width x PixelSize + 1 by Height x PixelSize + 1, at least the view's
// size), but only the part the view shows is stored and drawn, so a redraw
// costs the same at every zoom and every scroll offset: its cost follows the
// view's size.
//
// Drawing primitives and PaintCell take positions in the whole drawing;
// Pixels() are the stored view, its top-left corner first.
class CanvasRaster {
 public:
  // The stored size until a Render asks for another view.
  static constexpr int StoredWidth = ViewWidth;
  static constexpr int StoredHeight = ViewHeight;

  CanvasRaster();

  // The view the last Render stored.
  const Viewport& View() const { return view_; }
  int Width() const { return view_.Width; }
  int Height() const { return view_.Height; }

  // 0xFFRRGGBB pixels, Width() per row.
  const std::uint32_t* Pixels() const { return pixels_.data(); }

  // The whole redraw: white ground, the squares, grid lines, frame and box,
  // with the ghost's squares drawn in the same pass so a ghost costs no
  // second pass over the bitmap.
  void Render(const CanvasScene& scene);
  // Repaint one square (1-based cell) with its grid outline.
  void PaintCell(const Picture& picture, int pixel_size, bool show_grid, int x, int y,
                 const OnionFrames* onion = nullptr);

  // Drawing primitives in positions of the whole drawing, clipped to the
  // stored view. A rectangle covers its left and top edges but not its right
  // and bottom.
  void FillRect(int left, int top, int right, int bottom, Rgb color);
  // Closed path (l,t) (l,b) (r,b) (r,t) (l,t) with a solid or dashed pen.
  void StrokeBox(int left, int top, int right, int bottom, Rgb color, bool dashed);

 private:
  // Stores the view's part from now on; a new size starts white.
  void SetView(const Viewport& view);
  void RenderSquares(const CanvasScene& scene);
  void SetOverlay(const CellOverlay* overlay, int pixel_size);
  // Both in view positions.
  bool UnderOverlay(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t argb) {
    if (x >= 0 && x < view_.Width && y >= 0 && y < view_.Height) {
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(view_.Width) +
              static_cast<std::size_t>(x)] = argb;
    }
  }
  std::uint32_t* Row(int y) {
    return &pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(view_.Width)];
  }

  Viewport view_;
  std::vector<std::uint32_t> pixels_;
  const CellOverlay* overlay_ = nullptr;
  // 1-based cell of each stored column and row, for the overlay's line mask.
  std::vector<std::int16_t> column_cell_;
  std::vector<std::int16_t> row_cell_;
  // One row of a band of squares, and the two kinds of horizontal grid line.
  std::vector<std::uint32_t> scanline_;
  std::vector<std::uint32_t> inner_grid_row_;
  std::vector<std::uint32_t> last_grid_row_;
};

}  // namespace pictavo
