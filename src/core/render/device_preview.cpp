#include "core/render/device_preview.h"

#include <algorithm>

namespace pictavo {

namespace {

std::uint8_t Lit(std::uint8_t gray, std::uint8_t light) {
  return static_cast<std::uint8_t>((gray * light + 127) / 255);
}

}  // namespace

CodePalette DevicePalette(const DeviceLook& look) {
  const Rgb light = look.backlight.value_or(Rgb{255, 255, 255});
  const auto shade = [&light](std::uint8_t gray) {
    return Rgb{Lit(gray, light.r), Lit(gray, light.g), Lit(gray, light.b)};
  };
  CodePalette colors;
  colors[ToInt(PixelCode::Black)] = shade(look.grays[0]);
  colors[ToInt(PixelCode::Gray66)] = shade(look.grays[1]);
  colors[ToInt(PixelCode::Gray33)] = shade(look.grays[2]);
  colors[ToInt(PixelCode::White)] = shade(look.grays[3]);
  colors[ToInt(PixelCode::Transparent)] = colors[ToInt(PixelCode::White)];
  return colors;
}

DevicePreviewSize DevicePreviewSizeFor(int width, int height) {
  return {2 * DevicePreviewMargin + 2 * width,
          2 * DevicePreviewMargin + DevicePreviewGap + 3 * height};
}

void DrawDevicePreview(const CodeGridView& picture, const CodePalette& colors, Rgb surround,
                       int width, int height, std::vector<std::uint32_t>& argb_out) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  argb_out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                  surround.Argb());
  std::array<std::uint32_t, PixelCodeCount> argb;
  for (int c = 0; c < PixelCodeCount; ++c) argb[c] = colors[c].Argb();
  const auto row = [&](int y) {
    return argb_out.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  };
  // Row by row, each held to the buffer: the 1:1 picture, then the 2:1
  // picture, each of whose rows is written once and copied below.
  const int m = DevicePreviewMargin;
  const int single_columns = std::clamp(width - m, 0, picture.Width());
  const int double_columns = std::clamp(width - m, 0, 2 * picture.Width());
  const int second_top = m + picture.Height() + DevicePreviewGap;
  for (int y = 1; y <= picture.Height(); ++y) {
    const int single_y = m + y - 1;
    if (single_y < height) {
      std::uint32_t* out = row(single_y) + m;
      for (int x = 0; x < single_columns; ++x) out[x] = argb[ToInt(picture.At(x + 1, y))];
    }
    const int double_y = second_top + 2 * (y - 1);
    if (double_y >= height) continue;
    std::uint32_t* out = row(double_y) + m;
    for (int i = 0; i < double_columns; ++i) out[i] = argb[ToInt(picture.At(i / 2 + 1, y))];
    if (double_y + 1 < height) std::copy(out, out + double_columns, row(double_y + 1) + m);
  }
}

}  // namespace pictavo
