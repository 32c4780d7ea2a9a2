#include "ui/dialogs/import_image_box.h"

#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pictavo {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {}

void ImageBox::SetImage(QImage image) {
  image_ = std::move(image);
  setFixedSize(image_.size());
  update();
}

void ImageBox::SetFrame(const QRect& frame, bool movable) {
  frame_ = frame;
  movable_ = movable && !frame.isEmpty();
  setFocusPolicy(movable_ ? Qt::StrongFocus : Qt::NoFocus);
  setCursor(movable_ ? Qt::SizeAllCursor : Qt::ArrowCursor);
  update();
}

void ImageBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
  if (frame_.isEmpty()) return;
  // Black and white dashes show on any image.
  const QRect edge = frame_.adjusted(0, 0, -1, -1);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(edge);
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.drawRect(edge);
  if (hasFocus()) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(edge.adjusted(1, 1, -1, -1));
  }
}

void ImageBox::mousePressEvent(QMouseEvent* event) {
  if (!movable_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  // Taken inside, the frame keeps its hold; outside, it centres on the point.
  grip_ =
      frame_.contains(at) ? at - frame_.topLeft() : QPoint(frame_.width() / 2, frame_.height() / 2);
  emit FrameDragged(at - grip_);
}

void ImageBox::mouseMoveEvent(QMouseEvent* event) {
  if (!movable_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  emit FrameDragged(event->position().toPoint() - grip_);
}

void ImageBox::keyPressEvent(QKeyEvent* event) {
  const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
  int dx = 0;
  int dy = 0;
  switch (event->key()) {
    case Qt::Key_Left:
      dx = -step;
      break;
    case Qt::Key_Right:
      dx = step;
      break;
    case Qt::Key_Up:
      dy = -step;
      break;
    case Qt::Key_Down:
      dy = step;
      break;
    default:
      return QWidget::keyPressEvent(event);
  }
  if (!movable_) return QWidget::keyPressEvent(event);
  emit FrameStepped(dx, dy);
}

}  // namespace pictavo
