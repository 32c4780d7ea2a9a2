#pragma once

#include <optional>

#include <QObject>
#include <QString>

#include "core/documents/read_document.h"
#include "ui/services/file_access.h"

class QAction;
class QWidget;

namespace pictavo {

class Editor;
class PlatformServices;
class SkinCommands;
class TbmpWin;

// The menu items of the picture file commands; the tool-bar buttons
// `ToolButton2`, `ToolButton3` and `ToolButton21` share them.
struct FileActions {
  QAction* OpenPicture1;
  QAction* Savepicture1;
  QAction* OpenBMPfile1;
};

// The picture file commands ("Open Picture...", "Save Picture...") and
// "Open BMP file..." with its window `TbmpWin`, which it creates. They read
// and write the picture's name in the name box; `parent` is the main window,
// the parent of the window and of the file dialogs and message boxes.
class FileCommands : public QObject {
  Q_OBJECT

 public:
  // `skins` opens the skins given to Open.
  FileCommands(Editor& editor, PlatformServices& services, const FileActions& actions,
               SkinCommands& skins, QWidget* parent);

  TbmpWin* BitmapImportWindow() const { return bitmap_import_window_; }

  // Asks for a file in `SaveDialog2` and writes the Picture under its name.
  // A failure is reported and leaves the file on disk as it was. No undo
  // step and no redraw. True once the file is written.
  bool SavePictureFile();
  // Asks for a file in `OpenDialog1` and reads it into the Picture and the
  // name box. A file that cannot be read or is not a picture file is
  // reported and changes nothing. Whatever the outcome, skin mode ends.
  void OpenPictureFile();
  // Opens a file given to the program (named on its command line, dropped
  // on the main window, brought back by recovery) by what it holds: a
  // picture or source text as "Open Picture..." opens it, a skin as
  // "OpenSkin..." does, an image in the import window as "Open BMP
  // file..." shows it. A file that cannot be opened is reported in the
  // words of its kind's command, which still ends skin mode where it
  // always does. True when the document was opened.
  bool Open(const QString& path);

 public slots:
  void OpenPicture1Click();
  void Savepicture1Click();
  void OpenBMPfile1Click();

 private:
  // Open Picture once its file is read, or was not: the picture becomes the
  // Picture, then skin mode ends; unless the work it would replace could not
  // be kept and the user kept it, which changes nothing.
  bool FinishOpenPicture(const QString& path, std::optional<PictureDocument> opened);
  // The file read for the window; an array that gives no size is read again
  // with the size the user is asked for. Nothing when the user cancels.
  std::optional<expected<Document, DocumentRefusal>> ReadAskingSize(const QString& path,
                                                                    ReadHints hints);
  void Report(OpenCommand command, const QString& path, const DocumentRefusal& refusal);

  Editor& editor_;
  PlatformServices& services_;
  SkinCommands& skins_;
  QWidget* parent_;
  TbmpWin* bitmap_import_window_;
};

}  // namespace pictavo
