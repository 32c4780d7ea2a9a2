#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace pictavo {

// An image box: shows one image at full scale and is exactly as large as it.
// It can draw the frame of the part an import takes; a movable frame follows
// the mouse and the arrow keys.
class ImageBox : public QWidget {
  Q_OBJECT

 public:
  explicit ImageBox(QWidget* parent);

  void SetImage(QImage image);
  const QImage& Image() const { return image_; }
  // The frame in the shown image's pixels; an empty one draws nothing.
  void SetFrame(const QRect& frame, bool movable);
  const QRect& Frame() const { return frame_; }

 signals:
  // The mouse dragged the frame: where its top-left corner should go, in
  // shown pixels.
  void FrameDragged(QPoint top_left);
  // An arrow key: one step (ten with Shift) in image pixels.
  void FrameStepped(int dx, int dy);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage image_;
  QRect frame_;
  bool movable_ = false;
  // Where in the frame the mouse took hold of it.
  QPoint grip_;
};

}  // namespace pictavo
