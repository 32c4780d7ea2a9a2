#pragma once

#include <string>
#include <vector>

#include <QByteArray>
#include <QDialog>
#include <QString>

#include "core/documents/export_catalogue.h"
#include "core/formats/source_text/writer.h"
#include "core/model/picture.h"
#include "ui/dialogs/export_memory.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pictavo {

// "Export": every text of the picture in one window, with its options, a
// live preview and which pixel feeds each bit of the first byte. "Copy" and
// "Save..." hand the text to whoever listens; the window itself writes
// nothing.
class ExportDialog : public QDialog {
  Q_OBJECT

 public:
  // The picture is copied: the dialog shows it as it was when opened. Its
  // symbol is the picture's name, or `fallback` (the file's name) when that
  // is no C identifier, as on the command line. The window starts with the
  // memory's last format and options and offers its presets.
  ExportDialog(const Picture& picture, const QByteArray& name, const std::string& fallback,
               ExportMemory memory, QWidget* parent);

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

 private:
  void Update();
  void UpdateDiagram(const SourceTextOptions& options, bool packed);
  const ExportFormat& Format() const;
  ExportSetting Setting() const;
  void Show(const ExportSetting& setting);
  QWidget* NewPresetRow();
  void ChoosePreset(int index);
  void SavePreset();
  void DeletePreset();
  void UpdatePresetButtons();

  Picture picture_;
  QByteArray name_;
  std::string fallback_;
  std::vector<ExportPreset> presets_;
  QByteArray symbol_used_;  // the symbol box's text made a C identifier
  std::string text_;
  QComboBox* format_;
  QComboBox* depth_;
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
