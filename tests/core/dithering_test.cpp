#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <tuple>
#include <vector>

#include "core/formats/dithering.h"
#include "core/formats/image_conversion.h"
#include "core/formats/image_fit.h"

namespace pictavo {
namespace {

RgbImage Flat(int width, int height, std::uint8_t gray) {
  return RgbImage{width,
                  height,
                  std::vector<Rgb>(static_cast<std::size_t>(width) * height, {gray, gray, gray}),
                  {}};
}

// Codes of the top-left width x height of the grid, row by row.
std::vector<int> Codes(const RgbImage& image, const ConversionOptions& options) {
  PictureCells grid;
  grid.Fill(PixelCode::Transparent);
  ConvertToCodes(image, image.width, image.height, options, grid);
  std::vector<int> codes;
  for (int y = 1; y <= image.height; ++y) {
    for (int x = 1; x <= image.width; ++x) codes.push_back(ToInt(grid.At(x, y)));
  }
  return codes;
}

ConversionOptions With(DitherMethod method, int threshold) {
  ConversionOptions options;
  options.dither = method;
  options.threshold = threshold;
  return options;
}

// ---- the plain rule ----------------------------------------------------------------

TEST(GrayLevel, WholePartIsTheThresholdRuleForEveryGrayAndThreshold) {
  for (int threshold = 1; threshold <= 200; ++threshold) {
    for (int gray = 0; gray <= 255; ++gray) {
      const Rgb color{static_cast<std::uint8_t>(gray), static_cast<std::uint8_t>(gray),
                      static_cast<std::uint8_t>(gray)};
      const float level = GrayLevel(color, threshold);
      ASSERT_EQ(static_cast<int>(level), std::min(gray / threshold, 3))
          << gray << " / " << threshold;
      ASSERT_LE(level, 3.0f);
    }
  }
}

TEST(DitherNone, MatchesTheThresholdConversionOnAnyOpaqueImage) {
  std::mt19937 random(7);
  RgbImage image{37, 23, {}, {}};
  for (int i = 0; i < 37 * 23; ++i) {
    image.pixels.push_back({static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random())});
  }
  for (int threshold : {1, 37, 64, 85, 200}) {
    PictureCells plain;
    PictureCells optioned;
    ConvertToCodes(image, 37, 23, threshold, plain);
    ConvertToCodes(image, 37, 23, With(DitherMethod::None, threshold), optioned);
    EXPECT_EQ(plain, optioned) << threshold;
  }
}

// ---- ordered dithering ---------------------------------------------------------------

TEST(DitherBayer, FlatHalfGrayGivesTheBayerPattern) {
  // 128 / 85 = 1.506: halfway between Gray66 and Gray33, so the cells whose
  // matrix entry is 8 or more take the upper step: a checkerboard.
  const std::vector<int> half = {
      1, 2, 1, 2, 1, 2, 1, 2,  //
      2, 1, 2, 1, 2, 1, 2, 1,  //
      1, 2, 1, 2, 1, 2, 1, 2,  //
      2, 1, 2, 1, 2, 1, 2, 1,  //
  };
  EXPECT_EQ(Codes(Flat(8, 4, 128), With(DitherMethod::Bayer4, 85)), half);

  // 100 / 80 = 1.25: one cell in four, those holding 12 to 15.
  const std::vector<int> quarter = {
      1, 1, 1, 1,  //
      2, 1, 2, 1,  //
      1, 1, 1, 1,  //
      2, 1, 2, 1,  //
  };
  EXPECT_EQ(Codes(Flat(4, 4, 100), With(DitherMethod::Bayer4, 80)), quarter);
}

TEST(DitherBayer, MatricesHoldEveryEntryOnceAndKeepTheMeanOverACell) {
  for (int size : {4, 8}) {
    std::vector<int> seen(static_cast<std::size_t>(size * size), 0);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) ++seen[static_cast<std::size_t>(BayerIndex(size, x, y))];
    }
    EXPECT_EQ(seen, std::vector<int>(seen.size(), 1)) << size;
    // Every gray, over one matrix cell, averages to its level within the
    // matrix's resolution.
    const DitherMethod method = size == 4 ? DitherMethod::Bayer4 : DitherMethod::Bayer8;
    for (int gray = 0; gray <= 255; gray += 5) {
      const std::vector<int> codes =
          Codes(Flat(size, size, static_cast<std::uint8_t>(gray)), With(method, 85));
      double mean = 0;
      for (int c : codes) mean += c;
      mean /= static_cast<double>(codes.size());
      EXPECT_NEAR(mean, gray / 85.0, 1.0 / (size * size)) << size << " at gray " << gray;
    }
  }
}

// ---- error diffusion -----------------------------------------------------------------

// A plain serpentine error diffusion over a two-dimensional table, written
// independently of the program's: levels in 1/65536 of a step, each pixel
// rounds to the nearest step and hands its error to the neighbours in
// sixteenths rounded down; with `whole`, the last neighbour gets what the
// others leave, so no error is lost.
struct RefShare {
  int dx, dy, sixteenths;
};

std::vector<int> ReferenceDiffusion(const std::vector<std::vector<float>>& levels,
                                    const std::vector<RefShare>& shares, bool whole) {
  const int height = static_cast<int>(levels.size());
  const int width = static_cast<int>(levels[0].size());
  std::vector<std::vector<long long>> value(
      static_cast<std::size_t>(height), std::vector<long long>(static_cast<std::size_t>(width)));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      value[y][x] = levels[y][x] < 0 ? 0 : static_cast<long long>(levels[y][x] * 65536.0f + 0.5f);
    }
  }
  std::vector<int> out(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    const int dir = y % 2 == 0 ? 1 : -1;
    for (int n = 0; n < width; ++n) {
      const int x = dir == 1 ? n : width - 1 - n;
      if (levels[y][x] < 0) {
        out[static_cast<std::size_t>(y * width + x)] = 4;
        continue;
      }
      const long long step = std::clamp<long long>(
          static_cast<long long>(std::floor((value[y][x] + 32768) / 65536.0)), 0, 3);
      out[static_cast<std::size_t>(y * width + x)] = static_cast<int>(step);
      const long long error = value[y][x] - step * 65536;
      long long handed = 0;
      for (std::size_t k = 0; k < shares.size(); ++k) {
        long long share = static_cast<long long>(
            std::floor(static_cast<double>(error * shares[k].sixteenths) / 16));
        if (whole && k + 1 == shares.size()) share = error - handed;
        handed += share;
        const int nx = x + shares[k].dx * dir;
        const int ny = y + shares[k].dy;
        if (nx >= 0 && nx < width && ny < height && levels[ny][nx] >= 0) value[ny][nx] += share;
      }
    }
  }
  return out;
}

TEST(DitherDiffusion, MatchesAPlainImplementation) {
  const std::vector<RefShare> floyd = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
  const std::vector<RefShare> atkinson = {{1, 0, 2}, {2, 0, 2}, {-1, 1, 2},
                                          {0, 1, 2}, {1, 1, 2}, {0, 2, 2}};
  std::mt19937 random(14);
  for (int round = 0; round < 40; ++round) {
    const int width = 1 + static_cast<int>(random() % 40);
    const int height = 1 + static_cast<int>(random() % 30);
    std::vector<std::vector<float>> table(static_cast<std::size_t>(height),
                                          std::vector<float>(static_cast<std::size_t>(width)));
    std::vector<float> flat;
    for (auto& row : table) {
      for (float& level : row) {
        // About one pixel in ten transparent; levels on halves now and then,
        // where rounding decides.
        const unsigned kind = random() % 10;
        level = kind == 0   ? TransparentLevel
                : kind == 1 ? static_cast<float>(random() % 7) / 2.0f
                            : static_cast<float>(random() % 3001) / 1000.0f;
        flat.push_back(level);
      }
    }
    for (const auto& [method, shares, whole] :
         {std::tuple{DitherMethod::FloydSteinberg, floyd, true},
          std::tuple{DitherMethod::Atkinson, atkinson, false}}) {
      std::vector<PixelCode> codes(flat.size());
      DitherLevels(flat, width, height, method, false, codes);
      std::vector<int> got;
      for (PixelCode c : codes) got.push_back(ToInt(c));
      ASSERT_EQ(got, ReferenceDiffusion(table, shares, whole))
          << DitherName(method) << " " << width << " x " << height << ", round " << round;
    }
  }
}

TEST(DitherDiffusion, RowsOfAHorizontalRampKeepTheirMean) {
  // Every column a different gray, 0 at the left to 255 at the right.
  RgbImage ramp{96, 40, {}, {}};
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 96; ++x) {
      const auto g = static_cast<std::uint8_t>(x * 255 / 95);
      ramp.pixels.push_back({g, g, g});
    }
  }
  for (DitherMethod method : {DitherMethod::FloydSteinberg, DitherMethod::Atkinson}) {
    for (int threshold : {64, 85}) {
      const std::vector<int> codes = Codes(ramp, With(method, threshold));
      for (int y = 0; y < 40; ++y) {
        double source = 0;
        double result = 0;
        for (int x = 0; x < 96; ++x) {
          source += GrayLevel(ramp.At(x, y), threshold);
          result += codes[static_cast<std::size_t>(y * 96 + x)];
        }
        EXPECT_LT(std::abs(result - source) / 96, 1.0)
            << DitherName(method) << " at " << threshold << ", row " << y;
        // Floyd-Steinberg passes on the whole error: far closer than a step.
        if (method == DitherMethod::FloydSteinberg) {
          EXPECT_LT(std::abs(result - source) / 96, 0.1);
        }
      }
    }
  }
}

TEST(DitherBlackAndWhite, UsesOnlyBlackAndWhite) {
  RgbImage ramp{64, 8, {}, {}};
  for (int i = 0; i < 64 * 8; ++i) {
    const auto g = static_cast<std::uint8_t>((i % 64) * 4);
    ramp.pixels.push_back({g, g, g});
  }
  for (DitherMethod method : AllDitherMethods) {
    ConversionOptions options = With(method, 85);
    options.black_and_white = true;
    const std::vector<int> codes = Codes(ramp, options);
    int white = 0;
    for (int c : codes) {
      ASSERT_TRUE(c == 0 || c == 3) << DitherName(method);
      white += c == 3;
    }
    // A ramp through the whole range: about half of it white when dithered;
    // only levels of 2 and more (gray 170 up) without.
    const double share = method == DitherMethod::None ? 1.0 / 3 : 0.5;
    EXPECT_NEAR(white / static_cast<double>(codes.size()), share, 0.05) << DitherName(method);
  }
  // Without dithering, the two lighter grays give White.
  ConversionOptions plain = With(DitherMethod::None, 64);
  plain.black_and_white = true;
  EXPECT_EQ(Codes(Flat(1, 1, 127), plain), std::vector<int>{0});
  EXPECT_EQ(Codes(Flat(1, 1, 128), plain), std::vector<int>{3});
}

// ---- transparency ----------------------------------------------------------------------

TEST(Transparency, ClearPixelsBecomeTransparentOnlyWhenKept) {
  // One row: opaque black, then opacities 128, 127 and 0, all of black.
  RgbImage edge{4, 1, std::vector<Rgb>(4, Rgb{0, 0, 0}), {255, 128, 127, 0}};
  for (DitherMethod method : AllDitherMethods) {
    ConversionOptions options = With(method, 64);
    options.keep_transparency = true;
    const std::vector<int> kept = Codes(edge, options);
    EXPECT_EQ(kept[0], 0) << DitherName(method);
    EXPECT_NE(kept[1], 4) << DitherName(method);
    EXPECT_EQ(kept[2], 4) << DitherName(method);
    EXPECT_EQ(kept[3], 4) << DitherName(method);
  }
  // Not kept: laid over white. Black at opacity 128 gives gray 127, at 127
  // gray 128.
  const std::vector<int> flattened = Codes(edge, With(DitherMethod::None, 64));
  EXPECT_EQ(flattened, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(OverWhite({0, 0, 0}, 127), (Rgb{128, 128, 128}));
  EXPECT_EQ(OverWhite({0, 0, 0}, 128), (Rgb{127, 127, 127}));
  EXPECT_EQ(OverWhite({10, 20, 30}, 255), (Rgb{10, 20, 30}));
}

TEST(Transparency, ClearPixelsTakeNoDiffusedError) {
  // A mid gray left half beside a clear right half; the left half must
  // dither exactly as it does alone.
  RgbImage half = Flat(16, 8, 150);
  half.alpha.assign(16 * 8, 255);
  RgbImage alone = Flat(8, 8, 150);
  alone.alpha.assign(8 * 8, 255);
  for (int y = 0; y < 8; ++y) {
    for (int x = 8; x < 16; ++x) half.alpha[static_cast<std::size_t>(y * 16 + x)] = 0;
  }
  ConversionOptions options = With(DitherMethod::FloydSteinberg, 85);
  options.keep_transparency = true;
  const std::vector<int> wide = Codes(half, options);
  const std::vector<int> narrow = Codes(alone, options);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int code = wide[static_cast<std::size_t>(y * 16 + x)];
      if (x >= 8) {
        EXPECT_EQ(code, 4);
      } else if (y % 2 == 0) {
        // Rows run left to right first, so the clear half cannot feed them.
        EXPECT_EQ(code, narrow[static_cast<std::size_t>(y * 8 + x)]) << x << ", " << y;
      }
    }
  }
}

// ---- fitting ---------------------------------------------------------------------------

TEST(Fit, SizesKeepTheAspectRatio) {
  struct Case {
    int width, height, fitted_width, fitted_height;
  };
  const Case cases[] = {
      {200, 150, 96, 72}, {10, 120, 8, 92},  {96, 92, 96, 92}, {16, 16, 16, 16},
      {97, 92, 96, 91},   {4096, 1, 96, 1},  {1, 4096, 1, 92}, {4096, 4096, 92, 92},
      {192, 184, 96, 92}, {1000, 50, 96, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitSize(c.width, c.height, 96, 92), (FitDimensions{c.fitted_width, c.fitted_height}))
        << c.width << " x " << c.height;
  }
}

TEST(Fit, AveragesTheCoveredArea) {
  // Three columns into two: each result pixel covers one and a half.
  RgbImage row{3, 1, {{0, 0, 0}, {90, 90, 90}, {180, 180, 180}}, {}};
  const RgbImage two = ScaleDownByArea(row, 2, 1);
  ASSERT_EQ(two.pixels.size(), 2u);
  EXPECT_EQ(two.pixels[0], (Rgb{30, 30, 30}));
  EXPECT_EQ(two.pixels[1], (Rgb{150, 150, 150}));
  EXPECT_TRUE(two.alpha.empty());

  // 4 x 2 into 2 x 1: plain means of 2 x 2 blocks, channels apart.
  RgbImage block{4,
                 2,
                 {{0, 0, 0},
                  {40, 0, 8},
                  {255, 255, 255},
                  {255, 255, 255},
                  {80, 100, 0},
                  {0, 0, 0},
                  {0, 0, 0},
                  {1, 1, 1}},
                 {}};
  const RgbImage half = ScaleDownByArea(block, 2, 1);
  EXPECT_EQ(half.pixels[0], (Rgb{30, 25, 2}));
  EXPECT_EQ(half.pixels[1], (Rgb{128, 128, 128}));

  // A clear red pixel beside an opaque white one: the colour stays white and
  // the opacity halves.
  RgbImage clear{2, 1, {{255, 0, 0}, {255, 255, 255}}, {0, 255}};
  const RgbImage one = ScaleDownByArea(clear, 1, 1);
  EXPECT_EQ(one.pixels[0], (Rgb{255, 255, 255}));
  EXPECT_EQ(one.alpha, std::vector<std::uint8_t>{128});

  // A flat image stays flat at every size, however uneven the shares.
  const RgbImage flat = ScaleDownByArea(Flat(4096, 7, 77), 96, 5);
  EXPECT_EQ(flat.pixels, std::vector<Rgb>(96 * 5, Rgb{77, 77, 77}));
  // Requests it cannot serve give nothing.
  EXPECT_EQ(ScaleDownByArea(row, 4, 1).width, 0);
  EXPECT_EQ(ScaleDownByArea(row, 0, 1).width, 0);
}

}  // namespace
}  // namespace pictavo
