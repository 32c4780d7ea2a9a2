#include "core/editing/pixel_ops.h"

#include <vector>

namespace pictavo {

bool FloodFill(Picture& picture, int x, int y, PixelCode code) {
  if (!picture.Contains(x, y)) return false;
  const PixelCode old_code = picture.Cells.At(x, y);
  if (old_code == code) return false;

  // Span fill with an explicit stack: each entry is a cell whose row span is
  // still to be filled. No recursion, so the largest region cannot overflow
  // the call stack, and each cell is looked at a few times at most.
  std::vector<CellPoint> pending;
  pending.reserve(256);
  pending.push_back({x, y});
  while (!pending.empty()) {
    const CellPoint seed = pending.back();
    pending.pop_back();
    if (picture.Cells.At(seed.x, seed.y) != old_code) continue;
    int left = seed.x;
    while (left > 1 && picture.Cells.At(left - 1, seed.y) == old_code) --left;
    int right = seed.x;
    while (right < picture.Width && picture.Cells.At(right + 1, seed.y) == old_code) ++right;
    for (int cx = left; cx <= right; ++cx) picture.Cells.At(cx, seed.y) = code;
    // One seed per run of old-coded cells in the rows above and below.
    for (const int ny : {seed.y - 1, seed.y + 1}) {
      if (ny < 1 || ny > picture.Height) continue;
      bool in_run = false;
      for (int cx = left; cx <= right; ++cx) {
        const bool matches = picture.Cells.At(cx, ny) == old_code;
        if (matches && !in_run) pending.push_back({cx, ny});
        in_run = matches;
      }
    }
  }
  return true;
}

bool ReplaceCode(Picture& picture, PixelCode from, PixelCode to) {
  if (from == to) return false;
  bool changed = false;
  for (int y = 1; y <= picture.Height; ++y) {
    for (int x = 1; x <= picture.Width; ++x) {
      if (picture.Cells.At(x, y) == from) {
        picture.Cells.At(x, y) = to;
        changed = true;
      }
    }
  }
  return changed;
}

}  // namespace pictavo
