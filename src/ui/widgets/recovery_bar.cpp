#include "ui/widgets/recovery_bar.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace pictavo {

RecoveryBar::RecoveryBar(QWidget* parent)
    : QFrame(parent),
      recover_(new QPushButton(QStringLiteral("&Recover..."), this)),
      dismiss_(new QPushButton(QStringLiteral("&Dismiss"), this)) {
  setObjectName(QStringLiteral("RecoveryBar"));
  setFrameShape(QFrame::StyledPanel);
  // The colours of a tool tip: a note, set apart from the window's panels.
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
  setPalette(colours);

  auto* icon = new QLabel(this);
  const int side = style()->pixelMetric(QStyle::PM_SmallIconSize);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(side, side));
  auto* text = new QLabel(
      QStringLiteral("Unsaved work from the last run, which ended without Exit, was kept."), this);
  text->setObjectName(QStringLiteral("RecoveryText"));
  text->setWordWrap(true);
  recover_->setObjectName(QStringLiteral("RecoverButton"));
  recover_->setToolTip(
      QStringLiteral("Choose the kept work to open (File > Recover Unsaved Work...)"));
  dismiss_->setObjectName(QStringLiteral("DismissButton"));
  dismiss_->setToolTip(
      QStringLiteral("Hide this note; the work stays in File > Recover Unsaved Work..."));

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 3, 6, 3);
  row->addWidget(icon);
  row->addWidget(text, 1);
  row->addWidget(recover_);
  row->addWidget(dismiss_);

  connect(recover_, &QPushButton::clicked, this, [this] {
    hide();
    emit RecoverChosen();
  });
  connect(dismiss_, &QPushButton::clicked, this, &QWidget::hide);
  hide();
}

}  // namespace pictavo
