#include <benchmark/benchmark.h>

#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/selection.h"
#include "core/editing/tools/tool_context.h"

namespace pictavo {
namespace {

// A 96 x 92 picture of every code, wholly captured, at pixel size 15, in
// paste mode: the ghost then covers nearly the whole shown canvas.
void PrepareWholeCapture(Editor& editor) {
  editor.Start();
  editor.SetPixelSizeFromMenu(15);
  Picture& picture = EditorTestDoor::MutableState(editor).Document.Picture;
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y) {
      picture.Cells.At(x, y) = ToPixelCode((x / 3 + y) % PixelCodeCount);
    }
  }
  editor.SelectTool(DrawTool::SelectBox);
  editor.MouseDown(MouseButton::Left, 0, 0);
  editor.MouseUp(MouseButton::Left, 100000, 100000);
  editor.SetSelectPanelModes(false, true);
  editor.SelectTool(DrawTool::SelectBox);
}

void BM_PasteGhost(benchmark::State& state) {
  Editor editor;
  PrepareWholeCapture(editor);
  const int p = editor.State().View.PixelSize;
  ToolContext context(editor);
  int step = 0;
  for (auto _ : state) {
    // Alternate between cells (1, 1) and (2, 2) so every call redraws.
    const int offset = (step++ & 1) * p;
    DrawPasteGhost(context, offset, offset);
    benchmark::DoNotOptimize(editor.Canvas().Pixels());
  }
  if (editor.State().Selection.SelectionBuffer.Width != MaxPictureWidth) state.SkipWithError("no capture");
}
BENCHMARK(BM_PasteGhost);

void BM_SelectionRenderBaseline(benchmark::State& state) {
  Editor editor;
  PrepareWholeCapture(editor);
  for (auto _ : state) {
    editor.Render();
    benchmark::DoNotOptimize(editor.Canvas().Pixels());
  }
}
BENCHMARK(BM_SelectionRenderBaseline);

}  // namespace
}  // namespace pictavo
