#include "ui/widgets/canvas_widget.h"

#include <algorithm>
#include <cstring>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWheelEvent>

namespace pictavo {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

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

// The ratio of what the painter really paints on: the screen's backing
// store, a grab's pixmap or an image given to render().
qreal TargetRatio(QPainter& painter) {
  const QPaintEngine* engine = painter.paintEngine();
  const QPaintDevice* target = engine != nullptr ? engine->paintDevice() : nullptr;
  if (target == nullptr) target = painter.device();
  return target != nullptr ? target->devicePixelRatio() : 1.0;
}

}  // namespace

CanvasWidget::CanvasWidget(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
  setObjectName(QStringLiteral("Image1"));
  setCursor(Qt::PointingHandCursor);
  setMouseTracking(true);  // the status bar follows the pointer without a button held
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int CanvasScrollStep(int pixel_size) { return std::max(pixel_size, 20); }

QImage CanvasWidget::ShownImage() const {
  const CanvasRaster& raster = editor_.Canvas();
  return QImage(reinterpret_cast<const uchar*>(raster.Pixels()), raster.Width(), raster.Height(),
                raster.Width() * 4, QImage::Format_RGB32);
}

const DeviceMap& CanvasWidget::MapFor(qreal ratio) {
  const int pixel_size = editor_.State().View.PixelSize;
  const Viewport& view = editor_.Canvas().View();
  if (!map_.Matches(ratio, pixel_size, view.Width, view.Height, view.Left, view.Top)) {
    map_ = DeviceMap(ratio, pixel_size, view.Width, view.Height, view.Left, view.Top);
    device_image_ =
        QImage(map_.Columns.DeviceLength(), map_.Rows.DeviceLength(), QImage::Format_RGB32);
    device_image_.setDevicePixelRatio(ratio);
  }
  return map_;
}

void CanvasWidget::FillDeviceRows(int first, int last) {
  const std::vector<int>& columns = map_.Columns.Table();
  const std::vector<int>& rows = map_.Rows.Table();
  const CanvasRaster& raster = editor_.Canvas();
  const std::uint32_t* pixels = raster.Pixels();
  const int width = device_image_.width();
  for (int y = first; y < last; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(device_image_.scanLine(y));
    const int row = rows[static_cast<std::size_t>(y)];
    // A logical row shown on several device rows is mapped once.
    if (y > first && row == rows[static_cast<std::size_t>(y) - 1]) {
      std::memcpy(line, device_image_.constScanLine(y - 1), sizeof(std::uint32_t) * width);
      continue;
    }
    if (row >= raster.Height()) {
      std::fill(line, line + width, kWhite);
      continue;
    }
    const std::uint32_t* source = pixels + static_cast<std::size_t>(row) * raster.Width();
    for (int x = 0; x < width; ++x) {
      const int column = columns[static_cast<std::size_t>(x)];
      line[x] = column < raster.Width() ? source[column] : kWhite;
    }
  }
}

void CanvasWidget::PaintCanvas(QPainter& painter, const QRect& region) {
  // Beyond the stored view (until the view has followed a resize) the
  // canvas stays white.
  const QImage shown = ShownImage();
  if (!QRect(QPoint(0, 0), shown.size()).contains(region)) painter.fillRect(region, Qt::white);
  const qreal ratio = TargetRatio(painter);
  if (ratio == 1.0) {
    const QRect source = region & shown.rect();
    if (!source.isEmpty()) painter.drawImage(source.topLeft(), shown, source);
    return;
  }
  const DeviceMap& map = MapFor(ratio);
  // The device rows the region touches, one more at each end for a region
  // edge inside a device pixel.
  const int height = device_image_.height();
  const int first = std::clamp(map.Rows.DeviceAt(region.top()) - 1, 0, height);
  const int last = std::clamp(map.Rows.DeviceAt(region.top() + region.height()) + 1, 0, height);
  FillDeviceRows(first, last);
  painter.drawImage(QPointF(0, 0), device_image_);
}

QPoint CanvasWidget::ViewPosition(QPointF position) {
  const DeviceMap& map = MapFor(devicePixelRatio());
  return {map.Columns.LogicalAt(position.x()), map.Rows.LogicalAt(position.y())};
}

QPoint CanvasWidget::CanvasPosition(QPointF position) {
  const Viewport& view = editor_.Canvas().View();
  return ViewPosition(position) + QPoint(view.Left, view.Top);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintCanvas(painter, event->rect());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);  // so menu shortcuts reach their commands after drawing
  editor_.SetShiftHeld(event->modifiers() & Qt::ShiftModifier);
  if (const auto button = ToMouseButton(event->button())) {
    const QPoint p = CanvasPosition(event->position());
    emit Image1_MouseDown(*button, p.x(), p.y());
  }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  editor_.SetShiftHeld(event->modifiers() & Qt::ShiftModifier);
  const QPoint p = CanvasPosition(event->position());
  emit Image1_MouseMove(p.x(), p.y());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  editor_.SetShiftHeld(event->modifiers() & Qt::ShiftModifier);
  if (const auto button = ToMouseButton(event->button())) {
    const QPoint p = CanvasPosition(event->position());
    emit Image1_MouseUp(*button, p.x(), p.y());
  }
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  editor_.SetViewSize(width(), height());
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
  const QPoint turn = event->angleDelta();
  if (event->modifiers() & Qt::ControlModifier) {
    // One rung of the zoom ladder per notch; finer wheels add up to whole
    // notches.
    zoom_turn_ += turn.y() != 0 ? turn.y() : turn.x();
    const int steps = zoom_turn_ / 120;
    zoom_turn_ -= steps * 120;
    if (steps != 0) {
      const QPoint at = ViewPosition(event->position());
      editor_.ZoomAt(steps, at.x(), at.y());
      PointerMovedOver(event->position());
    }
    event->accept();
    return;
  }
  QPoint delta = event->pixelDelta();
  if (delta.isNull()) {
    const int notch_pixels =
        QApplication::wheelScrollLines() * CanvasScrollStep(editor_.State().View.PixelSize);
    delta = turn * notch_pixels / 120;
  }
  // Shift turns the wheel sideways; some systems already did.
  if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0) delta = {delta.y(), 0};
  editor_.ScrollBy(-delta.x(), -delta.y());
  PointerMovedOver(event->position());
  event->accept();
}

// Shift pressed or let go while a shape is dragged: the ghost keeps up
// without waiting for the pointer to move.
void CanvasWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Shift && underMouse()) {
    editor_.SetShiftHeld(true);
    PointerMovedOver(mapFromGlobal(QCursor::pos()));
  }
  QWidget::keyPressEvent(event);
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Shift && underMouse()) {
    editor_.SetShiftHeld(false);
    PointerMovedOver(mapFromGlobal(QCursor::pos()));
  }
  QWidget::keyReleaseEvent(event);
}

void CanvasWidget::PointerMovedOver(QPointF position) {
  const QPoint p = CanvasPosition(position);
  emit Image1_MouseMove(p.x(), p.y());
}

}  // namespace pictavo
