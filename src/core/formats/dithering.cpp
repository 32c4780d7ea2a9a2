#include "core/formats/dithering.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
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

// One neighbour that receives a share of a pixel's error: `dx` is taken in
// the row's direction of travel.
struct Share {
  int dx;
  int dy;
  float weight;
};

constexpr std::array<Share, 4> kFloydSteinberg{{
    {1, 0, 7.0f / 16}, {-1, 1, 3.0f / 16}, {0, 1, 5.0f / 16}, {1, 1, 1.0f / 16}}};
// Atkinson passes on only three quarters of the error, which keeps
// highlights and shadows clean.
constexpr std::array<Share, 6> kAtkinson{{
    {1, 0, 1.0f / 8}, {2, 0, 1.0f / 8}, {-1, 1, 1.0f / 8}, {0, 1, 1.0f / 8},
    {1, 1, 1.0f / 8}, {0, 2, 1.0f / 8}}};

// `steps` is the highest output step: 3 for four grays, 1 for black and white.
PixelCode CodeOfStep(int step, int steps) { return ToPixelCode(step * 3 / steps); }

template <std::size_t Count>
void Diffuse(std::span<const float> levels, int width, int height, int steps,
             const std::array<Share, Count>& shares, std::span<PixelCode> codes) {
  const float scale = static_cast<float>(steps) / 3.0f;
  std::vector<float> work(levels.size());
  for (std::size_t i = 0; i < levels.size(); ++i) {
    work[i] = levels[i] < 0.0f ? TransparentLevel : levels[i] * scale;
  }
  const auto index = [width](int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  };
  for (int y = 0; y < height; ++y) {
    const bool forward = y % 2 == 0;
    const int dir = forward ? 1 : -1;
    for (int n = 0; n < width; ++n) {
      const int x = forward ? n : width - 1 - n;
      const std::size_t i = index(x, y);
      if (levels[i] < 0.0f) {
        codes[i] = PixelCode::Transparent;
        continue;
      }
      const float value = work[i];
      const int step = std::clamp(static_cast<int>(std::floor(value + 0.5f)), 0, steps);
      codes[i] = CodeOfStep(step, steps);
      const float error = value - static_cast<float>(step);
      for (const Share& share : shares) {
        const int nx = x + share.dx * dir;
        const int ny = y + share.dy;
        if (nx < 0 || nx >= width || ny >= height) continue;
        const std::size_t j = index(nx, ny);
        if (levels[j] >= 0.0f) work[j] += error * share.weight;
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
      const int step =
          std::clamp(static_cast<int>(std::floor(levels[i] * scale + offset)), 0, steps);
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
    codes[i] = black_and_white ? (code >= 2 ? PixelCode::White : PixelCode::Black)
                               : ToPixelCode(code);
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
