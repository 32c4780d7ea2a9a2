#include "ui/services/window_placement.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace pictavo {

namespace {

QRect AvailableArea(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

// The left or top edge that keeps [start, start + length) inside [low, high],
// or at low when it is longer than the whole range.
int Within(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length + 1));
}

class FirstShowPlacer : public QObject {
 public:
  FirstShowPlacer(QWidget& window, const QWidget& main_window, QPoint offset)
      : QObject(&window), main_window_(&main_window), offset_(offset) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // The show event comes before the window is mapped, so it appears in place.
    if (event->type() == QEvent::Show && watched == parent()) {
      auto& window = static_cast<QWidget&>(*watched);
      if (main_window_ != nullptr) Place(window);
      window.removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  void Place(QWidget& window) const {
    const QRect area = AvailableArea(*main_window_);
    const QPoint wanted = main_window_->frameGeometry().topLeft() + offset_;
    // A window that was never shown has no frame yet: count one as wide as
    // the main window's.
    QSize size = window.frameGeometry().size();
    if (size == window.size()) size += main_window_->frameGeometry().size() - main_window_->size();
    window.move(Within(wanted.x(), size.width(), area.left(), area.right()),
                Within(wanted.y(), size.height(), area.top(), area.bottom()));
  }

  QPointer<const QWidget> main_window_;
  QPoint offset_;
};

}  // namespace

void FitOnScreen(QWidget& main_window, QSize start_size) {
  const QRect area = AvailableArea(main_window);
  if (area.isEmpty()) {
    main_window.resize(start_size);
    return;
  }
  // The frame is not known before the window is shown: leave room for a
  // title bar and borders of the style's sizes.
  const QStyle* style = main_window.style();
  const int title = style->pixelMetric(QStyle::PM_TitleBarHeight);
  const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QSize frame(2 * border, title + border);
  const QSize size = start_size.boundedTo(area.size() - frame);
  main_window.resize(size);
  // move() places the frame.
  main_window.move(
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size + frame, area).topLeft());
}

void PlaceWhenFirstShown(QWidget& window, const QWidget& main_window, QPoint offset) {
  new FirstShowPlacer(window, main_window, offset);
}

}  // namespace pictavo
