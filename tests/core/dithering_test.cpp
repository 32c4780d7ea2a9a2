#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/imaging/dithering.h"
#include "core/imaging/image_conversion.h"
#include "core/imaging/image_fit.h"

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

// The mean of the shown grays of the codes.
double ShownMean(const std::vector<int>& codes, const GrayLevels& levels = ShownGrays) {
  double sum = 0;
  for (int c : codes) sum += levels[static_cast<std::size_t>(c)];
  return sum / static_cast<double>(codes.size());
}

// ---- tone rules ----------------------------------------------------------------------

TEST(Tone, ThresholdIsAGainOnTheGray) {
  EXPECT_EQ(GainTable(64)[100], 100 * 256);  // 64 changes nothing
  EXPECT_EQ(GainTable(128)[100], 50 * 256);
  EXPECT_EQ(GainTable(3)[1], 5461);          // 21.33 grays, rounded in 1/256
  EXPECT_EQ(GainTable(32)[200], 255 * 256);  // clamped
  // Every entry is gray * 64 / threshold in 1/256, rounded half up, at most 255.
  for (int threshold = 1; threshold <= 200; ++threshold) {
    const std::array<std::int32_t, 256> table = GainTable(threshold);
    for (int gray = 0; gray < 256; ++gray) {
      const double exact = gray * 64.0 * 256.0 / threshold;
      ASSERT_EQ(table[static_cast<std::size_t>(gray)],
                std::min<std::int64_t>(std::llround(exact), 255 * 256))
          << gray << " at " << threshold;
    }
  }
}

TEST(Tone, FlatGraysShowTheirGainedBrightnessOnAverage) {
  struct Case {
    int gray, threshold;
    double none, dithered;  // expected shown means
  };
  // None keeps the plain rule: gray div threshold is the code.
  const Case cases[] = {
      {100, 64, 128, 100}, {100, 128, 0, 50},   {160, 64, 192, 160},  {30, 64, 0, 30},
      {230, 64, 255, 230}, {200, 50, 255, 255}, {128, 85, 128, 96.4}, {250, 200, 128, 80},
  };
  for (const Case& c : cases) {
    const RgbImage flat = Flat(48, 48, static_cast<std::uint8_t>(c.gray));
    EXPECT_EQ(ShownMean(Codes(flat, With(DitherMethod::None, c.threshold))), c.none) << c.gray;
    // Diffusion carries all of the error; the matrices keep the mean within
    // one of their N x N steps; Atkinson drops a quarter of it.
    for (const auto& [method, within] :
         {std::pair{DitherMethod::FloydSteinberg, 1.0}, std::pair{DitherMethod::Bayer4, 64.0 / 16},
          std::pair{DitherMethod::Bayer8, 64.0 / 64}, std::pair{DitherMethod::Atkinson, 12.0}}) {
      EXPECT_NEAR(ShownMean(Codes(flat, With(method, c.threshold))), c.dithered, within)
          << DitherName(method) << " gray " << c.gray << " at " << c.threshold;
    }
  }
}

TEST(Tone, GrayLevelsAreFourRisingNumbers) {
  EXPECT_EQ(ParseGrayLevels("0,85,170,255"), (GrayLevels{0, 85, 170, 255}));
  EXPECT_EQ(ParseGrayLevels("10,11,12,13"), (GrayLevels{10, 11, 12, 13}));
  for (const char* bad : {"", "0,85,170", "0,85,170,255,", "0,85,85,255", "0,170,85,255",
                          "0,85,170,256", "0, 85,170,255", "-1,85,170,255", "00000,1,2,3"}) {
    EXPECT_FALSE(ParseGrayLevels(bad).has_value()) << bad;
  }
  EXPECT_EQ(GrayLevelsText(ShownGrays), "0,128,192,255");
}

TEST(DitherNone, MatchesTheThresholdConversionOnAnyOpaqueImage) {
  std::mt19937 random(7);
  RgbImage image{37, 23, {}, {}};
  for (int i = 0; i < 37 * 23; ++i) {
    image.pixels.push_back({static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random())});
  }
  // The threshold rule: the gray, (R + G + B) div 3, divided by the
  // threshold, at most White.
  for (int threshold : {1, 37, 64, 85, 200}) {
    PictureCells optioned;
    ConvertToCodes(image, 37, 23, With(DitherMethod::None, threshold), optioned);
    for (int y = 0; y < 23; ++y) {
      for (int x = 0; x < 37; ++x) {
        const Rgb c = image.At(x, y);
        ASSERT_EQ(ToInt(optioned.At(x + 1, y + 1)),
                  std::min((c.r + c.g + c.b) / 3 / threshold, ToInt(PixelCode::White)))
            << threshold << " at " << x << ", " << y;
      }
    }
  }
}

// ---- ordered dithering ---------------------------------------------------------------

TEST(DitherBayer, FlatGraysBetweenTwoShownGraysGiveTheBayerPattern) {
  // 160 lies halfway between Gray66 (128) and Gray33 (192), so the cells
  // whose matrix entry is 8 or more take the upper one: a checkerboard.
  const std::vector<int> half = {
      1, 2, 1, 2, 1, 2, 1, 2,  //
      2, 1, 2, 1, 2, 1, 2, 1,  //
      1, 2, 1, 2, 1, 2, 1, 2,  //
      2, 1, 2, 1, 2, 1, 2, 1,  //
  };
  EXPECT_EQ(Codes(Flat(8, 4, 160), With(DitherMethod::Bayer4, 64)), half);

  // 144, a quarter of the way: one cell in four, those holding 12 to 15.
  const std::vector<int> quarter = {
      1, 1, 1, 1,  //
      2, 1, 2, 1,  //
      1, 1, 1, 1,  //
      2, 1, 2, 1,  //
  };
  EXPECT_EQ(Codes(Flat(4, 4, 144), With(DitherMethod::Bayer4, 64)), quarter);
}

TEST(DitherBayer, MatricesHoldEveryEntryOnceAndKeepTheMeanOverACell) {
  for (int size : {4, 8}) {
    const DitherMethod method = size == 4 ? DitherMethod::Bayer4 : DitherMethod::Bayer8;
    // A gray k / size^2 of the way from Gray66 (128) to Gray33 (192) lifts
    // exactly k cells of a matrix cell to Gray33 only when the matrix holds
    // every entry once.
    const int upper = Codes(Flat(1, 1, 192), With(method, 64))[0];
    for (int k = 0; k < size * size; ++k) {
      const auto gray = static_cast<std::uint8_t>(128 + k * 64 / (size * size));
      const std::vector<int> codes = Codes(Flat(size, size, gray), With(method, 64));
      EXPECT_EQ(std::count(codes.begin(), codes.end(), upper), k) << size << " at gray " << gray;
    }
    // Every gray, over one matrix cell, shows its own brightness on average
    // within one step of the matrix between the two grays around it, at the
    // shown grays and at others.
    for (const GrayLevels& levels : {ShownGrays, GrayLevels{0, 85, 170, 255}}) {
      ConversionOptions options = With(method, 64);
      options.levels = levels;
      for (int gray = 0; gray <= 255; gray += 5) {
        const std::vector<int> codes =
            Codes(Flat(size, size, static_cast<std::uint8_t>(gray)), options);
        EXPECT_NEAR(ShownMean(codes, levels), gray, 128.0 / (size * size))
            << size << " at gray " << gray;
      }
    }
  }
}

// ---- error diffusion -----------------------------------------------------------------

// Small pictures worked out by hand from the rules in dithering.h, one column
// per method. Each input row repeats the same grays, one per column (-1 a
// clear pixel); brightness is the gray times 256.
struct DitherGolden {
  const char* what;
  std::vector<int> columns;
  GrayLevels levels = ShownGrays;
  bool black_and_white = false;
  //      none    floyd-steinberg  atkinson  bayer4  bayer8
  std::vector<std::array<const char*, 5>> rows;
};

TEST(Dither, SmallPicturesOfEveryMethod) {
  const std::vector<int> ramp = {0, 36, 72, 109, 145, 182, 218, 255};
  const DitherGolden goldens[] = {
      // Halfway between two grays: the upper one, then the error spreads
      // the two; the matrices' entries of 8 (32) and up take the upper.
      {"flat 64",
       {64, 64, 64, 64},
       ShownGrays,
       false,
       {{"1111", "1010", "1001", "0101", "0101"},
        {"1111", "0101", "0011", "1010", "1010"},
        {"1111", "1010", "1100", "0101", "0101"},
        {"1111", "0101", "1001", "1010", "1010"}}},
      {"flat 160",
       {160, 160, 160, 160},
       ShownGrays,
       false,
       {{"2222", "2121", "2112", "1212", "1212"},
        {"2222", "1212", "1122", "2121", "2121"},
        {"2222", "2121", "2211", "1212", "1212"},
        {"2222", "1212", "2112", "2121", "2121"}}},
      // 1/64 of the way to Gray33: only the 8 x 8 matrix's last entry lifts.
      {"flat 129",
       std::vector<int>(8, 129),
       ShownGrays,
       false,
       {{"11111111", "11111111", "11111111", "11111111", "11111111"},
        {"11111111", "11111111", "11111111", "11111111", "11111111"},
        {"11111111", "11111111", "11111111", "11111111", "11111111"},
        {"11111111", "11111111", "11111111", "11111111", "11111111"},
        {"11111111", "11111111", "11111111", "11111111", "11111111"},
        {"11111111", "11111111", "11111111", "11111111", "11111111"},
        {"11111111", "11111111", "11111111", "11111111", "11111111"},
        {"11111111", "11111111", "11111111", "11111111", "21111111"}}},
      // 35 of 64 cells of the 8 x 8 matrix, 9 of 16 of the 4 x 4 one.
      {"flat 70",
       std::vector<int>(8, 70),
       ShownGrays,
       false,
       {{"11111111", "10101010", "10110110", "01010101", "01010101"},
        {"11111111", "01010101", "10011001", "10101010", "10101010"},
        {"11111111", "10110110", "11001101", "01010101", "01010101"},
        {"11111111", "01010101", "00110110", "11101110", "10101110"},
        {"11111111", "10101010", "11010011", "01010101", "01010101"},
        {"11111111", "01010101", "01001101", "10101010", "10101010"},
        {"11111111", "10110110", "10110100", "01010101", "01010101"},
        {"11111111", "01010101", "10110011", "11101110", "11101110"}}},
      {"ramp",
       {9, 37, 65, 93, 121, 149, 177, 205},
       ShownGrays,
       false,
       {{"00111122", "00111122", "00111122", "00010112", "00010112"},
        {"00111122", "00101122", "00011122", "00111122", "00111122"},
        {"00111122", "00111122", "00111122", "01011212", "00011212"},
        {"00111122", "00011122", "00011122", "10111122", "10111122"},
        {"00111122", "01011122", "00111122", "00010112", "00010112"},
        {"00111122", "00011122", "00011122", "00111122", "00111122"},
        {"00111122", "01101122", "01011122", "01011212", "01011212"},
        {"00111122", "00011122", "00011122", "10111122", "10111122"}}},
      {"ramp at evenly spaced grays",
       ramp,
       {0, 85, 170, 255},
       false,
       {{"00112233", "00112233", "00112233", "00111223", "00011223"},
        {"00112233", "01112223", "00112233", "00112233", "00112233"},
        {"00112233", "00112233", "01112223", "01011223", "01011223"},
        {"00112233", "00112223", "00112233", "00112233", "00112233"}}},
      {"ramp in black and white",
       ramp,
       ShownGrays,
       true,
       {{"00003333", "00030333", "00003333", "00030333", "00030333"},
        {"00003333", "00030333", "00300333", "00303033", "00303333"},
        {"00003333", "00030333", "00033333", "00030303", "00000303"},
        {"00003333", "00303033", "00030033", "00303333", "00303333"}}},
      // Clear pixels take no error and hand none on; what a pixel hands two
      // ahead passes over a clear one.
      {"clear columns",
       {64, 64, -1, 64, 64, 64, -1, 64},
       ShownGrays,
       false,
       {{"11411141", "10410141", "10410041", "01410141", "01410141"},
        {"11411141", "01401040", "01401140", "10401040", "10401040"},
        {"11411141", "10410141", "01401041", "01410141", "01410141"},
        {"11411141", "01401040", "10411041", "10401040", "10401040"}}},
  };
  for (const DitherGolden& golden : goldens) {
    const int width = static_cast<int>(golden.columns.size());
    const int height = static_cast<int>(golden.rows.size());
    std::vector<std::int32_t> brightness;
    for (int y = 0; y < height; ++y) {
      for (const int gray : golden.columns) {
        brightness.push_back(gray < 0 ? TransparentBrightness : gray * BrightnessOne);
      }
    }
    for (std::size_t m = 0; m < AllDitherMethods.size(); ++m) {
      std::vector<PixelCode> codes(brightness.size());
      DitherBrightness(brightness, width, height, AllDitherMethods[m], golden.levels,
                       golden.black_and_white, codes);
      for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
          row += static_cast<char>('0' + ToInt(codes[static_cast<std::size_t>(y * width + x)]));
        }
        EXPECT_EQ(row, golden.rows[static_cast<std::size_t>(y)][m])
            << golden.what << ", " << DitherName(AllDitherMethods[m]) << ", row " << y;
      }
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
          const Rgb c = ramp.At(x, y);
          source += GainTable(threshold)[c.r] / 256.0;
          result +=
              ShownGrays[static_cast<std::size_t>(codes[static_cast<std::size_t>(y * 96 + x)])];
        }
        // Within a step of the widest gap (64); Floyd-Steinberg passes on
        // the whole error, so what stays off is the little a row hands on to
        // the next.
        EXPECT_LT(std::abs(result - source) / 96, method == DitherMethod::Atkinson ? 24.0 : 6.0)
            << DitherName(method) << " at " << threshold << ", row " << y;
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
    ConversionOptions options = With(method, 64);
    options.black_and_white = true;
    const std::vector<int> codes = Codes(ramp, options);
    int white = 0;
    for (int c : codes) {
      ASSERT_TRUE(c == 0 || c == 3) << DitherName(method);
      white += c == 3;
    }
    // A ramp through the whole range: about half of it white, dithered or
    // not (without, codes of 2 and more: gray 128 up).
    EXPECT_NEAR(white / static_cast<double>(codes.size()), 0.5, 0.05) << DitherName(method);
  }
  // Without dithering, the two lighter grays give White.
  ConversionOptions plain = With(DitherMethod::None, 64);
  plain.black_and_white = true;
  EXPECT_EQ(Codes(Flat(1, 1, 127), plain), std::vector<int>{0});
  EXPECT_EQ(Codes(Flat(1, 1, 128), plain), std::vector<int>{3});
}

// ---- automatic threshold ---------------------------------------------------------------

int Auto(const RgbImage& image, const ImagePart& part, const ConversionOptions& options) {
  return AutoThreshold(PartGrays(image, part, options.keep_transparency), part.width, part.height,
                       options);
}

TEST(AutoThreshold, ChoosesTheNearestMeanOfASweep) {
  std::mt19937 random(3);
  RgbImage noise{24, 20, {}, {}};
  RgbImage ramp{24, 20, {}, {}};
  for (int i = 0; i < 24 * 20; ++i) {
    const auto n = static_cast<std::uint8_t>(40 + random() % 120);
    noise.pixels.push_back({n, static_cast<std::uint8_t>(n / 2), 255});
    const auto g = static_cast<std::uint8_t>((i % 24) * 11);
    ramp.pixels.push_back({g, g, g});
  }
  for (const RgbImage& image : {noise, ramp, Flat(24, 20, 90)}) {
    double gray_sum = 0;
    for (const Rgb c : image.pixels) gray_sum += (c.r + c.g + c.b) / 3;
    for (DitherMethod method : AllDitherMethods) {
      // Every threshold's distance; the nearest, and of those the nearest 64.
      std::vector<double> distance(201, 1e18);
      int expected = 0;
      for (int t = 1; t <= 200; ++t) {
        const double shown = ShownMean(Codes(image, With(method, t))) * 24 * 20;
        distance[static_cast<std::size_t>(t)] = std::abs(shown - gray_sum);
        const double best = distance[static_cast<std::size_t>(expected)];
        if (expected == 0 || distance[static_cast<std::size_t>(t)] < best - 1e-6 ||
            (distance[static_cast<std::size_t>(t)] < best + 1e-6 &&
             std::abs(t - 64) < std::abs(expected - 64))) {
          expected = t;
        }
      }
      EXPECT_EQ(Auto(image, {0, 0, 24, 20}, With(method, 64)), expected) << DitherName(method);
    }
  }
  // A part of a larger image counts only itself: a dark image with a light
  // corner, taken at the corner.
  RgbImage corner = Flat(40, 40, 20);
  for (int y = 30; y < 40; ++y) {
    for (int x = 30; x < 40; ++x)
      corner.pixels[static_cast<std::size_t>(y * 40 + x)] = {180, 180, 180};
  }
  EXPECT_EQ(Auto(corner, {30, 30, 10, 10}, With(DitherMethod::FloydSteinberg, 64)),
            Auto(Flat(10, 10, 180), {0, 0, 10, 10}, With(DitherMethod::FloydSteinberg, 64)));
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
