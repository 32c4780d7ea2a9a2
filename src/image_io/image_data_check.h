#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pictavo {

// Walks the blocks of a whole GIF file: every block lies inside the file,
// the file ends with its trailer, and the compressed data of every image
// decodes to at least one pixel for each pixel of its rectangle. The toolkit's
// decoder returns a frame cut short as if it were whole, the missing part
// left at the background colour; this refuses such a file first. Returns the
// reason in plain words, or an empty text.
std::string GifDataFault(std::span<const std::uint8_t> file);

// Walks the segments of a whole JPEG file up to its end marker: a file cut
// short ends without one, and the decoder would make up the missing part.
std::string JpegDataFault(std::span<const std::uint8_t> file);

}  // namespace pictavo
