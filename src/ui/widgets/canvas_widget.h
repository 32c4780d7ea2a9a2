#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include "core/editing/editor.h"
#include "core/render/device_map.h"

class QPainter;

namespace pictavo {

// The paint box `Image1`: shows the part of the canvas drawing the editor's
// view holds, as large as this widget, and hands mouse presses, moves and
// releases to the editor in canvas positions (the pointer plus the scroll
// offset). Its size is the view's size; the wheel scrolls the view and,
// with Ctrl, zooms it at the pointer.
//
// At a device pixel ratio other than 1 (a scaled desktop) the bitmap is not
// scaled by the painter: it is shown through a DeviceMap, so every grid line
// is equally wide in device pixels, and a pointer position goes through the
// same map, so the cell picked is the cell drawn under the pointer.
class CanvasWidget : public QWidget {
  Q_OBJECT

 public:
  CanvasWidget(Editor& editor, QWidget* parent);

  // What `Present` copies: the stored view of the canvas bitmap, no copy
  // made.
  QImage ShownImage() const;
  // The view pixel under a position in this widget's coordinates, at the
  // widget's ratio: floor, then the device map.
  QPoint ViewPosition(QPointF position);
  // The canvas pixel under it: the view pixel plus the scroll offset.
  QPoint CanvasPosition(QPointF position);
  // Paints the canvas for a region of the widget at the ratio of the device
  // the painter paints on; the paint event and the tests at other ratios use
  // it.
  void PaintCanvas(QPainter& painter, const QRect& region);

 signals:
  void Image1_MouseDown(MouseButton button, int x, int y);
  void Image1_MouseMove(int x, int y);
  void Image1_MouseUp(MouseButton button, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  // After the view moved under a still pointer: what lies under it now is
  // told as a pointer move, so the status bar, the paste ghost and the
  // rubber band follow.
  void PointerMovedOver(QPointF position);
  // The map for a ratio at the current zoom, rebuilt only when one changes.
  const DeviceMap& MapFor(qreal ratio);
  // Copies the device rows first..last - 1 of the shown image from the
  // bitmap through the map.
  void FillDeviceRows(int first, int last);

  Editor& editor_;
  DeviceMap map_;
  QImage device_image_;
  // Wheel turns towards the next zoom step, in eighths of a degree.
  int zoom_turn_ = 0;
};

// Canvas pixels one scroll-bar arrow click moves at a zoom; a wheel notch
// moves the desktop's wheel lines times this.
int CanvasScrollStep(int pixel_size);

}  // namespace pictavo
