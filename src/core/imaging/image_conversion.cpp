#include "core/imaging/image_conversion.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace pictavo {

std::array<std::int32_t, 256> GainTable(int threshold) {
  // The gained brightness is (gray * 32768 + t) div 2t: the numerator grows by
  // 32768 a gray, so quotient and remainder grow by fixed steps.
  const std::int32_t divisor = 2 * std::max(threshold, 1);
  const std::int32_t step_quotient = 64 * BrightnessOne * 2 / divisor;
  const std::int32_t step_remainder = 64 * BrightnessOne * 2 % divisor;
  std::array<std::int32_t, 256> table;
  std::int32_t quotient = divisor / 2 / divisor;  // gray 0: t div 2t
  std::int32_t remainder = divisor / 2;
  for (std::size_t gray = 0; gray < table.size(); ++gray) {
    table[gray] = std::min(quotient, 255 * BrightnessOne);
    quotient += step_quotient;
    remainder += step_remainder;
    if (remainder >= divisor) {
      ++quotient;
      remainder -= divisor;
    }
  }
  return table;
}

Rgb OverWhite(Rgb color, std::uint8_t alpha) {
  const auto blend = [alpha](std::uint8_t c) {
    const int a = alpha;
    return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
  };
  return {blend(color.r), blend(color.g), blend(color.b)};
}

std::vector<std::int16_t> PartGrays(const RgbImage& image, const ImagePart& part,
                                    bool keep_transparency) {
  if (part.width <= 0 || part.height <= 0) return {};
  const bool has_alpha = !image.alpha.empty() && image.alpha.size() == image.pixels.size();
  std::vector<std::int16_t> grays(static_cast<std::size_t>(part.width) *
                                  static_cast<std::size_t>(part.height));
  for (int y = 0; y < part.height; ++y) {
    const std::size_t start =
        static_cast<std::size_t>(part.top + y) * static_cast<std::size_t>(image.width) +
        static_cast<std::size_t>(part.left);
    const Rgb* source = image.pixels.data() + start;
    std::int16_t* out =
        grays.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(part.width);
    for (int x = 0; x < part.width; ++x) {
      Rgb c = source[x];
      if (has_alpha) {
        const std::uint8_t opacity = image.alpha[start + static_cast<std::size_t>(x)];
        if (keep_transparency && opacity < ClearAlphaBelow) {
          out[x] = -1;
          continue;
        }
        c = OverWhite(c, opacity);
      }
      out[x] = static_cast<std::int16_t>((int{c.r} + int{c.g} + int{c.b}) / 3);
    }
  }
  return grays;
}

void CodesOfGrays(std::span<const std::int16_t> grays, int width, int height,
                  const ConversionOptions& options, std::span<PixelCode> codes) {
  if (width <= 0 || height <= 0) return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (grays.size() < count || codes.size() < count) return;
  if (options.dither == DitherMethod::None) {
    std::array<PixelCode, 256> code_of_gray;
    for (int gray = 0; gray < 256; ++gray) {
      const int code = std::min(gray / std::max(options.threshold, 1), 3);
      // In black and white, the two lighter grays count as White, as when an
      // icon is lowered to one bit.
      code_of_gray[static_cast<std::size_t>(gray)] = !options.black_and_white ? ToPixelCode(code)
                                                     : code >= 2              ? PixelCode::White
                                                                              : PixelCode::Black;
    }
    for (std::size_t i = 0; i < count; ++i) {
      codes[i] =
          grays[i] < 0 ? PixelCode::Transparent : code_of_gray[static_cast<std::size_t>(grays[i])];
    }
    return;
  }
  const std::array<std::int32_t, 256> brightness_of_gray = GainTable(options.threshold);
  std::vector<std::int32_t> brightness(count);
  for (std::size_t i = 0; i < count; ++i) {
    brightness[i] = grays[i] < 0 ? TransparentBrightness
                                 : brightness_of_gray[static_cast<std::size_t>(grays[i])];
  }
  DitherBrightness(brightness, width, height, options.dither, options.levels,
                   options.black_and_white, codes);
}

void ConvertToCodes(const RgbImage& image, const ImagePart& part, const ConversionOptions& options,
                    PictureCells& grid) {
  if (part.width <= 0 || part.height <= 0) return;
  const std::vector<std::int16_t> grays = PartGrays(image, part, options.keep_transparency);
  std::vector<PixelCode> codes(grays.size());
  CodesOfGrays(grays, part.width, part.height, options, codes);
  for (int y = 0; y < part.height; ++y) {
    for (int x = 0; x < part.width; ++x) {
      grid.At(x + 1, y + 1) =
          codes[static_cast<std::size_t>(y) * static_cast<std::size_t>(part.width) +
                static_cast<std::size_t>(x)];
    }
  }
}

void ConvertToCodes(const RgbImage& image, int width, int height, const ConversionOptions& options,
                    PictureCells& grid) {
  ConvertToCodes(image, ImagePart{0, 0, width, height}, options, grid);
}

int AutoThreshold(std::span<const std::int16_t> grays, int width, int height,
                  const ConversionOptions& options) {
  const std::size_t count =
      static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
  if (count == 0 || grays.size() < count) return 64;
  grays = grays.first(count);
  std::int64_t image_sum = 0;
  for (std::int16_t gray : grays) image_sum += std::max<std::int16_t>(gray, 0);
  std::vector<PixelCode> codes(grays.size());
  ConversionOptions trial = options;
  int best = 64;
  std::int64_t best_distance = -1;
  // Outwards from 64, the lower side first, so that the first of equally
  // near ones wins.
  for (int away = 0; away <= 136; ++away) {
    for (const int threshold : {64 - away, away == 0 ? 0 : 64 + away}) {
      if (threshold < 1 || threshold > 200) continue;
      trial.threshold = threshold;
      CodesOfGrays(grays, width, height, trial, codes);
      std::int64_t shown_sum = 0;
      for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] != PixelCode::Transparent) {
          shown_sum += options.levels[static_cast<std::size_t>(ToInt(codes[i]))];
        }
      }
      const std::int64_t distance =
          shown_sum > image_sum ? shown_sum - image_sum : image_sum - shown_sum;
      if (best_distance < 0 || distance < best_distance) {
        best = threshold;
        best_distance = distance;
      }
    }
  }
  return best;
}

}  // namespace pictavo
