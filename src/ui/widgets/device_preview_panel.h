#pragma once

#include <cstdint>
#include <vector>

#include <QGroupBox>
#include <QWidget>

#include "core/imaging/dithering.h"
#include "core/render/device_preview.h"

class QComboBox;
class QLineEdit;
class QScrollArea;

namespace pictavo {

class Editor;
class PlatformServices;

// The picture as the device shows it, 1:1 and 2:1, one raster pixel to one
// pixel of the screen, so a scaled desktop does not blur it.
class DevicePreviewImage : public QWidget {
  Q_OBJECT

 public:
  DevicePreviewImage(const Editor& editor, QWidget* parent);

  void SetColors(const CodePalette& colors);
  // The picture's size may have changed: the image takes the new size.
  void FollowPictureSize();
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Editor& editor_;
  CodePalette colors_;
  QSize picture_size_;
  // Kept between paints: the preview is drawn again at every pen dot.
  std::vector<std::uint32_t> pixels_;
};

// "Device Preview", beside the canvas: the picture in the device's grays
// (the import's device grays, which it shares) under a backlight chosen from
// a few LCD colours or any colour; Transparent shows as the device's
// background.
class DevicePreviewPanel : public QGroupBox {
  Q_OBJECT

 public:
  DevicePreviewPanel(const Editor& editor, PlatformServices& services, QWidget* parent);

  const DeviceLook& Look() const { return look_; }
  CodePalette Colors() const { return DevicePalette(look_); }
  DevicePreviewImage* Image() const { return image_; }
  QComboBox* BacklightBox() const { return backlight_box_; }
  QLineEdit* GraysEdit() const { return grays_edit_; }

  // The grays as the import window holds them; no GraysEdited follows.
  void SetGrays(const GrayLevels& grays);

 signals:
  // The grays or the backlight changed: what shows in device colours follows.
  void LookChanged();
  // New grays typed here, for the import window to take.
  void GraysEdited(const GrayLevels& grays);

 private:
  void BacklightChosen(int index);
  void GraysEditDone();
  void ShowBacklight();
  void ApplyLook();

  PlatformServices& services_;
  DeviceLook look_;
  QComboBox* backlight_box_;
  QLineEdit* grays_edit_;
  QScrollArea* scroll_;
  DevicePreviewImage* image_;
};

}  // namespace pictavo
