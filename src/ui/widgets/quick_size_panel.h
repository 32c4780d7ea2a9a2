#pragma once

#include <QFrame>

#include "core/editing/editor.h"

namespace pictavo {

// The "Quick size" panel `Panel6`, shown outside skin mode: a button for
// each of the usual widths in the left column and heights in the right one,
// each setting the picture's width or height to its number.
class QuickSizePanel : public QFrame {
  Q_OBJECT

 public:
  QuickSizePanel(Editor& editor, QWidget* parent);

  // Widths, then heights, each in rising order.
  void SpeedButton42Click() { editor_.SetWidthQuick(2); }
  void SpeedButton19Click() { editor_.SetWidthQuick(3); }
  void SpeedButton38Click() { editor_.SetWidthQuick(4); }
  void SpeedButton10Click() { editor_.SetWidthQuick(5); }
  void SpeedButton40Click() { editor_.SetWidthQuick(6); }
  void SpeedButton17Click() { editor_.SetWidthQuick(7); }
  void SpeedButton16Click() { editor_.SetWidthQuick(8); }
  void SpeedButton18Click() { editor_.SetWidthQuick(9); }
  void SpeedButton11Click() { editor_.SetWidthQuick(10); }
  void SpeedButton12Click() { editor_.SetWidthQuick(15); }
  void SpeedButton13Click() { editor_.SetWidthQuick(20); }
  void SpeedButton14Click() { editor_.SetWidthQuick(25); }
  void SpeedButton15Click() { editor_.SetWidthQuick(30); }
  void SpeedButton20Click() { editor_.SetWidthQuick(50); }
  void SpeedButton21Click() { editor_.SetWidthQuick(70); }
  void SpeedButton22Click() { editor_.SetWidthQuick(96); }
  void SpeedButton43Click() { editor_.SetHeightQuick(2); }
  void SpeedButton28Click() { editor_.SetHeightQuick(3); }
  void SpeedButton39Click() { editor_.SetHeightQuick(4); }
  void SpeedButton37Click() { editor_.SetHeightQuick(5); }
  void SpeedButton41Click() { editor_.SetHeightQuick(6); }
  void SpeedButton30Click() { editor_.SetHeightQuick(7); }
  void SpeedButton31Click() { editor_.SetHeightQuick(8); }
  void SpeedButton29Click() { editor_.SetHeightQuick(9); }
  void SpeedButton36Click() { editor_.SetHeightQuick(10); }
  void SpeedButton35Click() { editor_.SetHeightQuick(15); }
  void SpeedButton34Click() { editor_.SetHeightQuick(20); }
  void SpeedButton33Click() { editor_.SetHeightQuick(25); }
  void SpeedButton32Click() { editor_.SetHeightQuick(30); }
  void SpeedButton27Click() { editor_.SetHeightQuick(50); }
  void SpeedButton26Click() { editor_.SetHeightQuick(70); }
  void SpeedButton25Click() { editor_.SetHeightQuick(92); }

 private:
  Editor& editor_;
};

}  // namespace pictavo
