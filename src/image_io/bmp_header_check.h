#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pictavo {

// Checks the headers of a whole BMP file against the file itself before any
// decoder sees it: sane header size, width, height, planes, depth,
// compression, bit-fields masks and palette count, a palette that lies in the
// file, and pixel data that starts after the headers with every row the image
// needs inside the file. Returns the reason for refusing in plain words, or
// an empty text for a file that may be decoded. The decoder fills the image
// from the file alone only when this holds: it leaves rows it cannot read
// unset.
std::string BmpHeaderFault(std::span<const std::uint8_t> file);

}  // namespace pictavo
