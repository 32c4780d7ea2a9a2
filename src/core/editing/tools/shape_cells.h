#pragma once

#include <algorithm>
#include <cstdlib>

#include "core/model/picture.h"

namespace pictavo {

// The cells of the straight 8-connected path from a to b, a first and b
// last: one cell for each step along the longer axis, the other coordinate
// rounded half up. visit(x, y) is called once for each.
template <class Visit>
void ForEachLineCell(CellPoint a, CellPoint b, Visit&& visit) {
  const int dx = b.x - a.x;
  const int dy = b.y - a.y;
  const int n = std::max(std::abs(dx), std::abs(dy));
  if (n == 0) {
    visit(a.x, a.y);
    return;
  }
  // floor((2 i d + n) / 2n): the offset i / n of the way, rounded half up.
  auto offset = [n](int i, int d) {
    const int num = 2 * i * d + n;
    const int den = 2 * n;
    return num >= 0 ? num / den : -((-num + den - 1) / den);
  };
  for (int i = 0; i <= n; ++i) visit(a.x + offset(i, dx), a.y + offset(i, dy));
}

// The cells of the rectangle with corners a and b (either way round): its
// outline, each cell once, or every cell inside it too.
template <class Visit>
void ForEachRectangleCell(CellPoint a, CellPoint b, bool filled, Visit&& visit) {
  const int left = std::min(a.x, b.x);
  const int right = std::max(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int bottom = std::max(a.y, b.y);
  for (int y = top; y <= bottom; ++y) {
    const bool edge_row = y == top || y == bottom;
    if (filled || edge_row) {
      for (int x = left; x <= right; ++x) visit(x, y);
    } else {
      visit(left, y);
      if (right != left) visit(right, y);
    }
  }
}

// The end the drag would reach with Shift held: a line kept to 0, 45 or 90
// degrees, a rectangle kept square. The longer side decides the length.
inline CellPoint KeepLineStraight(CellPoint a, CellPoint b) {
  const int dx = b.x - a.x;
  const int dy = b.y - a.y;
  const int ax = std::abs(dx);
  const int ay = std::abs(dy);
  if (2 * ay < ax) return {b.x, a.y};
  if (2 * ax < ay) return {a.x, b.y};
  const int n = std::max(ax, ay);
  return {a.x + (dx < 0 ? -n : n), a.y + (dy < 0 ? -n : n)};
}

inline CellPoint KeepSquare(CellPoint a, CellPoint b) {
  const int dx = b.x - a.x;
  const int dy = b.y - a.y;
  const int n = std::max(std::abs(dx), std::abs(dy));
  return {a.x + (dx < 0 ? -n : n), a.y + (dy < 0 ? -n : n)};
}

}  // namespace pictavo
