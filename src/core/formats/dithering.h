#pragma once

#include <array>
#include <optional>
#include <span>
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

// A level of a transparent pixel: it becomes Transparent and neither takes
// nor passes on diffused error.
inline constexpr float TransparentLevel = -1.0f;

// Turns width x height row-major levels (0.0 Black .. 3.0 White) into codes
// 0..3, or into Black and White only when `black_and_white` is set (the
// codes a 1-bit icon keeps). Error diffusion runs serpentine: even rows left
// to right, odd rows right to left. `levels` and `codes` hold width x height.
void DitherLevels(std::span<const float> levels, int width, int height, DitherMethod method,
                  bool black_and_white, std::span<PixelCode> codes);

// The ordered-dither matrix entry (0 .. n*n - 1) at column x, row y for a
// size of 4 or 8.
int BayerIndex(int size, int x, int y);

}  // namespace pictavo
