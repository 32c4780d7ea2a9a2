#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace pictavo {

class Editor;

// Gives the main window its start size where that fits the available area of
// its screen (and as much of it as fits otherwise, at any scale factor), and
// centres the window on that area.
void FitOnScreen(QWidget& main_window, QSize start_size);

// When `window` is first shown, puts it at `offset` from the top-left of the
// main window's frame, moved as little as needed to lie on the available
// area of the main window's screen. Later shows leave it where it was.
void PlaceWhenFirstShown(QWidget& window, const QWidget& main_window, QPoint offset);

// Where a tool panel whose frame is `panel` opens, all in screen positions:
// beside the main window's frame, right of it and then left of it, at
// `top_offset` below its top, where the available `area` has room; else over
// the corner of the main window that covers least of `keep_clear` (the
// canvas's visible cells), and none of them where a corner can; always on
// the area as far as the panel fits it.
QPoint PanelPosition(const QRect& area, const QRect& main_frame, const QRect& keep_clear,
                     QSize panel, int top_offset);

// When `panel` is first shown, puts it where PanelPosition says, keeping the
// cells the canvas shows then clear. Later shows leave it where it was.
void PlaceBesideWhenFirstShown(QWidget& panel, const QWidget& main_window, const Editor& editor,
                               int top_offset);

}  // namespace pictavo
