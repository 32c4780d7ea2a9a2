// Canvas and tool costs. Run: pictavo_bench
// --benchmark_filter='Render|PaintCell|FillView|Bucket|Replace|PenSegment|ShapeGhost'
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/pixel_ops.h"
#include "core/editing/tools/pixel_tools.h"
#include "core/editing/tools/shape_tool.h"

namespace {

using pictavo::Editor;
using pictavo::PixelCode;

// A full 96 x 92 picture of mixed codes, grid and border on.
void PreparePicture(Editor& editor, int pixel_size) {
  editor.Start();
  pictavo::EditorState& s = pictavo::EditorTestDoor::MutableState(editor);
  for (int x = 1; x <= 96; ++x) {
    for (int y = 1; y <= 92; ++y)
      s.Document.Picture.Cells.At(x, y) = pictavo::ToPixelCode((x * 7 + y * 3) % 5);
  }
  s.View.ShowGrid = true;
  s.View.ShowBorder = true;
  s.View.PixelSize = pixel_size;
}

void BM_Render(benchmark::State& state) {
  Editor editor;
  PreparePicture(editor, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    editor.Render();
    benchmark::DoNotOptimize(editor.Canvas().Pixels());
  }
  state.counters["stored_bytes"] =
      pictavo::CanvasRaster::StoredWidth * pictavo::CanvasRaster::StoredHeight * 4.0;
}
BENCHMARK(BM_Render)->Arg(1)->Arg(5)->Arg(15)->Arg(49);

void BM_PaintCell(benchmark::State& state) {
  Editor editor;
  PreparePicture(editor, 5);
  const pictavo::Picture& picture = editor.State().Document.Picture;
  int i = 0;
  for (auto _ : state) {
    editor.Canvas().PaintCell(picture, 5, true, 1 + i % 96, 1 + (i / 96) % 92);
    ++i;
  }
}
BENCHMARK(BM_PaintCell);

// One drag of a pen stroke from corner to corner of the whole picture at
// size 49: 96 squares set, only those in the view repainted. The colour
// alternates so every drag really paints.
void BM_PenSegment(benchmark::State& state) {
  Editor editor;
  PreparePicture(editor, 49);
  pictavo::ToolContext context(editor);
  pictavo::PenTool pen;
  editor.SetLeftColor(PixelCode::Black);
  pen.Press(context, pictavo::MouseButton::Left, 0, 0);
  const int far = 49 * 96 - 1;
  bool forth = true;
  for (auto _ : state) {
    editor.SetLeftColor(forth ? PixelCode::White : PixelCode::Black);
    pen.Drag(context, pictavo::MouseButton::Left, forth ? far : 0, forth ? 49 * 92 - 1 : 0);
    forth = !forth;
  }
}
BENCHMARK(BM_PenSegment);

// The ghost of a filled rectangle over the whole picture following the
// pointer: one redraw with the overlay, as the paste ghost.
void BM_ShapeGhost(benchmark::State& state) {
  Editor editor;
  PreparePicture(editor, static_cast<int>(state.range(0)));
  pictavo::EditorTestDoor::MutableState(editor).Tools.RectangleFilled = true;
  pictavo::ToolContext context(editor);
  pictavo::ShapeTool rectangle(pictavo::ShapeTool::Shape::Rectangle);
  editor.SetLeftColor(PixelCode::Black);
  rectangle.Press(context, pictavo::MouseButton::Left, 0, 0);
  const int p = static_cast<int>(state.range(0));
  bool forth = true;
  for (auto _ : state) {
    rectangle.Drag(context, pictavo::MouseButton::Left, (forth ? 95 : 94) * p,
                   (forth ? 91 : 90) * p);
    forth = !forth;
  }
}
BENCHMARK(BM_ShapeGhost)->Arg(5)->Arg(15)->Arg(49);

// The floor of any redraw: one plain fill of the shown 670 x 587.
void BM_FillView(benchmark::State& state) {
  std::vector<std::uint32_t> image(static_cast<std::size_t>(pictavo::ViewWidth) *
                                   pictavo::ViewHeight);
  std::uint32_t colour = 0xFFFFFFFF;
  for (auto _ : state) {
    std::fill(image.begin(), image.end(), colour);
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
    colour ^= 1;
  }
}
BENCHMARK(BM_FillView);

// The largest region: a single-colour 96 x 92 picture, filled alternately with
// two colours so every click really fills. Includes the undo step and the
// Render a click causes.
void BM_BucketFill(benchmark::State& state) {
  Editor editor;
  editor.Start();
  pictavo::EditorTestDoor::MutableState(editor).Document.Picture.Cells.Fill(PixelCode::White);
  pictavo::ToolContext context(editor);
  pictavo::BucketTool bucket;
  bool black = true;
  for (auto _ : state) {
    editor.SetLeftColor(black ? PixelCode::Black : PixelCode::White);
    bucket.Press(context, pictavo::MouseButton::Left, 100, 100);
    black = !black;
  }
}
BENCHMARK(BM_BucketFill);

void BM_ReplaceColor(benchmark::State& state) {
  Editor editor;
  PreparePicture(editor, 5);
  pictavo::ToolContext context(editor);
  pictavo::ChangeColorTool change_color;
  bool forth = true;
  for (auto _ : state) {
    editor.SetLeftColor(forth ? PixelCode::Black : PixelCode::White);
    change_color.Press(context, pictavo::MouseButton::Left, 2, 2);
    forth = !forth;
  }
}
BENCHMARK(BM_ReplaceColor);

// The tools' own work, without the Render each click then asks for.
void BM_FloodFillOnly(benchmark::State& state) {
  pictavo::Picture picture;
  picture.Cells.Fill(PixelCode::White);
  bool black = true;
  for (auto _ : state) {
    pictavo::FloodFill(picture, 20, 20, black ? PixelCode::Black : PixelCode::White);
    black = !black;
    benchmark::DoNotOptimize(picture.Cells.Data());
  }
}
BENCHMARK(BM_FloodFillOnly);

void BM_ReplaceCodeOnly(benchmark::State& state) {
  pictavo::Picture picture;
  for (int x = 1; x <= 96; ++x) {
    for (int y = 1; y <= 92; ++y) picture.Cells.At(x, y) = pictavo::ToPixelCode((x + y) % 5);
  }
  bool forth = true;
  for (auto _ : state) {
    pictavo::ReplaceCode(picture, forth ? PixelCode::Black : PixelCode::White,
                         forth ? PixelCode::White : PixelCode::Black);
    forth = !forth;
    benchmark::DoNotOptimize(picture.Cells.Data());
  }
}
BENCHMARK(BM_ReplaceCodeOnly);

}  // namespace
