#include "ui/selection/select_panel.h"

#include <algorithm>
#include <initializer_list>
#include <tuple>

#include <QBoxLayout>
#include <QButtonGroup>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/editing/editor.h"
#include "core/editing/selection.h"
#include "core/editing/selection_transform.h"
#include "ui/services/platform_services.h"

namespace pictavo {

namespace {

// A section caption ("Mode", "Operation", "Transformation"), 16 pixels high
// at the usual font.
QLabel* AddLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QLatin1String(text), parent);
  label->setObjectName(QLatin1String(name));
  label->setMinimumHeight(16);
  return label;
}

// The "X1:" .. "Y2:" captions in front of the coordinate boxes: green,
// bold, 13 pixels beside the application font's usual 12.
QLabel* AddCoordinateLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QLatin1String(text), parent);
  label->setObjectName(QLatin1String(name));
  QFont font = label->font();
  font.setPointSizeF(QFontInfo(font).pointSizeF() * 13.0 / 12.0);
  font.setBold(true);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: green;"));
  return label;
}

QToolButton* AddButton(QWidget* parent, const char* name, const char* hint, const char* icon) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setToolTip(QLatin1String(hint));
  button->setAccessibleName(QLatin1String(hint));
  button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))));
  button->setFixedSize(23, 22);
  return button;
}

// A row of buttons 32 pixels apart from the left.
QHBoxLayout* ButtonRow(std::initializer_list<QToolButton*> buttons) {
  auto* row = new QHBoxLayout();
  row->setSpacing(32 - 23);
  for (QToolButton* button : buttons) row->addWidget(button);
  row->addStretch(1);
  return row;
}

// From a caption's left edge to its box's (10 to 32, 66 to 88).
constexpr int kCaptionToBox = 22;

// Read-only and borderless on the panel's own ground, so the numbers look
// printed on it; a click may still select them for copying, but Tab skips
// them. The box keeps its place, 32 x 16 less the pixel it sits lower than
// its caption; a caption wider than the 22 pixels before the box (a bold
// 13-pixel "X1:" in a wide font) reaches under the box's transparent
// ground, and the box's text starts after it.
QLineEdit* AddCoordinateBox(QWidget* parent, const char* name, const char* hint,
                            const QLabel* caption) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  box->setToolTip(QLatin1String(hint));
  box->setReadOnly(true);
  box->setFrame(false);
  box->setFocusPolicy(Qt::ClickFocus);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, Qt::transparent);
  box->setPalette(palette);
  const int overlap = std::max(
      0, QFontMetrics(caption->font()).horizontalAdvance(caption->text()) - kCaptionToBox + 1);
  box->setTextMargins(overlap, 0, 0, 0);
  const int digits = box->fontMetrics().horizontalAdvance(QStringLiteral("888")) + 4;
  box->setFixedSize(std::max(32, overlap + digits), 15);
  return box;
}

}  // namespace

Tselpanel::Tselpanel(Editor& editor, PlatformServices& services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), editor_(editor), services_(services) {
  setObjectName(QStringLiteral("Tselpanel"));
  setWindowTitle(QStringLiteral("Select tool panel"));

  QLabel* mode_label = AddLabel(this, "Label1", "Mode");
  select_button_ = AddButton(this, "selectbutton", "Select mode", "select_mode");
  paste_button_ = AddButton(this, "PasteButton", "Paste mode", "paste_mode");
  modes_ = new QButtonGroup(this);
  modes_->setExclusive(true);
  for (QToolButton* mode : {select_button_, paste_button_}) {
    mode->setCheckable(true);
    modes_->addButton(mode);
  }
  select_button_->setChecked(true);

  QLabel* operation_label = AddLabel(this, "Label2", "Operation");
  save_button_ = AddButton(this, "SaveButton", "Save select to PTV file", "save_select");
  clear_button_ = AddButton(this, "ClearButton", "Clear select", "clear_select");
  crop_button_ = AddButton(this, "CropButton", "Cut off select", "crop_select");

  QLabel* transformation_label = AddLabel(this, "Label5", "Transformation");
  rotate_left_ = AddButton(this, "SpeedButton1", "Rotate left (90 degrees)", "rotate_left");
  rotate_right_ = AddButton(this, "SpeedButton2", "Rotate right (90 degrees)", "rotate_right");
  flip_horizontal_ = AddButton(this, "SpeedButton3", "Flip horizontally", "flip_horizontal");
  flip_vertical_ = AddButton(this, "SpeedButton4", "Flip vertically", "flip_vertical");

  // "X1:" at 10, 124 with its box at 32, 125; "Y1:" at 66 with its box at
  // 88; the second row 16 pixels lower.
  QLabel* x1_label = AddCoordinateLabel(this, "labelx1", "X1:");
  QLabel* y1_label = AddCoordinateLabel(this, "Label10", "Y1:");
  QLabel* x2_label = AddCoordinateLabel(this, "Label3", "X2:");
  QLabel* y2_label = AddCoordinateLabel(this, "Label4", "Y2:");
  x1_ = AddCoordinateBox(this, "X1", "coordinate X", x1_label);
  y1_ = AddCoordinateBox(this, "Y1", "coordinate Y", y1_label);
  x2_ = AddCoordinateBox(this, "X2", "coordinate X", x2_label);
  y2_ = AddCoordinateBox(this, "Y2", "coordinate Y", y2_label);
  auto* coordinates = new QGridLayout();
  coordinates->setContentsMargins(2, 0, 0, 0);
  coordinates->setHorizontalSpacing(2);
  coordinates->setVerticalSpacing(0);
  coordinates->setColumnMinimumWidth(0, kCaptionToBox - 2);
  coordinates->setColumnMinimumWidth(2, kCaptionToBox - 2);
  const std::tuple<QLabel*, QLineEdit*, int, int> cells[] = {
      {x1_label, x1_, 0, 0}, {y1_label, y1_, 0, 2}, {x2_label, x2_, 1, 0}, {y2_label, y2_, 1, 2}};
  for (const auto& [caption, box, row, column] : cells) {
    coordinates->addWidget(caption, row, column, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    coordinates->addWidget(box, row, column + 1, Qt::AlignLeft | Qt::AlignBottom);
    box->raise();  // over the end of its caption, for the pointer as well
    coordinates->setRowMinimumHeight(row, 16);
  }
  coordinates->setColumnStretch(4, 1);

  // Sections top to bottom at 0, 40 and 80, each a caption over its row of
  // buttons; the coordinates from 124.
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 0, 8, 3);
  column->setSpacing(0);
  column->addWidget(mode_label);
  column->addLayout(ButtonRow({select_button_, paste_button_}));
  column->addSpacing(2);
  column->addWidget(operation_label);
  column->addLayout(ButtonRow({save_button_, clear_button_, crop_button_}));
  column->addSpacing(2);
  column->addWidget(transformation_label);
  column->addLayout(ButtonRow({rotate_left_, rotate_right_, flip_horizontal_, flip_vertical_}));
  column->addSpacing(6);
  column->addLayout(coordinates);
  column->addStretch(1);
  setFixedSize(QSize(136, 159).expandedTo(minimumSizeHint()));

  connect(select_button_, &QToolButton::clicked, this, &Tselpanel::selectbuttonClick);
  connect(paste_button_, &QToolButton::clicked, this, &Tselpanel::PasteButtonClick);
  connect(save_button_, &QToolButton::clicked, this, &Tselpanel::SaveButtonClick);
  connect(clear_button_, &QToolButton::clicked, this, &Tselpanel::ClearButtonClick);
  connect(crop_button_, &QToolButton::clicked, this, &Tselpanel::CropButtonClick);
  connect(rotate_left_, &QToolButton::clicked, this, &Tselpanel::SpeedButton1Click);
  connect(rotate_right_, &QToolButton::clicked, this, &Tselpanel::SpeedButton2Click);
  connect(flip_horizontal_, &QToolButton::clicked, this, &Tselpanel::SpeedButton3Click);
  connect(flip_vertical_, &QToolButton::clicked, this, &Tselpanel::SpeedButton4Click);

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
