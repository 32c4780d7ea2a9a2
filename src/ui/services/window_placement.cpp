#include "ui/services/window_placement.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "core/editing/editor.h"

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

// Where a window goes on the available area, given its frame's size.
using Placement = std::function<QPoint(const QRect& area, QSize frame)>;

class FirstShowPlacer : public QObject {
 public:
  FirstShowPlacer(QWidget& window, const QWidget& main_window, Placement placement)
      : QObject(&window), main_window_(&main_window), placement_(std::move(placement)) {
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
    // A window that was never shown has no frame yet: count one as wide as
    // the main window's.
    QSize size = window.frameGeometry().size();
    if (size == window.size()) size += main_window_->frameGeometry().size() - main_window_->size();
    window.move(placement_(AvailableArea(*main_window_), size));
  }

  QPointer<const QWidget> main_window_;
  Placement placement_;
};

// The canvas's visible cells in screen positions: the part of the view the
// picture's drawing covers.
QRect VisibleCanvasCells(const QWidget& main_window, const Editor& editor) {
  const auto* canvas = main_window.findChild<const QWidget*>(QStringLiteral("Image1"));
  if (canvas == nullptr) return {};
  const EditorState& s = editor.State();
  const int p = s.View.PixelSize;
  const int width = DrawingLength(s.Document.Picture.Width, p) - s.View.Shown.Left;
  const int height = DrawingLength(s.Document.Picture.Height, p) - s.View.Shown.Top;
  return QRect(canvas->mapToGlobal(QPoint(0, 0)), QSize(std::clamp(width, 0, canvas->width()),
                                                        std::clamp(height, 0, canvas->height())));
}

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
  const QPointer<const QWidget> main(&main_window);
  new FirstShowPlacer(window, main_window, [main, offset](const QRect& area, QSize size) {
    const QPoint wanted = main->frameGeometry().topLeft() + offset;
    return QPoint(Within(wanted.x(), size.width(), area.left(), area.right()),
                  Within(wanted.y(), size.height(), area.top(), area.bottom()));
  });
}

QPoint PanelPosition(const QRect& area, const QRect& main_frame, const QRect& keep_clear,
                     QSize panel, int top_offset) {
  const int top = Within(main_frame.top() + top_offset, panel.height(), area.top(), area.bottom());
  if (main_frame.right() + panel.width() <= area.right()) return {main_frame.right() + 1, top};
  if (main_frame.left() - panel.width() >= area.left())
    return {main_frame.left() - panel.width(), top};
  // Over the main window: the corner that hides least of the cells, the
  // bottom right first (it is usually furthest from the picture's origin).
  const int left = main_frame.left();
  const int right = main_frame.right() - panel.width() + 1;
  const int upper = main_frame.top();
  const int lower = main_frame.bottom() - panel.height() + 1;
  const std::array<QPoint, 4> corners = {QPoint(right, lower), QPoint(right, upper),
                                         QPoint(left, lower), QPoint(left, upper)};
  QPoint best;
  qint64 least = -1;
  for (const QPoint& corner : corners) {
    const QPoint held(Within(corner.x(), panel.width(), area.left(), area.right()),
                      Within(corner.y(), panel.height(), area.top(), area.bottom()));
    const QRect hidden = QRect(held, panel).intersected(keep_clear);
    const qint64 covered = hidden.isEmpty() ? 0 : qint64{hidden.width()} * hidden.height();
    if (least < 0 || covered < least) {
      least = covered;
      best = held;
    }
  }
  return best;
}

void PlaceBesideWhenFirstShown(QWidget& panel, const QWidget& main_window, const Editor& editor,
                               int top_offset) {
  const QPointer<const QWidget> main(&main_window);
  new FirstShowPlacer(panel, main_window,
                      [main, &editor, top_offset](const QRect& area, QSize size) {
                        return PanelPosition(area, main->frameGeometry(),
                                             VisibleCanvasCells(*main, editor), size, top_offset);
                      });
}

}  // namespace pictavo
