// The import window's choices: threshold, dithering, device grays, the part
// taken and transparency, each handed to the import and remembered.
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include "core/editing/editor.h"
#include "core/imaging/dithering.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/services/platform_services.h"

namespace pictavo {

void TbmpWin::SyncOptionBoxes() {
  const QSignalBlocker keep_blocker(keep_transparency_box_);
  keep_transparency_box_->setEnabled(import_.HasAlpha());
  keep_transparency_box_->setChecked(import_.KeepTransparency());
  fill_box_->setEnabled(import_.FitToPicture());
  auto_button_->setEnabled(import_.HasImage());
  import_frames_box_->setEnabled(editor_.State().Document.SkinMode &&
                                 editor_.CurrentIcon() != nullptr && import_.FrameCount() > 1);
  if (!import_frames_box_->isEnabled()) import_frames_box_->setChecked(false);
  threshold_value_->setText(QString::number(import_.ImportThreshold()));
}

void TbmpWin::ScrollBar1Change(int position) {
  import_.SetThreshold(position);
  threshold_value_->setText(QString::number(import_.ImportThreshold()));
  DrawPreview();
}

void TbmpWin::DitherBoxChange(int index) {
  import_.SetDither(static_cast<DitherMethod>(dither_box_->itemData(index).toInt()));
  Remember();
  DrawPreview();
}

void TbmpWin::FitBoxClick(bool checked) {
  import_.SetFitToPicture(checked);
  fill_box_->setEnabled(checked);
  Remember();
  ShowPart();
  DrawPreview();
}

void TbmpWin::FillBoxClick(bool checked) {
  import_.SetFill(checked);
  Remember();
  ShowPart();
  DrawPreview();
}

void TbmpWin::KeepTransparencyBoxClick(bool checked) {
  import_.SetKeepTransparency(checked);
  memory_.keep_transparency = checked;
  Remember();
  DrawPreview();
}

void TbmpWin::AutoButtonClick() {
  import_.ChooseAutoThreshold();
  const QSignalBlocker blocker(scroll_bar1_);
  scroll_bar1_->setValue(import_.ImportThreshold());
  threshold_value_->setText(QString::number(import_.ImportThreshold()));
  DrawPreview();
}

void TbmpWin::LevelsEditDone() {
  const std::optional<GrayLevels> levels = ParseGrayLevels(levels_edit_->text().toStdString());
  if (!levels) {
    const QString given = levels_edit_->text();
    levels_edit_->setText(QString::fromStdString(GrayLevelsText(import_.Levels())));
    services_.ShowMessage(this,
                          QStringLiteral("\"%1\" are not four rising grays from 0 to 255, as "
                                         "0,85,170,255; the grays stay %2.")
                              .arg(given, levels_edit_->text()),
                          QStringLiteral("Device grays"));
    return;
  }
  if (*levels == import_.Levels()) return;
  import_.SetLevels(*levels);
  Remember();
  DrawPreview();
  emit LevelsChanged(*levels);
}

void TbmpWin::SetLevels(const GrayLevels& levels) {
  levels_edit_->setText(QString::fromStdString(GrayLevelsText(levels)));
  if (levels == import_.Levels()) return;
  import_.SetLevels(levels);
  Remember();
  DrawPreview();
}

void TbmpWin::FrameDragged(QPoint top_left) {
  const ImagePart& part = import_.PartTaken();
  const QRect frame = bmp1_->Frame();
  // From the pane's pixels to the image's: the frame is the part, scaled.
  const double scale_x = frame.width() > 0 ? double(part.width) / frame.width() : 1.0;
  const double scale_y = frame.height() > 0 ? double(part.height) / frame.height() : 1.0;
  import_.SetRegion(qRound(top_left.x() * scale_x), qRound(top_left.y() * scale_y));
  ShowPart();
  DrawPreview();
}

void TbmpWin::FrameStepped(int dx, int dy) {
  const ImagePart& part = import_.PartTaken();
  import_.SetRegion(part.left + dx, part.top + dy);
  ShowPart();
  DrawPreview();
}

void TbmpWin::ShowPart() {
  if (!import_.HasImage() || shown_image_.isNull()) return;
  const bool whole = import_.FitToPicture();
  const QSize room = image_area_->size();
  if (whole != shown_whole_) {
    shown_whole_ = whole;
    const bool larger =
        shown_image_.width() > room.width() || shown_image_.height() > room.height();
    bmp1_->SetImage(whole && larger
                        ? shown_image_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        : shown_image_);
  }
  if (!import_.PartMovable()) {
    bmp1_->SetFrame(QRect(), false);
    return;
  }
  const ImagePart& part = import_.PartTaken();
  const double scale_x = double(bmp1_->Image().width()) / shown_image_.width();
  const double scale_y = double(bmp1_->Image().height()) / shown_image_.height();
  const QRect frame(QPoint(qRound(part.left * scale_x), qRound(part.top * scale_y)),
                    QPoint(qRound((part.left + part.width) * scale_x) - 1,
                           qRound((part.top + part.height) * scale_y) - 1));
  bmp1_->SetFrame(frame, true);
  image_area_->ensureVisible(frame.center().x(), frame.center().y(), frame.width() / 2 + 1,
                             frame.height() / 2 + 1);
}

void TbmpWin::Remember() {
  memory_.dither = import_.Dither();
  memory_.fit = import_.FitToPicture();
  memory_.fill = import_.Fill();
  memory_.levels = import_.Levels();
  StoreImportMemory(memory_);
}

}  // namespace pictavo
