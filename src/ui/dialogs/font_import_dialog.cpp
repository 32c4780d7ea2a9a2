#include "ui/dialogs/font_import_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/documents/text_line.h"
#include "qt_support/core_bridge.h"
#include "ui/services/platform_services.h"
#include "ui/services/window_placement.h"
#include "ui/widgets/options_scroller.h"

namespace pictavo {

namespace {

constexpr int kLargestSample = 4096;  // screen pixels of the sample line, each way

template <class Widget>
Widget* Named(Widget* widget, const char* name, const char* tip) {
  widget->setObjectName(QLatin1String(name));
  widget->setToolTip(QString::fromUtf8(tip));
  return widget;
}

QString Sentence(const std::string& reason) { return ReasonText(AsSentence(reason)); }

}  // namespace

FontImportDialog::FontImportDialog(PlatformServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setObjectName(QStringLiteral("FontImportDialog"));
  setWindowTitle(QStringLiteral("Import Font"));
  setModal(true);

  file_ = Named(new QLineEdit(this), "FontFile",
                "A TrueType, OpenType, BDF or PCF font (.ttf .otf .ttc .bdf .pcf .pcf.gz)");
  auto* browse = Named(new QPushButton(QStringLiteral("&Browse..."), this), "FontBrowse",
                       "Choose the font file");
  size_ = Named(new QSpinBox(this), "FontSize",
                "Size in pixels; a bitmap font takes one of its own sizes");
  size_->setRange(0, MaxFontPixelSize);
  size_->setSpecialValueText(QStringLiteral("font's own"));
  size_->setSuffix(QStringLiteral(" px"));
  size_->setValue(16);
  chars_ = Named(new QLineEdit(QStringLiteral("32-126"), this), "FontChars",
                 "Codes and ranges (32-126, 0x20-0x7E,0xA0-0xFF) or the characters themselves; "
                 "each becomes the icon whose ID is its code");
  depth_ = Named(new QComboBox(this), "FontDepth",
                 "1 bit: FreeType's monochrome glyphs; 2 bits: their coverage in four grays");
  depth_->addItems({QStringLiteral("1 bit (monochrome)"), QStringLiteral("2 bits (four grays)")});
  hinting_ = Named(new QComboBox(this), "FontHinting",
                   "How outlines are fitted to the pixel grid; by default mono at 1 bit, normal "
                   "at 2");
  hinting_->addItem(QStringLiteral("Default"));
  for (FontHinting h :
       {FontHinting::None, FontHinting::Light, FontHinting::Normal, FontHinting::Mono}) {
    hinting_->addItem(Latin1Text(HintingName(h)), static_cast<int>(h));
  }
  levels_ = Named(new QLineEdit(Latin1Text(GrayLevelsText(ShownGrays)), this), "FontLevels",
                  "The device's grays for Black, 66 %, 33 % and White, 0 to 255, rising");
  invert_ = Named(new QCheckBox(QStringLiteral("&White ink on Black"), this), "FontInvert",
                  "Draw the glyphs White on a Black background");
  transparent_ =
      Named(new QCheckBox(QStringLiteral("&Transparent background"), this), "FontTransparent",
            "At 2 bits: the background Transparent (the icons are stored at 4 bits)");
  sample_text_ = Named(new QLineEdit(QStringLiteral("Hello, 123"), this), "FontSampleText",
                       "The line drawn below with the glyph icons");
  sample_ = Named(new QLabel(this), "FontSample", "The sample line at the canvas zoom");
  auto* sample_area = new QScrollArea(this);
  sample_area->setWidget(sample_);
  sample_area->setWidgetResizable(false);
  sample_area->setMinimumSize(360, 120);
  status_ = Named(new QLabel(this), "FontStatus", "What the font gives under these choices");
  status_->setWordWrap(true);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->setObjectName(QStringLiteral("FontButtons"));

  auto* file_row = new QHBoxLayout;
  file_row->addWidget(file_, 1);
  file_row->addWidget(browse);
  auto* options = new QWidget;
  auto* form = new QFormLayout(options);
  form->setContentsMargins(0, 0, 0, 0);
  // A row of a layout gets a label with no buddy, which would show the "&".
  auto* file_label = new QLabel(QStringLiteral("&Font file:"), options);
  file_label->setBuddy(file_);
  form->addRow(file_label, file_row);
  form->addRow(QStringLiteral("&Size:"), size_);
  form->addRow(QStringLiteral("&Characters:"), chars_);
  form->addRow(QStringLiteral("&Depth:"), depth_);
  form->addRow(QStringLiteral("&Hinting:"), hinting_);
  form->addRow(QStringLiteral("&Grays:"), levels_);
  form->addRow(QString(), invert_);
  form->addRow(QString(), transparent_);
  form->addRow(QStringLiteral("Sample &text:"), sample_text_);
  // The options scroll on a low screen, above a sample of its least size.
  auto* options_area = new OptionsScroller(options, this);
  options_area->setObjectName(QStringLiteral("FontOptions"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(options_area, 1);
  layout->addWidget(sample_area);
  layout->addWidget(status_);
  layout->addWidget(buttons_);

  connect(browse, &QPushButton::clicked, this, &FontImportDialog::Browse);
  connect(file_, &QLineEdit::editingFinished, this, [this] { LoadFont(file_->text()); });
  connect(size_, &QSpinBox::valueChanged, this, &FontImportDialog::Update);
  for (QLineEdit* edit : {chars_, levels_}) {
    connect(edit, &QLineEdit::textChanged, this, &FontImportDialog::Update);
  }
  connect(sample_text_, &QLineEdit::textChanged, this, &FontImportDialog::DrawSample);
  for (QComboBox* box : {depth_, hinting_}) {
    connect(box, &QComboBox::currentIndexChanged, this, &FontImportDialog::Update);
  }
  for (QCheckBox* box : {invert_, transparent_}) {
    connect(box, &QCheckBox::toggled, this, &FontImportDialog::Update);
  }
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Update();
  // All of a small screen if it needs it, not the two thirds Qt gives.
  FitOnScreen(*this, sizeHint());
}

void FontImportDialog::SetZoom(int pixel_size) {
  zoom_ = std::max(pixel_size, 1);
  DrawSample();
}

void FontImportDialog::Browse() {
  FileDialogRequest request;
  request.filter = QStringLiteral(
      "Fonts (*.ttf *.otf *.ttc *.bdf *.pcf *.pcf.gz)|*.ttf;*.otf;"
      "*.ttc;*.bdf;*.pcf;*.pcf.gz|All files (*)|*");
  request.file_name = file_->text();
  const QString path = services_.OpenFileName(this, request);
  if (!path.isEmpty()) LoadFont(path);
}

void FontImportDialog::LoadFont(const QString& path) {
  file_->setText(QDir::toNativeSeparators(path));
  face_.reset();
  if (!path.isEmpty()) {
    auto bytes = ReadLocalFile(path, MaxFontFileSize + 1);
    auto face = bytes ? OpenFontFile(std::move(*bytes), path.toStdString())
                      : expected<FontFace, Error>(unexpected(bytes.error()));
    if (!face) {
      imported_.reset();
      status_->setText(QStringLiteral("\"%1\": %2").arg(path, Sentence(face.error().message)));
      buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
      DrawSample();
      return;
    }
    face_ = std::move(*face);
    // A bitmap font comes at its own size unless it has the one shown.
    const auto& strikes = face_->Info().strikes;
    if (!face_->Info().scalable &&
        std::none_of(strikes.begin(), strikes.end(),
                     [this](const FontStrike& s) { return s.ppem == size_->value(); })) {
      size_->setValue(0);
    }
  }
  Update();
}

std::string FontImportDialog::SkinName() const {
  return face_ ? SkinNameOfFont(face_->Info()) : std::string();
}

expected<FontImportOptions, Error> FontImportDialog::Options() const {
  FontImportOptions o;
  o.size = size_->value();
  o.depth = depth_->currentIndex() + 1;
  o.invert = invert_->isChecked();
  o.transparent = transparent_->isChecked() && o.depth == 2;
  if (hinting_->currentIndex() > 0)
    o.hinting = static_cast<FontHinting>(hinting_->currentData().toInt());
  if (o.depth == 2) {
    const auto levels = ParseGrayLevels(levels_->text().toStdString());
    if (!levels) return unexpected(Error{"the grays are four whole numbers 0 to 255, rising"});
    o.levels = *levels;
  }
  auto chars = ParseCharSet(chars_->text().toStdString());
  if (!chars) return unexpected(chars.error());
  o.chars = std::move(*chars);
  return o;
}

void FontImportDialog::Update() {
  transparent_->setEnabled(depth_->currentIndex() == 1);
  levels_->setEnabled(depth_->currentIndex() == 1);
  imported_.reset();
  if (!face_) {
    if (file_->text().isEmpty()) status_->setText(QStringLiteral("Choose a font file."));
  } else if (auto options = Options(); !options) {
    status_->setText(Sentence(options.error().message));
  } else if (auto imported = ImportFont(*face_, *options); !imported) {
    status_->setText(Sentence(imported.error().message));
  } else {
    imported_ = std::move(*imported);
    QString text = QStringLiteral("%1 glyphs, %2 rows high.")
                       .arg(imported_->skin.Count())
                       .arg(imported_->height);
    for (const std::string& note : imported_->notes) text += QLatin1Char(' ') + Sentence(note);
    status_->setText(text);
  }
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(imported_.has_value());
  DrawSample();
}

void FontImportDialog::DrawSample() {
  sample_->setPixmap(QPixmap());
  if (!imported_) return;
  const QList<uint> text = sample_text_->text().toUcs4();
  const auto line = DrawTextLine(imported_->skin, std::u32string(text.begin(), text.end()));
  if (!line) {
    sample_->setText(Sentence(line.error().message));
    sample_->adjustSize();
    return;
  }
  const int zoom = std::min(zoom_, kLargestSample / std::max({line->width, line->height, 1}));
  QImage image(line->width, line->height, QImage::Format_ARGB32);
  for (int y = 0; y < line->height; ++y) {
    for (int x = 0; x < line->width; ++x) {
      const Rgb c = ColorOf(ToPixelCode(line->At(x, y)));
      image.setPixel(x, y, qRgb(c.r, c.g, c.b));
    }
  }
  sample_->setPixmap(QPixmap::fromImage(
      image.scaled(line->width * std::max(zoom, 1), line->height * std::max(zoom, 1))));
  sample_->adjustSize();
}

}  // namespace pictavo
