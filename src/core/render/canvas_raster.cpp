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

std::uint32_t OnionArgb(const OnionFrames& onion, int x, int y, PixelCode code) {
  const Rgb own = ColorOf(code);
  int r = 3 * own.r;
  int g = 3 * own.g;
  int b = 3 * own.b;
  int parts = 3;
  if (x >= 1 && x <= onion.width && y >= 1 && y <= onion.height) {
    const std::size_t at = static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(onion.width) +
                           static_cast<std::size_t>(x - 1);
    for (const std::uint8_t* frame : {onion.previous, onion.next}) {
      if (frame == nullptr || !IsPixelCode(frame[at]) || frame[at] == ToInt(code)) continue;
      const Rgb other = CodeColors[frame[at]];
      r += other.r;
      g += other.g;
      b += other.b;
      ++parts;
    }
  }
  if (parts == 3) return own.Argb();
  const auto mix = [parts](int sum) {
    return static_cast<std::uint8_t>((sum + parts / 2) / parts);
  };
  return Rgb{mix(r), mix(g), mix(b)}.Argb();
}

CanvasRaster::CanvasRaster()
    : pixels_(static_cast<std::size_t>(StoredWidth) * StoredHeight, CanvasBackground.Argb()) {
  SetView(view_);
}

void CellOverlay::Reset(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::clamp(width, 0, MaxSize);
  height_ = std::clamp(height, 0, MaxSize);
  codes_.fill(Empty);
}

void CanvasRaster::SetView(const Viewport& view) {
  const int width = std::max(view.Width, 1);
  const int height = std::max(view.Height, 1);
  if (width != view_.Width || height != view_.Height) {
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                   CanvasBackground.Argb());
  }
  view_ = {std::max(view.Left, 0), std::max(view.Top, 0), width, height};
  const auto w = static_cast<std::size_t>(width);
  scanline_.resize(w);
  inner_grid_row_.resize(w);
  last_grid_row_.resize(w);
  column_cell_.resize(w);
  row_cell_.resize(static_cast<std::size_t>(height));
}

void CanvasRaster::SetOverlay(const CellOverlay* overlay, int pixel_size) {
  overlay_ = overlay;
  if (overlay_ == nullptr) return;
  // Cells by counting rather than dividing: the mask is asked for every
  // pixel of the lines drawn under the overlay.
  const int p = std::max(pixel_size, 1);
  auto count = [p](std::vector<std::int16_t>& cells, int origin) {
    int cell = origin / p + 1;
    int within = origin % p;
    for (std::int16_t& c : cells) {
      if (within == p) {
        ++cell;
        within = 0;
      }
      c = static_cast<std::int16_t>(cell);
      ++within;
    }
  };
  count(column_cell_, view_.Left);
  count(row_cell_, view_.Top);
}

bool CanvasRaster::UnderOverlay(int x, int y) const {
  if (overlay_ == nullptr || x < 0 || y < 0 || x >= view_.Width || y >= view_.Height) return false;
  return overlay_
      ->At(column_cell_[static_cast<std::size_t>(x)], row_cell_[static_cast<std::size_t>(y)])
      .has_value();
}

void CanvasRaster::Render(const CanvasScene& scene) {
  SetView(scene.view);
  SetOverlay(scene.ghost, scene.PixelSize);
  RenderSquares(scene);
  if (scene.box) {
    const CellRect& b = *scene.box;
    const int p = scene.PixelSize;
    StrokeBox(b.Left * p, b.Top * p, b.Right * p, b.Bottom * p, SelectionBoxColor, true);
  }
  SetOverlay(nullptr, scene.PixelSize);
}

// Positions below are in the view unless named canvas_: a view position is
// the canvas position minus the view's origin (ox, oy).
void CanvasRaster::RenderSquares(const CanvasScene& scene) {
  const Picture& picture = *scene.picture;
  const int p = scene.PixelSize;
  const int vw = view_.Width;
  const int vh = view_.Height;
  const int ox = view_.Left;
  const int oy = view_.Top;
  const int w = picture.Width * p;  // right edge of the squares, in the canvas
  const int h = picture.Height * p;

  const bool grid = scene.ShowGrid && p > 3;
  const std::uint32_t white = CanvasBackground.Argb();
  const std::uint32_t grid_argb = GridColor.Argb();
  // Where the horizontal grid lines end: inside the picture a line runs from
  // 0 to w - 1 and the vertical line at w crosses it, so 0..w is grid
  // colour; the last one, below the squares, stops short of the corner.
  const int inner_grid_end = std::clamp(w + 1 - ox, 0, vw);
  const int last_grid_end = std::clamp(w - ox, 0, vw);

  // The rows of one band of squares: most rows look alike; the first may be
  // a horizontal grid line.
  std::uint32_t* line = scanline_.data();
  std::fill(scanline_.begin(), scanline_.end(), white);
  std::fill(inner_grid_row_.begin(), inner_grid_row_.end(), white);
  std::fill(inner_grid_row_.begin(), inner_grid_row_.begin() + inner_grid_end, grid_argb);
  std::fill(last_grid_row_.begin(), last_grid_row_.end(), white);
  std::fill(last_grid_row_.begin(), last_grid_row_.begin() + last_grid_end, grid_argb);
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
  // The columns the view shows, partly or whole; the first starts at or
  // left of the view's left edge.
  const int first_visible_column = ox / p + 1;
  const int last_visible_column = std::min((ox + vw - 1) / p + 1, kMaxColumn);
  // Vertical grid lines in the view: those of picture columns first_line..last_line.
  const int first_line = (ox + p - 1) / p;
  const int last_line = std::min(picture.Width, (ox + vw - 1) / p);

  int screen_y = 0;
  for (int y = oy / p + 1; y <= last_band && screen_y < vh; ++y) {
    const bool inside = y <= picture.Height;
    int last_column = inside ? std::min(picture.Width, last_visible_column) : 0;
    if (inside) {
      if (scene.onion != nullptr) {
        for (int x = first_visible_column; x <= last_column; ++x) {
          square_argb[x] = OnionArgb(*scene.onion, x, y, picture.Cells.At(x, y));
        }
      } else {
        for (int x = first_visible_column; x <= last_column; ++x) {
          square_argb[x] = code_argb[static_cast<std::size_t>(picture.Cells.At(x, y))];
        }
      }
    }
    // Squares the overlay covers in this row.
    bool any_covered = false;
    if (overlay_ != nullptr && y >= overlay_->Top() && y < overlay_->Top() + overlay_->Height()) {
      const int left = std::max(overlay_->Left(), first_visible_column);
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

    for (int x = first_visible_column; x <= last_column; ++x) {
      const int left = std::max((x - 1) * p - ox, 0);
      const int right = std::min(x * p - ox, vw);
      const std::uint32_t argb = square_argb[x];
      for (int i = left; i < right; ++i) line[i] = argb;
    }
    const int cells_end = std::clamp(last_column * p - ox, 0, vw);
    if (dirty_end > cells_end) std::fill(line + cells_end, line + dirty_end, white);
    dirty_end = cells_end;

    // The band's first row may be a horizontal grid line, if the view shows it.
    const int canvas_top = (y - 1) * p;
    const bool top_shown = canvas_top >= oy;
    const std::uint32_t* grid_row = nullptr;
    int grid_end = 0;
    if (inside && grid) {
      // A vertical line lies on the left edge of square i + 1; a covering
      // square hides it.
      for (int i = first_line; i <= last_line; ++i) {
        if (!covered(i + 1)) line[i * p - ox] = grid_argb;
      }
      dirty_end = std::max(dirty_end, inner_grid_end);
      grid_row = inner_grid_row_.data();
      grid_end = inner_grid_end;
    } else if (!inside && grid && canvas_top == h) {
      grid_row = last_grid_row_.data();
      grid_end = last_grid_end;
    }
    if (!top_shown) grid_row = nullptr;

    const int band_end = std::min(y * p - oy, vh);
    for (int row = screen_y; row < band_end; ++row) {
      const std::uint32_t* source =
          (grid_row != nullptr && !any_covered && row == screen_y) ? grid_row : line;
      std::memcpy(Row(row), source, sizeof(std::uint32_t) * static_cast<std::size_t>(vw));
    }
    if (grid_row != nullptr && any_covered) {
      // Covering squares hide the grid line: draw it only over the others.
      std::uint32_t* first = Row(screen_y);
      for (int x = first_visible_column; (x - 1) * p - ox < grid_end; ++x) {
        if (covered(x)) continue;
        std::fill(first + std::max((x - 1) * p - ox, 0), first + std::min(x * p - ox, grid_end),
                  grid_argb);
      }
    }
    screen_y = band_end;
  }
  // Below the squares: the last horizontal grid line, then white.
  for (int row = screen_y; row < vh; ++row) {
    std::uint32_t* out = Row(row);
    std::fill(out, out + vw, white);
    if (grid && row + oy == h) std::fill(out, out + last_grid_end, grid_argb);
  }

  if (scene.ShowBorder) StrokeBox(0, 0, w, h, BorderColor, false);
}

// The square and, with the grid, its outline on all four sides (which
// reaches one pixel into the next squares), row by row: a stroke repaints
// many squares, and only the stored part of each is written.
void CanvasRaster::PaintCell(const Picture& picture, int pixel_size, bool show_grid, int x, int y,
                             const OnionFrames* onion) {
  const int p = pixel_size;
  const bool grid = show_grid && p > 3;
  const int extent = grid ? p + 1 : p;
  const int left = (x - 1) * p - view_.Left;
  const int top = (y - 1) * p - view_.Top;
  const int x0 = std::max(left, 0);
  const int x1 = std::min(left + extent, view_.Width);
  const int y0 = std::max(top, 0);
  const int y1 = std::min(top + extent, view_.Height);
  if (x0 >= x1 || y0 >= y1) return;
  const PixelCode code = picture.Cells.At(x, y);
  const std::uint32_t fill =
      onion != nullptr ? OnionArgb(*onion, x, y, code) : ColorOf(code).Argb();
  const std::uint32_t line_argb = GridColor.Argb();
  // Both kinds of row made once and copied: a copy is far quicker than a
  // fill this short.
  constexpr int kMaxRow = 128;
  const int width = x1 - x0;
  if (width > kMaxRow) {
    FillRect(left + view_.Left, top + view_.Top, left + p + view_.Left, top + p + view_.Top,
             Rgb{static_cast<std::uint8_t>(fill >> 16), static_cast<std::uint8_t>(fill >> 8),
                 static_cast<std::uint8_t>(fill)});
    if (grid) {
      StrokeBox(left + view_.Left, top + view_.Top, left + p + view_.Left, top + p + view_.Top,
                GridColor, false);
    }
    return;
  }
  std::array<std::uint32_t, kMaxRow> square_row;
  std::array<std::uint32_t, kMaxRow> grid_row;
  std::fill(square_row.begin(), square_row.begin() + width, fill);
  if (grid) {
    std::fill(grid_row.begin(), grid_row.begin() + width, line_argb);
    if (left >= x0) square_row[static_cast<std::size_t>(left - x0)] = line_argb;
    if (left + p < x1) square_row[static_cast<std::size_t>(left + p - x0)] = line_argb;
  }
  const std::size_t bytes = sizeof(std::uint32_t) * static_cast<std::size_t>(width);
  for (int row = y0; row < y1; ++row) {
    const bool edge = grid && (row == top || row == top + p);
    std::memcpy(Row(row) + x0, edge ? grid_row.data() : square_row.data(), bytes);
  }
}

void CanvasRaster::FillRect(int left, int top, int right, int bottom, Rgb color) {
  left = std::max(left - view_.Left, 0);
  top = std::max(top - view_.Top, 0);
  right = std::min(right - view_.Left, view_.Width);
  bottom = std::min(bottom - view_.Top, view_.Height);
  if (left >= right || top >= bottom) return;
  const std::uint32_t argb = color.Argb();
  for (int row = top; row < bottom; ++row) {
    std::uint32_t* line = Row(row);
    std::fill(line + left, line + right, argb);
  }
}

void CanvasRaster::StrokeBox(int left, int top, int right, int bottom, Rgb color, bool dashed) {
  // Into view positions: the dash phase runs along the path, so it is the
  // same wherever the view lies.
  left -= view_.Left;
  right -= view_.Left;
  top -= view_.Top;
  bottom -= view_.Top;
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
    const int limit = dx != 0 ? view_.Width : view_.Height;
    const int fixed = dx != 0 ? y0 : x0;
    const int fixed_limit = dx != 0 ? view_.Height : view_.Width;
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
