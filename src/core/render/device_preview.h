#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/picture.h"
#include "core/model/pixel_code.h"

namespace pictavo {

// How a device's screen shows the codes: the grays it gives Black, Gray66,
// Gray33 and White (rising, as the import's device grays), and the colour of
// its backlight, if any. Its background, which Transparent leaves showing,
// is its lightest gray.
struct DeviceLook {
  std::array<std::uint8_t, 4> grays{0, 128, 192, 255};
  std::optional<Rgb> backlight;
  friend bool operator==(const DeviceLook&, const DeviceLook&) = default;
};

// The colours of the codes on the device: each gray times the backlight's
// colour channel by channel (rounded to the nearest), plain gray without
// one; Transparent as White.
CodePalette DevicePalette(const DeviceLook& look);

// The device preview: the picture at 1:1 at (Margin, Margin) and at 2:1
// below it, Gap pixels further down, on a surround of the window's colour.
struct DevicePreviewSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const DevicePreviewSize&, const DevicePreviewSize&) = default;
};
inline constexpr int DevicePreviewMargin = 6;
inline constexpr int DevicePreviewGap = 8;
// The size that shows both pictures of a width x height picture whole.
DevicePreviewSize DevicePreviewSizeFor(int width, int height);

// Draws the preview of `picture` into a width x height buffer of 0xFFRRGGBB
// pixels; what lies beyond the buffer is left out.
void DrawDevicePreview(const CodeGridView& picture, const CodePalette& colors, Rgb surround,
                       int width, int height, std::vector<std::uint32_t>& argb_out);

}  // namespace pictavo
