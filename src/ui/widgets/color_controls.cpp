#include "ui/widgets/color_controls.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace pictavo {

QColor ToQColor(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

QIcon CodeIcon(PixelCode code) {
  static const char* const names[] = {"color_black", "color_gray66", "color_gray33", "color_white",
                                      "color_transparent"};
  return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(names[ToInt(code)])));
}

PaletteButton::PaletteButton(const QString& name, PixelCode code, QWidget* parent)
    : QToolButton(parent), code_(code) {
  setObjectName(name);
  setIcon(CodeIcon(code));
  setIconSize(QSize(13, 13));
  setFixedSize(17, 17);
  setAutoRaise(true);
  setToolTip(QString::fromLatin1(CodeCaption(code).data(),
                                 static_cast<qsizetype>(CodeCaption(code).size())));
}

void PaletteButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit ColorPressed(MouseButton::Left, code_);
  } else if (event->button() == Qt::RightButton) {
    emit ColorPressed(MouseButton::Right, code_);
  }
  QToolButton::mousePressEvent(event);
}

ColorSwatch::ColorSwatch(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFixedSize(24, 24);
  setContextMenuPolicy(Qt::DefaultContextMenu);
}

void ColorSwatch::SetCode(PixelCode code) {
  code_ = code;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(ColorOf(code_)));
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Clicked();
}

void ColorSwatch::contextMenuEvent(QContextMenuEvent* event) {
  if (menu_ != nullptr) menu_->exec(event->globalPos());
}

}  // namespace pictavo
