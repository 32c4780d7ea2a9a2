#pragma once

#include <functional>
#include <optional>

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace pictavo {

class PlatformServices;

// `TForm2`, "Set Size": asks for a width and a height and lets OK through
// only when they fit the picture and, in skin mode, the current icon.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  // icon_bpp answers, when OK is pressed, the depth of the icon being edited,
  // or nothing outside skin mode.
  TForm2(PlatformServices& services, std::function<std::optional<int>()> icon_bpp, QWidget* parent);

  // Both boxes are filled by every caller before showing the dialog.
  void SetBoxes(int width, int height);
  int WidthValue() const { return width_; }
  int HeightValue() const { return height_; }

  QLineEdit* Edit1() const { return edit_height_; }
  QLineEdit* Edit2() const { return edit_width_; }

 public slots:
  void Button1Click();
  void Button2Click();

 private:
  PlatformServices& services_;
  std::function<std::optional<int>()> icon_bpp_;
  QLineEdit* edit_width_;   // `Edit2`
  QLineEdit* edit_height_;  // `Edit1`
  QPushButton* ok_;
  QPushButton* cancel_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace pictavo
