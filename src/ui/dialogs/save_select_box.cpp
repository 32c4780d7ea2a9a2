#include "ui/dialogs/save_select_box.h"

#include <limits>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace pictavo {

Tsavebox::Tsavebox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tsavebox"));
  setWindowTitle(QStringLiteral("Save Select..."));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFixedSize(200, 76);
  setModal(true);

  auto* label = new QLabel(QStringLiteral("Name:"), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setStyleSheet(QStringLiteral("font-weight: bold; color: blue;"));
  label->move(8, 10);

  edit1_ = new QLineEdit(QStringLiteral("Name"), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setGeometry(54, 8, 137, 21);
  // The file stores the name's length in 32 bits; the box cuts nothing off.
  edit1_->setMaxLength(std::numeric_limits<int>::max());
  // The name is saved as 8-bit Latin-1, so only what Latin-1 holds may be typed.
  edit1_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*")), edit1_));
  label->setBuddy(edit1_);

  button1_ = new QPushButton(QStringLiteral("Save..."), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(116, 42, 75, 25);
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &Tsavebox::Button1Click);

  move(431, 361);
}

QByteArray Tsavebox::Name() const { return edit1_->text().toLatin1(); }

void Tsavebox::SetName(const QByteArray& latin1) {
  edit1_->setText(QString::fromLatin1(latin1));
  edit1_->selectAll();
  edit1_->setFocus();
}

void Tsavebox::Button1Click() { accept(); }

}  // namespace pictavo
