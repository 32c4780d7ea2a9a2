#include "core/formats/image_conversion.h"

#include <algorithm>
#include <cstddef>
#include <vector>

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

float GrayLevel(Rgb color, int threshold) {
  const int gray = (int{color.r} + int{color.g} + int{color.b}) / 3;
  // Exact for whole quotients, so the whole part is gray div threshold.
  return std::min(static_cast<float>(gray) / static_cast<float>(std::max(threshold, 1)), 3.0f);
}

Rgb OverWhite(Rgb color, std::uint8_t alpha) {
  const auto blend = [alpha](std::uint8_t c) {
    const int a = alpha;
    return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
  };
  return {blend(color.r), blend(color.g), blend(color.b)};
}

void ConvertToCodes(const RgbImage& image, int width, int height, const ConversionOptions& options,
                    PictureCells& grid) {
  if (width <= 0 || height <= 0) return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const bool has_alpha =
      !image.alpha.empty() && image.alpha.size() == image.pixels.size();
  std::vector<float> levels(count);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t at =
          static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
          static_cast<std::size_t>(x);
      Rgb color = image.pixels[at];
      float level = 0.0f;
      if (has_alpha && options.keep_transparency && image.alpha[at] < ClearAlphaBelow) {
        level = TransparentLevel;
      } else {
        if (has_alpha) color = OverWhite(color, image.alpha[at]);
        level = GrayLevel(color, options.threshold);
      }
      levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
             static_cast<std::size_t>(x)] = level;
    }
  }
  std::vector<PixelCode> codes(count);
  DitherLevels(levels, width, height, options.dither, options.black_and_white, codes);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      grid.At(x + 1, y + 1) = codes[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                    static_cast<std::size_t>(x)];
    }
  }
}

}  // namespace pictavo
