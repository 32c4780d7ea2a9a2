// Image import costs. Run:
// pictavo_bench --benchmark_filter='ConvertImage/|FitImage|ConvertRender|AutoThreshold'
//
// BM_ConvertImage/<method> is one move of the threshold scroll bar on a full
// 96 x 92 result (0 none, 1 Floyd-Steinberg, 2 Atkinson, 3 Bayer 4 x 4,
// 4 Bayer 8 x 8); the preview follows the bar live while it stays below one
// canvas redraw at pixel size 5 (BM_ConvertRenderReference).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/imaging/bitmap_import.h"
#include "core/imaging/image_fit.h"

namespace pictavo {
namespace {

// Smooth shading with detail on top, like a photograph: every method has
// levels between the codes to work on.
RgbImage PhotoLike(int width, int height) {
  RgbImage image{width, height, {}, {}};
  image.pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double u = static_cast<double>(x) / width;
      const double v = static_cast<double>(y) / height;
      const double shade = 0.5 + 0.25 * std::sin(6.0 * u + 2.0 * v) + 0.2 * std::cos(9.0 * v * u);
      const auto g = static_cast<std::uint8_t>(std::clamp(shade, 0.0, 1.0) * 255.0);
      image.pixels.push_back(
          {g, static_cast<std::uint8_t>(g ^ (x & 15)), static_cast<std::uint8_t>(255 - g / 2)});
    }
  }
  return image;
}

void BM_ConvertImage(benchmark::State& state) {
  BitmapImport import;
  import.OpenImage(PhotoLike(MaxPictureWidth, MaxPictureHeight));
  import.SetDither(static_cast<DitherMethod>(state.range(0)));
  int threshold = 40;
  for (auto _ : state) {
    import.SetThreshold(threshold);
    threshold = threshold % 120 + 40;
    benchmark::DoNotOptimize(import.ImportGrid().Data());
  }
  state.SetLabel(std::string(DitherName(static_cast<DitherMethod>(state.range(0)))));
}
BENCHMARK(BM_ConvertImage)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// "Auto" on a full 96 x 92 result: every threshold converted once.
void BM_AutoThreshold(benchmark::State& state) {
  BitmapImport import;
  import.OpenImage(PhotoLike(MaxPictureWidth, MaxPictureHeight));
  import.SetDither(static_cast<DitherMethod>(state.range(0)));
  for (auto _ : state) {
    import.ChooseAutoThreshold();
    benchmark::DoNotOptimize(import.ImportThreshold());
  }
  state.SetLabel(std::string(DitherName(static_cast<DitherMethod>(state.range(0)))));
}
BENCHMARK(BM_AutoThreshold)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// Scaling the largest image the loader accepts down to the picture.
void BM_FitImage(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const RgbImage image = PhotoLike(side, side);
  const FitDimensions size = FitSize(side, side, MaxPictureWidth, MaxPictureHeight);
  for (auto _ : state) {
    RgbImage fitted = ScaleDownByArea(image, size.width, size.height);
    benchmark::DoNotOptimize(fitted.pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_FitImage)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

// The same with an alpha channel, which weights every colour by its opacity.
void BM_FitImageWithAlpha(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  RgbImage image = PhotoLike(side, side);
  image.alpha.resize(image.pixels.size());
  for (std::size_t i = 0; i < image.alpha.size(); ++i)
    image.alpha[i] = static_cast<std::uint8_t>(i);
  const FitDimensions size = FitSize(side, side, MaxPictureWidth, MaxPictureHeight);
  for (auto _ : state) {
    RgbImage fitted = ScaleDownByArea(image, size.width, size.height);
    benchmark::DoNotOptimize(fitted.pixels.data());
  }
}
BENCHMARK(BM_FitImageWithAlpha)->Arg(4096)->Unit(benchmark::kMillisecond);

// Reference: one full canvas redraw at pixel size 5, grid and border on, of
// a full picture of mixed codes (as BM_Render/5 draws it).
void BM_ConvertRenderReference(benchmark::State& state) {
  Editor editor;
  editor.Start();
  EditorState& s = EditorTestDoor::MutableState(editor);
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      s.Document.Picture.Cells.At(x, y) = ToPixelCode((x * 7 + y * 3) % PixelCodeCount);
    }
  }
  s.View.ShowGrid = true;
  s.View.ShowBorder = true;
  s.View.PixelSize = 5;
  for (auto _ : state) {
    editor.Render();
    benchmark::DoNotOptimize(editor.Canvas().Pixels());
  }
}
BENCHMARK(BM_ConvertRenderReference)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pictavo
