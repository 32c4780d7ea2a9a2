#include "ui/dialogs/bitmap_import_window.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include "core/editing/editor.h"
#include "ui/app/platform_services.h"
#include "ui/image_io/image_loading.h"
#include "ui/widgets/form_helpers.h"

namespace pictavo {

namespace {

// The empty image boxes: a white area with a black frame over their edges.
QImage FramedBlank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
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

const char kOpenDialog1Filter[] = "Bitmap files (*.bmp)|*.bmp";

}  // namespace

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {}

void ImageBox::SetImage(QImage image) {
  image_ = std::move(image);
  setFixedSize(image_.size());
  update();
}

void ImageBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

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
  grid->setRowMinimumHeight(0, 14);
  grid->setRowStretch(3, 1);
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
}

void TbmpWin::OpenImage() {
  FileDialogRequest request;
  request.filter = QLatin1String(kOpenDialog1Filter);
  request.filter_index = 0;
  request.default_suffix = QStringLiteral("bmp");
  const QString path = services_.OpenFileName(this, request);
  if (path.isEmpty()) return;

  QString error;
  const QImage rgb32 = LoadBmpImage(path, &error);
  if (rgb32.isNull()) {
    services_.ShowMessage(this,
                          QStringLiteral("\"%1\" cannot be opened as an image: %2.")
                              .arg(QDir::toNativeSeparators(path), error),
                          QStringLiteral("Open BMP"));
    return;
  }
  import_.OpenImage(TopLeftPixels(rgb32));
  bmp1_->SetImage(rgb32);
  {
    // OpenImage has already converted at the start threshold.
    const QSignalBlocker blocker(scroll_bar1_);
    scroll_bar1_->setValue(import_.ImportThreshold());
  }
  DrawPreview();
  bit_btn1_->setEnabled(import_.CanAccept());
}

void TbmpWin::BitBtn3Click() { OpenImage(); }

void TbmpWin::BitBtn2Click() { reject(); }

void TbmpWin::BitBtn1Click() {
  if (!import_.CanAccept()) return;
  import_.AcceptImport(editor_);
  accept();
}

void TbmpWin::ScrollBar1Change(int position) {
  import_.SetThreshold(position);
  DrawPreview();
}

void TbmpWin::DrawPreview() {
  // Before the first image the preview keeps its empty frame.
  if (!import_.HasImage()) return;
  const int width = import_.ImportWidth();
  const int height = import_.ImportHeight();
  QImage preview(2 * width, 2 * height, QImage::Format_RGB32);
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
