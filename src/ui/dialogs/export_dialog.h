#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QDialog>
#include <QString>

#include "core/documents/export_catalogue.h"
#include "core/formats/source_text/writer.h"
#include "core/model/picture.h"
#include "core/model/skin.h"
#include "ui/dialogs/export_memory.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pictavo {

// "Export": every text of the picture in one window, with its options, a
// live preview and which pixel feeds each bit of the first byte; in skin
// mode also the texts of the whole skin. "Copy" and "Save..." hand the text
// to whoever listens; the window itself writes nothing.
class ExportDialog : public QDialog {
  Q_OBJECT

 public:
  // The picture is copied: the dialog shows it as it was when opened. Its
  // symbol is the picture's name, or `fallback` (the file's name) when that
  // is no C identifier, as on the command line. The window starts with the
  // memory's last format and options and offers its presets. Given a skin
  // (skin mode), it also offers the "Whole skin" texts, on a copy of it; the
  // name is then the skin's.
  ExportDialog(const Picture& picture, const QByteArray& name, const std::string& fallback,
               ExportMemory memory, QWidget* parent, const Skin* skin = nullptr);

  // The text the preview shows, in the program's bytes (Latin-1, line ends
  // as the format has them).
  const std::string& Text() const { return text_; }
  // The file suffix and the save dialog's filter for the chosen format.
  QString Suffix() const;
  QString SaveFilter() const;
  // The symbol, or for the listings the picture's name: the file name offered.
  QString FileStem() const;
  // The format and options as they stand, and the presets.
  ExportMemory Memory() const;

 signals:
  void copyRequested();
  void saveRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Update();
  void UpdateDiagram(CodeGridView shown, const SourceTextOptions& options, const QString& note);
  const ExportFormat& Format() const;
  ExportSource Source() const;
  ExportChoices Given() const;
  // The skin's half: its rows, choosing the source, and its text.
  void AddSkinRows(QFormLayout* options);
  void ShowSource(ExportSource source);
  void UpdateSkinText(const ExportFormat& format, const ExportChoices& given);
  ExportSetting Setting() const;
  void Show(const ExportSetting& setting);
  QWidget* NewPresetRow();
  void ChoosePreset(int index);
  void SavePreset();
  void DeletePreset();
  void UpdatePresetButtons();

  Picture picture_;
  std::optional<Skin> skin_;
  // The first frame of the skin's first icon: what the diagram shows of it.
  Picture first_frame_;
  QByteArray name_;
  std::string fallback_;
  std::vector<ExportPreset> presets_;
  QByteArray symbol_used_;  // the symbol box's text made a C identifier
  std::string text_;
  QComboBox* source_;
  QComboBox* format_;
  QComboBox* depth_;
  QComboBox* skin_depth_;
  QCheckBox* lookup_;
  QFormLayout* form_;
  QWidget* options_area_;  // scrolls on a low screen
  bool sized_ = false;
  QCheckBox* align_;
  QComboBox* bit_order_;
  QComboBox* layout_;
  QLineEdit* symbol_;
  QLabel* symbol_note_;
  QComboBox* preset_;
  QPushButton* save_preset_;
  QPushButton* delete_preset_;
  QPlainTextEdit* preview_;
  QLabel* bits_[8];
  QPushButton* copy_;
  QPushButton* save_;
};

}  // namespace pictavo
