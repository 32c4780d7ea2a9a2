#pragma once

#include <cstdint>
#include <vector>

#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

// A decoded image: the window loads the BMP file and hands its pixels over.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // row-major, width * height
  // Empty for an image without an alpha channel; otherwise one opacity
  // (0 clear .. 255 opaque) a pixel, in the order of `pixels`.
  std::vector<std::uint8_t> alpha;

  // 0-based column and row.
  Rgb At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// The code of one image pixel at a threshold of 1..200; never Transparent.
PixelCode GrayCode(Rgb color, int threshold);

// The top-left width x height pixels of the image as codes at a threshold,
// image pixel (x - 1, y - 1) into cell (x, y). The size must lie within both
// the image and the grid.
void ConvertToCodes(const RgbImage& image, int width, int height, int threshold,
                    PictureCells& grid);

}  // namespace pictavo
