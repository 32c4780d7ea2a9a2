#pragma once

#include <array>
#include <optional>

#include <QWidget>

#include "core/formats/listing.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace pictavo {

// `TForm4`, "Move to ClipBoard...": the floating export panel. It offers every
// format for the whole picture or the selected box, with an align choice of its
// own. Closing it only hides it, so it keeps its choices until shown again.
class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent);

  // The format of the chosen "Format" item, none when no item is chosen.
  std::optional<ListingFormat> ChosenFormat() const;
  // The state of `alignbox`.
  bool AlignUpToByte() const;

  QPushButton* BitBtn1() const { return bit_btn1_; }
  QPushButton* BitBtn2() const { return bit_btn2_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QGroupBox* formats_;
  std::array<QRadioButton*, 5> items_{};
  QButtonGroup* format_group_;
  QCheckBox* alignbox_;
  QPushButton* bit_btn1_;
  QPushButton* bit_btn2_;
};

}  // namespace pictavo
