#include "ui/app/about_box.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace pictavo {

TAbout::TAbout(QWidget* parent)
    : QDialog(parent), background_(QStringLiteral(":/icons/about_background.png")) {
  setObjectName(QStringLiteral("TAbout"));
  setWindowTitle(QStringLiteral("About Dravik Pictavo"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(332, 240);
  setModal(true);

  QFont font = this->font();
  font.setPixelSize(16);
  font.setBold(true);
  auto* brand = new QLabel(QStringLiteral("Dravik"), this);
  brand->setObjectName(QStringLiteral("Label2"));
  brand->setFont(font);
  brand->setStyleSheet(QStringLiteral("color: navy; background: transparent;"));
  brand->move(16, 12);
  product_ = new QLabel(QStringLiteral("Pictavo v.2.0"), this);
  product_->setObjectName(QStringLiteral("Label3"));
  product_->setFont(font);
  product_->setStyleSheet(QStringLiteral("color: navy; background: transparent;"));
  product_->setMinimumWidth(250);
  product_->move(16, 36);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  ok->setGeometry(332 - 75 - 12, 240 - 25 - 12, 75, 25);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAbout::SetProductText(const QString& text) { product_->setText(text); }

void TAbout::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(135, 206, 235));  // sky blue under the picture
  if (!background_.isNull()) painter.drawPixmap(rect(), background_);
}

}  // namespace pictavo
