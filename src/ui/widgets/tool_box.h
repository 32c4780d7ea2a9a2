#pragma once

#include <QFrame>

#include "core/editing/editor.h"

class QAction;

namespace pictavo {

class ColorSwatch;

// The tools' actions, one exclusive group, shared by the "Tools" menu items
// and the tool box's buttons; the select box has a button only.
struct ToolActions {
  QAction* Pen1;
  QAction* Bucket1;
  QAction* Pipe1;
  QAction* ChangeColor1;
  QAction* box_button;
  QAction* LineTool;
  QAction* RectangleTool;
};

// The tool box `Panel5`: the swatches `Col` and `ColRight` of the left and
// right mouse buttons, each with its menu of the five colours; the palette
// buttons, which set the colour of the mouse button that presses them; and
// a button for each tool. One grid holds them all, so the tool buttons line
// up with the palette's columns.
class ToolBox : public QFrame {
  Q_OBJECT

 public:
  ToolBox(Editor& editor, const ToolActions& tools, QWidget* parent);

  // The swatches show the left and right colours.
  void UpdateSwatches();

  void ColClick();
  void SpeedButton9MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Transparent); }
  void SpeedButton6MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::White); }
  void SpeedButton7MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Gray33); }
  void SpeedButton8MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Gray66); }
  void SpeedButton5MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Black); }
  // The left swatch's menu, then the right one's.
  void white1Click() { editor_.SetLeftColor(PixelCode::White); }
  void N33gray1Click() { editor_.SetLeftColor(PixelCode::Gray33); }
  void N66gray1Click() { editor_.SetLeftColor(PixelCode::Gray66); }
  void black1Click() { editor_.SetLeftColor(PixelCode::Black); }
  void transparent1Click() { editor_.SetLeftColor(PixelCode::Transparent); }
  void MenuItem1Click() { editor_.SetRightColor(PixelCode::White); }
  void MenuItem2Click() { editor_.SetRightColor(PixelCode::Gray33); }
  void MenuItem3Click() { editor_.SetRightColor(PixelCode::Gray66); }
  void MenuItem4Click() { editor_.SetRightColor(PixelCode::Black); }
  void MenuItem5Click() { editor_.SetRightColor(PixelCode::Transparent); }

 private:
  Editor& editor_;
  ColorSwatch* col_;
  ColorSwatch* col_right_;
};

}  // namespace pictavo
