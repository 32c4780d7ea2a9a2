#include "core/editing/icon_browser.h"

#include "core/editing/editor.h"
#include "core/editing/sub_icon_sync.h"

namespace pictavo {

void LoadSubIcon(Editor& editor) {
  if (LoadSubIconIntoPicture(editor.MutableState().Document, editor.Skin())) editor.Render();
}

}  // namespace pictavo
