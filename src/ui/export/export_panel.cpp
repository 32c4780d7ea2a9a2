#include "ui/export/export_panel.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pictavo {

namespace {

constexpr const char* kItemCaptions[] = {"C++ array format", "ASM 1bpp format", "ASM 2bpp format",
                                         "ASM 4bpp format", "ASM 8bpp format"};
constexpr int kStartItem = 4;  // "ASM 8bpp format"

QPushButton* GlyphButton(const char* name, const char* hint, const char* icon, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setToolTip(QLatin1String(hint));
  button->setAccessibleName(QLatin1String(hint));
  button->setIcon(QIcon(QLatin1String(icon)));
  button->setIconSize(QSize(18, 18));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TForm4"));
  setWindowTitle(QStringLiteral("Move to ClipBoard..."));
  // The panel's small print: 11 pixels beside the application font's usual
  // 12, so the five format items fit the small window.
  QFont small = font();
  small.setPointSizeF(QFontInfo(small).pointSizeF() * 11.0 / 12.0);
  setFont(small);

  formats_ = new QGroupBox(QStringLiteral("Format"), this);
  formats_->setObjectName(QStringLiteral("formats"));
  auto* item_column = new QVBoxLayout(formats_);
  item_column->setContentsMargins(2, 2, 0, 2);
  item_column->setSpacing(1);
  format_group_ = new QButtonGroup(this);
  format_group_->setExclusive(true);
  // The items stand as close as the original's 13-pixel rows allow: as high
  // as their text or their indicator and a pixel either side, rather than
  // the style's roomier rows, which would not fit the 134-pixel panel.
  const int row_height =
      std::max(QFontMetrics(small).height(), style()->pixelMetric(QStyle::PM_IndicatorHeight)) + 2;
  for (int i = 0; i < 5; ++i) {
    auto* item = new QRadioButton(QLatin1String(kItemCaptions[i]), formats_);
    item->setObjectName(QStringLiteral("formats%1").arg(i));
    item->setMinimumHeight(row_height);
    format_group_->addButton(item, i);
    item_column->addWidget(item);
    items_[static_cast<std::size_t>(i)] = item;
  }
  items_[kStartItem]->setChecked(true);

  alignbox_ = new QCheckBox(QStringLiteral("align up to byte"), this);
  alignbox_->setObjectName(QStringLiteral("alignbox"));
  alignbox_->setMinimumHeight(row_height);

  bit_btn1_ = GlyphButton("BitBtn1", "Move to ClipBoard", ":/icons/copy_picture.png", this);
  bit_btn2_ =
      GlyphButton("BitBtn2", "Move to ClipBoard Selected Box", ":/icons/copy_selection.png", this);

  // Format items on the left, the two copy buttons beside them, the align
  // choice underneath.
  auto* buttons = new QVBoxLayout();
  buttons->setContentsMargins(0, 6, 0, 0);
  buttons->setSpacing(6);
  bit_btn1_->setFixedSize(28, 28);
  bit_btn2_->setFixedSize(28, 28);
  buttons->addWidget(bit_btn1_);
  buttons->addWidget(bit_btn2_);
  buttons->addStretch(1);
  auto* top = new QHBoxLayout();
  top->setSpacing(2);
  top->addWidget(formats_, 1);
  top->addLayout(buttons);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 4);
  column->setSpacing(2);
  column->addLayout(top);
  column->addWidget(alignbox_);

  // Arrow keys move between the format items; Tab goes on to the align box
  // and the two buttons.
  setTabOrder(items_[kStartItem], alignbox_);
  setTabOrder(alignbox_, bit_btn1_);
  setTabOrder(bit_btn1_, bit_btn2_);

  // The panel's size, or what a larger desktop font needs.
  setFixedSize(QSize(168, 134).expandedTo(minimumSizeHint()));
}

std::optional<ListingFormat> TForm4::ChosenFormat() const {
  return ListingFormatFromRadioIndex(format_group_->checkedId());
}

bool TForm4::AlignUpToByte() const { return alignbox_->isChecked(); }

void TForm4::keyPressEvent(QKeyEvent* event) {
  // Escape closes a tool window like its close box: it is only hidden.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace pictavo
