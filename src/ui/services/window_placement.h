#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace pictavo {

// Gives the main window its start size where that fits the available area of
// its screen (and as much of it as fits otherwise, at any scale factor), and
// centres the window on that area.
void FitOnScreen(QWidget& main_window, QSize start_size);

// When `window` is first shown, puts it at `offset` from the top-left of the
// main window's frame, moved as little as needed to lie on the available
// area of the main window's screen. Later shows leave it where it was.
void PlaceWhenFirstShown(QWidget& window, const QWidget& main_window, QPoint offset);

}  // namespace pictavo
