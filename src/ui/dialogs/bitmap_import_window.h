#pragma once

#include <vector>

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QString>

#include "core/imaging/bitmap_import.h"
#include "ui/dialogs/import_image_box.h"
#include "ui/dialogs/import_memory.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QScrollBar;

namespace pictavo {

class Editor;
class PlatformServices;

// `TbmpWin`, "Bitmap Image Open Dialog": opens a BMP, PNG, GIF or JPEG file,
// shows it beside a preview of its conversion into four gray codes, lets the
// threshold (or "Auto"), dithering, the device grays, the part taken (cut,
// fitted or filled) and transparency be chosen and writes the
// conversion into the Picture on OK, or in skin mode every frame of an
// animation into the current icon. It keeps its image, preview, threshold
// and options for the whole run, and its options and folder across runs.
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
  QCheckBox* FillBox() const { return fill_box_; }
  QPushButton* AutoButton() const { return auto_button_; }
  QLineEdit* LevelsEdit() const { return levels_edit_; }
  QCheckBox* KeepTransparencyBox() const { return keep_transparency_box_; }
  QCheckBox* ImportFramesBox() const { return import_frames_box_; }
  // Whether the last OK made the image's frames the current icon's sub-icons.
  bool FramesImported() const { return frames_imported_; }

  // "Open BMP": asks for a file and loads it. A file that cannot be read as
  // an image is reported, and the window keeps what it showed.
  void OpenImage();
  // What "Open BMP" does once the image at `path` is read: its frames are
  // shown and converted. False, with a message, when there is no memory to
  // show it; the window then keeps what it showed.
  bool ShowFrames(const QString& path, std::vector<RgbImage> frames);
  // Device grays given elsewhere (the device preview shares them): taken,
  // shown and remembered; no LevelsChanged follows.
  void SetLevels(const GrayLevels& levels);

 signals:
  // The device grays were changed here.
  void LevelsChanged(const GrayLevels& levels);

 public slots:
  void BitBtn3Click();
  void BitBtn2Click();
  void BitBtn1Click();
  void ScrollBar1Change(int position);
  void DitherBoxChange(int index);
  void FitBoxClick(bool checked);
  void KeepTransparencyBoxClick(bool checked);
  void FillBoxClick(bool checked);
  void AutoButtonClick();
  void LevelsEditDone();
  void FrameDragged(QPoint top_left);
  void FrameStepped(int dx, int dy);

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
  // Shows on `bmp1` the part taken: the image at full scale with the frame
  // of a cut part, or the whole image within the pane when fitted or filled.
  void ShowPart();
  // Keeps the options for the next run.
  void Remember();

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
  QCheckBox* fill_box_;
  QPushButton* auto_button_;
  QLineEdit* levels_edit_;
  ImportMemory memory_;
  // The loaded image at full scale, and whether `bmp1` shows it scaled.
  QImage shown_image_;
  bool shown_whole_ = false;
  QCheckBox* keep_transparency_box_;
  QCheckBox* import_frames_box_;
  QString loaded_path_;
  bool frames_imported_ = false;
  QPushButton* bit_btn1_;  // "OK"
  QPushButton* bit_btn2_;  // "Cancel"
  QPushButton* bit_btn3_;  // "Open BMP"
};

}  // namespace pictavo
