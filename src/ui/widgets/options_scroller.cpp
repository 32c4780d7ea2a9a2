#include "ui/widgets/options_scroller.h"

#include <algorithm>

#include <QEvent>
#include <QScrollBar>

namespace pictavo {

OptionsScroller::OptionsScroller(QWidget* options, QWidget* parent) : QScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(options);
  setMinimumHeight(std::min(options->sizeHint().height(), 4 * fontMetrics().height()));
  // An option shown or hidden changes the room they ask for.
  options->installEventFilter(this);
}

QSize OptionsScroller::sizeHint() const {
  const QSize options = widget()->sizeHint();
  return {options.width() + verticalScrollBar()->sizeHint().width(), options.height()};
}

bool OptionsScroller::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace pictavo
