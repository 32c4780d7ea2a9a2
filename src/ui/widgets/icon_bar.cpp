#include "ui/widgets/icon_bar.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/editing/editor.h"
#include "ui/services/scaled_sizes.h"
#include "ui/widgets/panel_controls.h"
#include "ui/widgets/wrap_layout.h"

namespace pictavo {

IconBar::IconBar(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Panel3"));
  // One row on a wide window; on a narrow one the groups go on below.
  auto* bar = new WrapLayout(this, 4);
  bar->setContentsMargins(4, 2, 4, 2);
  QHBoxLayout* row = ControlGroup(this, bar, 4);
  row->addWidget(BoldLabel("IconID:", "blue", this, "Label9"));
  combo_box_ = new QComboBox(this);
  combo_box_->setObjectName(QStringLiteral("ComboBox1"));
  combo_box_->setEditable(true);
  combo_box_->setInsertPolicy(QComboBox::NoInsert);
  combo_box_->setMinimumWidth(80);
  row->addWidget(combo_box_);
  auto add_glyph = [&](const char* name, const char* icon, int width, const char* hint) {
    QToolButton* button = GlyphButton(this, name, icon, width, hint);
    row->addWidget(button);
    return button;
  };
  add_icon_ = add_glyph("SpeedButton48", "add_icon", 32, "Add icon");
  delete_icon_ = add_glyph("SpeedButton49", "delete_icon", 34, "Delete icon");
  bar->AddGap(8);
  row = ControlGroup(this, bar, 4);
  row->addWidget(BoldLabel("BPP:", "blue", this, "Label10"));
  icon_bpp_edit_ = ReadOnlyBox("IconBPPEdit", 28, this);
  row->addWidget(icon_bpp_edit_);
  bpp_up_ = Arrow(this, "SpeedButton45", true, "Raise the icon's bits per pixel");
  bpp_down_ = Arrow(this, "SpeedButton44", false, "Lower the icon's bits per pixel");
  row->addLayout(ArrowPair(bpp_up_, bpp_down_));
  bar->AddGap(8);
  row = ControlGroup(this, bar, 4);
  row->addWidget(BoldLabel("Current SubIcon:", "blue", this, "Label11"));
  current_icon_edit_ = ReadOnlyBox("CurrentIconEdit", 32, this);
  row->addWidget(current_icon_edit_);
  next_sub_icon_ = Arrow(this, "SpeedButton46", true, "Next sub-icon");
  previous_sub_icon_ = Arrow(this, "SpeedButton47", false, "Previous sub-icon");
  row->addLayout(ArrowPair(next_sub_icon_, previous_sub_icon_));
  add_sub_icon_ =
      add_glyph("SpeedButton50", "add_subicon", 32, "Add sub-icon (copy of the current one)");
  delete_sub_icon_ = add_glyph("SpeedButton51", "delete_subicon", 32, "Delete sub-icon");
  bar->AddGap(12);
  budget_label_ = new QLabel(this);
  budget_label_->setObjectName(QStringLiteral("BudgetLabel"));
  budget_label_->setFont(ScaledFont(budget_label_->font(), 10.0 / 12.0));
  budget_label_->setToolTip(
      QStringLiteral("Packed bytes of the current icon, and of the whole icon stream against "
                     "the 34,442 bytes a skin file holds"));
  bar->addWidget(budget_label_);
  hide();
}

void IconBar::ShowCurrentIcon(const Editor& editor) {
  const DocumentState& document = editor.State().Document;
  const TSkinIcon* icon = editor.CurrentIcon();
  icon_bpp_edit_->setText(icon ? QString::number(icon->BPP) : QString());
  current_icon_edit_->setText(icon ? QString::number(document.CurrentSubIconIndex + 1) : QString());
  const QSignalBlocker blocker(combo_box_);
  if (document.CurrentIconIndex >= 0 && document.CurrentIconIndex < combo_box_->count()) {
    combo_box_->setCurrentIndex(document.CurrentIconIndex);
  }
}

}  // namespace pictavo
