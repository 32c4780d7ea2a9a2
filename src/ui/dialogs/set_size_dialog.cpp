#include "ui/dialogs/set_size_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/editing/icon_commands.h"
#include "core/editing/size_rules.h"
#include "ui/services/file_access.h"
#include "ui/services/platform_services.h"
#include "ui/services/scaled_sizes.h"

namespace pictavo {

TForm2::TForm2(PlatformServices& services, std::function<std::optional<int>()> icon_bpp,
               QWidget* parent)
    : QDialog(parent), services_(services), icon_bpp_(std::move(icon_bpp)) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Set Size"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setModal(true);

  // Two rows, each a caption, its box and a button: "Width" with OK, then
  // "Heigth" with Cancel; at the usual font captions at 16, boxes at 64,
  // buttons at 128, rows at 8 and 40. A larger font widens the columns
  // instead of cutting captions off.
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 8, 11, 8);
  grid->setHorizontalSpacing(7);
  grid->setVerticalSpacing(7);
  grid->setColumnMinimumWidth(0, 64 - 16 - 7);

  auto* label_width = new QLabel(QStringLiteral("Width"), this);
  label_width->setObjectName(QStringLiteral("Label2"));
  auto* label_height = new QLabel(QStringLiteral("Heigth"), this);
  label_height->setObjectName(QStringLiteral("Label1"));

  edit_width_ = new QLineEdit(this);
  edit_width_->setObjectName(QStringLiteral("Edit2"));
  edit_width_->setMaxLength(2);
  label_width->setBuddy(edit_width_);

  edit_height_ = new QLineEdit(this);
  edit_height_->setObjectName(QStringLiteral("Edit1"));
  edit_height_->setMaxLength(2);
  label_height->setBuddy(edit_height_);
  for (QLineEdit* edit : {edit_width_, edit_height_}) {
    edit->setFixedWidth(DesignSize(QSize(57, 21)).width());
    edit->setMinimumHeight(21);
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("Button1"));
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("Button2"));
  cancel_->setAutoDefault(false);
  // The buttons stand beside the boxes, row for row, so they are not in a
  // QDialogButtonBox, which would order them by the desktop's custom.
  for (QPushButton* button : {ok_, cancel_}) button->setFixedSize(DesignSize(QSize(75, 25)));

  grid->addWidget(label_width, 0, 0);
  grid->addWidget(edit_width_, 0, 1);
  grid->addWidget(ok_, 0, 2);
  grid->addWidget(label_height, 1, 0);
  grid->addWidget(edit_height_, 1, 1);
  grid->addWidget(cancel_, 1, 2);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(3, 1);
  // The window's own size, or what a larger desktop font needs.
  setFixedSize(QSize(214, 98).expandedTo(minimumSizeHint()));

  // The height box comes first in the tab order although it stands lower.
  setTabOrder(edit_height_, edit_width_);
  setTabOrder(edit_width_, ok_);
  setTabOrder(ok_, cancel_);

  connect(ok_, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(cancel_, &QPushButton::clicked, this, &TForm2::Button2Click);
}

void TForm2::SetBoxes(int width, int height) {
  edit_width_->setText(QString::number(width));
  edit_height_->setText(QString::number(height));
  edit_height_->setFocus();
  edit_height_->selectAll();
}

void TForm2::Button1Click() {
  const std::optional<int> bpp = icon_bpp_ ? icon_bpp_() : std::nullopt;
  const SetSizeResult result =
      CheckSetSize(edit_height_->text().toStdString(), edit_width_->text().toStdString(), bpp);
  switch (result.check) {
    case SetSizeCheck::Ignored:
      return;
    case SetSizeCheck::InvalidDimensions:
      services_.ShowMessage(this, QStringLiteral("Invalid dimentions."),
                            QStringLiteral("Invalid parameters!"));
      return;
    case SetSizeCheck::InvalidIconParameters:
      services_.ShowMessage(this, Latin1Text(PackingRuleText),
                            Latin1Text(InvalidIconParametersTitle));
      return;
    case SetSizeCheck::Accepted:
      width_ = result.width;
      height_ = result.height;
      accept();
      return;
  }
}

void TForm2::Button2Click() { reject(); }

}  // namespace pictavo
