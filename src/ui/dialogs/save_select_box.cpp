#include "ui/dialogs/save_select_box.h"
#include "ui/services/scaled_sizes.h"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace pictavo {

Tsavebox::Tsavebox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tsavebox"));
  setWindowTitle(QStringLiteral("Save Select..."));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setModal(true);

  auto* label = new QLabel(QStringLiteral("Name:"), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setStyleSheet(QStringLiteral("font-weight: bold; color: blue;"));

  edit1_ = new QLineEdit(QStringLiteral("Name"), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setMinimumSize(DesignSize(QSize(137, 21)));
  // The file stores the name's length in 32 bits; the box cuts nothing off.
  edit1_->setMaxLength(std::numeric_limits<int>::max());
  // The name is saved as 8-bit Latin-1, so only what Latin-1 holds may be typed.
  edit1_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*")), edit1_));
  label->setBuddy(edit1_);

  // The one button, "Save...", under the right end of the name box. There
  // is no cancel button: closing the box, Escape included, cancels.
  auto* buttons = new QDialogButtonBox(Qt::Horizontal, this);
  buttons->setObjectName(QStringLiteral("Buttons"));
  button1_ = new QPushButton(QStringLiteral("Save..."), buttons);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setMinimumSize(DesignSize(QSize(75, 25)));
  buttons->addButton(button1_, QDialogButtonBox::AcceptRole);
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &Tsavebox::Button1Click);

  // "Name:" at 8, 10 and its box at 54, 8; the button at 116, 42, right
  // aligned with the box.
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 9, 8);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(10);
  grid->setColumnMinimumWidth(0, 54 - 8 - 2);
  grid->addWidget(label, 0, 0);
  grid->addWidget(edit1_, 0, 1);
  grid->addWidget(buttons, 1, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(2, 1);
  // The window's own size, or what a larger desktop font needs.
  setFixedSize(QSize(200, 76).expandedTo(minimumSizeHint()));

}

QByteArray Tsavebox::Name() const { return edit1_->text().toLatin1(); }

void Tsavebox::SetName(const QByteArray& latin1) {
  edit1_->setText(QString::fromLatin1(latin1));
  edit1_->selectAll();
  edit1_->setFocus();
}

void Tsavebox::Button1Click() { accept(); }

}  // namespace pictavo
