#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>

#include "core/editing/bitmap_import.h"

class QCheckBox;
class QComboBox;
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

// `TbmpWin`, "Bitmap Image Open Dialog": opens a BMP, PNG, GIF or JPEG file,
// shows it beside a preview of its conversion into four gray codes, lets the
// threshold, dithering, fitting and transparency be chosen and writes the
// conversion into the Picture on OK, or in skin mode every frame of an
// animation into the current icon. It keeps its image, preview, threshold
// and options for the whole run.
class TbmpWin : public QDialog {
  Q_OBJECT

 public:
  TbmpWin(Editor& editor, PlatformServices& services, QWidget* parent);

  const BitmapImport& Import() const { return import_; }
  ImageBox* Bmp1() const { return bmp1_; }
  ImageBox* Bmp2() const { return bmp2_; }
  QScrollBar* ScrollBar1() const { return scroll_bar1_; }
  QComboBox* DitherBox() const { return dither_box_; }
  QCheckBox* FitBox() const { return fit_box_; }
  QCheckBox* KeepTransparencyBox() const { return keep_transparency_box_; }
  QCheckBox* ImportFramesBox() const { return import_frames_box_; }
  // Whether the last OK made the image's frames the current icon's sub-icons.
  bool FramesImported() const { return frames_imported_; }

  // "Open BMP": asks for a file and loads it. A file that cannot be read as
  // an image is reported, and the window keeps what it showed.
  void OpenImage();

 public slots:
  void BitBtn3Click();
  void BitBtn2Click();
  void BitBtn1Click();
  void ScrollBar1Change(int position);
  void DitherBoxChange(int index);
  void FitBoxClick(bool checked);
  void KeepTransparencyBoxClick(bool checked);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The option boxes from the import's state: which apply to this image and
  // to the editor's mode, and what they hold.
  void SyncOptionBoxes();
  // "Import frames" on OK; false (with a message) when the frames do not fit.
  bool ImportFrames();
  // Redraws `bmp2` from the import grid, 2 x 2 screen pixels per picture pixel.
  void DrawPreview();

  Editor& editor_;
  PlatformServices& services_;
  BitmapImport import_;
  QScrollArea* image_area_;
  ImageBox* bmp1_;
  ImageBox* bmp2_;
  QScrollBar* scroll_bar1_;
  QLabel* threshold_value_;
  QComboBox* dither_box_;
  QCheckBox* fit_box_;
  QCheckBox* keep_transparency_box_;
  QCheckBox* import_frames_box_;
  QString loaded_path_;
  bool frames_imported_ = false;
  QPushButton* bit_btn1_;  // "OK"
  QPushButton* bit_btn2_;  // "Cancel"
  QPushButton* bit_btn3_;  // "Open BMP"
};

}  // namespace pictavo
