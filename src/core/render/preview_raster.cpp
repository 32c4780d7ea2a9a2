#include "core/render/preview_raster.h"

#include <algorithm>
#include <array>

namespace pictavo {

int PreviewRows(int image_height, const TSkinIcon& icon, int scale) {
  const std::int64_t cell = (std::int64_t{icon.Height} + 2) * std::max(scale, 1);
  const std::int64_t rows = cell > 0 ? image_height / cell : 0;
  return static_cast<int>(std::max<std::int64_t>(rows, 1));
}

int PreviewWidth(int image_height, const TSkinIcon& icon, int scale, int limit) {
  const std::int64_t rows = PreviewRows(image_height, icon, scale);
  const std::int64_t columns = (std::max(icon.SubIcons, 1) + rows - 1) / rows;
  const std::int64_t width = columns * (std::int64_t{icon.Width} + 2) * std::max(scale, 1);
  return static_cast<int>(std::min<std::int64_t>(width, limit));
}

PreviewPoint PreviewCellOrigin(const TSkinIcon& icon, int scale, int rows, int sub_icon) {
  rows = std::max(rows, 1);
  const std::int64_t s = std::max(scale, 1);
  return {sub_icon / rows * (std::int64_t{icon.Width} + 2) * s,
          sub_icon % rows * (std::int64_t{icon.Height} + 2) * s};
}

std::optional<int> PreviewHitTest(const TSkinIcon& icon, int scale, int image_height, int x,
                                  int y) {
  scale = std::max(scale, 1);
  const int rows = PreviewRows(image_height, icon, scale);
  const std::int64_t cell_width = (std::int64_t{icon.Width} + 2) * scale;
  const std::int64_t cell_height = (std::int64_t{icon.Height} + 2) * scale;
  for (int i = 0; i < icon.SubIcons; ++i) {
    if (x <= cell_width * (i / rows + 1) - 2 && y <= cell_height * (i % rows + 1) - 2) return i;
  }
  return std::nullopt;
}

void DrawPreview(const TSkinIcon* icon, int scale, int width, int height, Rgb background,
                 std::vector<std::uint32_t>& argb_out, const CodePalette& colors) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  argb_out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                  background.Argb());
  if (icon == nullptr || width == 0 || height == 0 ||
      icon->Data.size() != icon->ExpectedDataSize()) {
    return;
  }
  scale = std::max(scale, 1);
  const int rows = PreviewRows(height, *icon, scale);
  std::array<std::uint32_t, PixelCodeCount> code_argb;
  for (int c = 0; c < PixelCodeCount; ++c) code_argb[c] = colors[c].Argb();
  for (int i = 0; i < icon->SubIcons; ++i) {
    const PreviewPoint origin = PreviewCellOrigin(*icon, scale, rows, i);
    // Columns only move right from here on.
    if (origin.x >= width) break;
    if (origin.y >= height) continue;
    // Row by row, so each screen row is written left to right. Every entry
    // is a pixel code (the readers refuse others); anything else would keep
    // the brush of the square before it.
    for (int y = 0; y < icon->Height; ++y) {
      const std::int64_t top = origin.y + std::int64_t{y} * scale;
      if (top >= height) break;
      const int y1 = static_cast<int>(std::min<std::int64_t>(top + scale, height));
      std::uint32_t* row = argb_out.data() + static_cast<std::size_t>(top) * width;
      std::uint32_t brush = background.Argb();
      for (int x = 0; x < icon->Width; ++x) {
        const std::int64_t left = origin.x + std::int64_t{x} * scale;
        if (left >= width) break;
        const std::uint8_t code = icon->Data[icon->DataIndex(i, x, y)];
        if (IsPixelCode(code)) brush = code_argb[code];
        const int x1 = static_cast<int>(std::min<std::int64_t>(left + scale, width));
        for (int px = static_cast<int>(left); px < x1; ++px) row[px] = brush;
      }
      // The other screen rows of these squares are copies of the first.
      const int x_end = static_cast<int>(
          std::min<std::int64_t>(origin.x + std::int64_t{icon->Width} * scale, width));
      for (int py = static_cast<int>(top) + 1; py < y1; ++py) {
        std::copy(row + origin.x, row + x_end,
                  argb_out.data() + static_cast<std::size_t>(py) * width + origin.x);
      }
    }
  }
}

}  // namespace pictavo
