#include "ui/widgets/canvas_scroll_area.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include "ui/widgets/canvas_widget.h"

namespace pictavo {

CanvasScrollArea::CanvasScrollArea(Editor& editor, QWidget* parent)
    : QWidget(parent),
      editor_(editor),
      canvas_(new CanvasWidget(editor, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      corner_(new QWidget(this)) {
  setObjectName(QStringLiteral("CanvasScrollArea"));
  horizontal_->setObjectName(QStringLiteral("CanvasHorizontalBar"));
  vertical_->setObjectName(QStringLiteral("CanvasVerticalBar"));
  horizontal_->setAccessibleName(tr("Scroll the picture sideways"));
  vertical_->setAccessibleName(tr("Scroll the picture up and down"));
  corner_->setAutoFillBackground(true);
  corner_->setBackgroundRole(QPalette::Window);
  for (QWidget* hidden :
       {static_cast<QWidget*>(horizontal_), static_cast<QWidget*>(vertical_), corner_}) {
    hidden->hide();
  }
  setMinimumSize(200, 150);
  connect(horizontal_, &QScrollBar::valueChanged, this, &CanvasScrollArea::BarMoved);
  connect(vertical_, &QScrollBar::valueChanged, this, &CanvasScrollArea::BarMoved);
}

void CanvasScrollArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void CanvasScrollArea::LayOut() {
  const EditorState& s = editor_.State();
  const int drawing_width = DrawingLength(s.Document.Picture.Width, s.View.PixelSize);
  const int drawing_height = DrawingLength(s.Document.Picture.Height, s.View.PixelSize);
  const int bar_height = horizontal_->sizeHint().height();
  const int bar_width = vertical_->sizeHint().width();
  // One bar takes room from the other axis and may make it need a bar too.
  bool across = drawing_width > width();
  bool down = drawing_height > height() - (across ? bar_height : 0);
  across = drawing_width > width() - (down ? bar_width : 0);
  down = drawing_height > height() - (across ? bar_height : 0);

  const int view_width = width() - (down ? bar_width : 0);
  const int view_height = height() - (across ? bar_height : 0);
  horizontal_->setGeometry(0, view_height, view_width, bar_height);
  vertical_->setGeometry(view_width, 0, bar_width, view_height);
  corner_->setGeometry(view_width, view_height, bar_width, bar_height);
  horizontal_->setVisible(across);
  vertical_->setVisible(down);
  corner_->setVisible(across && down);
  // Sends the canvas its resize now when shown, so the view redraws at its
  // new size before the bars are set.
  canvas_->setGeometry(0, 0, view_width, view_height);
}

void CanvasScrollArea::SyncScrollBars() {
  LayOut();
  const EditorState& s = editor_.State();
  const Viewport& shown = s.View.Shown;
  const int p = s.View.PixelSize;
  const auto set = [p](QScrollBar* bar, int drawing, int view, int offset) {
    const QSignalBlocker blocker(bar);
    bar->setRange(0, MaxScroll(drawing, view));
    bar->setPageStep(view);
    bar->setSingleStep(CanvasScrollStep(p));
    bar->setValue(offset);
  };
  set(horizontal_, DrawingLength(s.Document.Picture.Width, p), shown.Width, shown.Left);
  set(vertical_, DrawingLength(s.Document.Picture.Height, p), shown.Height, shown.Top);
}

void CanvasScrollArea::BarMoved() { editor_.ScrollTo(horizontal_->value(), vertical_->value()); }

}  // namespace pictavo
