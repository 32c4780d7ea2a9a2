#pragma once

#include "core/imaging/image_conversion.h"

namespace pictavo {

struct FitDimensions {
  int width = 0;
  int height = 0;
  friend bool operator==(const FitDimensions&, const FitDimensions&) = default;
};

// The size a width x height image takes when scaled down to fit within
// max_width x max_height with its aspect ratio kept, each side rounded to the
// nearest pixel and at least 1. An image that already fits keeps its size.
FitDimensions FitSize(int width, int height, int max_width, int max_height);

// The image scaled down to width x height (no larger than the image) by area
// averaging: every result pixel is the mean of the source area it covers,
// partly covered source pixels counting by their covered share. With an
// alpha channel, colours are weighted by their opacity, so the colour of
// clear pixels does not bleed into their neighbours. An invalid request
// gives an empty image.
RgbImage ScaleDownByArea(const RgbImage& image, int width, int height);

// The largest part of a width x height image in the proportions of
// part_width x part_height (rounded to the nearest pixel, within the image):
// what "Fill" crops before scaling down, so the picture is covered.
FitDimensions FillCropSize(int width, int height, int part_width, int part_height);

// A copy of the part of the image (and of its alpha channel); empty when the
// part leaves the image.
RgbImage CropImage(const RgbImage& image, const ImagePart& part);

}  // namespace pictavo
