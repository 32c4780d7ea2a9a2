#pragma once

#include <QToolButton>
#include <QWidget>

#include "core/editing/editor.h"

class QMenu;

namespace pictavo {

QColor ToQColor(Rgb rgb);
// The small image of a code's colour used by the palette and the colour menus.
QIcon CodeIcon(PixelCode code);

// A palette button: a left press sets the left colour, a right press the
// right one; the middle button does nothing.
class PaletteButton : public QToolButton {
  Q_OBJECT

 public:
  PaletteButton(const QString& name, PixelCode code, QWidget* parent);

 signals:
  void ColorPressed(MouseButton button, PixelCode code);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  PixelCode code_;
};

// A swatch (`Col`, `ColRight`): filled with its colour, with a pop-up menu of
// the five colours.
class ColorSwatch : public QWidget {
  Q_OBJECT

 public:
  ColorSwatch(const QString& name, QWidget* parent);
  void SetCode(PixelCode code);
  void SetPopupMenu(QMenu* menu) { menu_ = menu; }

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  PixelCode code_ = PixelCode::Black;
  QMenu* menu_ = nullptr;
};

}  // namespace pictavo
