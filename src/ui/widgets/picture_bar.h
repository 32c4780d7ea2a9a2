#pragma once

#include <array>

#include <QFrame>

class QLineEdit;
class QToolButton;

namespace pictavo {

class Editor;

// The picture bar `Panel2`: the name box, the picture's width and height and
// the pixel size, each in a read-only box with arrows that step it.
class PictureBar : public QFrame {
  Q_OBJECT

 public:
  // `name_box` is the name box `Edit1`; the bar shows it after its caption.
  PictureBar(Editor& editor, QLineEdit* name_box, QWidget* parent);

  // Shows the picture's width and height and the pixel size.
  void ShowSize();
  // The width and height arrows step the picture outside skin mode only.
  void SetSizeArrowsEnabled(bool enabled);

  void SpeedButton2Click();
  void SpeedButton4Click();
  void SpeedButton3Click();
  void SpeedButton1Click();
  void SpeedButton23Click();
  void SpeedButton24Click();

 private:
  Editor& editor_;
  QLineEdit* wid_ = nullptr;
  QLineEdit* heig_ = nullptr;
  QLineEdit* psize_ = nullptr;
  // `SpeedButton1` to `SpeedButton4`.
  std::array<QToolButton*, 4> size_arrows_{};
};

}  // namespace pictavo
