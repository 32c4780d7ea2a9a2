#pragma once

#include <string>

#include <QByteArray>
#include <QDialog>
#include <QString>

#include "core/documents/export_catalogue.h"
#include "core/formats/source_text/writer.h"
#include "core/model/picture.h"

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
  // The picture is copied: the dialog shows it as it was when opened.
  ExportDialog(const Picture& picture, const QByteArray& name, QWidget* parent);

  // The text the preview shows, in the program's bytes (Latin-1, line ends
  // as the format has them).
  const std::string& Text() const { return text_; }
  // The file suffix and the save dialog's filter for the chosen format.
  QString Suffix() const;
  QString SaveFilter() const;
  // The symbol, or for the listings the picture's name: the file name offered.
  QString FileStem() const;

 signals:
  void copyRequested();
  void saveRequested();

 private:
  void Update();
  void UpdateDiagram(const SourceTextOptions& options, bool packed);
  const ExportFormat& Format() const;

  Picture picture_;
  QByteArray name_;
  QByteArray symbol_used_;  // the symbol box's text made a C identifier
  std::string text_;
  QComboBox* format_;
  QComboBox* depth_;
  QCheckBox* align_;
  QComboBox* bit_order_;
  QComboBox* layout_;
  QLineEdit* symbol_;
  QPlainTextEdit* preview_;
  QLabel* bits_[8];
  QPushButton* copy_;
  QPushButton* save_;
};

}  // namespace pictavo
