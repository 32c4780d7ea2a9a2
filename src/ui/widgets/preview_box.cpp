#include "ui/widgets/preview_box.h"

#include <QBoxLayout>
#include <QFrame>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include "ui/widgets/icon_preview.h"
#include "ui/widgets/panel_controls.h"

namespace pictavo {

PreviewBox::PreviewBox(const Editor& editor, QWidget* parent)
    : QGroupBox(QStringLiteral("Preview"), parent) {
  setObjectName(QStringLiteral("GroupBox2"));
  setMinimumWidth(100);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* zoom_row = new QFrame(this);
  zoom_row->setObjectName(QStringLiteral("Panel7"));
  auto* buttons = new QHBoxLayout(zoom_row);
  buttons->setContentsMargins(0, 0, 0, 0);
  zoom_in_ = GlyphButton(zoom_row, "SpeedButton52", "zoom_in", 32, "Zoom preview in");
  buttons->addWidget(zoom_in_);
  zoom_out_ = GlyphButton(zoom_row, "SpeedButton53", "zoom_out", 34, "Zoom preview out");
  buttons->addWidget(zoom_out_);
  buttons->addStretch(1);
  layout->addWidget(zoom_row);
  // Frame playback: the button plays and stops, the box sets each frame's time.
  auto* play_row = new QHBoxLayout();
  play_row->setContentsMargins(0, 0, 0, 0);
  play_button_ = new QToolButton(this);
  play_button_->setObjectName(QStringLiteral("PlayButton"));
  play_button_->setCheckable(true);
  QIcon play_icon = style()->standardIcon(QStyle::SP_MediaPlay);
  play_icon.addPixmap(style()->standardPixmap(QStyle::SP_MediaStop), QIcon::Normal, QIcon::On);
  play_button_->setIcon(play_icon);
  play_button_->setAutoRaise(true);
  play_button_->setToolTip(QStringLiteral("Play the sub-icons in turn"));
  play_button_->setAccessibleName(QStringLiteral("Play the sub-icons in turn"));
  frame_interval_ = new QSpinBox(this);
  frame_interval_->setObjectName(QStringLiteral("FrameInterval"));
  frame_interval_->setSuffix(QStringLiteral(" ms"));
  frame_interval_->setSingleStep(10);
  frame_interval_->setToolTip(QStringLiteral("How long each frame is shown"));
  frame_interval_->setAccessibleName(QStringLiteral("Frame time"));
  play_row->addWidget(play_button_);
  play_row->addWidget(frame_interval_);
  play_row->addStretch(1);
  layout->addLayout(play_row);
  // `Image3` fills what `Panel7` leaves of the box.
  image3_ = new IconPreview(editor, this);
  layout->addWidget(image3_, 1);
  hide();
}

}  // namespace pictavo
