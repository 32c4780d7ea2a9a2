#include "ui/widgets/icon_preview.h"

#include <cmath>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"
#include "core/render/preview_raster.h"

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

void IconPreview::SetColors(const CodePalette& colors) {
  if (colors == colors_) return;
  colors_ = colors;
  update();
}

void IconPreview::FitWidthToFrames() {
  // Never more than half the screen: the canvas keeps the rest.
  constexpr int kMinimum = 40;
  const QScreen* shown_on = screen();
  const int limit = shown_on != nullptr ? shown_on->availableGeometry().width() / 2 : 640;
  const TSkinIcon* icon = editor_.CurrentIcon();
  const int wanted = icon != nullptr && editor_.State().Document.SkinMode
                         ? PreviewWidth(height(), *icon, editor_.State().View.PreviewScale, limit)
                         : kMinimum;
  const int width = std::max(wanted, kMinimum);
  if (width != minimumWidth()) setMinimumWidth(width);
}

void IconPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The frames per column follow the height.
  if (event->size().height() != event->oldSize().height()) FitWidthToFrames();
}

void IconPreview::paintEvent(QPaintEvent*) {
  const QColor face = palette().color(QPalette::Button);
  const Rgb background{static_cast<std::uint8_t>(face.red()),
                       static_cast<std::uint8_t>(face.green()),
                       static_cast<std::uint8_t>(face.blue())};
  const int w = width();
  const int h = height();
  if (shown_frame_) {
    DrawPreviewFrame(editor_, *shown_frame_, w, h, background, pixels_, colors_);
  } else {
    DrawPreview(editor_, w, h, background, pixels_, colors_);
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
