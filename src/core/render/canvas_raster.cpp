#include "core/render/canvas_raster.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace pictavo {

namespace {

// Dashed pen: this many pixels drawn, then this many left out, along the path.
constexpr int DashOn = 4;
constexpr int DashOff = 2;
constexpr Rgb SelectionBoxColor{0, 0, 0};

}  // namespace

CanvasRaster::CanvasRaster()
    : pixels_(static_cast<std::size_t>(StoredWidth) * StoredHeight, CanvasBackground.Argb()) {}

std::uint32_t CanvasRaster::PixelAt(int x, int y) const {
  if (x < 0 || x >= StoredWidth || y < 0 || y >= StoredHeight) return 0;
  return pixels_[static_cast<std::size_t>(y) * StoredWidth + static_cast<std::size_t>(x)];
}

void CellOverlay::Reset(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::clamp(width, 0, MaxSize);
  height_ = std::clamp(height, 0, MaxSize);
  codes_.fill(Empty);
}

void CanvasRaster::SetOverlay(const CellOverlay* overlay, int pixel_size) {
  overlay_ = overlay;
  if (overlay_ == nullptr) return;
  // Cells by counting rather than dividing: the mask is asked for every
  // pixel of the lines drawn under the overlay.
  const int p = std::max(pixel_size, 1);
  for (int i = 0, cell = 1, left = 0; i < StoredWidth; ++i) {
    if (i - left == p) {
      ++cell;
      left = i;
    }
    column_cell_[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(cell);
    if (i < StoredHeight) row_cell_[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(cell);
  }
}

bool CanvasRaster::UnderOverlay(int x, int y) const {
  if (overlay_ == nullptr || x < 0 || y < 0 || x >= StoredWidth || y >= StoredHeight) return false;
  return overlay_
      ->At(column_cell_[static_cast<std::size_t>(x)], row_cell_[static_cast<std::size_t>(y)])
      .has_value();
}

void CanvasRaster::Render(const CanvasScene& scene) {
  SetOverlay(scene.ghost, scene.PixelSize);
  RenderSquares(scene);
  if (scene.box) {
    const CellRect& b = *scene.box;
    const int p = scene.PixelSize;
    StrokeBox(b.Left * p, b.Top * p, b.Right * p, b.Bottom * p, SelectionBoxColor, true);
  }
  SetOverlay(nullptr, scene.PixelSize);
}

void CanvasRaster::RenderSquares(const CanvasScene& scene) {
  const Picture& picture = *scene.picture;
  const int p = scene.PixelSize;
  const int w = picture.Width * p;  // right edge of the squares
  const int h = picture.Height * p;
  logical_width_ = std::max(w + 1, StoredWidth);
  logical_height_ = std::max(h + 1, StoredHeight);

  const bool grid = scene.ShowGrid && p > 3;
  const std::uint32_t white = CanvasBackground.Argb();
  const std::uint32_t grid_argb = GridColor.Argb();
  const int visible_w = std::min(w, StoredWidth);

  // The rows of one band of squares: most rows look alike; the first may be
  // a horizontal grid line. Inside the picture a grid line runs from 0 to
  // w - 1 and the vertical line at w crosses it, so 0..w is grid colour; the
  // last one, below the squares, stops short of the corner.
  std::array<std::uint32_t, StoredWidth> scanline;
  std::array<std::uint32_t, StoredWidth> inner_grid_row;
  std::array<std::uint32_t, StoredWidth> last_grid_row;
  scanline.fill(white);
  inner_grid_row.fill(white);
  std::fill(inner_grid_row.begin(), inner_grid_row.begin() + std::min(w + 1, StoredWidth),
            grid_argb);
  last_grid_row.fill(white);
  std::fill(last_grid_row.begin(), last_grid_row.begin() + visible_w, grid_argb);
  // The scanline is white from here on; only what a band wrote is cleared.
  int dirty_end = 0;

  const int overlay_bottom = overlay_ ? overlay_->Top() + overlay_->Height() - 1 : 0;
  const int last_band = std::max(picture.Height, overlay_bottom);
  // The colour of each square of one row, and whether the overlay covers it;
  // a ghost can reach past the picture's right edge, up to column 96 + 95.
  constexpr int kMaxColumn = 2 * MaxPictureWidth;
  std::array<std::uint32_t, kMaxColumn + 2> square_argb;
  std::array<bool, kMaxColumn + 2> square_covered;
  std::array<std::uint32_t, PixelCodeCount> code_argb;
  for (int c = 0; c < PixelCodeCount; ++c) code_argb[c] = CodeColors[c].Argb();
  const int last_visible_column = std::min((StoredWidth - 1) / p + 1, kMaxColumn);

  int screen_y = 0;
  for (int y = 1; y <= last_band && screen_y < StoredHeight; ++y) {
    const bool inside = y <= picture.Height;
    int last_column = inside ? std::min(picture.Width, last_visible_column) : 0;
    if (inside) {
      for (int x = 1; x <= last_column; ++x) {
        square_argb[x] = code_argb[static_cast<std::size_t>(picture.Cells.At(x, y))];
      }
    }
    // Squares the overlay covers in this row.
    bool any_covered = false;
    if (overlay_ != nullptr && y >= overlay_->Top() && y < overlay_->Top() + overlay_->Height()) {
      const int left = std::max(overlay_->Left(), 1);
      const int right = std::min(overlay_->Left() + overlay_->Width() - 1, last_visible_column);
      std::fill(square_covered.begin(), square_covered.begin() + std::max(last_column, right) + 2,
                false);
      for (int x = last_column + 1; x <= right; ++x) square_argb[x] = white;
      const std::uint8_t* codes = overlay_->RowCodes(y);
      for (int x = left; x <= right; ++x) {
        const std::uint8_t code = codes[x - overlay_->Left()];
        if (code == CellOverlay::Empty) continue;
        square_argb[x] = code_argb[code];
        square_covered[x] = true;
        any_covered = true;
      }
      last_column = std::max(last_column, right);
    }
    auto covered = [&](int x) { return any_covered && square_covered[x]; };

    std::uint32_t* line = scanline.data();
    for (int x = 1; x <= last_column; ++x) {
      const int left = (x - 1) * p;
      const int right = std::min(left + p, StoredWidth);
      const std::uint32_t argb = square_argb[x];
      for (int i = left; i < right; ++i) line[i] = argb;
    }
    const int cells_end = std::min(last_column * p, StoredWidth);
    if (dirty_end > cells_end) std::fill(line + cells_end, line + dirty_end, white);
    dirty_end = cells_end;

    // The band's first row may be a horizontal grid line: 0..w inside the
    // picture, 0..w - 1 for the last one below it.
    const std::uint32_t* grid_row = nullptr;
    int grid_end = 0;
    if (inside && grid) {
      // A vertical line lies on the left edge of square i + 1; a covering
      // square hides it.
      for (int i = 0; i <= picture.Width && i * p < StoredWidth; ++i) {
        if (!covered(i + 1)) line[i * p] = grid_argb;
      }
      dirty_end = std::max(dirty_end, std::min(w + 1, StoredWidth));
      grid_row = inner_grid_row.data();
      grid_end = std::min(w + 1, StoredWidth);
    } else if (!inside && grid && screen_y == h) {
      grid_row = last_grid_row.data();
      grid_end = visible_w;
    }

    const int band_end = std::min(screen_y + p, StoredHeight);
    for (int row = screen_y; row < band_end; ++row) {
      const std::uint32_t* source =
          (grid_row != nullptr && !any_covered && row == screen_y) ? grid_row : line;
      std::memcpy(&pixels_[static_cast<std::size_t>(row) * StoredWidth], source,
                  sizeof(std::uint32_t) * StoredWidth);
    }
    if (grid_row != nullptr && any_covered) {
      // Covering squares hide the grid line: draw it only over the others.
      std::uint32_t* first = &pixels_[static_cast<std::size_t>(screen_y) * StoredWidth];
      for (int x = 1; (x - 1) * p < grid_end; ++x) {
        if (covered(x)) continue;
        std::fill(first + (x - 1) * p, first + std::min(x * p, grid_end), grid_argb);
      }
    }
    screen_y = band_end;
  }
  // Below the squares: the last horizontal grid line, then white.
  for (int row = screen_y; row < StoredHeight; ++row) {
    std::uint32_t* line = &pixels_[static_cast<std::size_t>(row) * StoredWidth];
    std::fill(line, line + StoredWidth, white);
    if (grid && row == h) std::fill(line, line + visible_w, grid_argb);
  }

  if (scene.ShowBorder) StrokeBox(0, 0, w, h, BorderColor, false);
}

void CanvasRaster::PaintCell(const Picture& picture, int pixel_size, bool show_grid, int x, int y) {
  const int p = pixel_size;
  const int left = (x - 1) * p;
  const int top = (y - 1) * p;
  FillRect(left, top, left + p, top + p, ColorOf(picture.Cells.At(x, y)));
  if (show_grid && p > 3) StrokeBox(left, top, left + p, top + p, GridColor, false);
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
    if ((!dashed || phase % (DashOn + DashOff) < DashOn) && !UnderOverlay(x, y)) {
      SetPixel(x, y, argb);
    }
  };
  // Each segment draws its start point but not its end point. Only its
  // stored part is walked; the dash phase still counts the whole length.
  auto segment = [&](int x0, int y0, int x1, int y1) {
    const int dx = (x1 > x0) - (x1 < x0);
    const int dy = (y1 > y0) - (y1 < y0);
    const int length = std::abs(x1 - x0) + std::abs(y1 - y0);
    const int start = dx != 0 ? x0 : y0;
    const int step = dx != 0 ? dx : dy;
    const int limit = dx != 0 ? StoredWidth : StoredHeight;
    const int fixed = dx != 0 ? y0 : x0;
    const int fixed_limit = dx != 0 ? StoredHeight : StoredWidth;
    const int base = phase;
    if (fixed >= 0 && fixed < fixed_limit) {
      // The t for which start + step * t lies in [0, limit).
      const int t0 = std::max(0, step > 0 ? -start : start - limit + 1);
      const int t1 = std::min(length, step > 0 ? limit - start : start + 1);
      for (int t = t0; t < t1; ++t) {
        phase = base + t;
        plot(dx != 0 ? start + step * t : fixed, dx != 0 ? fixed : start + step * t);
      }
    }
    phase = base + length;
  };
  segment(left, top, left, bottom);
  segment(left, bottom, right, bottom);
  segment(right, bottom, right, top);
  segment(right, top, left, top);
}

}  // namespace pictavo
