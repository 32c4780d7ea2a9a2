#include "ui/widgets/picture_bar.h"

#include <tuple>
#include <utility>

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/editing/editor.h"
#include "ui/widgets/panel_controls.h"
#include "ui/widgets/wrap_layout.h"

namespace pictavo {

PictureBar::PictureBar(Editor& editor, QLineEdit* name_box, QWidget* parent)
    : QFrame(parent), editor_(editor) {
  setObjectName(QStringLiteral("Panel2"));
  // One row on a wide window; on a narrow one the groups go on below.
  auto* bar = new WrapLayout(this, 4);
  bar->setContentsMargins(4, 2, 4, 2);

  QHBoxLayout* row = ControlGroup(this, bar, 4);
  QLabel* name_label = BoldLabel("&Name:", "blue", this, "Label1");
  row->addWidget(name_label);
  name_label->setBuddy(name_box);
  row->addWidget(name_box);
  bar->AddGap(8);

  // A caption, a read-only number box and its up and down arrows, which
  // repeat while held.
  auto add_number = [&](const char* caption, const char* color, const char* box_name,
                        std::pair<const char*, const char*> up, void (PictureBar::*up_handler)(),
                        std::pair<const char*, const char*> down,
                        void (PictureBar::*down_handler)()) {
    row->addWidget(BoldLabel(caption, color, this));
    QLineEdit* box = ReadOnlyBox(box_name, 32, this);
    row->addWidget(box);
    QToolButton* up_arrow = Arrow(this, up.first, true, up.second);
    QToolButton* down_arrow = Arrow(this, down.first, false, down.second);
    for (QToolButton* arrow : {up_arrow, down_arrow}) arrow->setAutoRepeat(true);
    connect(up_arrow, &QToolButton::clicked, this, up_handler);
    connect(down_arrow, &QToolButton::clicked, this, down_handler);
    row->addLayout(ArrowPair(up_arrow, down_arrow));
    return std::tuple(box, up_arrow, down_arrow);
  };
  QToolButton* width_up;
  QToolButton* width_down;
  QToolButton* height_up;
  QToolButton* height_down;
  row = ControlGroup(this, bar, 4);
  row->addWidget(BoldLabel("Size:", "blue", this));
  std::tie(wid_, width_up, width_down) = add_number(
      "Width :", "green", "WID", {"SpeedButton2", "Width up"}, &PictureBar::SpeedButton2Click,
      {"SpeedButton4", "Width down"}, &PictureBar::SpeedButton4Click);
  row = ControlGroup(this, bar, 4);
  std::tie(heig_, height_up, height_down) = add_number(
      "Height :", "green", "HEIG", {"SpeedButton3", "Height up"}, &PictureBar::SpeedButton3Click,
      {"SpeedButton1", "Height down"}, &PictureBar::SpeedButton1Click);
  row = ControlGroup(this, bar, 4);
  std::tie(psize_, std::ignore, std::ignore) =
      add_number("Pixel Size :", "blue", "PSIZE", {"SpeedButton23", "Pixel size up"},
                 &PictureBar::SpeedButton23Click, {"SpeedButton24", "Pixel size down"},
                 &PictureBar::SpeedButton24Click);
  size_arrows_ = {height_down, width_up, height_up, width_down};
}

void PictureBar::ShowSize() {
  const EditorState& s = editor_.State();
  wid_->setText(QString::number(s.Document.Picture.Width));
  heig_->setText(QString::number(s.Document.Picture.Height));
  psize_->setText(QString::number(s.View.PixelSize));
}

void PictureBar::SetSizeArrowsEnabled(bool enabled) {
  for (QToolButton* arrow : size_arrows_) arrow->setEnabled(enabled);
}

void PictureBar::SpeedButton2Click() { editor_.WidthUp(); }
void PictureBar::SpeedButton4Click() { editor_.WidthDown(); }
void PictureBar::SpeedButton3Click() { editor_.HeightUp(); }
void PictureBar::SpeedButton1Click() { editor_.HeightDown(); }
void PictureBar::SpeedButton23Click() { editor_.PixelSizeUp(); }
void PictureBar::SpeedButton24Click() { editor_.PixelSizeDown(); }

}  // namespace pictavo
