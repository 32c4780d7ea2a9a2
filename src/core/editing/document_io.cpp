#include "core/editing/document_io.h"

#include <utility>

#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"

namespace pictavo {

void ApplyPictureRecord(EditorState& state, const PictureRecord& record) {
  ApplyPictureRecord(state.Document.Picture, record);
}

void OpenPictureRecord(Editor& editor, const PictureRecord& record) {
  ApplyPictureRecord(editor.MutableState(), record);
  editor.Render();
}

void OpenSkinIntoEditor(Editor& editor, Skin skin) {
  editor.MutableSkin() = std::move(skin);
  EditorState& state = editor.MutableState();
  state.Document.SkinMode = true;
  state.Document.CurrentSubIconIndex = 0;
  if (editor.Skin().Count() > 0) {
    SelectIcon(editor, 0);
  } else {
    // Nothing to load; the redraw still switches the window to the skin layout.
    state.Document.CurrentIconIndex = 0;
    editor.Render();
  }
}

bool StartNewSkin(Editor& editor, TSkinIcon first) {
  if (!IsIconSize(first.Width, first.Height) || first.SubIcons < 1) return false;
  OpenSkinIntoEditor(editor, Skin{});
  return AddIcon(editor, std::move(first));
}

}  // namespace pictavo
