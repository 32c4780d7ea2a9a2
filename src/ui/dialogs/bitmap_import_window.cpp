#include "ui/dialogs/bitmap_import_window.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include "core/editing/editor.h"
#include "core/editing/image_import.h"
#include "core/imaging/dithering.h"
#include "image_io/image_loading.h"
#include "ui/services/file_access.h"
#include "ui/services/platform_services.h"
#include "ui/services/scaled_sizes.h"

namespace pictavo {

namespace {

// The empty image boxes: a white area with a black frame over their edges.
QImage FramedBlank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, width - 1, height - 1);
  return image;
}

QPushButton* GlyphButton(const char* name, const char* caption, const char* icon, QWidget* parent) {
  auto* button = new QPushButton(QIcon(QLatin1String(icon)), QLatin1String(caption), parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  // The caption and its glyph must fit the 75 x 25 button: 11 pixels beside
  // the application font's usual 12.
  QFont small = button->font();
  small.setPointSizeF(QFontInfo(small).pointSizeF() * 11.0 / 12.0);
  button->setFont(small);
  button->setFixedSize(DesignSize(QSize(75, 25)));
  return button;
}

QLabel* Caption(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QLatin1String(text), parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

QCheckBox* OptionBox(const char* name, const QString& text, const char* tip, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QLatin1String(name));
  box->setToolTip(QLatin1String(tip));
  return box;
}

// The image as the image box shows it, clear parts over the window.
QImage ShownImage(const RgbImage& image) {
  const bool has_alpha = !image.alpha.empty();
  QImage shown(image.width, image.height, has_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (shown.isNull()) return shown;
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
    const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.pixels[start + static_cast<std::size_t>(x)];
      const int alpha = has_alpha ? image.alpha[start + static_cast<std::size_t>(x)] : 255;
      row[x] = qRgba(c.r, c.g, c.b, alpha);
    }
  }
  return shown;
}

}  // namespace

TbmpWin::TbmpWin(Editor& editor, PlatformServices& services, QWidget* parent)
    : QDialog(parent), editor_(editor), services_(services) {
  setObjectName(QStringLiteral("TbmpWin"));
  setWindowTitle(QStringLiteral("Bitmap Image Open Dialog"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setModal(true);

  // The threshold bar at the left, the image beside it and the preview at
  // the right, each under its caption; the buttons under the preview. The
  // places at the usual font: bar at 8, image at 33, preview at 328,
  // all from 24 down; buttons at 232.
  QLabel* image_caption = Caption("Label1", "Image", this);
  QLabel* preview_caption = Caption("Label2", "Preview", this);

  // An image larger than the box's first size scrolls inside that area
  // rather than covering the preview.
  image_area_ = new QScrollArea(this);
  image_area_->setObjectName(QStringLiteral("ImageArea"));
  image_area_->setFrameShape(QFrame::NoFrame);
  image_area_->setFixedSize(273, 223);
  image_area_->setWidgetResizable(false);
  bmp1_ = new ImageBox(image_area_);
  bmp1_->setObjectName(QStringLiteral("bmp1"));
  bmp1_->SetImage(FramedBlank(273, 223));
  image_area_->setWidget(bmp1_);

  // The preview takes the size of the conversion, up to 192 x 184, so its
  // place keeps the first 200 x 200.
  auto* preview_place = new QWidget(this);
  preview_place->setObjectName(QStringLiteral("PreviewArea"));
  preview_place->setMinimumSize(200, 200);
  bmp2_ = new ImageBox(preview_place);
  bmp2_->setObjectName(QStringLiteral("bmp2"));
  bmp2_->SetImage(FramedBlank(200, 200));

  scroll_bar1_ = new QScrollBar(Qt::Vertical, this);
  scroll_bar1_->setObjectName(QStringLiteral("ScrollBar1"));
  scroll_bar1_->setFixedSize(16, 225);
  scroll_bar1_->setRange(BitmapImport::MinThreshold, BitmapImport::MaxThreshold);
  scroll_bar1_->setSingleStep(1);
  scroll_bar1_->setPageStep(10);
  scroll_bar1_->setValue(BitmapImport::StartThreshold);

  scroll_bar1_->setToolTip(
      QStringLiteral("Threshold: the gray that makes one step. Down is darker, up is lighter."));
  // The value above the bar, the darker end named below it.
  threshold_value_ = new QLabel(QString::number(BitmapImport::StartThreshold), this);
  threshold_value_->setObjectName(QStringLiteral("ThresholdValue"));
  threshold_value_->setToolTip(QStringLiteral("Threshold"));
  auto* darker_hint = new QLabel(QStringLiteral("\u25BC darker"), this);
  darker_hint->setObjectName(QStringLiteral("DarkerHint"));
  darker_hint->setToolTip(QStringLiteral("Moving the threshold down makes the picture darker"));

  dither_box_ = new QComboBox(this);
  dither_box_->setObjectName(QStringLiteral("DitherBox"));
  for (DitherMethod method : AllDitherMethods) {
    const std::string_view caption = DitherCaption(method);
    dither_box_->addItem(method == DitherMethod::None
                             ? QStringLiteral("No dithering")
                             : QString::fromUtf8(caption.data(), qsizetype(caption.size())),
                         int(method));
  }
  dither_box_->setToolTip(
      QStringLiteral("Dithering: how grays between the four codes are shown as patterns"));
  dither_box_->setAccessibleName(QStringLiteral("Dithering"));
  fit_box_ = OptionBox("FitBox", QStringLiteral("&Fit to 96 \u00D7 92"),
                       "Scale a larger image down as a whole, keeping its proportions, "
                       "instead of taking a part of it",
                       this);
  fill_box_ = OptionBox("FillBox", QStringLiteral("Fi&ll"),
                        "With Fit: crop the image to the picture's proportions, so the picture "
                        "is covered; drag the frame to choose the part",
                        this);
  auto_button_ = new QPushButton(QStringLiteral("&Auto"), this);
  auto_button_->setObjectName(QStringLiteral("AutoThresholdButton"));
  auto_button_->setAutoDefault(false);
  auto_button_->setToolTip(
      QStringLiteral("Choose the threshold whose preview is as bright, on average, as the image"));
  levels_edit_ = new QLineEdit(QString::fromStdString(GrayLevelsText(ShownGrays)), this);
  levels_edit_->setObjectName(QStringLiteral("LevelsEdit"));
  levels_edit_->setToolTip(
      QStringLiteral("The grays your screen shows for black, 66 % gray, 33 % gray and white: "
                     "dithering aims at them"));
  auto* levels_caption = new QLabel(QStringLiteral("Device &grays:"), this);
  levels_caption->setBuddy(levels_edit_);
  keep_transparency_box_ =
      OptionBox("KeepTransparencyBox", QStringLiteral("&Keep transparency"),
                "Clear pixels of the image become transparent; otherwise the image is laid "
                "over white",
                this);
  import_frames_box_ =
      OptionBox("ImportFramesBox", QStringLiteral("&Import frames"),
                "In skin mode: every frame of an animation becomes one sub-icon of the "
                "current icon, at its size and depth",
                this);

  bit_btn3_ = GlyphButton("BitBtn3", "Open BMP", ":/icons/open_bmp.png", this);
  bit_btn2_ = GlyphButton("BitBtn2", "Cancel", ":/icons/cancel.png", this);
  bit_btn1_ = GlyphButton("BitBtn1", "OK", ":/icons/ok.png", this);
  // "Open BMP", "Cancel", "OK" from left to right always, whatever order
  // the desktop would give a QDialogButtonBox.
  auto* buttons = new QHBoxLayout();
  buttons->setContentsMargins(8, 6, 0, 0);
  buttons->setSpacing(0);
  buttons->addWidget(bit_btn3_);
  buttons->addSpacing(13);
  buttons->addWidget(bit_btn2_);
  buttons->addSpacing(5);
  buttons->addWidget(bit_btn1_);
  buttons->addStretch(1);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setHorizontalSpacing(9);
  grid->setVerticalSpacing(2);
  grid->addWidget(image_caption, 0, 1, Qt::AlignLeft | Qt::AlignBottom);
  grid->addWidget(preview_caption, 0, 3, Qt::AlignLeft | Qt::AlignBottom);
  grid->addWidget(scroll_bar1_, 1, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(image_area_, 1, 1, 2, 1, Qt::AlignTop);
  grid->addItem(new QSpacerItem(13, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), 1, 2);
  grid->addWidget(preview_place, 1, 3, Qt::AlignLeft | Qt::AlignTop);
  grid->addLayout(buttons, 2, 3);
  grid->addWidget(threshold_value_, 0, 0, Qt::AlignHCenter | Qt::AlignBottom);
  // Under the bar and the image: which way is darker, the dithering, the fit.
  auto* left_options = new QHBoxLayout();
  left_options->setSpacing(6);
  left_options->addWidget(auto_button_);
  left_options->addWidget(darker_hint);
  left_options->addWidget(dither_box_);
  left_options->addStretch(1);
  grid->addLayout(left_options, 3, 0, 1, 2);
  auto* part_options = new QHBoxLayout();
  part_options->setSpacing(6);
  part_options->addWidget(fit_box_);
  part_options->addWidget(fill_box_);
  part_options->addStretch(1);
  grid->addLayout(part_options, 4, 0, 1, 2);
  // Under the buttons: the choices that depend on the image and the mode.
  auto* right_options = new QHBoxLayout();
  right_options->setContentsMargins(8, 0, 0, 0);
  right_options->setSpacing(6);
  right_options->addWidget(keep_transparency_box_);
  right_options->addWidget(import_frames_box_);
  right_options->addStretch(1);
  grid->addLayout(right_options, 3, 3, 1, 2);
  auto* levels_row = new QHBoxLayout();
  levels_row->setContentsMargins(8, 0, 0, 0);
  levels_row->addWidget(levels_caption);
  levels_row->addWidget(levels_edit_);
  levels_row->addStretch(1);
  grid->addLayout(levels_row, 4, 3, 1, 2);
  grid->setRowMinimumHeight(0, 14);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(4, 1);
  // The window's own size, or what a larger desktop font needs.
  setFixedSize(QSize(608, 296).expandedTo(minimumSizeHint()));

  // Until an image is open there is nothing to import: OK would make the
  // picture 0 x 0.
  bit_btn1_->setEnabled(import_.CanAccept());

  connect(bit_btn3_, &QPushButton::clicked, this, &TbmpWin::BitBtn3Click);
  connect(bit_btn2_, &QPushButton::clicked, this, &TbmpWin::BitBtn2Click);
  connect(bit_btn1_, &QPushButton::clicked, this, &TbmpWin::BitBtn1Click);
  connect(scroll_bar1_, &QScrollBar::valueChanged, this, &TbmpWin::ScrollBar1Change);
  connect(dither_box_, &QComboBox::currentIndexChanged, this, &TbmpWin::DitherBoxChange);
  connect(fit_box_, &QCheckBox::toggled, this, &TbmpWin::FitBoxClick);
  connect(keep_transparency_box_, &QCheckBox::toggled, this, &TbmpWin::KeepTransparencyBoxClick);
  connect(fill_box_, &QCheckBox::toggled, this, &TbmpWin::FillBoxClick);
  connect(auto_button_, &QPushButton::clicked, this, &TbmpWin::AutoButtonClick);
  connect(levels_edit_, &QLineEdit::editingFinished, this, &TbmpWin::LevelsEditDone);
  connect(bmp1_, &ImageBox::FrameDragged, this, &TbmpWin::FrameDragged);
  connect(bmp1_, &ImageBox::FrameStepped, this, &TbmpWin::FrameStepped);

  // The choices of the last run; the first run starts as the window always has.
  memory_ = RecallImportMemory();
  {
    const QSignalBlocker dither_blocker(dither_box_);
    const QSignalBlocker fit_blocker(fit_box_);
    const QSignalBlocker fill_blocker(fill_box_);
    dither_box_->setCurrentIndex(dither_box_->findData(int(memory_.dither)));
    fit_box_->setChecked(memory_.fit);
    fill_box_->setChecked(memory_.fill);
    levels_edit_->setText(QString::fromStdString(GrayLevelsText(memory_.levels)));
  }
  import_.SetDither(memory_.dither);
  import_.SetFitToPicture(memory_.fit);
  import_.SetFill(memory_.fill);
  import_.SetKeepTransparency(memory_.keep_transparency);
  import_.SetLevels(memory_.levels);
  SyncOptionBoxes();
}

void TbmpWin::showEvent(QShowEvent* event) {
  frames_imported_ = false;
  // Skin mode may have begun or ended since the last show.
  SyncOptionBoxes();
  QDialog::showEvent(event);
}

void TbmpWin::OpenImage() {
  FileDialogRequest request = ImageDialogRequest();
  // The folder of the last image, this run or an earlier one.
  if (!memory_.folder.isEmpty()) request.file_name = memory_.folder + QLatin1Char('/');
  const QString path = services_.OpenFileName(this, request);
  if (path.isEmpty()) return;
  // Every frame, so "Import frames" can be chosen after opening.
  const LoaderImageDecoder decoder;
  auto read = ReadWindowDocument(path, Taking(Images, &decoder));
  if (!read) {
    const RefusalMessage message = MessageFor(OpenCommand::OpenImage, path, read.error());
    services_.ShowMessage(this, message.text, message.title);
    return;
  }
  ShowFrames(path, std::move(std::get<ImageDocument>(read->content).frames));
}

bool TbmpWin::ShowFrames(const QString& path, std::vector<RgbImage> frames) {
  QImage shown = frames.empty() ? QImage() : ShownImage(frames.front());
  if (shown.isNull()) {
    services_.ShowMessage(this,
                          QStringLiteral("\"%1\" cannot be shown: there is not enough memory for "
                                         "the image.")
                              .arg(QDir::toNativeSeparators(path)),
                          QStringLiteral("Open BMP"));
    return false;
  }
  loaded_path_ = path;
  memory_.folder = QFileInfo(path).absolutePath();
  Remember();
  import_.OpenFrames(std::move(frames));
  shown_image_ = std::move(shown);
  shown_whole_ = !import_.FitToPicture();  // so ShowPart sets the image
  ShowPart();
  {
    // OpenImage has already converted at the start threshold.
    const QSignalBlocker blocker(scroll_bar1_);
    scroll_bar1_->setValue(import_.ImportThreshold());
  }
  SyncOptionBoxes();
  DrawPreview();
  bit_btn1_->setEnabled(import_.CanAccept());
  return true;
}

void TbmpWin::BitBtn3Click() { OpenImage(); }

void TbmpWin::BitBtn2Click() { reject(); }

void TbmpWin::BitBtn1Click() {
  frames_imported_ = false;
  if (!import_.CanAccept()) return;
  if (import_frames_box_->isEnabled() && import_frames_box_->isChecked() &&
      editor_.State().Document.SkinMode) {
    if (!ImportFrames()) return;
    frames_imported_ = true;
  } else if (!AcceptImport(import_, editor_)) {
    // The work it would replace could not be kept and the user kept it.
    return;
  }
  accept();
}

bool TbmpWin::ImportFrames() {
  const FrameImportOutcome outcome = pictavo::ImportFrames(import_, editor_);
  if (outcome.imported) return true;
  services_.ShowMessage(
      this,
      QStringLiteral("The %1 frames of \"%2\" do not fit into the skin: it has room for %3 "
                     "sub-icons of this icon.\nNothing was imported.")
          .arg(outcome.frames)
          .arg(QDir::toNativeSeparators(loaded_path_))
          .arg(outcome.room),
      QStringLiteral("Import frames"));
  return false;
}

void TbmpWin::DrawPreview() {
  // Before the first image the preview keeps its empty frame.
  if (!import_.HasImage()) return;
  const int width = import_.ImportWidth();
  const int height = import_.ImportHeight();
  QImage preview(2 * width, 2 * height, QImage::Format_RGB32);
  if (preview.isNull()) return;
  const PictureCells& grid = import_.ImportGrid();
  for (int y = 1; y <= height; ++y) {
    auto* upper = reinterpret_cast<QRgb*>(preview.scanLine(2 * (y - 1)));
    auto* lower = reinterpret_cast<QRgb*>(preview.scanLine(2 * (y - 1) + 1));
    for (int x = 1; x <= width; ++x) {
      const QRgb color = ColorOf(grid.At(x, y)).Argb();
      const int left = 2 * (x - 1);
      upper[left] = upper[left + 1] = lower[left] = lower[left + 1] = color;
    }
  }
  bmp2_->SetImage(std::move(preview));
}

}  // namespace pictavo
