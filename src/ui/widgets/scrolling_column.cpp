#include "ui/widgets/scrolling_column.h"

#include <QEvent>
#include <QScrollBar>

namespace pictavo {

ScrollingColumn::ScrollingColumn(QWidget* content, QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("LeftColumnScroll"));
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setWidgetResizable(true);
  setWidget(content);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  // The content's own changes (a panel shown or hidden) change its height.
  content->installEventFilter(this);
  FitWidth();
}

int ScrollingColumn::WantedWidth() const {
  const QWidget* content = widget();
  // A column of a fixed width keeps it, whatever its panels would ask for.
  const int content_width =
      content->minimumWidth() > 0 ? content->minimumWidth() : content->minimumSizeHint().width();
  const bool bar = content->minimumSizeHint().height() > height();
  return content_width + (bar ? verticalScrollBar()->sizeHint().width() : 0);
}

QSize ScrollingColumn::sizeHint() const { return {WantedWidth(), widget()->sizeHint().height()}; }

QSize ScrollingColumn::minimumSizeHint() const {
  // Low enough for any window: the rest scrolls.
  return {WantedWidth(), 0};
}

void ScrollingColumn::FitWidth() {
  const int width = WantedWidth();
  if (width != minimumWidth() || width != maximumWidth()) setFixedWidth(width);
}

bool ScrollingColumn::event(QEvent* event) {
  if (event->type() == QEvent::Resize) FitWidth();
  return QScrollArea::event(event);
}

bool ScrollingColumn::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget() && event->type() == QEvent::LayoutRequest) FitWidth();
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace pictavo
