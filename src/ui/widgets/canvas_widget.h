#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include "core/editing/editor.h"
#include "core/render/device_map.h"

class QPainter;

namespace pictavo {

// The paint box `Image1`: shows the top-left 670 x 587 of the canvas bitmap
// and hands mouse presses, moves and releases to the editor.
//
// At a device pixel ratio other than 1 (a scaled desktop) the bitmap is not
// scaled by the painter: it is shown through a DeviceMap, so every grid line
// is equally wide in device pixels, and a pointer position goes through the
// same map, so the cell picked is the cell drawn under the pointer.
class CanvasWidget : public QWidget {
  Q_OBJECT

 public:
  CanvasWidget(Editor& editor, QWidget* parent);

  // What `Present` copies: the shown part of the canvas bitmap, no copy made.
  QImage ShownImage() const;
  // The canvas pixel under a position in this widget's coordinates, at the
  // widget's ratio: floor, then the device map.
  QPoint CanvasPosition(QPointF position);
  // Paints the canvas for a region of the widget at the ratio of the device
  // the painter paints on; the paint event and the tests at other ratios use
  // it.
  void PaintCanvas(QPainter& painter, const QRect& region);

  // The pointer position text; kept but never shown, as hints are off here.
  const QString& Hint() const { return hint_; }
  void SetHint(const QString& hint) { hint_ = hint; }

 signals:
  void Image1_MouseDown(MouseButton button, int x, int y);
  void Image1_MouseMove(int x, int y);
  void Image1_MouseUp(MouseButton button, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The map for a ratio at the current zoom, rebuilt only when one changes.
  const DeviceMap& MapFor(qreal ratio);
  // Copies the device rows first..last - 1 of the shown image from the
  // bitmap through the map.
  void FillDeviceRows(int first, int last);

  Editor& editor_;
  QString hint_;
  DeviceMap map_;
  QImage device_image_;
};

}  // namespace pictavo
