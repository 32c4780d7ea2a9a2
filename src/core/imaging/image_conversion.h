#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/imaging/dithering.h"
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
  // The grays the dithered methods aim at; the plain rule has no use for them.
  GrayLevels levels = ShownGrays;

  friend bool operator==(const ConversionOptions&, const ConversionOptions&) = default;
};

// The brightness each gray 0..255 is dithered at: the threshold works as a
// gain, gray * 64 / threshold, so 64 changes nothing and a higher one
// darkens. In 1/256 of a gray, rounded half up, at most 255 grays. Made
// without a division a gray: the scroll bar makes this table at every step.
std::array<std::int32_t, 256> GainTable(int threshold);

// The colour of a pixel with an opacity, laid over white.
Rgb OverWhite(Rgb color, std::uint8_t alpha);

// A part of an image: 0-based left and top, width and height.
struct ImagePart {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ImagePart&, const ImagePart&) = default;
};

// The gray, (R + G + B) div 3, of every pixel of the part, row by row; a
// pixel with an opacity is laid over white, or gives -1 when it is clear and
// transparency is kept. The part must lie within the image.
std::vector<std::int16_t> PartGrays(const RgbImage& image, const ImagePart& part,
                                    bool keep_transparency);

// Codes for width x height grays under the options: the plain threshold rule
// without dithering, otherwise the gained brightness dithered at the levels.
void CodesOfGrays(std::span<const std::int16_t> grays, int width, int height,
                  const ConversionOptions& options, std::span<PixelCode> codes);

// The part of the image as codes under the options, image pixel
// (left + x - 1, top + y - 1) into cell (x, y). With DitherMethod::None an
// opaque pixel's code is its gray, (R + G + B) div 3, divided by the
// threshold, at most White. The part must lie within the image and its size
// within the grid.
void ConvertToCodes(const RgbImage& image, const ImagePart& part, const ConversionOptions& options,
                    PictureCells& grid);
// The same for the top-left width x height pixels.
void ConvertToCodes(const RgbImage& image, int width, int height, const ConversionOptions& options,
                    PictureCells& grid);

// The threshold 1..200 whose conversion of width x height grays (as
// PartGrays gives them), under the other options, shows a mean brightness
// (at options.levels) nearest their mean gray; transparent pixels count in
// neither. Of equally near ones, the one nearest 64, then the lower.
int AutoThreshold(std::span<const std::int16_t> grays, int width, int height,
                  const ConversionOptions& options);

}  // namespace pictavo
