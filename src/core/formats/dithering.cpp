#include "core/formats/dithering.h"

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

// Error diffusion works in whole numbers of 1/65536 of a step: the error
// then passes from pixel to pixel in a few integer instructions, which
// matters because each pixel waits for the error of the one before it.
constexpr int kFraction = 16;
constexpr std::int32_t kOne = std::int32_t{1} << kFraction;

// A level (0..3, or 0..1 in black and white) in those units.
std::int32_t Fixed(float level) { return static_cast<std::int32_t>(level * kOne + 0.5f); }

// `steps` is the highest output step: 3 for four grays, 1 for black and white.
PixelCode CodeOfStep(int step, int steps) { return ToPixelCode(steps == 1 ? step * 3 : step); }

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

template <std::size_t Below>
void Diffuse(std::span<const float> levels, int width, int height, int steps,
             const Kernel<Below>& kernel, std::span<PixelCode> codes) {
  const float scale = static_cast<float>(steps) / 3.0f;
  // Two spare columns on each side and two spare rows below take the error
  // that leaves the image, so the inner loop needs no edge tests; error that
  // reaches a transparent pixel is never read.
  constexpr int kPad = 2;
  const std::size_t stride = static_cast<std::size_t>(width) + 2 * kPad;
  std::vector<std::int32_t> work(stride * (static_cast<std::size_t>(height) + kPad), 0);
  for (int y = 0; y < height; ++y) {
    const float* in = levels.data() + static_cast<std::size_t>(y) * width;
    std::int32_t* out = work.data() + static_cast<std::size_t>(y) * stride + kPad;
    for (int x = 0; x < width; ++x) out[x] = in[x] < 0.0f ? 0 : Fixed(in[x] * scale);
  }
  const std::int32_t highest = steps * kOne;
  for (int y = 0; y < height; ++y) {
    const bool forward = y % 2 == 0;
    const int dir = forward ? 1 : -1;
    const float* level_row = levels.data() + static_cast<std::size_t>(y) * width;
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
      if (level_row[x] < 0.0f) {
        code_row[x] = PixelCode::Transparent;
        // It takes no error and hands none on; what the pixel before it
        // handed two ahead still arrives.
        from_last = from_before_last;
        from_before_last = 0;
        continue;
      }
      std::int32_t* here = row + x;
      const std::int32_t value = *here + from_last;
      const std::int32_t rounded = std::clamp(value + kOne / 2, std::int32_t{0}, highest);
      const int step = rounded >> kFraction;
      code_row[x] = CodeOfStep(step, steps);
      const std::int32_t error = value - (step << kFraction);
      const std::int32_t next = ShareOf(error, kernel.next);
      from_last = from_before_last + next;
      from_before_last = ShareOf(error, kernel.second_next);
      std::int32_t handed = next;
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
void Ordered(std::span<const float> levels, int width, int height, int steps,
             const std::array<std::array<int, N>, N>& matrix, std::span<PixelCode> codes) {
  const float scale = static_cast<float>(steps) / 3.0f;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x);
      if (levels[i] < 0.0f) {
        codes[i] = PixelCode::Transparent;
        continue;
      }
      // The matrix entry sets where between two steps this pixel turns up:
      // over a cell of N x N, the share of upper steps equals the fraction.
      const float offset = (static_cast<float>(matrix[y % N][x % N]) + 0.5f) / (N * N);
      // Both terms are positive: truncation is the floor.
      const int step = std::min(static_cast<int>(levels[i] * scale + offset), steps);
      codes[i] = CodeOfStep(step, steps);
    }
  }
}

void Threshold(std::span<const float> levels, bool black_and_white, std::span<PixelCode> codes) {
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (levels[i] < 0.0f) {
      codes[i] = PixelCode::Transparent;
      continue;
    }
    const int code = std::clamp(static_cast<int>(levels[i]), 0, 3);
    // In black and white, the two lighter grays count as White, as when an
    // icon is lowered to one bit.
    codes[i] =
        black_and_white ? (code >= 2 ? PixelCode::White : PixelCode::Black) : ToPixelCode(code);
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

int BayerIndex(int size, int x, int y) {
  return size == 8 ? kBayer8[y % 8][x % 8] : kBayer4[y % 4][x % 4];
}

void DitherLevels(std::span<const float> levels, int width, int height, DitherMethod method,
                  bool black_and_white, std::span<PixelCode> codes) {
  if (width <= 0 || height <= 0) return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (levels.size() < count || codes.size() < count) return;
  levels = levels.first(count);
  codes = codes.first(count);
  const int steps = black_and_white ? 1 : 3;
  switch (method) {
    case DitherMethod::None:
      Threshold(levels, black_and_white, codes);
      break;
    case DitherMethod::FloydSteinberg:
      Diffuse(levels, width, height, steps, kFloydSteinberg, codes);
      break;
    case DitherMethod::Atkinson:
      Diffuse(levels, width, height, steps, kAtkinson, codes);
      break;
    case DitherMethod::Bayer4:
      Ordered<4>(levels, width, height, steps, kBayer4, codes);
      break;
    case DitherMethod::Bayer8:
      Ordered<8>(levels, width, height, steps, kBayer8, codes);
      break;
  }
}

}  // namespace pictavo
