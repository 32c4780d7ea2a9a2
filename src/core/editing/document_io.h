#pragma once

#include <string>

#include "core/editing/editor_state.h"
#include "core/formats/picture_file.h"
#include "core/model/skin.h"

namespace pictavo {

class Editor;

// Each of these first keeps the document it replaces; when the keeper stops
// the command, they change nothing and give false.

// Open Picture once the file is read: the document it replaces is kept, then
// the record becomes the Picture with its name and the canvas is drawn again.
bool OpenPictureRecord(Editor& editor, const PictureRecord& record);

// What a successful Open Skin does to the editor: the document it replaces is
// kept, the picture takes the name the skin file holds, the skin replaces the
// old one, skin mode starts on sub-icon 0 and, if there is an icon, icon 0
// becomes current with its first sub-icon in the Picture and an empty undo
// stack.
bool OpenSkinIntoEditor(Editor& editor, Skin skin, std::string name);

// Import Font once the font is made a skin: the document it replaces is
// kept, and the glyph skin opens as a skin file does, under the font's name
// and no file of its own.
bool OpenFontSkinIntoEditor(Editor& editor, Skin skin, std::string name);

// New Skin once its first icon is prepared: the skin in memory is replaced by
// one holding only that icon, made as Add Icon makes it, and skin mode starts
// on it. An icon no skin can hold changes nothing and gives false.
bool StartNewSkin(Editor& editor, TSkinIcon first);

}  // namespace pictavo
