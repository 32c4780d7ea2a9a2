#include "core/editing/icon_browser.h"

#include "core/editing/editor.h"
#include "core/editing/sub_icon_sync.h"

namespace pictavo {

void LoadSubIcon(Editor& editor) {
  // Every sub-icon shows in the preview what a save will keep of it.
  if (TSkinIcon* icon = editor.CurrentIcon()) FitToStoredCodes(*icon);
  if (LoadSubIconIntoPicture(editor.MutableState().Document, editor.Skin())) editor.Render();
}

}  // namespace pictavo
