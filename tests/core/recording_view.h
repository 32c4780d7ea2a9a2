#pragma once

#include <vector>

#include "core/editing/editor_view.h"

namespace pictavo::testing {

// Counts what the editor asked of its window.
struct RecordingView : EditorView {
  void Present() override { ++presents; }
  void Rendered() override { ++renders; }
  void UndoControlsChanged(bool available) override { undo_enabled.push_back(available); }
  void SwatchesChanged() override { ++swatch_updates; }
  void ViewControlsChanged() override { ++view_syncs; }
  void CoordinatesChanged(int cx, int cy) override { coordinates.push_back({cx, cy}); }
  void SelectPanelVisibilityChanged(bool visible) override { panel_visible.push_back(visible); }
  void SelectionCoordinatesChanged(const CellRect& rect) override { boxes.push_back(rect); }
  void PreviewChanged() override { ++previews; }

  void Reset() { *this = RecordingView{}; }

  int presents = 0;
  int renders = 0;
  int swatch_updates = 0;
  int view_syncs = 0;
  int previews = 0;
  std::vector<bool> undo_enabled;
  std::vector<CellPoint> coordinates;
  std::vector<bool> panel_visible;
  std::vector<CellRect> boxes;
};

}  // namespace pictavo::testing
