#include "core/imaging/dithering.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictavo {

namespace {

struct MethodNames {
  DitherMethod method;
  std::string_view name;
  std::string_view caption;
};

constexpr std::array<MethodNames, 5> kNames{{
    {DitherMethod::None, "none", "None"},
    {DitherMethod::FloydSteinberg, "floyd-steinberg", "Floyd\u2013Steinberg"},
    {DitherMethod::Atkinson, "atkinson", "Atkinson"},
    {DitherMethod::Bayer4, "bayer4", "Bayer 4 \u00d7 4"},
    {DitherMethod::Bayer8, "bayer8", "Bayer 8 \u00d7 8"},
}};

// The recursive Bayer matrix: each step puts four shifted copies of the
// smaller one into the quadrants, weighted 0, 2, 3, 1.
template <int N>
constexpr std::array<std::array<int, N>, N> BayerMatrix() {
  std::array<std::array<int, N>, N> m{};
  if constexpr (N == 1) {
    m[0][0] = 0;
  } else {
    constexpr auto half = BayerMatrix<N / 2>();
    constexpr int quadrant[2][2] = {{0, 2}, {3, 1}};
    for (int y = 0; y < N; ++y) {
      for (int x = 0; x < N; ++x) {
        m[y][x] = 4 * half[y % (N / 2)][x % (N / 2)] + quadrant[y / (N / 2)][x / (N / 2)];
      }
    }
  }
  return m;
}

constexpr auto kBayer4 = BayerMatrix<4>();
constexpr auto kBayer8 = BayerMatrix<8>();

// The levels a conversion may take, darkest first, with their codes and the
// brightness halfway between each neighbouring pair.
struct Palette {
  int count = 0;
  std::array<std::int32_t, 4> brightness{};
  std::array<PixelCode, 4> code{};
  // Past the last level nothing is halfway: the comparisons below fail.
  std::array<std::int32_t, 3> halfway{INT32_MAX, INT32_MAX, INT32_MAX};

  Palette(const GrayLevels& levels, bool black_and_white) {
    const auto add = [this, &levels](int index) {
      brightness[static_cast<std::size_t>(count)] =
          levels[static_cast<std::size_t>(index)] * BrightnessOne;
      code[static_cast<std::size_t>(count)] = ToPixelCode(index);
      ++count;
    };
    if (black_and_white) {
      add(0);
      add(3);
    } else {
      for (int i = 0; i < 4; ++i) add(i);
    }
    for (int i = 0; i + 1 < count; ++i) {
      halfway[static_cast<std::size_t>(i)] =
          (brightness[static_cast<std::size_t>(i)] + brightness[static_cast<std::size_t>(i) + 1]) /
          2;
    }
  }

  // The nearest level; a brightness exactly halfway takes the upper one.
  // Three comparisons without branches: each pixel of a diffusion waits for
  // this choice.
  int Nearest(std::int32_t value) const {
    return int{value >= halfway[0]} + int{value >= halfway[1]} + int{value >= halfway[2]};
  }
};

// One neighbour on a lower row that receives a share of a pixel's error, in
// sixteenths; `dx` is taken in the row's direction of travel.
struct Share {
  int dx;
  int dy;
  int sixteenths;
};

// An error diffusion kernel: the shares of the next and the second next pixel
// in the same row, and those of the rows below.
template <std::size_t Below>
struct Kernel {
  int next;
  int second_next;
  std::array<Share, Below> below;
  // Floyd-Steinberg hands on the whole error: the last share below takes
  // what the rounded others leave. Atkinson drops a quarter by design.
  bool whole;
};

constexpr Kernel<3> kFloydSteinberg{7, 0, {{{-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}}, true};
// Atkinson passes on only three quarters of the error, which keeps
// highlights and shadows clean.
constexpr Kernel<4> kAtkinson{2, 2, {{{-1, 1, 2}, {0, 1, 2}, {1, 1, 2}, {0, 2, 2}}}, false};

// The share of an error, rounded towards minus infinity.
constexpr std::int32_t ShareOf(std::int32_t error, int sixteenths) {
  return (error * sixteenths) >> 4;
}

// Error diffusion works in whole 1/256 of a gray: the error then passes from
// pixel to pixel in a few integer instructions, which matters because each
// pixel waits for the error of the one before it.
// The kernel is a template argument, so its shares are constants the
// compiler folds into the loop.
template <const auto& kernel>
void Diffuse(std::span<const std::int32_t> brightness, int width, int height,
             const Palette& palette, std::span<PixelCode> codes) {
  constexpr std::size_t Below = kernel.below.size();
  // Two spare columns on each side and two spare rows below take the error
  // that leaves the image, so the inner loop needs no edge tests; error that
  // reaches a transparent pixel is never read.
  constexpr int kPad = 2;
  const std::size_t stride = static_cast<std::size_t>(width) + 2 * kPad;
  std::vector<std::int32_t> work(stride * (static_cast<std::size_t>(height) + kPad), 0);
  for (int y = 0; y < height; ++y) {
    const std::int32_t* in = brightness.data() + static_cast<std::size_t>(y) * width;
    std::int32_t* out = work.data() + static_cast<std::size_t>(y) * stride + kPad;
    for (int x = 0; x < width; ++x) out[x] = std::max(in[x], std::int32_t{0});
  }
  // The palette in locals, and the level chosen by masks rather than
  // branches: the choice of a dithered pixel cannot be predicted, and the
  // next pixel waits for it.
  const std::int32_t h0 = palette.halfway[0];
  const std::int32_t h1 = palette.halfway[1];
  const std::int32_t h2 = palette.halfway[2];
  const std::int32_t l0 = palette.brightness[0];
  const std::int32_t rise0 = palette.brightness[1] - l0;
  const std::int32_t rise1 = palette.count > 2 ? palette.brightness[2] - palette.brightness[1] : 0;
  const std::int32_t rise2 = palette.count > 3 ? palette.brightness[3] - palette.brightness[2] : 0;
  for (int y = 0; y < height; ++y) {
    const bool forward = y % 2 == 0;
    const int dir = forward ? 1 : -1;
    const std::int32_t* in_row = brightness.data() + static_cast<std::size_t>(y) * width;
    PixelCode* code_row = codes.data() + static_cast<std::size_t>(y) * width;
    std::int32_t* row = work.data() + static_cast<std::size_t>(y) * stride + kPad;
    std::array<std::ptrdiff_t, Below> offsets{};
    for (std::size_t k = 0; k < Below; ++k) {
      offsets[k] =
          static_cast<std::ptrdiff_t>(kernel.below[k].dy) * static_cast<std::ptrdiff_t>(stride) +
          kernel.below[k].dx * dir;
    }
    // What the last two pixels of this row hand on to the pixel at hand.
    std::int32_t from_before_last = 0;
    std::int32_t from_last = 0;
    for (int n = 0; n < width; ++n) {
      const int x = forward ? n : width - 1 - n;
      if (in_row[x] < 0) {
        code_row[x] = PixelCode::Transparent;
        // It takes no error and hands none on; what the pixel before it
        // handed two ahead still arrives.
        from_last = from_before_last;
        from_before_last = 0;
        continue;
      }
      std::int32_t* here = row + x;
      const std::int32_t value = *here + from_last;
      const std::int32_t above0 = value >= h0;
      const std::int32_t above1 = value >= h1;
      const std::int32_t above2 = value >= h2;
      const std::int32_t level = l0 + (-above0 & rise0) + (-above1 & rise1) + (-above2 & rise2);
      code_row[x] = palette.code[static_cast<std::size_t>(above0 + above1 + above2)];
      const std::int32_t error = value - level;
      const std::int32_t next = ShareOf(error, kernel.next);
      from_last = from_before_last + next;
      from_before_last = ShareOf(error, kernel.second_next);
      std::int32_t handed = next;
#pragma GCC unroll 4
      for (std::size_t k = 0; k < Below; ++k) {
        std::int32_t share = ShareOf(error, kernel.below[k].sixteenths);
        if (kernel.whole && k + 1 == Below) share = error - handed;
        here[offsets[k]] += share;
        handed += share;
      }
    }
  }
}

template <int N>
void Ordered(std::span<const std::int32_t> brightness, int width, int height,
             const Palette& palette, const std::array<std::array<int, N>, N>& matrix,
             std::span<PixelCode> codes) {
  const int top = palette.count - 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x);
      const std::int32_t b = brightness[i];
      if (b < 0) {
        codes[i] = PixelCode::Transparent;
        continue;
      }
      // The two levels around the brightness; outside them, the end one.
      int lower = 0;
      while (lower + 1 < top && b >= palette.brightness[static_cast<std::size_t>(lower) + 1]) {
        ++lower;
      }
      const std::int64_t low = palette.brightness[static_cast<std::size_t>(lower)];
      const std::int64_t gap = palette.brightness[static_cast<std::size_t>(lower) + 1] - low;
      // The upper level where fraction + (entry + 1/2) / N^2 reaches 1, so
      // over a cell of N x N the share of upper levels equals the fraction;
      // in whole numbers, scaled by 2 N^2 gap.
      const std::int64_t entry = matrix[y % N][x % N];
      const bool upper =
          2 * (std::int64_t{b} - low) * N * N + (2 * entry + 1) * gap >= 2 * gap * N * N;
      codes[i] = palette.code[static_cast<std::size_t>(upper ? lower + 1 : lower)];
    }
  }
}

void Nearest(std::span<const std::int32_t> brightness, const Palette& palette,
             std::span<PixelCode> codes) {
  for (std::size_t i = 0; i < brightness.size(); ++i) {
    codes[i] = brightness[i] < 0
                   ? PixelCode::Transparent
                   : palette.code[static_cast<std::size_t>(palette.Nearest(brightness[i]))];
  }
}

}  // namespace

std::string_view DitherName(DitherMethod method) {
  for (const MethodNames& n : kNames) {
    if (n.method == method) return n.name;
  }
  return {};
}

std::optional<DitherMethod> DitherFromName(std::string_view name) {
  for (const MethodNames& n : kNames) {
    if (n.name == name) return n.method;
  }
  return std::nullopt;
}

std::string_view DitherCaption(DitherMethod method) {
  for (const MethodNames& n : kNames) {
    if (n.method == method) return n.caption;
  }
  return {};
}

std::optional<GrayLevels> ParseGrayLevels(std::string_view text) {
  GrayLevels levels{};
  std::size_t at = 0;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (i > 0) {
      if (at >= text.size() || text[at] != ',') return std::nullopt;
      ++at;
    }
    int value = 0;
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4) {
      value = value * 10 + (text[at] - '0');
      ++at;
      ++digits;
    }
    if (digits == 0 || value > 255 || (i > 0 && value <= levels[i - 1])) return std::nullopt;
    levels[i] = static_cast<std::uint8_t>(value);
  }
  if (at != text.size()) return std::nullopt;
  return levels;
}

std::string GrayLevelsText(const GrayLevels& levels) {
  std::string text;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(levels[i]);
  }
  return text;
}

void DitherBrightness(std::span<const std::int32_t> brightness, int width, int height,
                      DitherMethod method, const GrayLevels& levels, bool black_and_white,
                      std::span<PixelCode> codes) {
  if (width <= 0 || height <= 0) return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (brightness.size() < count || codes.size() < count) return;
  brightness = brightness.first(count);
  codes = codes.first(count);
  const Palette palette(levels, black_and_white);
  switch (method) {
    case DitherMethod::None:
      Nearest(brightness, palette, codes);
      break;
    case DitherMethod::FloydSteinberg:
      Diffuse<kFloydSteinberg>(brightness, width, height, palette, codes);
      break;
    case DitherMethod::Atkinson:
      Diffuse<kAtkinson>(brightness, width, height, palette, codes);
      break;
    case DitherMethod::Bayer4:
      Ordered<4>(brightness, width, height, palette, kBayer4, codes);
      break;
    case DitherMethod::Bayer8:
      Ordered<8>(brightness, width, height, palette, kBayer8, codes);
      break;
  }
}

}  // namespace pictavo
