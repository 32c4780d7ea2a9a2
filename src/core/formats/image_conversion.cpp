#include "core/formats/image_conversion.h"

#include <algorithm>

namespace pictavo {

PixelCode GrayCode(Rgb color, int threshold) {
  // Summed as ints: three bytes of 255 must not wrap.
  const int gray = (int{color.r} + int{color.g} + int{color.b}) / 3;
  return ToPixelCode(std::min(gray / threshold, ToInt(PixelCode::White)));
}

void ConvertToCodes(const RgbImage& image, int width, int height, int threshold,
                    PictureCells& grid) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) grid.At(x + 1, y + 1) = GrayCode(image.At(x, y), threshold);
  }
}

}  // namespace pictavo
