#pragma once

#include <cstdint>
#include <vector>

#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

// Value a code takes when packed at `depth` bits per pixel (1, 2 or 4): at
// 1 bpp the light codes are 1, at 2 bpp Transparent is written like White, at
// 4 bpp every code is its own number. Codes above Transparent never come from
// the tools; they are written like Transparent so they can never spill into a
// neighbour's bits.
std::uint8_t PackedValue(PixelCode code, int depth);

// Packs the source row by row, left to right, P = 8 / depth pixels per byte,
// the first pixel of a byte in its least significant bits. With `align` every
// row starts in a new byte. Spare bits are 0. Depths other than 1, 2 and 4
// give an empty result.
std::vector<std::uint8_t> PackPixels(CodeGridView source, int depth, bool align);

}  // namespace pictavo
