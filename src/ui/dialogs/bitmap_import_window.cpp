#include "ui/dialogs/bitmap_import_window.h"

#include <utility>

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include "core/editing/editor.h"
#include "ui/app/platform_services.h"
#include "ui/files/image_loading.h"

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

QPushButton* GlyphButton(const char* name, const char* caption, const char* icon, QRect geometry,
                         QWidget* parent) {
  auto* button = new QPushButton(QIcon(QLatin1String(icon)), QLatin1String(caption), parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  // The caption and its glyph must fit the 75-pixel button.
  QFont small = button->font();
  small.setPixelSize(11);
  button->setFont(small);
  return button;
}

QLabel* Caption(const char* name, const char* text, QPoint at, QWidget* parent) {
  auto* label = new QLabel(QLatin1String(text), parent);
  label->setObjectName(QLatin1String(name));
  label->move(at);
  label->adjustSize();
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
  setFixedSize(608, 296);
  setModal(true);
  move(391, 152);

  Caption("Label1", "Image", {31, 8}, this);
  Caption("Label2", "Preview", {328, 8}, this);

  // An image larger than the box's first size scrolls inside that area
  // rather than covering the preview.
  image_area_ = new QScrollArea(this);
  image_area_->setObjectName(QStringLiteral("ImageArea"));
  image_area_->setFrameShape(QFrame::NoFrame);
  image_area_->setGeometry(33, 24, 273, 223);
  image_area_->setWidgetResizable(false);
  bmp1_ = new ImageBox(image_area_);
  bmp1_->setObjectName(QStringLiteral("bmp1"));
  bmp1_->SetImage(FramedBlank(273, 223));
  image_area_->setWidget(bmp1_);

  bmp2_ = new ImageBox(this);
  bmp2_->setObjectName(QStringLiteral("bmp2"));
  bmp2_->move(328, 24);
  bmp2_->SetImage(FramedBlank(200, 200));

  scroll_bar1_ = new QScrollBar(Qt::Vertical, this);
  scroll_bar1_->setObjectName(QStringLiteral("ScrollBar1"));
  scroll_bar1_->setGeometry(8, 24, 16, 225);
  scroll_bar1_->setRange(BitmapImport::MinThreshold, BitmapImport::MaxThreshold);
  scroll_bar1_->setSingleStep(1);
  scroll_bar1_->setPageStep(10);
  scroll_bar1_->setValue(BitmapImport::StartThreshold);

  bit_btn3_ = GlyphButton("BitBtn3", "Open BMP", ":/icons/open_bmp.png", {336, 232, 75, 25}, this);
  bit_btn2_ = GlyphButton("BitBtn2", "Cancel", ":/icons/cancel.png", {424, 232, 75, 25}, this);
  bit_btn1_ = GlyphButton("BitBtn1", "OK", ":/icons/ok.png", {504, 232, 75, 25}, this);
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
