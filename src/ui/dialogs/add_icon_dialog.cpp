#include "ui/dialogs/add_icon_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "core/editing/icon_commands.h"
#include "ui/app/platform_services.h"

namespace pictavo {

namespace {

QLabel* BoldLabel(const char* name, const char* text, const char* color, int x, int y,
                  QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QLatin1String(name));
  label->setStyleSheet(QStringLiteral("font-weight: bold; color: %1;").arg(QLatin1String(color)));
  label->move(x, y);
  label->adjustSize();
  return label;
}

QLineEdit* ValueBox(const char* name, int x, int y, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  box->setAlignment(Qt::AlignRight);
  box->setGeometry(x, y, 33, 21);
  return box;
}

QString Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TAddIconForm::TAddIconForm(PlatformServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setObjectName(QStringLiteral("TAddIconForm"));
  setWindowTitle(QStringLiteral("Add Icon"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFixedSize(405, 147);
  setModal(true);

  QLabel* id_label = BoldLabel("Label9", "Icon ID:", "blue", 12, 14, this);
  edit1_ = new QLineEdit(QStringLiteral("0"), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setGeometry(84, 10, 43, 21);
  id_label->setBuddy(edit1_);
  auto* hint = new QLabel(QStringLiteral("(must be valid integer value 1..254)"), this);
  hint->setObjectName(QStringLiteral("Label1"));
  QFont small = hint->font();
  small.setPixelSize(10);
  hint->setFont(small);
  hint->move(12, 34);
  hint->adjustSize();

  BoldLabel("Label2", "Size:", "blue", 12, 60, this);
  BoldLabel("Label3", "Width :", "green", 12, 90, this);
  wid_ = ValueBox("WID", 70, 86, this);
  AddArrow("SpeedButton2", 104, 80, true, &AddIconModel::WidthUp);
  AddArrow("SpeedButton4", 104, 96, false, &AddIconModel::WidthDown);
  BoldLabel("Label4", "Height :", "green", 132, 90, this);
  heig_ = ValueBox("HEIG", 196, 86, this);
  AddArrow("SpeedButton3", 230, 80, true, &AddIconModel::HeightUp);
  AddArrow("SpeedButton1", 230, 96, false, &AddIconModel::HeightDown);

  BoldLabel("Label10", "Icon BPP:", "blue", 256, 14, this);
  icon_bpp_edit_ = ValueBox("IconBPPEdit", 338, 10, this);
  AddArrow("SpeedButton45", 372, 4, true, &AddIconModel::BppUp);
  AddArrow("SpeedButton44", 372, 20, false, &AddIconModel::BppDown);
  BoldLabel("Label11", "SubIcons:", "blue", 256, 50, this);
  current_icon_edit_ = ValueBox("CurrentIconEdit", 338, 46, this);
  AddArrow("SpeedButton46", 372, 40, true, &AddIconModel::SubIconsUp);
  AddArrow("SpeedButton47", 372, 56, false, &AddIconModel::SubIconsDown);

  ok_ = new QPushButton(QStringLiteral("Ok"), this);
  ok_->setObjectName(QStringLiteral("Button1"));
  ok_->setGeometry(236, 112, 75, 25);
  // Enter anywhere in the dialog means OK; Escape cancels (QDialog's own).
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("Button2"));
  cancel_->setGeometry(320, 112, 75, 25);
  cancel_->setAutoDefault(false);
  setTabOrder(edit1_, ok_);
  setTabOrder(ok_, cancel_);

  connect(ok_, &QPushButton::clicked, this, &TAddIconForm::Button1Click);
  connect(cancel_, &QPushButton::clicked, this, &TAddIconForm::Button2Click);
  FormPaint();
}

QToolButton* TAddIconForm::AddArrow(const char* name, int x, int y, bool up,
                                    void (AddIconModel::*step)()) {
  auto* arrow = new QToolButton(this);
  arrow->setObjectName(QLatin1String(name));
  arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
  arrow->setGeometry(x, y, 16, 16);
  arrow->setAutoRaise(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  connect(arrow, &QToolButton::clicked, this, [this, step] {
    (model_.*step)();
    FormPaint();
  });
  return arrow;
}

void TAddIconForm::FormPaint() {
  const TSkinIcon& icon = model_.Icon();
  wid_->setText(QString::number(icon.Width));
  heig_->setText(QString::number(icon.Height));
  icon_bpp_edit_->setText(QString::number(icon.BPP));
  current_icon_edit_->setText(QString::number(icon.SubIcons));
}

void TAddIconForm::showEvent(QShowEvent* event) {
  FormPaint();
  edit1_->setFocus();
  edit1_->selectAll();
  QDialog::showEvent(event);
}

void TAddIconForm::Button1Click() {
  const AddIconCheck check = model_.Validate(edit1_->text().toStdString());
  if (check != AddIconCheck::Accepted) {
    services_.ShowMessage(this, Text(AddIconCheckText(check)), Text(InvalidIconParametersTitle));
    return;
  }
  accept();
}

void TAddIconForm::Button2Click() { reject(); }

}  // namespace pictavo
