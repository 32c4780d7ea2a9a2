#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pictavo {

// The bytes a PNG's rows take once its pixel data is inflated: a filter
// byte and the packed pixels of each row, of each of the seven passes when
// the image is interlaced. Nothing for a header the format does not allow.
std::int64_t PngInflatedSize(std::uint32_t width, std::uint32_t height, int depth, int colour,
                             bool interlaced);

// Inflates the pixel data (the IDAT chunks) of a PNG whose chunks have been
// walked, counting what comes out and keeping none of it, and refuses data
// that inflates past the rows the header declares: a megabyte of it can stand
// for gigabytes the decoder would inflate in full. The cost is bounded by the
// declared rows. Data that is otherwise damaged is left to the decoder.
// Returns the reason in plain words, or an empty text.
std::string PngInflateFault(std::span<const std::uint8_t> file);

}  // namespace pictavo
