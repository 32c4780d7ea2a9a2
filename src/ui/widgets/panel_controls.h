#pragma once

#include <QIcon>

class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace pictavo {

// The controls the main window's panels are made of, so every bar shows
// its captions, number boxes and buttons alike.

// An image of the program's resources by its file name, without ".png".
QIcon ResourceIcon(const char* name);

// An icon-only button of the icon bar or the preview box; its hint is its
// tool tip and its name for screen readers.
QToolButton* GlyphButton(QWidget* parent, const char* name, const char* icon, int width,
                         const char* hint);

// A bold caption in a colour given by its name.
QLabel* BoldLabel(const char* text, const char* color, QWidget* parent, const char* name = nullptr);

// A number box the user reads but does not type in.
QLineEdit* ReadOnlyBox(const char* name, int width, QWidget* parent);

// A small arrow button beside a number box.
QToolButton* Arrow(QWidget* parent, const char* name, bool up, const char* hint = nullptr);

// An up arrow over a down arrow.
QVBoxLayout* ArrowPair(QToolButton* up, QToolButton* down);

// A row of controls that a bar keeps together when it wraps: a widget in
// `bar`'s layout whose own row, returned, lays them out with `spacing`.
QHBoxLayout* ControlGroup(QWidget* bar, QLayout* bar_layout, int spacing);

}  // namespace pictavo
