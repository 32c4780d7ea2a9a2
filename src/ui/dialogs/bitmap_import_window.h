#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>

#include "core/editing/bitmap_import.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QScrollBar;

namespace pictavo {

class Editor;
class PlatformServices;

// An image box: shows one image at full scale and is exactly as large as it.
class ImageBox : public QWidget {
  Q_OBJECT

 public:
  explicit ImageBox(QWidget* parent);

  void SetImage(QImage image);
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

// `TbmpWin`, "Bitmap Image Open Dialog": opens a BMP file, shows it beside a
// preview of its conversion into four gray codes, lets the threshold be moved
// and writes the conversion into the Picture on OK. It keeps its image,
// preview and threshold for the whole run.
class TbmpWin : public QDialog {
  Q_OBJECT

 public:
  TbmpWin(Editor& editor, PlatformServices& services, QWidget* parent);

  const BitmapImport& Import() const { return import_; }
  ImageBox* Bmp1() const { return bmp1_; }
  ImageBox* Bmp2() const { return bmp2_; }
  QScrollBar* ScrollBar1() const { return scroll_bar1_; }

  // "Open BMP": asks for a file and loads it. A file that cannot be read as
  // an image is reported, and the window keeps what it showed.
  void OpenImage();

 public slots:
  void BitBtn3Click();
  void BitBtn2Click();
  void BitBtn1Click();
  void ScrollBar1Change(int position);

 private:
  // Redraws `bmp2` from the import grid, 2 x 2 screen pixels per picture pixel.
  void DrawPreview();

  Editor& editor_;
  PlatformServices& services_;
  BitmapImport import_;
  QScrollArea* image_area_;
  ImageBox* bmp1_;
  ImageBox* bmp2_;
  QScrollBar* scroll_bar1_;
  QPushButton* bit_btn1_;  // "OK"
  QPushButton* bit_btn2_;  // "Cancel"
  QPushButton* bit_btn3_;  // "Open BMP"
};

}  // namespace pictavo
