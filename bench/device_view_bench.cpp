// What the views beside the document cost on each pen dot: the device
// preview's whole redraw (set against BM_Render/5 of editor_bench, its
// budget) and a pen dot with the onion skin on. Run:
//   pictavo_bench --benchmark_filter='DevicePreview|Render/5|PenDot'
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/render/device_preview.h"

namespace {

using namespace pictavo;

// A full 96 x 92 picture of mixed codes under a backlight.
void BM_DevicePreviewRedraw(benchmark::State& state) {
  Picture picture;
  for (int x = 1; x <= 96; ++x) {
    for (int y = 1; y <= 92; ++y) picture.Cells.At(x, y) = ToPixelCode((x * 7 + y * 3) % 5);
  }
  const CodePalette colors = DevicePalette({{0, 85, 170, 255}, Rgb{155, 188, 15}});
  const DevicePreviewSize size = DevicePreviewSizeFor(96, 92);
  std::vector<std::uint32_t> pixels;
  for (auto _ : state) {
    DrawDevicePreview(ViewOf(picture), colors, Rgb{240, 240, 240}, size.width, size.height, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.counters["pixels"] = static_cast<double>(size.width) * size.height;
}
BENCHMARK(BM_DevicePreviewRedraw);

// Pen dots on the middle frame of a three-frame 32 x 32 icon at size 5,
// onion skin off (0) or on with both frames (1).
void BM_PenDot(benchmark::State& state) {
  Editor editor;
  editor.Start();
  Skin skin;
  skin.Append(TSkinIcon{1, 3, 4, 32, 32, std::vector<std::uint8_t>(32 * 32 * 3, 3)});
  OpenSkinIntoEditor(editor, std::move(skin), "bench");
  EditorTestDoor::MutableState(editor).Document.CurrentSubIconIndex = 1;
  editor.SetOnionSkin(state.range(0) != 0, state.range(0) != 0);
  int i = 0;
  for (auto _ : state) {
    const int x = 2 + 5 * (i % 32);
    const int y = 2 + 5 * ((i / 32) % 32);
    editor.MouseDown(MouseButton::Left, x, y);
    editor.MouseUp(MouseButton::Left, x, y);
    ++i;
  }
}
BENCHMARK(BM_PenDot)->Arg(0)->Arg(1);

}  // namespace
