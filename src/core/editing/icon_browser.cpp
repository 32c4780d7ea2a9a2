#include "core/editing/icon_browser.h"

#include <cstdint>
#include <vector>

#include "core/editing/editor.h"
#include "core/editing/sub_icon_sync.h"

namespace pictavo {

void LoadSubIcon(Editor& editor) {
  EditScope scope(editor);
  // Every sub-icon shows in the preview what a save will keep of it.
  if (TSkinIcon* icon = scope.CurrentIcon()) {
    const std::vector<std::uint8_t> before = icon->Data;
    FitToStoredCodes(*icon);
    if (icon->Data != before) scope.ChangedUndrawn();
  }
  // The Picture now shows the sub-icon the skin holds: nothing to store.
  if (LoadSubIconIntoPicture(scope.Document(), editor.Skin())) scope.Redraw();
}

}  // namespace pictavo
