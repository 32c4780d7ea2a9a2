#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/icon_commands.h"
#include "core/editing/sub_icon_sync.h"
#include "core/formats/skin_file.h"
#include "core/model/skin.h"

namespace pictavo {
namespace {

// Icon art rather than noise: a ring, a frame and a diagonal that moves from
// frame to frame, with transparency around the ring where the depth has it.
TSkinIcon ShapeIcon(int id, int sub_icons, int bpp, int width, int height) {
  TSkinIcon icon;
  icon.IconID = id;
  icon.SubIcons = sub_icons;
  icon.BPP = bpp;
  icon.Width = width;
  icon.Height = height;
  icon.Data.reserve(icon.ExpectedDataSize());
  // The ID moves the ring, changes its size and the slope of the diagonal, so
  // no two icons are alike.
  const int cx = width + id % 5 - 2;
  const int cy = height + id % 3 - 1;
  const int outer = width * height * (2 + id % 3) / 3;
  const int slope = 1 + id % 4;
  for (int s = 0; s < sub_icons; ++s) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int dx = 2 * x - cx + 1;
        const int dy = 2 * y - cy + 1;
        const int r = dx * dx + dy * dy;
        int code = r < outer / 4 ? 3 : (r < outer ? 1 : 4);
        if (x == 0 || y == 0 || x == width - 1 || y == height - 1) code = 0;
        if ((x + slope * y + 3 * s + id) % width == 0) code = 2;
        if (bpp == 2 && code == 4) code = 0;
        if (bpp == 1) code = code >= 2 ? 3 : 0;
        icon.Data.push_back(static_cast<std::uint8_t>(code));
      }
    }
  }
  return icon;
}

// Icons of mixed sizes and depths until the stream is within a few bytes of
// SkinStreamCapacity.
Skin FullSkin() {
  struct Shape {
    int sub_icons, bpp, width, height;
  };
  const Shape shapes[] = {{4, 4, 32, 32}, {2, 2, 24, 24}, {6, 1, 16, 16}, {3, 4, 16, 16},
                          {1, 2, 48, 40}, {2, 4, 12, 10}, {8, 1, 8, 8},   {1, 4, 40, 32}};
  Skin skin;
  std::size_t length = 1;
  int id = 1;
  for (int round = 0; round < 100; ++round) {
    bool added = false;
    for (const Shape& shape : shapes) {
      TSkinIcon icon = ShapeIcon(id, shape.sub_icons, shape.bpp, shape.width, shape.height);
      const std::size_t size = 5 + PackedIconSize(icon);
      if (length + size > SkinStreamCapacity) continue;
      length += size;
      skin.Append(std::move(icon));
      id = id % 254 + 1;
      added = true;
    }
    if (!added) break;
  }
  return skin;
}

void BM_SaveSkin(benchmark::State& state) {
  const Skin skin = FullSkin();
  const auto stream = BuildSkinStream(skin);
  if (!stream) {
    state.SkipWithError(stream.error().message.c_str());
    return;
  }
  // For comparing with other LZO tools by hand.
  if (const char* path = std::getenv("PICTAVO_SKIN_STREAM_FILE")) {
    if (std::FILE* out = std::fopen(path, "wb")) {
      std::fwrite(stream->data(), 1, stream->size(), out);
      std::fclose(out);
    }
  }
  std::size_t file_size = 0;
  for (auto _ : state) {
    auto file = WriteSkinFile(skin, "bench skin");
    file_size = file ? file->size() : 0;
    benchmark::DoNotOptimize(file);
  }
  state.counters["icons"] = skin.Count();
  state.counters["stream_bytes"] = static_cast<double>(stream->size());
  state.counters["file_bytes"] = static_cast<double>(file_size);
}
BENCHMARK(BM_SaveSkin)->Unit(benchmark::kMillisecond);

void BM_OpenSkin(benchmark::State& state) {
  const auto file = WriteSkinFile(FullSkin(), "bench skin");
  if (!file) {
    state.SkipWithError(file.error().message.c_str());
    return;
  }
  Editor editor;
  for (auto _ : state) {
    SkinFileRead read = ReadSkinFile(*file);
    if (!read.skin) {
      state.SkipWithError(read.skin.error().message.c_str());
      return;
    }
    OpenSkinIntoEditor(editor, std::move(*read.skin), std::move(read.name));
    benchmark::DoNotOptimize(editor.Skin().Count());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file->size()));
}
BENCHMARK(BM_OpenSkin)->Unit(benchmark::kMicrosecond);

// What every edit costs in skin mode on top of the canvas: the write-back of
// the Picture and the preview redraw it asks for.
void BM_StoreSubIcon(benchmark::State& state) {
  const bool with_preview = state.range(0) != 0;
  Editor editor;
  Skin skin;
  skin.Append(ShapeIcon(1, 6, 4, 32, 32));
  OpenSkinIntoEditor(editor, std::move(skin), "");
  std::vector<std::uint32_t> preview;
  int x = 1;
  for (auto _ : state) {
    EditorState& s = EditorTestDoor::MutableState(editor);
    s.Document.Picture.Cells.At(x, 5) = PixelCode::Gray66;
    x = x % 32 + 1;
    StorePictureInSubIcon(s.Document, EditorTestDoor::MutableSkin(editor));
    if (with_preview) DrawPreview(editor, 100, 415, Rgb{240, 240, 240}, preview);
    benchmark::DoNotOptimize(editor.Skin().At(0).Data.data());
    benchmark::DoNotOptimize(preview.data());
  }
}
// Argument 1: with the preview redraw into a 100 x 415 box, as on screen.
BENCHMARK(BM_StoreSubIcon)->Arg(0)->Arg(1);

// The full canvas redraw out of skin mode, to set the above against.
void BM_SkinRenderBaseline(benchmark::State& state) {
  Editor editor;
  editor.Start();
  editor.SetPixelSizeFromMenu(5);
  for (auto _ : state) {
    editor.Render();
    benchmark::DoNotOptimize(editor.Canvas().Pixels());
  }
}
BENCHMARK(BM_SkinRenderBaseline);

}  // namespace
}  // namespace pictavo
