#include "ui/widgets/canvas_scroll_area.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

#include "ui/widgets/canvas_widget.h"

namespace pictavo {

CanvasScrollArea::CanvasScrollArea(Editor& editor, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor), canvas_(new CanvasWidget(editor, this)) {
  setObjectName(QStringLiteral("CanvasScrollArea"));
  setFrameShape(QFrame::NoFrame);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  setViewport(canvas_);
  // The canvas keeps its own focus: a click gives it the keys' focus, and
  // no key scrolls the view.
  canvas_->setFocusProxy(nullptr);
  setFocusPolicy(Qt::NoFocus);
  canvas_->ungrabGesture(Qt::PanGesture);
  horizontalScrollBar()->setObjectName(QStringLiteral("CanvasHorizontalBar"));
  verticalScrollBar()->setObjectName(QStringLiteral("CanvasVerticalBar"));
  horizontalScrollBar()->setAccessibleName(tr("Scroll the picture sideways"));
  verticalScrollBar()->setAccessibleName(tr("Scroll the picture up and down"));
  // Small enough for the rest of the window to fit a low, scaled screen.
  setMinimumSize(120, 90);
}

bool CanvasScrollArea::event(QEvent* event) {
  // The base class lays the bars and the canvas out for the new size by the
  // bars' ranges, so those are set for that size first.
  if (event->type() == QEvent::Resize) SetRangesForSize();
  return QAbstractScrollArea::event(event);
}

void CanvasScrollArea::SetRangesForSize() {
  const EditorState& s = editor_.State();
  const int drawing_width = DrawingLength(s.Document.Picture.Width, s.View.PixelSize);
  const int drawing_height = DrawingLength(s.Document.Picture.Height, s.View.PixelSize);
  const int bar_height = horizontalScrollBar()->sizeHint().height();
  const int bar_width = verticalScrollBar()->sizeHint().width();
  bool across = drawing_width > width();
  bool down = drawing_height > height() - (across ? bar_height : 0);
  across = drawing_width > width() - (down ? bar_width : 0);
  down = drawing_height > height() - (across ? bar_height : 0);
  const QScopedValueRollback<bool> syncing(syncing_, true);
  horizontalScrollBar()->setRange(0, MaxScroll(drawing_width, width() - (down ? bar_width : 0)));
  verticalScrollBar()->setRange(0, MaxScroll(drawing_height, height() - (across ? bar_height : 0)));
}

void CanvasScrollArea::SyncScrollBars() {
  SetRangesForSize();
  // Lays the bars and the canvas out now rather than on the next turn of
  // the event loop; the canvas's resize tells the editor its view.
  setViewportMargins(0, 0, 0, 0);
  const EditorState& s = editor_.State();
  const Viewport& shown = s.View.Shown;
  const int p = s.View.PixelSize;
  const QScopedValueRollback<bool> syncing(syncing_, true);
  const auto set = [p](QScrollBar* bar, int drawing, int view, int offset) {
    bar->setRange(0, MaxScroll(drawing, view));
    bar->setPageStep(view);
    bar->setSingleStep(CanvasScrollStep(p));
    bar->setValue(offset);
  };
  set(horizontalScrollBar(), DrawingLength(s.Document.Picture.Width, p), shown.Width, shown.Left);
  set(verticalScrollBar(), DrawingLength(s.Document.Picture.Height, p), shown.Height, shown.Top);
}

void CanvasScrollArea::scrollContentsBy(int, int) {
  if (!syncing_) editor_.ScrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

}  // namespace pictavo
