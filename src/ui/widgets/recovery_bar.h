#pragma once

#include <QFrame>

class QPushButton;

namespace pictavo {

// The bar above the canvas that says work a run that ended without Exit
// left unsaved was kept, with "Recover..." and "Dismiss". It stays until
// one of them is chosen.
class RecoveryBar : public QFrame {
  Q_OBJECT

 public:
  explicit RecoveryBar(QWidget* parent);

  QPushButton* RecoverButton() const { return recover_; }
  QPushButton* DismissButton() const { return dismiss_; }

 signals:
  // "Recover...": the bar is gone and the history's window should open.
  void RecoverChosen();

 private:
  QPushButton* recover_;
  QPushButton* dismiss_;
};

}  // namespace pictavo
