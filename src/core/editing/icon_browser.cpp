#include "core/editing/icon_browser.h"

#include "core/editing/editor.h"
#include "core/editing/sub_icon_sync.h"

namespace pictavo {

void LoadSubIcon(Editor& editor) {
  EditScope scope(editor);
  // Every sub-icon shows in the preview what a save will keep of it.
  if (TSkinIcon* icon = scope.CurrentIcon(); icon != nullptr && FitToStoredCodes(*icon)) {
    scope.DocumentChanged();
  }
  const Picture before = editor.State().Document.Picture;
  if (!LoadSubIconIntoPicture(scope.Document(), editor.Skin())) return;
  // In skin mode the Picture now mirrors what the skin holds: nothing to
  // store. Outside it, the Picture is the document and a new one counts.
  scope.ChangedIf(!editor.State().Document.SkinMode && editor.State().Document.Picture != before);
}

}  // namespace pictavo
