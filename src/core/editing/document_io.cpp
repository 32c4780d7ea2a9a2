#include "core/editing/document_io.h"

#include <utility>

#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"

namespace pictavo {

namespace {

void ReplaceSkin(Editor& editor, Skin skin) {
  EditScope scope(editor);
  DocumentState& document = scope.Document();
  if (!document.SkinMode || !(editor.Skin() == skin)) scope.DocumentChanged();
  scope.Skin() = std::move(skin);
  document.SkinMode = true;
  document.CurrentSubIconIndex = 0;
  if (editor.Skin().Count() > 0) {
    SelectIcon(editor, 0);
  } else {
    // Nothing to load; the redraw still switches the window to the skin layout.
    document.CurrentIconIndex = 0;
    scope.Redraw();
  }
}

}  // namespace

bool OpenPictureRecord(Editor& editor, const PictureRecord& record) {
  if (!editor.KeepBeforeDiscard(DiscardingCommand::OpenPicture)) return false;
  editor.SetPictureName(record.name);
  EditScope scope(editor);
  const Picture before = editor.State().Document.Picture;
  ApplyPictureRecord(scope.Document().Picture, record);
  scope.ChangedIf(editor.State().Document.Picture != before);
  return true;
}

bool OpenSkinIntoEditor(Editor& editor, Skin skin, std::string name) {
  if (!editor.KeepBeforeDiscard(DiscardingCommand::OpenSkin)) return false;
  editor.SetPictureName(std::move(name));
  ReplaceSkin(editor, std::move(skin));
  return true;
}

bool OpenFontSkinIntoEditor(Editor& editor, Skin skin, std::string name) {
  if (!editor.KeepBeforeDiscard(DiscardingCommand::ImportFont)) return false;
  editor.SetFilePath({});
  editor.SetPictureName(std::move(name));
  ReplaceSkin(editor, std::move(skin));
  return true;
}

bool StartNewSkin(Editor& editor, TSkinIcon first) {
  if (!IsIconSize(first.Width, first.Height) || first.SubIcons < 1) return false;
  if (!editor.KeepBeforeDiscard(DiscardingCommand::NewSkin)) return false;
  editor.SetFilePath({});
  ReplaceSkin(editor, Skin{});
  return AddIcon(editor, std::move(first));
}

}  // namespace pictavo
