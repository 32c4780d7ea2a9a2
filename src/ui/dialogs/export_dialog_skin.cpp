// The Export window's "Whole skin": the skin's formats, their options and
// their text, beside the picture's.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "qt_support/core_bridge.h"
#include "ui/dialogs/export_dialog.h"

namespace pictavo {

void ExportDialog::AddSkinRows(QFormLayout* options) {
  skin_depth_ = new QComboBox(this);
  skin_depth_->setObjectName(QStringLiteral("skinDepthBox"));
  skin_depth_->setToolTip(
      QStringLiteral("Each icon at its own depth, as the skin file keeps it (reads back as the "
                     "same skin), or every icon at one depth, its codes mapped as the picture's "
                     "texts of that depth map them"));
  skin_depth_->addItems({QStringLiteral("each icon's own"), QStringLiteral("1"),
                         QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")});
  lookup_ = new QCheckBox(QStringLiteral("Add a loo&kup from icon ID to entry"), this);
  lookup_->setObjectName(QStringLiteral("lookupBox"));
  lookup_->setToolTip(
      QStringLiteral("256 bytes giving the index entry of the first icon of each ID, 0xFF "
                     "where the skin has none: what a font needs"));
  options->addRow(QStringLiteral("Dep&th:"), skin_depth_);
  options->addRow(QString(), lookup_);
  options->setRowVisible(skin_depth_, false);
  options->setRowVisible(lookup_, false);
  // What the diagram shows of the skin.
  first_frame_.Width = 0;
  first_frame_.Height = 0;
  if (skin_ && skin_->Contains(0)) {
    const TSkinIcon& icon = skin_->At(0);
    first_frame_.Width = icon.Width;
    first_frame_.Height = icon.Height;
    for (int y = 0; y < icon.Height; ++y) {
      for (int x = 0; x < icon.Width; ++x) {
        first_frame_.Cells.At(x + 1, y + 1) = ToPixelCode(icon.Data[icon.DataIndex(0, x, y)]);
      }
    }
  }
}

ExportSource ExportDialog::Source() const {
  return source_->currentIndex() == 1 ? ExportSource::Skin : ExportSource::Picture;
}

void ExportDialog::ShowSource(ExportSource source) {
  // One change, told once by the caller: no text for a half-filled list.
  const QSignalBlocker quiet(format_);
  const QString kept = format_->currentText();
  format_->clear();
  // The texts; a picture file is what "Save Picture..." writes.
  for (const ExportFamilyInfo& family : ExportFamilies(source)) {
    if (family.binary) continue;
    format_->addItem(
        QString::fromLatin1(family.caption.data(), static_cast<qsizetype>(family.caption.size())),
        static_cast<int>(family.family));
  }
  // A C header stays a C header, a GNU as source one, across the sources.
  int at = 0;
  for (const QString& kind : {QStringLiteral("C header"), QStringLiteral("GNU as source")}) {
    if (!kept.startsWith(kind)) continue;
    for (int i = format_->count(); i-- > 0;) {
      if (format_->itemText(i).startsWith(kind)) at = i;
    }
  }
  format_->setCurrentIndex(at);
}

void ExportDialog::UpdateSkinText(const ExportFormat& format, const ExportChoices& given) {
  const auto text = WriteSkinExport(format, *skin_, AsView(name_), given, fallback_);
  text_ = text ? *text : std::string();
  preview_->setPlainText(
      text ? QString::fromLatin1(text_.data(), static_cast<qsizetype>(text_.size()))
           : QStringLiteral("The skin cannot be written so: %1")
                 .arg(ReasonText(AsSentence(text.error().message))));
  copy_->setEnabled(text.has_value());
  save_->setEnabled(text.has_value());
  if (!format.Takes(ExportOption::Depth)) {
    UpdateDiagram(ViewOf(first_frame_), {}, QStringLiteral("the skin\nfile's bytes"));
    return;
  }
  // The first byte of the bits: the first icon's first frame.
  const ExportChoices choices = ChoicesFor(format, given);
  SourceTextOptions options;
  options.Bpp = choices.depth != 0 || !skin_->Contains(0) ? choices.depth : skin_->At(0).BPP;
  options.Align = choices.align;
  options.Order = choices.order;
  options.Layout = choices.layout;
  UpdateDiagram(ViewOf(first_frame_), options, QString());
}

}  // namespace pictavo
