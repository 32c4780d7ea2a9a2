// The cost of one recovery write (the picture or skin file and its record,
// both through the safe save) and of keeping a document in the history.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "core/documents/history_store.h"
#include "core/editing/document_io.h"
#include "core/editing/document_keeper.h"
#include "core/editing/editor.h"

namespace pictavo {
namespace {

std::filesystem::path TempFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "pictavo-history-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

// A keeper whose clock stands still, whose failures go unsaid and which lets
// work it cannot keep go.
HistoryKeeper FixedClockKeeper(HistoryStore& store) {
  return HistoryKeeper(
      store,
      [] {
        return HistoryTime{"20261208-000000-000", "now"};
      },
      [](const std::string&) {},
      [](DiscardingCommand, DocumentKind, const std::string&) { return true; });
}

void BM_RecoveryWrite(benchmark::State& state) {
  const auto folder = TempFolder();
  HistoryStore store(folder);
  HistoryKeeper keeper = FixedClockKeeper(store);
  Editor editor;
  editor.Start();
  editor.MouseDown(MouseButton::Left, 2, 2);
  editor.MouseUp(MouseButton::Left, 2, 2);
  for (auto _ : state) benchmark::DoNotOptimize(keeper.WriteRecovery(editor));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond);

// A skin of 16 icons of 32 x 32 at 2 bits per pixel with 4 frames each: the
// compression runs at every write.
void BM_RecoveryWriteSkin(benchmark::State& state) {
  const auto folder = TempFolder();
  HistoryStore store(folder);
  HistoryKeeper keeper = FixedClockKeeper(store);
  Skin skin;
  for (int id = 0; id < 16; ++id) {
    TSkinIcon icon;
    icon.IconID = id;
    icon.SubIcons = 4;
    icon.BPP = 2;
    icon.Width = icon.Height = 32;
    for (int i = 0; i < 32 * 32 * 4; ++i)
      icon.Data.push_back(static_cast<std::uint8_t>((i * 7 + id) % 4));
    skin.Append(std::move(icon));
  }
  Editor editor;
  editor.Start();
  OpenSkinIntoEditor(editor, std::move(skin), "");
  if (!keeper.WriteRecovery(editor)) state.SkipWithError("the skin cannot be written");
  for (auto _ : state) benchmark::DoNotOptimize(keeper.WriteRecovery(editor));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryWriteSkin)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pictavo
