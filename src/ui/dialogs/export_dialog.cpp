#include "ui/dialogs/export_dialog.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "qt_support/core_bridge.h"
#include "ui/services/window_placement.h"
#include "ui/widgets/options_scroller.h"

namespace pictavo {

namespace {

QComboBox* NewCombo(QWidget* parent, const char* name, const char* tip,
                    std::initializer_list<const char*> items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  combo->setToolTip(QLatin1String(tip));
  for (const char* item : items) combo->addItem(QLatin1String(item));
  return combo;
}

}  // namespace

ExportDialog::ExportDialog(const Picture& picture, const QByteArray& name,
                           const std::string& fallback, ExportMemory memory, QWidget* parent,
                           const Skin* skin)
    : QDialog(parent),
      picture_(picture),
      name_(name),
      fallback_(fallback),
      presets_(std::move(memory.presets)) {
  setObjectName(QStringLiteral("ExportDialog"));
  setWindowTitle(QStringLiteral("Export"));
  if (skin != nullptr) skin_ = *skin;

  source_ =
      NewCombo(this, "sourceBox", "What to export: the picture, or in skin mode the whole skin",
               {"Picture", "Whole skin"});
  source_->setEnabled(skin_.has_value());
  format_ = new QComboBox(this);
  format_->setObjectName(QStringLiteral("formatBox"));
  format_->setToolTip(QStringLiteral("Which text to make"));
  ShowSource(ExportSource::Picture);
  depth_ = NewCombo(this, "depthBox", "Bits per pixel", {"1", "2", "4", "8"});
  align_ = new QCheckBox(QStringLiteral("&Align rows to bytes"), this);
  align_->setObjectName(QStringLiteral("alignBox"));
  align_->setToolTip(QStringLiteral("Start every row in a new byte"));
  bit_order_ =
      NewCombo(this, "bitOrderBox", "Where the first pixel of a byte goes",
               {"lsb: first pixel in the lowest bits", "msb: first pixel in the highest bits"});
  layout_ = NewCombo(this, "layoutBox", "1 bpp only: pages are columns of 8 rows per byte",
                     {"rows", "pages of 8 rows"});
  symbol_ = new QLineEdit(this);
  symbol_->setObjectName(QStringLiteral("symbolBox"));
  symbol_->setToolTip(
      QStringLiteral("The array's name; empty: the picture's name. Characters C cannot hold "
                     "become _, and a name C or C++ reserves gets _picture behind"));
  // Empty, the box stands for the picture's own symbol, shown greyed.
  symbol_->setPlaceholderText(QString::fromLatin1(ExportSymbol({}, AsView(name), fallback_)));
  symbol_note_ = new QLabel(this);
  symbol_note_->setObjectName(QStringLiteral("symbolNote"));
  symbol_note_->setWordWrap(true);
  symbol_note_->setToolTip(QStringLiteral("Why the symbol is not the name given"));

  auto* options = new QFormLayout;
  form_ = options;
  options->addRow(QStringLiteral("So&urce:"), source_);
  options->addRow(QStringLiteral("&Format:"), format_);
  options->addRow(QStringLiteral("&Depth:"), depth_);
  AddSkinRows(options);
  options->addRow(QString(), align_);
  options->addRow(QStringLiteral("&Bit order:"), bit_order_);
  options->addRow(QStringLiteral("&Layout:"), layout_);
  options->addRow(QStringLiteral("&Symbol:"), symbol_);
  options->addRow(QString(), symbol_note_);
  options->addRow(QStringLiteral("&Preset:"), NewPresetRow());

  // Bits 7 to 0 of the first byte, each with the pixel that feeds it.
  auto* diagram = new QFrame(this);
  diagram->setObjectName(QStringLiteral("firstByteDiagram"));
  diagram->setFrameShape(QFrame::StyledPanel);
  diagram->setToolTip(
      QStringLiteral("Which pixel (x, y), counted from 0 at the top left, "
                     "feeds each bit of the first byte"));
  auto* grid = new QGridLayout(diagram);
  grid->addWidget(new QLabel(QStringLiteral("First byte:"), diagram), 0, 0, 1, 8);
  for (int bit = 7; bit >= 0; --bit) {
    auto* head = new QLabel(QStringLiteral("bit %1").arg(bit), diagram);
    head->setAlignment(Qt::AlignCenter);
    bits_[bit] = new QLabel(diagram);
    bits_[bit]->setObjectName(QStringLiteral("bit%1").arg(bit));
    bits_[bit]->setAlignment(Qt::AlignCenter);
    bits_[bit]->setFrameShape(QFrame::Box);
    grid->addWidget(head, 1, 7 - bit);
    grid->addWidget(bits_[bit], 2, 7 - bit);
  }

  preview_ = new QPlainTextEdit(this);
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setReadOnly(true);
  preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
  preview_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  preview_->setToolTip(QStringLiteral("The text as it will be copied or saved"));
  // Low enough for the dialog to fit a 1366 x 768 screen at a scale of 2.
  preview_->setMinimumSize(480, 120);

  copy_ = new QPushButton(QStringLiteral("&Copy"), this);
  copy_->setObjectName(QStringLiteral("copyButton"));
  copy_->setToolTip(QStringLiteral("Put the text on the clipboard"));
  save_ = new QPushButton(QStringLiteral("&Save..."), this);
  save_->setObjectName(QStringLiteral("saveButton"));
  save_->setToolTip(QStringLiteral("Write the text into a file"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(copy_, QDialogButtonBox::ActionRole);
  buttons->addButton(save_, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(copy_, &QPushButton::clicked, this, &ExportDialog::copyRequested);
  connect(save_, &QPushButton::clicked, this, &ExportDialog::saveRequested);

  // The options scroll on a low screen, so the window never asks for more
  // height than the screen has; the preview takes what is left.
  auto* settings = new QWidget;
  auto* top = new QHBoxLayout(settings);
  top->setContentsMargins(0, 0, 0, 0);
  top->addLayout(options);
  top->addWidget(diagram, 0, Qt::AlignTop);
  auto* scroller = new OptionsScroller(settings, this);
  scroller->setObjectName(QStringLiteral("exportOptions"));
  options_area_ = scroller;
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroller);
  layout->addWidget(preview_, 1);
  layout->addWidget(buttons);

  for (QComboBox* combo : {format_, depth_, bit_order_, layout_, skin_depth_}) {
    connect(combo, &QComboBox::currentIndexChanged, this, &ExportDialog::Update);
  }
  connect(source_, &QComboBox::currentIndexChanged, this, [this](int index) {
    ShowSource(index == 1 ? ExportSource::Skin : ExportSource::Picture);
    Update();
  });
  connect(align_, &QCheckBox::toggled, this, &ExportDialog::Update);
  connect(lookup_, &QCheckBox::toggled, this, &ExportDialog::Update);
  connect(symbol_, &QLineEdit::textChanged, this, &ExportDialog::Update);
  Show(memory.last);
}

void ExportDialog::showEvent(QShowEvent* event) {
  // Polished for its screen, the options can want more room than when the
  // window was made: its first size is taken from them as they now stand
  // (all of the screen where it is small, not the two thirds Qt gives).
  if (!sized_ && !event->spontaneous()) {
    sized_ = true;
    options_area_->updateGeometry();
    FitOnScreen(*this, sizeHint());
  }
  QDialog::showEvent(event);
}

QWidget* ExportDialog::NewPresetRow() {
  auto* row = new QWidget(this);
  preset_ = new QComboBox(row);
  preset_->setObjectName(QStringLiteral("presetBox"));
  preset_->setEditable(true);
  preset_->setInsertPolicy(QComboBox::NoInsert);
  preset_->setToolTip(
      QStringLiteral("A named format with its options: choose one to use it, or type a new name "
                     "and save the choices under it"));
  preset_->lineEdit()->setPlaceholderText(QStringLiteral("name of a preset"));
  for (const ExportPreset& preset : presets_) preset_->addItem(preset.name);
  preset_->setCurrentIndex(-1);
  save_preset_ = new QPushButton(QStringLiteral("Sa&ve preset"), row);
  save_preset_->setObjectName(QStringLiteral("savePresetButton"));
  save_preset_->setToolTip(QStringLiteral("Keep the format and options under the preset's name"));
  delete_preset_ = new QPushButton(QStringLiteral("D&elete preset"), row);
  delete_preset_->setObjectName(QStringLiteral("deletePresetButton"));
  delete_preset_->setToolTip(QStringLiteral("Forget the preset of this name"));
  for (QPushButton* button : {save_preset_, delete_preset_}) button->setAutoDefault(false);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(preset_, 1);
  layout->addWidget(save_preset_);
  layout->addWidget(delete_preset_);
  connect(preset_, &QComboBox::activated, this, &ExportDialog::ChoosePreset);
  connect(preset_, &QComboBox::editTextChanged, this, &ExportDialog::UpdatePresetButtons);
  connect(save_preset_, &QPushButton::clicked, this, &ExportDialog::SavePreset);
  connect(delete_preset_, &QPushButton::clicked, this, &ExportDialog::DeletePreset);
  UpdatePresetButtons();
  return row;
}

void ExportDialog::ChoosePreset(int index) {
  if (index >= 0 && index < static_cast<int>(presets_.size())) {
    Show(presets_[static_cast<std::size_t>(index)].setting);
  }
  UpdatePresetButtons();
}

void ExportDialog::SavePreset() {
  const QString name = preset_->currentText().trimmed();
  if (name.isEmpty()) return;
  const int at = preset_->findText(name);
  if (at >= 0) {
    presets_[static_cast<std::size_t>(at)].setting = Setting();
  } else {
    presets_.push_back({name, Setting()});
    preset_->addItem(name);
  }
  preset_->setCurrentIndex(preset_->findText(name));
  UpdatePresetButtons();
}

void ExportDialog::DeletePreset() {
  const int at = preset_->findText(preset_->currentText().trimmed());
  if (at < 0) return;
  presets_.erase(presets_.begin() + at);
  preset_->removeItem(at);
  preset_->setCurrentIndex(-1);
  preset_->setEditText(QString());
  UpdatePresetButtons();
}

void ExportDialog::UpdatePresetButtons() {
  const QString name = preset_->currentText().trimmed();
  save_preset_->setEnabled(!name.isEmpty());
  delete_preset_->setEnabled(preset_->findText(name) >= 0);
}

ExportChoices ExportDialog::Given() const {
  ExportChoices given;
  given.align = align_->isChecked();
  given.order = bit_order_->currentIndex() == 1 ? BitOrder::Msb : BitOrder::Lsb;
  given.layout = layout_->currentIndex() == 1 ? ByteLayout::Pages : ByteLayout::Rows;
  given.symbol = symbol_->text().toLatin1().toStdString();
  given.depth = skin_depth_->currentIndex() > 0 ? skin_depth_->currentText().toInt() : 0;
  given.lookup = lookup_->isChecked();
  return given;
}

ExportSetting ExportDialog::Setting() const {
  ExportSetting setting;
  setting.format = std::string(Format().name);
  setting.choices = Given();
  // The symbol is the picture's own, never remembered.
  setting.choices.symbol.clear();
  return setting;
}

void ExportDialog::Show(const ExportSetting& setting) {
  const ExportFormat* format = FindExportFormat(setting.format);
  if (format == nullptr && skin_) format = FindExportFormat(setting.format, ExportSource::Skin);
  if (format != nullptr && !format->Family().binary) {
    source_->setCurrentIndex(format->Source() == ExportSource::Skin ? 1 : 0);
    format_->setCurrentIndex(format_->findData(static_cast<int>(format->family)));
    if (format->Family().has_depth) depth_->setCurrentText(QString::number(format->depth));
  }
  skin_depth_->setCurrentIndex(
      std::max(0, skin_depth_->findText(QString::number(setting.choices.depth))));
  lookup_->setChecked(setting.choices.lookup);
  align_->setChecked(setting.choices.align);
  bit_order_->setCurrentIndex(setting.choices.order == BitOrder::Msb ? 1 : 0);
  layout_->setCurrentIndex(setting.choices.layout == ByteLayout::Pages ? 1 : 0);
  Update();
}

ExportMemory ExportDialog::Memory() const { return {Setting(), presets_}; }

const ExportFormat& ExportDialog::Format() const {
  const auto family = static_cast<ExportFamily>(format_->currentData().toInt());
  return ExportFormatOf(family, depth_->currentText().toInt());
}

QString ExportDialog::Suffix() const { return QString::fromLatin1(Format().Family().suffix); }

QString ExportDialog::SaveFilter() const { return QString::fromLatin1(Format().Family().filter); }

QString ExportDialog::FileStem() const {
  return Format().Takes(ExportOption::Symbol) ? QString::fromLatin1(symbol_used_)
                                              : QString::fromLatin1(name_);
}

void ExportDialog::Update() {
  const ExportFormat& format = Format();
  const ExportChoices given = Given();
  const ExportChoices choices = ChoicesFor(format, given);
  const bool skin = format.Source() == ExportSource::Skin;
  form_->setRowVisible(depth_, !skin);
  form_->setRowVisible(skin_depth_, skin);
  form_->setRowVisible(lookup_, skin);
  depth_->setEnabled(format.Family().has_depth);
  skin_depth_->setEnabled(format.Takes(ExportOption::Depth));
  lookup_->setEnabled(format.Takes(ExportOption::Lookup));
  align_->setEnabled(format.Takes(ExportOption::Align) && choices.layout == ByteLayout::Rows &&
                     choices.depth != 8);
  bit_order_->setEnabled(format.Takes(ExportOption::BitOrder));
  layout_->setEnabled(format.Takes(ExportOption::Layout));
  symbol_->setEnabled(format.Takes(ExportOption::Symbol));

  const std::string_view name = AsView(name_);
  symbol_used_ = QByteArray::fromStdString(ExportSymbol(given, name, fallback_));
  // Said only when a name the user gave had to change, as the command line says it.
  const std::string note = format.Takes(ExportOption::Symbol)
                               ? ExportSymbolNote(given, name, fallback_, format.Source())
                               : "";
  symbol_note_->setText(QString::fromLatin1(note));
  symbol_note_->setVisible(!note.empty());
  copy_->setEnabled(true);
  save_->setEnabled(true);
  if (skin) {
    UpdateSkinText(format, given);
    return;
  }
  text_ = WriteExport(format, ViewOf(picture_), name, given, fallback_);
  // The preview shows lines, whatever their ends.
  preview_->setPlainText(QString::fromLatin1(text_.data(), static_cast<qsizetype>(text_.size()))
                             .remove(QLatin1Char('\r')));
  SourceTextOptions options;
  options.Format = format.family == ExportFamily::XBitmap ? SourceFormat::Xbm : SourceFormat::C;
  options.Bpp = format.depth;
  options.Align = choices.align;
  options.Order = choices.order;
  options.Layout = choices.layout;
  UpdateDiagram(
      ViewOf(picture_), options,
      format.family == ExportFamily::Cpp ? QStringLiteral("codes in\ndecimal") : QString());
}

void ExportDialog::UpdateDiagram(CodeGridView shown, const SourceTextOptions& options,
                                 const QString& note) {
  const auto bits = FirstByteBits(shown, options);
  const bool inverted = options.Format == SourceFormat::Xbm;
  for (int bit = 0; bit < 8; ++bit) {
    const BitSource& s = bits[static_cast<std::size_t>(bit)];
    QString text = QStringLiteral("0");
    if (!note.isEmpty()) {
      text = bit == 0 ? note : QString();
    } else if (s.used) {
      text = QStringLiteral("(%1, %2)").arg(s.x).arg(s.y);
      if (options.Bpp > 1 && !inverted) text += QStringLiteral("\nbit %1").arg(s.value_bit);
      if (inverted) text += QStringLiteral("\nblack");
    }
    bits_[bit]->setText(text);
  }
}

}  // namespace pictavo
