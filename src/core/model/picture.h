#pragma once

#include <array>
#include <cassert>
#include <cstddef>

#include "core/model/pixel_code.h"

namespace pictavo {

inline constexpr int MaxPictureWidth = 96;
inline constexpr int MaxPictureHeight = 92;
inline constexpr int MinPictureWidth = 2;
inline constexpr int MinPictureHeight = 2;
// A quarter turn of a 96-wide capture is 96 rows high.
inline constexpr int SelectionGridSize = 96;

struct CellPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CellPoint&, const CellPoint&) = default;
};

// A box of 1-based inclusive cells.
struct CellRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// Fixed storage of codes addressed by 1-based column x and row y.
template <int Columns, int Rows>
class CodeGrid {
 public:
  static constexpr int ColumnCount = Columns;
  static constexpr int RowCount = Rows;

  static constexpr bool Contains(int x, int y) {
    return x >= 1 && x <= Columns && y >= 1 && y <= Rows;
  }

  PixelCode& At(int x, int y) { return cells_[Index(x, y)]; }
  PixelCode At(int x, int y) const { return cells_[Index(x, y)]; }
  void Fill(PixelCode code) { cells_.fill(code); }

  // Row-major storage: row y starts at (y - 1) * Columns.
  const PixelCode* Data() const { return cells_.data(); }

  friend bool operator==(const CodeGrid&, const CodeGrid&) = default;

 private:
  static std::size_t Index(int x, int y) {
    assert(Contains(x, y));
    return static_cast<std::size_t>(y - 1) * Columns + static_cast<std::size_t>(x - 1);
  }

  std::array<PixelCode, static_cast<std::size_t>(Columns) * Rows> cells_{};
};

using PictureCells = CodeGrid<MaxPictureWidth, MaxPictureHeight>;
using SelectionCells = CodeGrid<SelectionGridSize, SelectionGridSize>;

// The edited image: only the top-left Width x Height part of Cells is the
// picture; the other cells keep their codes and show again when it grows.
struct Picture {
  PictureCells Cells;
  int Width = MaxPictureWidth;
  int Height = MaxPictureHeight;

  bool Contains(int x, int y) const { return x >= 1 && x <= Width && y >= 1 && y <= Height; }
  friend bool operator==(const Picture&, const Picture&) = default;
};

// Captured pixels of the selection box with their own size.
struct SelectionGrid {
  SelectionCells Cells;
  int Width = 0;
  int Height = 0;

  friend bool operator==(const SelectionGrid&, const SelectionGrid&) = default;
};

// Read-only window on the top-left Width x Height part of a grid: the source
// of the packers and listings, which take the picture or the selection alike.
class CodeGridView {
 public:
  template <int Columns, int Rows>
  CodeGridView(const CodeGrid<Columns, Rows>& grid, int width, int height)
      : cells_(grid.Data()), stride_(Columns), width_(width), height_(height) {
    assert(width >= 0 && width <= Columns && height >= 0 && height <= Rows);
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelCode At(int x, int y) const {
    assert(x >= 1 && x <= width_ && y >= 1 && y <= height_);
    return cells_[static_cast<std::size_t>(y - 1) * stride_ + static_cast<std::size_t>(x - 1)];
  }

 private:
  const PixelCode* cells_;
  int stride_;
  int width_;
  int height_;
};

inline CodeGridView ViewOf(const Picture& picture) {
  return CodeGridView(picture.Cells, picture.Width, picture.Height);
}
inline CodeGridView ViewOf(const SelectionGrid& selection) {
  return CodeGridView(selection.Cells, selection.Width, selection.Height);
}

}  // namespace pictavo
