// The cost of one recovery write (the picture or skin file and its record,
// both through the safe save) and of keeping a document in the history.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "core/editing/document_keeper.h"
#include "core/editing/editor.h"
#include "core/editing/history_store.h"

namespace pictavo {
namespace {

std::filesystem::path TempFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "pictavo-history-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

void BM_RecoveryWrite(benchmark::State& state) {
  const auto folder = TempFolder();
  HistoryStore store(folder);
  HistoryKeeper keeper(
      store,
      [] {
        return HistoryTime{"20261208-000000-000", "now"};
      },
      [](const std::string&) {});
  Editor editor;
  editor.Start();
  editor.MouseDown(MouseButton::Left, 2, 2);
  editor.MouseUp(MouseButton::Left, 2, 2);
  for (auto _ : state) benchmark::DoNotOptimize(keeper.WriteRecovery(editor));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pictavo
