#pragma once

#include <QImage>
#include <QWidget>

#include "core/editing/editor.h"

namespace pictavo {

// The paint box `Image1`: shows the top-left 670 x 587 of the canvas bitmap
// and hands mouse presses, moves and releases to the editor.
class CanvasWidget : public QWidget {
  Q_OBJECT

 public:
  CanvasWidget(Editor& editor, QWidget* parent);

  // What `Present` copies: the shown part of the canvas bitmap, no copy made.
  QImage ShownImage() const;
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
  Editor& editor_;
  QString hint_;
};

}  // namespace pictavo
