#include "ui/widgets/device_preview_panel.h"

#include <cmath>

#include <QComboBox>
#include <QFormLayout>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>

#include "core/editing/editor.h"
#include "ui/services/backlight_memory.h"
#include "ui/services/platform_services.h"

namespace pictavo {

namespace {

Rgb RgbOf(const QColor& color) {
  return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
          static_cast<std::uint8_t>(color.blue())};
}

QString GraysText(const GrayLevels& grays) { return QString::fromStdString(GrayLevelsText(grays)); }

}  // namespace

DevicePreviewImage::DevicePreviewImage(const Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), colors_(CodeColors) {
  setObjectName(QStringLiteral("DevicePreviewImage"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DevicePreviewImage::SetColors(const CodePalette& colors) {
  colors_ = colors;
  update();
}

void DevicePreviewImage::FollowPictureSize() {
  const Picture& picture = editor_.State().Document.Picture;
  const QSize size(picture.Width, picture.Height);
  if (size != picture_size_) {
    picture_size_ = size;
    updateGeometry();
    adjustSize();
  }
}

QSize DevicePreviewImage::sizeHint() const {
  const Picture& picture = editor_.State().Document.Picture;
  const DevicePreviewSize size = DevicePreviewSizeFor(picture.Width, picture.Height);
  const qreal ratio = devicePixelRatioF();
  return {static_cast<int>(std::ceil(size.width / ratio)),
          static_cast<int>(std::ceil(size.height / ratio))};
}

void DevicePreviewImage::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const int w = static_cast<int>(std::ceil(width() * ratio));
  const int h = static_cast<int>(std::ceil(height() * ratio));
  DrawDevicePreview(ViewOf(editor_.State().Document.Picture), colors_,
                    RgbOf(palette().color(QPalette::Window)), w, h, pixels_);
  if (w <= 0 || h <= 0) return;
  QImage image(reinterpret_cast<const uchar*>(pixels_.data()), w, h, w * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), image);
}

DevicePreviewPanel::DevicePreviewPanel(const Editor& editor, PlatformServices& services,
                                       QWidget* parent)
    : QGroupBox(QStringLiteral("Device"), parent),
      services_(services),
      backlight_box_(new QComboBox(this)),
      grays_edit_(new QLineEdit(this)),
      scroll_(new QScrollArea(this)),
      image_(new DevicePreviewImage(editor, this)) {
  setObjectName(QStringLiteral("DevicePreview"));
  backlight_box_->setObjectName(QStringLiteral("BacklightBox"));
  backlight_box_->setToolTip(QStringLiteral("The colour of the device's backlight"));
  for (const BacklightPreset& preset : BacklightPresets()) {
    backlight_box_->addItem(QString::fromLatin1(preset.caption));
  }
  backlight_box_->addItem(QStringLiteral("Other colour..."));
  grays_edit_->setObjectName(QStringLiteral("DeviceGraysEdit"));
  grays_edit_->setToolTip(
      QStringLiteral("The grays the device shows for black, 66 % gray, 33 % gray and white, "
                     "from 0 to 255; the image import aims at the same grays"));
  scroll_->setObjectName(QStringLiteral("DevicePreviewScroll"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidget(image_);
  scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // On a low screen the pictures scroll rather than holding the window tall.
  scroll_->setMinimumSize(48, 32);

  auto* form = new QFormLayout(this);
  form->setContentsMargins(4, 4, 4, 4);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->addRow(QStringLiteral("&Backlight:"), backlight_box_);
  form->addRow(QStringLiteral("G&rays:"), grays_edit_);
  form->addRow(scroll_);

  look_.backlight = RecallBacklight();
  grays_edit_->setText(GraysText(look_.grays));
  ShowBacklight();
  ApplyLook();
  connect(backlight_box_, &QComboBox::activated, this, &DevicePreviewPanel::BacklightChosen);
  connect(grays_edit_, &QLineEdit::editingFinished, this, &DevicePreviewPanel::GraysEditDone);
  hide();
}

void DevicePreviewPanel::SetGrays(const GrayLevels& grays) {
  grays_edit_->setText(GraysText(grays));
  if (grays == look_.grays) return;
  look_.grays = grays;
  ApplyLook();
}

void DevicePreviewPanel::BacklightChosen(int index) {
  const auto presets = BacklightPresets();
  if (index >= 0 && index < static_cast<int>(presets.size())) {
    look_.backlight = presets[static_cast<std::size_t>(index)].color;
  } else {
    const Rgb now = look_.backlight.value_or(Rgb{255, 255, 255});
    const auto chosen =
        services_.ChooseColor(this, QColor(now.r, now.g, now.b), QStringLiteral("Backlight"));
    if (chosen) look_.backlight = RgbOf(*chosen);
  }
  StoreBacklight(look_.backlight);
  ShowBacklight();
  ApplyLook();
}

void DevicePreviewPanel::GraysEditDone() {
  const std::optional<GrayLevels> grays = ParseGrayLevels(grays_edit_->text().toStdString());
  if (!grays) {
    const QString given = grays_edit_->text();
    grays_edit_->setText(GraysText(look_.grays));
    services_.ShowMessage(this,
                          QStringLiteral("\"%1\" are not four rising grays from 0 to 255, as "
                                         "0,85,170,255; the grays stay %2.")
                              .arg(given, grays_edit_->text()),
                          QStringLiteral("Device grays"));
    return;
  }
  if (*grays == look_.grays) return;
  look_.grays = *grays;
  ApplyLook();
  emit GraysEdited(*grays);
}

// The box names the preset shown, or "Other colour..." for any other.
void DevicePreviewPanel::ShowBacklight() {
  const auto presets = BacklightPresets();
  int index = static_cast<int>(presets.size());
  for (std::size_t i = 0; i < presets.size(); ++i) {
    if (presets[i].color == look_.backlight) index = static_cast<int>(i);
  }
  const QSignalBlocker blocker(backlight_box_);
  backlight_box_->setCurrentIndex(index);
  if (look_.backlight && index == static_cast<int>(presets.size())) {
    const Rgb c = *look_.backlight;
    backlight_box_->setItemData(index, QColor(c.r, c.g, c.b).name(), Qt::ToolTipRole);
  }
}

void DevicePreviewPanel::ApplyLook() {
  image_->SetColors(Colors());
  emit LookChanged();
}

}  // namespace pictavo
