#pragma once

#include <QWidget>

#include "core/editing/editor.h"

class QScrollBar;

namespace pictavo {

class CanvasWidget;

// The canvas with its scroll bars. The canvas takes what room the bars
// leave; a bar shows only while the drawing at the current zoom is longer
// than the view along its axis. Moving a bar scrolls the editor's view.
class CanvasScrollArea : public QWidget {
  Q_OBJECT

 public:
  CanvasScrollArea(Editor& editor, QWidget* parent);

  CanvasWidget* Canvas() const { return canvas_; }
  QScrollBar* HorizontalBar() const { return horizontal_; }
  QScrollBar* VerticalBar() const { return vertical_; }

  // After each full redraw: the bars the drawing needs now, their ranges
  // and their positions at the view's offset.
  void SyncScrollBars();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Shows the bars the drawing needs in this area's size and places the
  // canvas and the bars; the canvas's resize tells the editor its view.
  void LayOut();
  void BarMoved();

  Editor& editor_;
  CanvasWidget* canvas_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  QWidget* corner_;
};

}  // namespace pictavo
