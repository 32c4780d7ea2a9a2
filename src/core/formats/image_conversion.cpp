#include "core/formats/image_conversion.h"

#include <algorithm>
#include <array>
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
  // The code of every gray once, so the scroll bar's conversion divides 256
  // times instead of once a pixel.
  std::array<PixelCode, 256> code_of_gray;
  for (int gray = 0; gray < 256; ++gray) {
    const auto g = static_cast<std::uint8_t>(gray);
    code_of_gray[static_cast<std::size_t>(gray)] = GrayCode({g, g, g}, threshold);
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = image.At(x, y);
      grid.At(x + 1, y + 1) =
          code_of_gray[static_cast<std::size_t>((int{c.r} + int{c.g} + int{c.b}) / 3)];
    }
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
  const bool has_alpha = !image.alpha.empty() && image.alpha.size() == image.pixels.size();
  // The level of every channel sum once: a table look-up a pixel keeps the
  // conversion well inside the time of one screen update.
  std::array<float, 3 * 255 + 1> level_of_sum;
  for (int sum = 0; sum <= 3 * 255; ++sum) {
    const auto g = static_cast<std::uint8_t>(sum / 3);
    level_of_sum[static_cast<std::size_t>(sum)] = GrayLevel({g, g, g}, options.threshold);
  }
  std::vector<float> levels(count);
  for (int y = 0; y < height; ++y) {
    const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
    const Rgb* source = image.pixels.data() + start;
    float* out = levels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    if (!has_alpha) {
      for (int x = 0; x < width; ++x) {
        const Rgb c = source[x];
        out[x] = level_of_sum[static_cast<std::size_t>(int{c.r} + int{c.g} + int{c.b})];
      }
      continue;
    }
    const std::uint8_t* opacity = image.alpha.data() + start;
    for (int x = 0; x < width; ++x) {
      if (options.keep_transparency && opacity[x] < ClearAlphaBelow) {
        out[x] = TransparentLevel;
        continue;
      }
      const Rgb c = OverWhite(source[x], opacity[x]);
      out[x] = level_of_sum[static_cast<std::size_t>(int{c.r} + int{c.g} + int{c.b})];
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
