#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model/pixel_code.h"

namespace pictavo {

// How brightness levels become gray codes. None is the plain threshold rule:
// a level's whole part is its code.
enum class DitherMethod { None, FloydSteinberg, Atkinson, Bayer4, Bayer8 };

inline constexpr std::array<DitherMethod, 5> AllDitherMethods{
    DitherMethod::None, DitherMethod::FloydSteinberg, DitherMethod::Atkinson, DitherMethod::Bayer4,
    DitherMethod::Bayer8};

// The word the command line takes ("none", "floyd-steinberg", "atkinson",
// "bayer4", "bayer8") and back.
std::string_view DitherName(DitherMethod method);
std::optional<DitherMethod> DitherFromName(std::string_view name);
// The text the import window lists ("Floyd–Steinberg", "Bayer 4 × 4"), UTF-8.
std::string_view DitherCaption(DitherMethod method);

// The grays the dithered methods aim at for Black, Gray66, Gray33 and White,
// rising. By default the colours the editor shows the four codes in; a user
// whose screen shows other grays gives those. The codes keep their meaning.
using GrayLevels = std::array<std::uint8_t, 4>;
inline constexpr GrayLevels ShownGrays{0, 128, 192, 255};

// "0,85,170,255": four whole numbers 0..255, each above the one before.
std::optional<GrayLevels> ParseGrayLevels(std::string_view text);
std::string GrayLevelsText(const GrayLevels& levels);

// Brightness is counted in 1/256 of a gray: 0 .. 255 * 256.
inline constexpr int BrightnessOne = 256;
// The brightness of a transparent pixel: it becomes Transparent and neither
// takes nor passes on diffused error.
inline constexpr std::int32_t TransparentBrightness = -1;

// Turns width x height row-major brightness values into codes 0..3, aiming
// at `levels`, or at Black and White only when `black_and_white` is set (the
// codes a 1-bit icon keeps). Floyd-Steinberg and Atkinson take the nearest
// level and carry the difference in brightness, serpentine: even rows left to
// right, odd rows right to left. Bayer takes one of the two levels around the
// brightness, the upper one on the share of matrix cells that matches where
// it lies between them. None takes the nearest level and carries nothing.
// `brightness` and `codes` hold width x height.
void DitherBrightness(std::span<const std::int32_t> brightness, int width, int height,
                      DitherMethod method, const GrayLevels& levels, bool black_and_white,
                      std::span<PixelCode> codes);

}  // namespace pictavo
