#pragma once

#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace pictavo {

class Editor;

// The icon bar `Panel3`, shown in skin mode: the icon combo box, the buttons
// that add and delete icons and sub-icons, the icon's bits per pixel and the
// current sub-icon with their arrows, and the byte budget. The skin
// commands connect its controls; the bar only shows the current icon.
class IconBar : public QFrame {
  Q_OBJECT

 public:
  explicit IconBar(QWidget* parent);

  // Shows the current icon's bits per pixel, its current sub-icon and its
  // item in the combo box; selecting the item runs no command.
  void ShowCurrentIcon(const Editor& editor);

  QComboBox* ComboBox1() const { return combo_box_; }
  QToolButton* SpeedButton48() const { return add_icon_; }
  QToolButton* SpeedButton49() const { return delete_icon_; }
  QToolButton* SpeedButton45() const { return bpp_up_; }
  QToolButton* SpeedButton44() const { return bpp_down_; }
  QToolButton* SpeedButton46() const { return next_sub_icon_; }
  QToolButton* SpeedButton47() const { return previous_sub_icon_; }
  QToolButton* SpeedButton50() const { return add_sub_icon_; }
  QToolButton* SpeedButton51() const { return delete_sub_icon_; }
  QLabel* BudgetLabel() const { return budget_label_; }

 private:
  QComboBox* combo_box_;
  QToolButton* add_icon_;
  QToolButton* delete_icon_;
  QLineEdit* icon_bpp_edit_;
  QToolButton* bpp_up_;
  QToolButton* bpp_down_;
  QLineEdit* current_icon_edit_;
  QToolButton* next_sub_icon_;
  QToolButton* previous_sub_icon_;
  QToolButton* add_sub_icon_;
  QToolButton* delete_sub_icon_;
  QLabel* budget_label_;
};

}  // namespace pictavo
