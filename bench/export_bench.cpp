#include <benchmark/benchmark.h>

#include <string>

#include "core/editing/editor.h"
#include "core/model/picture.h"
#include "core/formats/listing.h"

namespace pictavo {
namespace {

// The largest picture with every code in a pattern that changes along rows and
// columns, so the packed bytes vary.
Picture VariedPicture() {
  Picture picture;
  picture.Width = MaxPictureWidth;
  picture.Height = MaxPictureHeight;
  for (int y = 1; y <= picture.Height; ++y) {
    for (int x = 1; x <= picture.Width; ++x) {
      picture.Cells.At(x, y) = ToPixelCode((x * 7 + y * 3 + x * y) % PixelCodeCount);
    }
  }
  return picture;
}

// The whole-picture clipboard export: the chosen listing plus the 1-bit array.
void BM_CopyPictureListing(benchmark::State& state) {
  const Picture picture = VariedPicture();
  const ListingFormat format = *ListingFormatFromRadioIndex(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = PictureClipboardText(ViewOf(picture), "picture", format, true);
    bytes += text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_CopyPictureListing)->DenseRange(0, 4);

// A full canvas redraw at the start-up zoom, for scale.
void BM_ExportRenderBaseline(benchmark::State& state) {
  Editor e;
  e.Start();
  for (auto _ : state) {
    e.Render();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ExportRenderBaseline);

}  // namespace
}  // namespace pictavo
