#pragma once

#include <algorithm>

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QSize>
#include <QSizeF>

namespace pictavo {

// A size in pixels at the usual 9-point application font; a larger desktop
// font makes it grow in proportion, so captions keep fitting.
inline QSize DesignSize(QSize pixels) {
  const qreal scale = std::max(1.0, QFontInfo(QApplication::font()).pointSizeF() / 9.0);
  return (QSizeF(pixels) * scale).toSize();
}

// The font at factor times its size, in points, so text keeps its
// proportion to the desktop's font and scale. Designed at a 9-point font
// of 12 pixels: a 25-pixel caption is the factor 25 / 12.
inline QFont ScaledFont(QFont font, qreal factor) {
  font.setPointSizeF(QFontInfo(font).pointSizeF() * factor);
  return font;
}

}  // namespace pictavo
