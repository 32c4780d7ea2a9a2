#include "ui/selection/select_panel.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/editing/editor.h"
#include "core/editing/selection.h"
#include "core/editing/selection_transform.h"
#include "ui/app/platform_services.h"

namespace pictavo {

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
  auto* label = new QLabel(QLatin1String(text), parent);
  label->setObjectName(QLatin1String(name));
  label->move(left, top);
  return label;
}

// The "X1:" .. "Y2:" captions in front of the coordinate boxes.
QLabel* AddCoordinateLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
  QLabel* label = AddLabel(parent, name, text, left, top);
  label->setStyleSheet(QStringLiteral("color: green; font-weight: bold; font-size: 13px;"));
  label->adjustSize();
  return label;
}

QToolButton* AddButton(QWidget* parent, const char* name, const char* hint, const char* icon,
                       int left, int top) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setToolTip(QLatin1String(hint));
  button->setAccessibleName(QLatin1String(hint));
  button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))));
  button->setGeometry(left, top, 23, 22);
  return button;
}

// Read-only, borderless and in the colour of the panel, so the numbers look
// printed on it; a click may still select them for copying, but Tab skips them.
QLineEdit* AddCoordinateBox(QWidget* parent, const char* name, const char* hint, int left,
                            int top) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  box->setToolTip(QLatin1String(hint));
  box->setReadOnly(true);
  box->setFrame(false);
  box->setFocusPolicy(Qt::ClickFocus);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  box->setPalette(palette);
  box->setGeometry(left, top, 32, 16);
  return box;
}

}  // namespace

Tselpanel::Tselpanel(Editor& editor, PlatformServices& services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), editor_(editor), services_(services) {
  setObjectName(QStringLiteral("Tselpanel"));
  setWindowTitle(QStringLiteral("Select tool panel"));
  setFixedSize(136, 159);

  AddLabel(this, "Label1", "Mode", 8, 0);
  select_button_ = AddButton(this, "selectbutton", "Select mode", "select_mode", 8, 16);
  paste_button_ = AddButton(this, "PasteButton", "Paste mode", "paste_mode", 40, 16);
  modes_ = new QButtonGroup(this);
  modes_->setExclusive(true);
  for (QToolButton* mode : {select_button_, paste_button_}) {
    mode->setCheckable(true);
    modes_->addButton(mode);
  }
  select_button_->setChecked(true);

  AddLabel(this, "Label2", "Operation", 8, 40);
  save_button_ = AddButton(this, "SaveButton", "Save select to PTV file", "save_select", 8, 56);
  clear_button_ = AddButton(this, "ClearButton", "Clear select", "clear_select", 40, 56);
  crop_button_ = AddButton(this, "CropButton", "Cut off select", "crop_select", 72, 56);

  AddLabel(this, "Label5", "Transformation", 8, 80);
  rotate_left_ = AddButton(this, "SpeedButton1", "Rotate left (90 degrees)", "rotate_left", 8, 96);
  rotate_right_ =
      AddButton(this, "SpeedButton2", "Rotate right (90 degrees)", "rotate_right", 40, 96);
  flip_horizontal_ =
      AddButton(this, "SpeedButton3", "Flip horizontally", "flip_horizontal", 72, 96);
  flip_vertical_ = AddButton(this, "SpeedButton4", "Flip vertically", "flip_vertical", 104, 96);

  AddCoordinateLabel(this, "labelx1", "X1:", 10, 124);
  AddCoordinateLabel(this, "Label10", "Y1:", 66, 124);
  AddCoordinateLabel(this, "Label3", "X2:", 10, 140);
  AddCoordinateLabel(this, "Label4", "Y2:", 66, 140);
  x1_ = AddCoordinateBox(this, "X1", "coordinate X", 32, 125);
  y1_ = AddCoordinateBox(this, "Y1", "coordinate Y", 88, 125);
  x2_ = AddCoordinateBox(this, "X2", "coordinate X", 32, 141);
  y2_ = AddCoordinateBox(this, "Y2", "coordinate Y", 88, 141);

  connect(select_button_, &QToolButton::clicked, this, &Tselpanel::selectbuttonClick);
  connect(paste_button_, &QToolButton::clicked, this, &Tselpanel::PasteButtonClick);
  connect(save_button_, &QToolButton::clicked, this, &Tselpanel::SaveButtonClick);
  connect(clear_button_, &QToolButton::clicked, this, &Tselpanel::ClearButtonClick);
  connect(crop_button_, &QToolButton::clicked, this, &Tselpanel::CropButtonClick);
  connect(rotate_left_, &QToolButton::clicked, this, &Tselpanel::SpeedButton1Click);
  connect(rotate_right_, &QToolButton::clicked, this, &Tselpanel::SpeedButton2Click);
  connect(flip_horizontal_, &QToolButton::clicked, this, &Tselpanel::SpeedButton3Click);
  connect(flip_vertical_, &QToolButton::clicked, this, &Tselpanel::SpeedButton4Click);

  move(662, 221);
  hide();
  FormCreate();
}

void Tselpanel::ReadModes() {
  editor_.SetSelectPanelModes(select_button_->isChecked(), paste_button_->isChecked());
}

void Tselpanel::FormCreate() { ReadModes(); }

void Tselpanel::selectbuttonClick() {
  ReadModes();
  editor_.Render();
}

void Tselpanel::PasteButtonClick() {
  ReadModes();
  editor_.Render();
}

void Tselpanel::SaveButtonClick() { emit SaveSelectionRequested(); }

void Tselpanel::ClearButtonClick() { ClearSelection(editor_); }

void Tselpanel::CropButtonClick() {
  if (CropToSelection(editor_) == CropResult::TooTall) {
    const std::string text = CropRefusalMessage(editor_.State().Selection.SelectionBuffer.Height);
    services_.ShowMessage(this, QString::fromStdString(text), QStringLiteral("Cut off select"));
  }
}

void Tselpanel::SpeedButton1Click() { RotateSelectionLeft(editor_); }
void Tselpanel::SpeedButton2Click() { RotateSelectionRight(editor_); }
void Tselpanel::SpeedButton3Click() { FlipSelectionHorizontally(editor_); }
void Tselpanel::SpeedButton4Click() { FlipSelectionVertically(editor_); }

void Tselpanel::ShowCapturedBox(int left, int top, int right, int bottom) {
  x1_->setText(QString::number(left));
  y1_->setText(QString::number(top));
  x2_->setText(QString::number(right));
  y2_->setText(QString::number(bottom));
}

void Tselpanel::SetPanelVisible(bool visible) {
  if (visible) {
    show();
    raise();
  } else {
    hide();
  }
}

}  // namespace pictavo
