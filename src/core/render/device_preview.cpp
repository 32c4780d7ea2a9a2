#include "core/render/device_preview.h"

#include <algorithm>

namespace pictavo {

namespace {

std::uint8_t Lit(std::uint8_t gray, std::uint8_t light) {
  return static_cast<std::uint8_t>((gray * light + 127) / 255);
}

// A w x h block of one colour at (left, top), held to the buffer.
void Fill(std::vector<std::uint32_t>& out, int width, int height, int left, int top, int w, int h,
          std::uint32_t argb) {
  const int x0 = std::clamp(left, 0, width);
  const int x1 = std::clamp(left + w, 0, width);
  const int y1 = std::clamp(top + h, 0, height);
  for (int y = std::clamp(top, 0, height); y < y1; ++y) {
    std::uint32_t* row = out.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    std::fill(row + x0, row + x1, argb);
  }
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
  if (width == 0 || height == 0) return;
  std::array<std::uint32_t, PixelCodeCount> argb;
  for (int c = 0; c < PixelCodeCount; ++c) argb[c] = colors[c].Argb();
  const int second_top = DevicePreviewMargin + picture.Height() + DevicePreviewGap;
  for (int y = 1; y <= picture.Height(); ++y) {
    for (int x = 1; x <= picture.Width(); ++x) {
      const std::uint32_t color = argb[static_cast<std::size_t>(picture.At(x, y))];
      Fill(argb_out, width, height, DevicePreviewMargin + x - 1, DevicePreviewMargin + y - 1, 1, 1,
           color);
      Fill(argb_out, width, height, DevicePreviewMargin + 2 * (x - 1), second_top + 2 * (y - 1), 2,
           2, color);
    }
  }
}

}  // namespace pictavo
