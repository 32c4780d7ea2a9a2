#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pictavo {

// The most frames an animation may have, and the most scans a JPEG may take
// to build its image: each costs a pass over the whole picture, so a few
// bytes repeated would otherwise cost seconds. Ordinary files use a dozen.
inline constexpr int MaxImageFrames = 1000;
inline constexpr int MaxJpegScans = 100;
// The pixels all the scans of a JPEG may pass over together: 16 scans of the
// largest image, more of a smaller one, up to MaxJpegScans.
inline constexpr std::int64_t MaxDecodedPixels = std::int64_t{4096} * 4096;
inline constexpr std::int64_t MaxJpegScanPixels = 16 * MaxDecodedPixels;
// The most the decoder may allocate for one image: 4 bytes a pixel.
inline constexpr std::int64_t MaxDecodedBytes = 4 * MaxDecodedPixels;

// What the walk of a GIF learns: the decoder makes every frame a whole
// screen, whatever its rectangle.
struct GifLayout {
  int screen_width = 0;
  int screen_height = 0;
  int frames = 0;
};

// Walks the blocks of a whole GIF file: every block lies inside the file,
// the file ends with its trailer, every image lies inside the screen, there
// are at most MaxImageFrames of them, and the compressed data of each decodes
// to one pixel for each pixel of its rectangle, not fewer and not far more. The toolkit's
// decoder returns a frame cut short as if it were whole, the missing part
// left at the background colour; this refuses such a file first. Returns the
// reason in plain words, or an empty text.
std::string GifDataFault(std::span<const std::uint8_t> file, GifLayout* layout = nullptr);

// Walks the segments of a whole JPEG file up to its end marker: a file cut
// short ends without one, and the decoder would make up the missing part.
// More than MaxJpegScans scans, or more than MaxJpegScanPixels over all
// scans, are refused.
std::string JpegDataFault(std::span<const std::uint8_t> file);

// Walks the chunks of a whole PNG file up to its end chunk: every length
// lies inside the file, so the decoder never reserves room for data that is
// not there.
std::string PngDataFault(std::span<const std::uint8_t> file);

// The header of a PNG file alone: refuses an image of more than
// MaxDecodedPixels pixels, or one that would take more than MaxDecodedBytes
// to decode. What else is wrong with the header is left to the walk.
std::string PngHeaderFault(std::span<const std::uint8_t> file);

}  // namespace pictavo
