#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/model/picture.h"
#include "core/model/skin.h"
#include "core/render/canvas_raster.h"

namespace pictavo::testing {

// The stored canvas pixel at a view position; 0 outside the view.
inline std::uint32_t CanvasPixel(const CanvasRaster& canvas, int x, int y) {
  if (x < 0 || x >= canvas.Width() || y < 0 || y >= canvas.Height()) return 0;
  return canvas.Pixels()[static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas.Width()) +
                         static_cast<std::size_t>(x)];
}

inline TSkinIcon MakeIcon(int id, int sub_icons, int bpp, int width, int height,
                          std::vector<std::uint8_t> data) {
  TSkinIcon icon;
  icon.IconID = id;
  icon.SubIcons = sub_icons;
  icon.BPP = bpp;
  icon.Width = width;
  icon.Height = height;
  icon.Data = std::move(data);
  return icon;
}

// A width x height picture from its codes, row by row. The storage outside it
// holds `outside`, so code that strays beyond the picture shows it.
inline Picture MakePicture(int width, int height, const std::vector<int>& codes,
                           PixelCode outside = PixelCode::White) {
  Picture picture;
  picture.Cells.Fill(outside);
  picture.Width = width;
  picture.Height = height;
  auto code = codes.begin();
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) picture.Cells.At(x, y) = ToPixelCode(*code++);
  }
  return picture;
}

// The 3 x 2 picture the format tests share: row 1 Black, White, Transparent;
// row 2 Gray66, Gray33, White.
inline Picture IconExample(PixelCode outside = PixelCode::White) {
  return MakePicture(3, 2, {0, 3, 4, 1, 2, 3}, outside);
}

}  // namespace pictavo::testing
