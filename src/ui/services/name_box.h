#pragma once

#include <QByteArray>

class QLineEdit;
class QWidget;

namespace pictavo {

class Editor;

// The name box `Edit1`: a large font, at most 16 typed characters, only what
// Latin-1 can hold, and wide enough to show all 16 in its own font. It shows
// the editor's `PictureName`, and what is typed into it becomes that name.
QLineEdit* CreateNameBox(Editor& editor, QWidget* parent);

// Shows the editor's name in the box; a name read from a file may be longer
// than the 16 characters the box lets the user type.
void ShowPictureName(QLineEdit& name_box, const Editor& editor);

// `PictureName` as the windows pass it on: 8-bit Latin-1 bytes.
QByteArray PictureName(const Editor& editor);
void SetPictureName(Editor& editor, const QByteArray& latin1);

}  // namespace pictavo
