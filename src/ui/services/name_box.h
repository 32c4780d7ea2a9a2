#pragma once

#include <QByteArray>

class QLineEdit;
class QWidget;

namespace pictavo {

// The name box `Edit1`: a large font, at most 16 typed characters, only what
// Latin-1 can hold, and wide enough to show all 16 in its own font.
QLineEdit* CreateNameBox(QWidget* parent);

// `PictureName`: the text of the name box as 8-bit Latin-1 bytes.
QByteArray PictureName(const QLineEdit& name_box);
// Sets the name box; a name read from a file may be longer than the 16
// characters the box lets the user type.
void SetPictureName(QLineEdit& name_box, const QByteArray& latin1);

}  // namespace pictavo
