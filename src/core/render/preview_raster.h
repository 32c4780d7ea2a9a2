#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/pixel_code.h"
#include "core/model/skin.h"

namespace pictavo {

// Preview layout: every sub-icon owns a cell of (Width + 2) x (Height + 2)
// preview pixels, scaled; cells fill a column from the top, then the next one.
struct PreviewPoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
  friend bool operator==(const PreviewPoint&, const PreviewPoint&) = default;
};

// Sub-icons per column. At least 1, also when the box is lower than one cell.
int PreviewRows(int image_height, const TSkinIcon& icon, int scale);
// The preview's width that shows every sub-icon's cell whole at an image
// height, capped at `limit`.
int PreviewWidth(int image_height, const TSkinIcon& icon, int scale, int limit);
// Top-left preview pixel of the cell of a sub-icon.
PreviewPoint PreviewCellOrigin(const TSkinIcon& icon, int scale, int rows, int sub_icon);
// The sub-icon a click at (x, y) chooses: the first whose cell, without its
// two-pixel strip, reaches beyond the position on both axes.
std::optional<int> PreviewHitTest(const TSkinIcon& icon, int scale, int image_height, int x, int y);
// Draws the preview of an icon at a scale into a width x height buffer of
// 0xFFRRGGBB pixels on the given background, each code in its colour of
// `colors`; without an icon, or with one whose Data does not fit it, the
// buffer is all background.
void DrawPreview(const TSkinIcon* icon, int scale, int width, int height, Rgb background,
                 std::vector<std::uint32_t>& argb_out, const CodePalette& colors = CodeColors);

}  // namespace pictavo
