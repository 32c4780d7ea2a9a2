#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/editing/editor.h"
#include "core/imaging/bitmap_import.h"
#include "core/formats/picture_file.h"

namespace pictavo {
namespace {

// A full-size picture using every code, with 0x0A nowhere (codes stay 0..4)
// but a name that needs the line-end translation.
Picture FullPicture() {
  Picture picture;
  for (int y = 1; y <= MaxPictureHeight; ++y) {
    for (int x = 1; x <= MaxPictureWidth; ++x) {
      picture.Cells.At(x, y) = ToPixelCode((x * 7 + y * 3) % PixelCodeCount);
    }
  }
  return picture;
}

void BM_WritePictureFile(benchmark::State& state) {
  const Picture picture = FullPicture();
  for (auto _ : state) {
    std::vector<std::uint8_t> bytes = WritePictureFile(ViewOf(picture), "bench\npicture");
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_WritePictureFile);

void BM_ReadPictureFile(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = WritePictureFile(ViewOf(FullPicture()), "bench\npicture");
  for (auto _ : state) {
    auto record = ReadPictureFile(bytes);
    benchmark::DoNotOptimize(record);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadPictureFile);

void BM_ConvertImage(benchmark::State& state) {
  RgbImage image{MaxPictureWidth, MaxPictureHeight, {}, {}};
  for (int i = 0; i < MaxPictureWidth * MaxPictureHeight; ++i) {
    image.pixels.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 3),
                            static_cast<std::uint8_t>(i * 7)});
  }
  BitmapImport import;
  import.OpenImage(image);
  int threshold = 1;
  for (auto _ : state) {
    // SetThreshold is the scroll bar: it converts the whole image.
    import.SetThreshold(threshold);
    threshold = threshold % BitmapImport::MaxThreshold + 1;
    benchmark::DoNotOptimize(import.ImportGrid().Data());
  }
}
BENCHMARK(BM_ConvertImage);

// Reference for the figures above: one full redraw of the canvas.
void BM_FilesRenderBaseline(benchmark::State& state) {
  Editor editor;
  editor.Start();
  for (auto _ : state) {
    editor.Render();
    benchmark::DoNotOptimize(editor.Canvas().Pixels());
  }
}
BENCHMARK(BM_FilesRenderBaseline);

}  // namespace
}  // namespace pictavo
