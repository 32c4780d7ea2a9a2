#pragma once

#include <QAbstractScrollArea>
#include <QSize>

#include "core/editing/editor.h"

class QScrollBar;

namespace pictavo {

class CanvasWidget;

// The canvas with its scroll bars: the canvas is the viewport. A bar shows
// only while the drawing at the current zoom is longer than the view along
// its axis. The editor holds the scroll offset: the bars show it, and
// moving one scrolls the editor's view, which redraws the canvas.
class CanvasScrollArea : public QAbstractScrollArea {
  Q_OBJECT

 public:
  CanvasScrollArea(Editor& editor, QWidget* parent);

  CanvasWidget* Canvas() const { return canvas_; }

  // After each full redraw: the bars the drawing needs now, their ranges
  // and their positions at the view's offset.
  void SyncScrollBars();

  // The canvas takes what room the window gives it and asks for none.
  QSize sizeHint() const override { return QWidget::sizeHint(); }

 protected:
  bool event(QEvent* event) override;
  // The canvas draws and takes the pointer and the wheel itself.
  bool viewportEvent(QEvent*) override { return false; }
  void scrollContentsBy(int dx, int dy) override;

 private:
  // The ranges of the bars the drawing needs in this area's size: one bar
  // takes room from the other axis and may make it need a bar too.
  void SetRangesForSize();

  Editor& editor_;
  CanvasWidget* canvas_;
  // Set while the bars are set from the editor, so that does not scroll it.
  bool syncing_ = false;
};

}  // namespace pictavo
