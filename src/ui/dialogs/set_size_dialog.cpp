#include "ui/dialogs/set_size_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/editing/size_rules.h"
#include "ui/app/platform_services.h"

namespace pictavo {

TForm2::TForm2(PlatformServices& services, std::function<std::optional<int>()> icon_bpp,
               QWidget* parent)
    : QDialog(parent), services_(services), icon_bpp_(std::move(icon_bpp)) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Set Size"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFixedSize(214, 98);
  setModal(true);

  auto* label_width = new QLabel(QStringLiteral("Width"), this);
  label_width->setObjectName(QStringLiteral("Label2"));
  label_width->move(16, 12);
  auto* label_height = new QLabel(QStringLiteral("Heigth"), this);
  label_height->setObjectName(QStringLiteral("Label1"));
  label_height->move(16, 45);

  edit_width_ = new QLineEdit(this);
  edit_width_->setObjectName(QStringLiteral("Edit2"));
  edit_width_->setGeometry(64, 8, 57, 21);
  edit_width_->setMaxLength(2);
  label_width->setBuddy(edit_width_);

  edit_height_ = new QLineEdit(this);
  edit_height_->setObjectName(QStringLiteral("Edit1"));
  edit_height_->setGeometry(64, 40, 57, 21);
  edit_height_->setMaxLength(2);
  label_height->setBuddy(edit_height_);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("Button1"));
  ok_->setGeometry(128, 8, 75, 25);
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("Button2"));
  cancel_->setGeometry(128, 40, 75, 25);
  cancel_->setAutoDefault(false);

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
      services_.ShowMessage(this, QStringLiteral("Width * Height * BPP must divide by 8."),
                            QStringLiteral("Invalid icon parameters!"));
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
