#pragma once

#include <map>
#include <utility>

#include <QDialog>

#include "core/editing/add_icon.h"

class QLayout;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace pictavo {

class PlatformServices;

// `TAddIconForm`, "Add Icon": prepares the ID, size, depth and sub-icon count
// of a new icon and lets OK through only when the ID is 1..254 and every
// sub-icon packs into whole bytes. Created once at start-up and only hidden
// afterwards, so each opening starts with what the last one left.
class TAddIconForm : public QDialog {
  Q_OBJECT

 public:
  TAddIconForm(PlatformServices& services, QWidget* parent);

  // The icon prepared so far; its IconID is set when OK is accepted.
  const TSkinIcon& Icon() const { return model_.Icon(); }

 public slots:
  void Button1Click();
  void Button2Click();
  // Shows the four values in their read-only boxes.
  void FormPaint();

 protected:
  void showEvent(QShowEvent* event) override;
  // Up and Down in a value box work its arrows.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* AddArrow(const char* name, bool up, void (AddIconModel::*step)());
  // A value box with its up and down arrows at its right.
  QLayout* WithArrows(QLineEdit* box, const char* up_name, void (AddIconModel::*up)(),
                      const char* down_name, void (AddIconModel::*down)());

  PlatformServices& services_;
  AddIconModel model_;
  QLineEdit* edit1_;
  QLineEdit* wid_;
  QLineEdit* heig_;
  QLineEdit* icon_bpp_edit_;
  QLineEdit* current_icon_edit_;
  QPushButton* ok_;
  QPushButton* cancel_;
  // Each value box with the steps of its up and down arrows.
  std::map<QObject*, std::pair<void (AddIconModel::*)(), void (AddIconModel::*)()>> arrow_keys_;
};

}  // namespace pictavo
