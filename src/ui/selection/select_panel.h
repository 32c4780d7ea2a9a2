#pragma once

#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QToolButton;

namespace pictavo {

class Editor;
class PlatformServices;

// `Tselpanel`, "Select tool panel": the floating window of the select tool.
// Its two mode buttons decide whether a left press on the canvas drags a box
// or pastes; the other buttons act on the captured selection. Closing it only
// hides it, so the mode buttons keep their state until the tool comes back.
class Tselpanel : public QWidget {
  Q_OBJECT

 public:
  Tselpanel(Editor& editor, PlatformServices& services, QWidget* parent);

  QToolButton* selectbutton() const { return select_button_; }
  QToolButton* PasteButton() const { return paste_button_; }
  QToolButton* SaveButton() const { return save_button_; }
  QToolButton* ClearButton() const { return clear_button_; }
  QToolButton* CropButton() const { return crop_button_; }
  QToolButton* SpeedButton1() const { return rotate_left_; }
  QToolButton* SpeedButton2() const { return rotate_right_; }
  QToolButton* SpeedButton3() const { return flip_horizontal_; }
  QToolButton* SpeedButton4() const { return flip_vertical_; }
  QLineEdit* X1() const { return x1_; }
  QLineEdit* Y1() const { return y1_; }
  QLineEdit* X2() const { return x2_; }
  QLineEdit* Y2() const { return y2_; }

 signals:
  // "Save select to PTV file" was pressed; the selection commands ask for the
  // name and the file.
  void SaveSelectionRequested();

 public slots:
  void FormCreate();
  void selectbuttonClick();
  void PasteButtonClick();
  void SaveButtonClick();
  void ClearButtonClick();
  void CropButtonClick();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  // The box just captured, in 1-based cells; the only thing that fills the
  // four coordinate boxes.
  void ShowCapturedBox(int left, int top, int right, int bottom);
  // Follows the main window's tool choice.
  void SetPanelVisible(bool visible);

 private:
  void ReadModes();

  Editor& editor_;
  PlatformServices& services_;
  QButtonGroup* modes_;
  QToolButton* select_button_;
  QToolButton* paste_button_;
  QToolButton* save_button_;
  QToolButton* clear_button_;
  QToolButton* crop_button_;
  QToolButton* rotate_left_;
  QToolButton* rotate_right_;
  QToolButton* flip_horizontal_;
  QToolButton* flip_vertical_;
  QLineEdit* x1_;
  QLineEdit* y1_;
  QLineEdit* x2_;
  QLineEdit* y2_;
};

}  // namespace pictavo
