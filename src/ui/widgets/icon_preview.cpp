#include "ui/widgets/icon_preview.h"

#include <cmath>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"

namespace pictavo {

IconPreview::IconPreview(const Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
  setObjectName(QStringLiteral("Image3"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMinimumSize(40, 40);
}

void IconPreview::SetShownFrame(std::optional<int> frame) {
  if (frame == shown_frame_) return;
  shown_frame_ = frame;
  update();
}

void IconPreview::paintEvent(QPaintEvent*) {
  const QColor face = palette().color(QPalette::Button);
  const Rgb background{static_cast<std::uint8_t>(face.red()),
                       static_cast<std::uint8_t>(face.green()),
                       static_cast<std::uint8_t>(face.blue())};
  const int w = width();
  const int h = height();
  if (shown_frame_) {
    DrawPreviewFrame(editor_, *shown_frame_, w, h, background, pixels_);
  } else {
    DrawPreview(editor_, w, h, background, pixels_);
  }
  if (w <= 0 || h <= 0) return;
  const QImage image(reinterpret_cast<const uchar*>(pixels_.data()), w, h, w * 4,
                     QImage::Format_RGB32);
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image);
}

void IconPreview::mouseReleaseEvent(QMouseEvent* event) {
  // The preview pixel under the pointer: floor, not rounding, so a release
  // on the right half of a pixel does not reach the next one.
  const QPointF position = event->position();
  const QPoint p(static_cast<int>(std::floor(position.x())),
                 static_cast<int>(std::floor(position.y())));
  // A press that started here may end anywhere; only a release over the box
  // chooses a sub-icon.
  if (rect().contains(p)) emit Image3MouseUp(p.x(), p.y());
}

}  // namespace pictavo
