#include "ui/widgets/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace pictavo {

namespace {

std::optional<MouseButton> ToMouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

}  // namespace

CanvasWidget::CanvasWidget(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
  setObjectName(QStringLiteral("Image1"));
  setCursor(Qt::PointingHandCursor);
  setMouseTracking(true);  // the status bar follows the pointer without a button held
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
}

QImage CanvasWidget::ShownImage() const {
  const CanvasRaster& raster = editor_.Canvas();
  return QImage(reinterpret_cast<const uchar*>(raster.Pixels()), CanvasRaster::StoredWidth,
                CanvasRaster::StoredHeight, CanvasRaster::StoredWidth * 4, QImage::Format_RGB32);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // Beyond the shown area the canvas stays white.
  painter.fillRect(event->rect(), Qt::white);
  painter.drawImage(QPoint(0, 0), ShownImage());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);  // so menu shortcuts reach their commands after drawing
  if (const auto button = ToMouseButton(event->button())) {
    const QPoint p = event->position().toPoint();
    emit Image1_MouseDown(*button, p.x(), p.y());
  }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit Image1_MouseMove(p.x(), p.y());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (const auto button = ToMouseButton(event->button())) {
    const QPoint p = event->position().toPoint();
    emit Image1_MouseUp(*button, p.x(), p.y());
  }
}

}  // namespace pictavo
