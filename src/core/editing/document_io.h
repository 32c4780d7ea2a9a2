#pragma once

#include "core/editing/editor_state.h"
#include "core/formats/picture_file.h"
#include "core/model/skin.h"

namespace pictavo {

class Editor;

// Writes the record's codes into Cells[1..width][1..height] and sets Width and
// Height; cells outside keep their codes. The name is the window's (Edit1).
// No undo step and no redraw. A record that does not fit is ignored.
void ApplyPictureRecord(EditorState& state, const PictureRecord& record);

// Open Picture once the file is read: the record becomes the Picture and the
// canvas is drawn again.
void OpenPictureRecord(Editor& editor, const PictureRecord& record);

// What a successful Open Skin does to the editor: the skin replaces the old
// one, skin mode starts on sub-icon 0 and, if there is an icon, icon 0 becomes
// current with its first sub-icon in the Picture and an empty undo stack.
void OpenSkinIntoEditor(Editor& editor, Skin skin);

// New Skin once its first icon is prepared: the skin in memory is replaced by
// one holding only that icon, made as Add Icon makes it, and skin mode starts
// on it. An icon no skin can hold changes nothing and gives false.
bool StartNewSkin(Editor& editor, TSkinIcon first);

}  // namespace pictavo
