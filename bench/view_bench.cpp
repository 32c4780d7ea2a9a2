// A full redraw of a large view, scrolled, against one plain fill of the
// same view. Run:
//   pictavo_bench --benchmark_filter='LargeView' --benchmark_repetitions=10
//                 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"

namespace {

using pictavo::Editor;

constexpr int kViewWidth = 1920;
constexpr int kViewHeight = 1080;

// A full 96 x 92 picture of mixed codes, grid, border and a selection box on,
// in a 1920 x 1080 view scrolled to `position` quarters of the way (4: the
// last offset), plus a few pixels so the view starts inside a cell.
void Prepare(Editor& editor, int pixel_size, int position) {
  editor.Start();
  pictavo::EditorState& s = pictavo::EditorTestDoor::MutableState(editor);
  for (int x = 1; x <= 96; ++x) {
    for (int y = 1; y <= 92; ++y)
      s.Document.Picture.Cells.At(x, y) = pictavo::ToPixelCode((x * 7 + y * 3) % 5);
  }
  s.View.ShowGrid = true;
  s.View.ShowBorder = true;
  s.Selection.BoxVisible = true;
  s.Selection.BoxStart = {10, 10};
  s.Selection.BoxEnd = {80, 70};
  editor.SetPixelSizeFromMenu(pixel_size);
  editor.SetViewSize(kViewWidth, kViewHeight);
  const int max_left = pictavo::MaxScroll(pictavo::DrawingLength(96, pixel_size), kViewWidth);
  const int max_top = pictavo::MaxScroll(pictavo::DrawingLength(92, pixel_size), kViewHeight);
  const int nudge = position % 4 == 0 ? 0 : 3;
  editor.ScrollTo(max_left * position / 4 + nudge, max_top * position / 4 + nudge);
}

void BM_RenderLargeView(benchmark::State& state) {
  Editor editor;
  Prepare(editor, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    editor.Render();
    benchmark::DoNotOptimize(editor.Canvas().Pixels());
  }
  state.counters["left"] = editor.Canvas().View().Left;
  state.counters["top"] = editor.Canvas().View().Top;
}
BENCHMARK(BM_RenderLargeView)
    ->ArgNames({"size", "at"})
    ->Args({5, 0})
    ->Args({49, 0})
    ->Args({49, 1})
    ->Args({49, 2})
    ->Args({49, 3})
    ->Args({49, 4})
    ->Args({15, 2});

// The floor of any redraw of that view: one plain fill of 1920 x 1080.
void BM_FillLargeView(benchmark::State& state) {
  std::vector<std::uint32_t> image(static_cast<std::size_t>(kViewWidth) * kViewHeight);
  std::uint32_t colour = 0xFFFFFFFF;
  for (auto _ : state) {
    std::fill(image.begin(), image.end(), colour);
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
    colour ^= 1;
  }
}
BENCHMARK(BM_FillLargeView);

}  // namespace
