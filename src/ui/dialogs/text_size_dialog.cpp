#include "ui/dialogs/text_size_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/model/picture.h"

namespace pictavo {

namespace {

QSpinBox* SizeBox(const char* name, int most, const QString& tip, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setRange(1, most);
  // A common icon size to start from.
  box->setValue(16);
  box->setToolTip(tip);
  return box;
}

}  // namespace

TextSizeDialog::TextSizeDialog(const QString& file_name, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TextSizeDialog"));
  setWindowTitle(QStringLiteral("Array Size"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setModal(true);

  auto* question = new QLabel(QStringLiteral("\"%1\" holds an array that does not give its size.\n"
                                             "Its width and height in pixels:")
                                  .arg(file_name),
                              this);
  question->setObjectName(QStringLiteral("Question"));

  width_ =
      SizeBox("WidthBox", MaxPictureWidth,
              QStringLiteral("Pixels in a row of the picture, 1 to %1").arg(MaxPictureWidth), this);
  height_ = SizeBox("HeightBox", MaxPictureHeight,
                    QStringLiteral("Rows of the picture, 1 to %1").arg(MaxPictureHeight), this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Width:"), width_);
  form->addRow(QStringLiteral("&Height:"), height_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("Buttons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question);
  layout->addLayout(form);
  layout->addWidget(buttons);
  // As small as its contents, at any desktop font.
  setFixedSize(sizeHint());

  width_->setFocus();
  width_->selectAll();
}

TextSize TextSizeDialog::Size() const { return {width_->value(), height_->value()}; }

}  // namespace pictavo
