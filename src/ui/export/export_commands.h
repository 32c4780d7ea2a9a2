#pragma once

#include <QObject>
#include <QString>

#include "core/formats/listing.h"

class QAction;
class QWidget;

namespace pictavo {

class Editor;
class ExportDialog;
class PlatformServices;
class TForm4;

// The export commands' actions: the tool-bar buttons that show the export
// panel and copy the picture in one format, and the two File menu items
// ("Save to end" shared with `ToolButton11`).
struct ExportActions {
  QAction* ToolButton12;  // shows the export panel
  QAction* ToolButton7;   // C++
  QAction* ToolButton5;   // ASM 1 bpp
  QAction* ToolButton16;  // ASM 2 bpp
  QAction* ToolButton17;  // ASM 4 bpp
  QAction* ToolButton8;   // ASM 8 bpp
  QAction* Save1;
  QAction* Savetoend1;
  QAction* exportAction;  // File > Export...: the export window
};

// The export commands: the clipboard buttons of the tool bar, the export
// panel `TForm4`, which it creates, and the two File menu items that write
// the 8-bit assembler text into a file. Listings carry the picture's name
// from the name box; `parent` is the main window, the parent of the panel and
// of the file dialog and message boxes.
class ExportCommands : public QObject {
  Q_OBJECT

 public:
  ExportCommands(Editor& editor, PlatformServices& services, const ExportActions& actions,
                 QWidget* parent);

  TForm4* ExportPanel() const { return export_panel_; }

  // The picture's listing of `format`, followed by its 1-bit C++ array, on the
  // clipboard.
  void CopyPictureListing(ListingFormat format, bool align);
  // The listing of the captured box alone, labelled with the picture's name.
  void CopySelectionListing(ListingFormat format, bool align);
  // Asks for a file in `SaveDialog1` and writes the 8-bit assembler text into
  // it, replacing its content or, with `append`, adding to its end. Every
  // failure is reported and leaves the file as it was.
  void SaveListingFile(bool append);

 public slots:
  void ToolButton12Click();
  void ToolButton7Click();
  void ToolButton5Click();
  void ToolButton16Click();
  void ToolButton17Click();
  void ToolButton8Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void Save1Click();
  void Savetoend1Click();
  // The export window, modal, on the picture as it is.
  void ShowExportDialog();

 private:
  void PutOnClipboard(const std::string& text);
  // "Save..." of the export window: a file chosen for its format, written
  // whole or not at all.
  void SaveExportText(ExportDialog& dialog);

  Editor& editor_;
  PlatformServices& services_;
  QWidget* parent_;
  TForm4* export_panel_;
  // The file name `SaveDialog1` is preset with: the last one chosen.
  QString last_file_name_;
};

}  // namespace pictavo
