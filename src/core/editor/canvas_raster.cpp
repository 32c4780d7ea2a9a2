#include "core/editor/canvas_raster.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pictavo {

namespace {

// Dashed pen: this many pixels drawn, then this many left out, along the path.
constexpr int DashOn = 4;
constexpr int DashOff = 2;

}  // namespace

CanvasRaster::CanvasRaster()
    : pixels_(static_cast<std::size_t>(StoredWidth) * StoredHeight, CanvasBackground.Argb()) {}

std::uint32_t CanvasRaster::PixelAt(int x, int y) const {
  if (x < 0 || x >= StoredWidth || y < 0 || y >= StoredHeight) return 0;
  return pixels_[static_cast<std::size_t>(y) * StoredWidth + static_cast<std::size_t>(x)];
}

void CanvasRaster::RenderPicture(const EditorState& state) {
  const Picture& picture = state.Picture;
  const int p = state.PixelSize;
  const int w = picture.Width * p;  // right edge of the squares
  const int h = picture.Height * p;
  logical_width_ = std::max(w + 1, StoredWidth);
  logical_height_ = std::max(h + 1, StoredHeight);

  const bool grid = state.ShowGrid && p > 3;
  const std::uint32_t white = CanvasBackground.Argb();
  const std::uint32_t grid_argb = GridColor.Argb();
  const int visible_w = std::min(w, StoredWidth);

  std::array<std::uint32_t, StoredWidth> scanline{};
  std::array<std::uint32_t, StoredWidth> grid_row{};
  // A horizontal grid line runs from 0 to w - 1; the vertical line at w also
  // passes through it, so the whole 0..w is grid colour on such a row.
  std::fill(grid_row.begin(), grid_row.end(), white);
  std::fill(grid_row.begin(), grid_row.begin() + std::min(w + 1, StoredWidth), grid_argb);

  int screen_y = 0;
  for (int y = 1; y <= picture.Height && screen_y < StoredHeight; ++y) {
    std::fill(scanline.begin(), scanline.end(), white);
    for (int x = 1; x <= picture.Width; ++x) {
      const int left = (x - 1) * p;
      if (left >= StoredWidth) break;
      const int right = std::min(left + p, StoredWidth);
      std::fill(scanline.begin() + left, scanline.begin() + right,
                ColorOf(picture.Cells.At(x, y)).Argb());
    }
    if (grid) {
      for (int i = 0; i <= picture.Width && i * p < StoredWidth; ++i) scanline[i * p] = grid_argb;
    }
    const int band_end = std::min(screen_y + p, StoredHeight);
    for (int row = screen_y; row < band_end; ++row) {
      const std::uint32_t* source = (grid && row == screen_y) ? grid_row.data() : scanline.data();
      std::memcpy(&pixels_[static_cast<std::size_t>(row) * StoredWidth], source,
                  sizeof(std::uint32_t) * StoredWidth);
    }
    screen_y = band_end;
  }
  // Below the squares: the last horizontal grid line (which stops short of the
  // corner), then white.
  for (int row = screen_y; row < StoredHeight; ++row) {
    std::uint32_t* line = &pixels_[static_cast<std::size_t>(row) * StoredWidth];
    std::fill(line, line + StoredWidth, white);
    if (grid && row == h) std::fill(line, line + visible_w, grid_argb);
  }

  if (state.ShowBorder) StrokeBox(0, 0, w, h, BorderColor, false);
}

void CanvasRaster::PaintCell(const EditorState& state, int x, int y) {
  const int p = state.PixelSize;
  const int left = (x - 1) * p;
  const int top = (y - 1) * p;
  FillRect(left, top, left + p, top + p, ColorOf(state.Picture.Cells.At(x, y)));
  if (state.ShowGrid && p > 3) StrokeBox(left, top, left + p, top + p, GridColor, false);
}

void CanvasRaster::FillRect(int left, int top, int right, int bottom, Rgb color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, StoredWidth);
  bottom = std::min(bottom, StoredHeight);
  if (left >= right || top >= bottom) return;
  const std::uint32_t argb = color.Argb();
  for (int row = top; row < bottom; ++row) {
    std::uint32_t* line = &pixels_[static_cast<std::size_t>(row) * StoredWidth];
    std::fill(line + left, line + right, argb);
  }
}

void CanvasRaster::StrokeBox(int left, int top, int right, int bottom, Rgb color, bool dashed) {
  const std::uint32_t argb = color.Argb();
  int phase = 0;  // position along the path, so dashes continue round corners
  auto plot = [&](int x, int y) {
    if (!dashed || phase % (DashOn + DashOff) < DashOn) SetPixel(x, y, argb);
    ++phase;
  };
  // Each segment draws its start point but not its end point.
  auto segment = [&](int x0, int y0, int x1, int y1) {
    const int dx = (x1 > x0) - (x1 < x0);
    const int dy = (y1 > y0) - (y1 < y0);
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) plot(x, y);
  };
  segment(left, top, left, bottom);
  segment(left, bottom, right, bottom);
  segment(right, bottom, right, top);
  segment(right, top, left, top);
}

}  // namespace pictavo
