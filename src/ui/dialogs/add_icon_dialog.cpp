#include "ui/dialogs/add_icon_dialog.h"

#include <algorithm>
#include <iterator>

#include <QApplication>
#include <QBoxLayout>
#include <QFontInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "core/editing/icon_commands.h"
#include "ui/services/platform_services.h"
#include "ui/services/scaled_sizes.h"

namespace pictavo {

namespace {

QLabel* BoldLabel(const char* name, const char* text, const char* color, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QLatin1String(name));
  label->setStyleSheet(QStringLiteral("font-weight: bold; color: %1;").arg(QLatin1String(color)));
  return label;
}

// A read-only value box that Tab reaches; Up and Down change its value.
QLineEdit* ValueBox(const char* name, const char* hint, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::StrongFocus);
  box->setToolTip(QString::fromLatin1(hint) + QStringLiteral(" (Up and Down change it)"));
  box->setAccessibleName(QString::fromLatin1(hint));
  box->setAlignment(Qt::AlignRight);
  box->setFixedWidth(DesignSize(QSize(33, 21)).width());
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
  setModal(true);

  // Left: the ID box with its note under it, then the size with the width
  // and height boxes side by side. Right: the depth and the sub-icon count.
  // Along the bottom at the right, the two buttons. Each value box has its
  // up and down arrows at its right.
  QLabel* id_label = BoldLabel("Label9", "Icon ID:", "blue", this);
  edit1_ = new QLineEdit(QStringLiteral("0"), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setFixedWidth(DesignSize(QSize(43, 21)).width());
  id_label->setBuddy(edit1_);
  auto* hint = new QLabel(QStringLiteral("(must be valid integer value 1..254)"), this);
  hint->setObjectName(QStringLiteral("Label1"));
  // Small print: 10 pixels beside the application font's usual 12.
  QFont small = hint->font();
  small.setPointSizeF(QFontInfo(small).pointSizeF() * 10.0 / 12.0);
  hint->setFont(small);

  wid_ = ValueBox("WID", "Width", this);
  heig_ = ValueBox("HEIG", "Height", this);
  icon_bpp_edit_ = ValueBox("IconBPPEdit", "Bits per pixel", this);
  current_icon_edit_ = ValueBox("CurrentIconEdit", "Sub-icons", this);

  auto* left = new QGridLayout();
  left->setHorizontalSpacing(6);
  left->setVerticalSpacing(4);
  left->addWidget(id_label, 0, 0);
  left->addWidget(edit1_, 0, 1, 1, 4, Qt::AlignLeft);
  left->addWidget(hint, 1, 0, 1, 5);
  left->addWidget(BoldLabel("Label2", "Size:", "blue", this), 2, 0, Qt::AlignBottom);
  left->addWidget(BoldLabel("Label3", "Width :", "green", this), 3, 0);
  left->addLayout(WithArrows(wid_, "SpeedButton2", &AddIconModel::WidthUp, "SpeedButton4",
                             &AddIconModel::WidthDown),
                  3, 1);
  left->addItem(new QSpacerItem(8, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), 3, 2);
  left->addWidget(BoldLabel("Label4", "Height :", "green", this), 3, 3);
  left->addLayout(WithArrows(heig_, "SpeedButton3", &AddIconModel::HeightUp, "SpeedButton1",
                             &AddIconModel::HeightDown),
                  3, 4);
  left->setRowMinimumHeight(2, 22);
  left->setRowStretch(4, 1);

  auto* right = new QGridLayout();
  right->setHorizontalSpacing(6);
  right->setVerticalSpacing(4);
  right->addWidget(BoldLabel("Label10", "Icon BPP:", "blue", this), 0, 0);
  right->addLayout(WithArrows(icon_bpp_edit_, "SpeedButton45", &AddIconModel::BppUp,
                              "SpeedButton44", &AddIconModel::BppDown),
                   0, 1);
  right->addWidget(BoldLabel("Label11", "SubIcons:", "blue", this), 1, 0);
  right->addLayout(WithArrows(current_icon_edit_, "SpeedButton46", &AddIconModel::SubIconsUp,
                              "SpeedButton47", &AddIconModel::SubIconsDown),
                   1, 1);
  right->setRowStretch(2, 1);

  ok_ = new QPushButton(QStringLiteral("Ok"), this);
  ok_->setObjectName(QStringLiteral("Button1"));
  // Enter anywhere in the dialog means OK; Escape cancels (QDialog's own).
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("Button2"));
  cancel_->setAutoDefault(false);
  // Along the bottom at the right, "Ok" left of "Cancel" whatever the
  // desktop's custom, so no QDialogButtonBox.
  auto* buttons = new QHBoxLayout();
  buttons->setSpacing(9);
  buttons->addStretch(1);
  for (QPushButton* button : {ok_, cancel_}) {
    button->setMinimumSize(DesignSize(QSize(75, 25)));
    buttons->addWidget(button);
  }

  auto* columns = new QHBoxLayout();
  columns->addLayout(left);
  columns->addStretch(1);
  columns->addLayout(right);
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(12, 6, 10, 10);
  rows->setSpacing(2);
  rows->addLayout(columns, 1);
  rows->addLayout(buttons);

  QWidget* const tab_order[] = {edit1_, wid_,   heig_, icon_bpp_edit_, current_icon_edit_,
                                ok_,    cancel_};
  for (std::size_t i = 1; i < std::size(tab_order); ++i) {
    setTabOrder(tab_order[i - 1], tab_order[i]);
  }
  // The window's own size, or what a larger desktop font needs.
  setFixedSize(QSize(405, 147).expandedTo(minimumSizeHint()));

  connect(ok_, &QPushButton::clicked, this, &TAddIconForm::Button1Click);
  connect(cancel_, &QPushButton::clicked, this, &TAddIconForm::Button2Click);
  FormPaint();
}

QLayout* TAddIconForm::WithArrows(QLineEdit* box, const char* up_name, void (AddIconModel::*up)(),
                                  const char* down_name, void (AddIconModel::*down)()) {
  arrow_keys_[box] = {up, down};
  box->installEventFilter(this);
  auto* arrows = new QVBoxLayout();
  arrows->setSpacing(0);
  arrows->addWidget(AddArrow(up_name, true, up));
  arrows->addWidget(AddArrow(down_name, false, down));
  auto* row = new QHBoxLayout();
  row->setSpacing(1);
  row->addWidget(box);
  row->addLayout(arrows);
  return row;
}

QToolButton* TAddIconForm::AddArrow(const char* name, bool up, void (AddIconModel::*step)()) {
  auto* arrow = new QToolButton(this);
  arrow->setObjectName(QLatin1String(name));
  arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
  arrow->setFixedSize(16, 16);
  arrow->setAutoRaise(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  // Held down, an arrow goes on stepping: 4 to 32 is one press.
  arrow->setAutoRepeat(true);
  connect(arrow, &QToolButton::clicked, this, [this, step] {
    (model_.*step)();
    FormPaint();
  });
  return arrow;
}

bool TAddIconForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto found = arrow_keys_.find(watched);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (found != arrow_keys_.end() && (key == Qt::Key_Up || key == Qt::Key_Down)) {
      (model_.*(key == Qt::Key_Up ? found->second.first : found->second.second))();
      FormPaint();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
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
