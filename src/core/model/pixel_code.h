#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pictavo {

// The code of one pixel. The numbers are stored in picture files and skins,
// so they never change.
enum class PixelCode : std::uint8_t {
  Black = 0,
  Gray66 = 1,
  Gray33 = 2,
  White = 3,
  Transparent = 4,
};

inline constexpr int PixelCodeCount = 5;

constexpr bool IsPixelCode(int value) { return value >= 0 && value < PixelCodeCount; }
constexpr int ToInt(PixelCode code) { return static_cast<int>(code); }
// Only for values already checked with IsPixelCode.
constexpr PixelCode ToPixelCode(int value) { return static_cast<PixelCode>(value); }

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  // 0xFFRRGGBB, the layout of a 32-bit RGB frame buffer.
  constexpr std::uint32_t Argb() const {
    return 0xFF000000u | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | std::uint32_t{b};
  }
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// One colour for each pixel code, indexed by code.
using CodePalette = std::array<Rgb, PixelCodeCount>;

// Display colours, indexed by code; teal marks transparency on screen.
inline constexpr CodePalette CodeColors{{
    {0, 0, 0},
    {128, 128, 128},
    {192, 192, 192},
    {255, 255, 255},
    {0, 128, 128},
}};
inline constexpr Rgb GridColor{192, 220, 192};
inline constexpr Rgb BorderColor{255, 0, 0};
inline constexpr Rgb CanvasBackground{255, 255, 255};

constexpr Rgb ColorOf(PixelCode code) { return CodeColors[static_cast<std::size_t>(code)]; }

// Caption of the code in the colour menus ("66 % gray").
std::string_view CodeCaption(PixelCode code);

}  // namespace pictavo
