// The main window's view panels beyond the canvas: the device preview with
// the device grays it shares with the import window, and the onion skin.
#include <QAction>

#include "ui/app/main_window.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/widgets/device_preview_panel.h"
#include "ui/widgets/icon_preview.h"
#include "ui/widgets/preview_box.h"

namespace pictavo {

void TForm1::ConnectDeviceGrays() {
  TbmpWin* import = files_->BitmapImportWindow();
  device_preview_->SetGrays(import->Import().Levels());
  connect(import, &TbmpWin::LevelsChanged, device_preview_, &DevicePreviewPanel::SetGrays);
  connect(device_preview_, &DevicePreviewPanel::GraysEdited, import, &TbmpWin::SetLevels);
  connect(device_preview_, &DevicePreviewPanel::LookChanged, this, &TForm1::ShowPreviewColors);
}

void TForm1::DevicePreviewClick() {
  const bool shown = actions_.ShowDevicePreview->isChecked();
  if (shown) device_preview_->Image()->FollowPictureSize();
  device_preview_->setVisible(shown);
  ShowPreviewColors();
}

void TForm1::ShowPreviewColors() {
  preview_box_->Image3()->SetColors(
      actions_.ShowDevicePreview->isChecked() ? device_preview_->Colors() : CodeColors);
}

void TForm1::OnionSkinClick() {
  editor_.SetOnionSkin(actions_.ShowOnionSkin->isChecked(),
                       actions_.OnionSkinNextFrame->isChecked());
}

void TForm1::SyncOnionSkinItems(bool skin) {
  actions_.ShowOnionSkin->setEnabled(skin);
  actions_.OnionSkinNextFrame->setEnabled(skin && actions_.ShowOnionSkin->isChecked());
}

}  // namespace pictavo
