#pragma once

#include <cstdint>
#include <vector>

#include "core/formats/dithering.h"
#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

// A decoded image: the window loads the image file and hands its pixels over.
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

// Opacity below which a pixel counts as clear.
inline constexpr int ClearAlphaBelow = 128;

// How the import turns colours into codes. The defaults are the plain
// threshold rule above.
struct ConversionOptions {
  int threshold = 64;  // 1..200; the gray that makes one step
  DitherMethod dither = DitherMethod::None;
  // Pixels with an opacity below ClearAlphaBelow become Transparent; without
  // it they are laid over white like every other pixel with an alpha value.
  bool keep_transparency = false;
  // Only Black and White (and Transparent): the codes a 1-bit icon stores.
  bool black_and_white = false;

  friend bool operator==(const ConversionOptions&, const ConversionOptions&) = default;
};

// The brightness level of one pixel, gray / threshold as a real number
// clamped to 0..3, where gray = (R + G + B) div 3.
float GrayLevel(Rgb color, int threshold);

// The colour of a pixel with an opacity, laid over white.
Rgb OverWhite(Rgb color, std::uint8_t alpha);

// The top-left width x height pixels of the image as codes under the
// options, image pixel (x - 1, y - 1) into cell (x, y). For an opaque image
// and DitherMethod::None this gives the same codes as the overload above.
// The size must lie within both the image and the grid.
void ConvertToCodes(const RgbImage& image, int width, int height, const ConversionOptions& options,
                    PictureCells& grid);

}  // namespace pictavo
