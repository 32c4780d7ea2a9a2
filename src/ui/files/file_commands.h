#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace pictavo {

class Editor;
class PlatformServices;
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
  FileCommands(Editor& editor, PlatformServices& services, const FileActions& actions,
               QWidget* parent);

  TbmpWin* BitmapImportWindow() const { return bitmap_import_window_; }

  // Asks for a file in `SaveDialog2` and writes the Picture under its name.
  // A failure is reported and leaves the file on disk as it was. No undo
  // step and no redraw.
  void SavePictureFile();
  // Asks for a file in `OpenDialog1` and reads it into the Picture and the
  // name box. A file that cannot be read or is not a picture file is
  // reported and changes nothing. Whatever the outcome, skin mode ends.
  void OpenPictureFile();

 public slots:
  void OpenPicture1Click();
  void Savepicture1Click();
  void OpenBMPfile1Click();

 private:
  // Reads one chosen file into the Picture and the name box, or reports why not.
  // True when the file was read and became the picture.
  bool LoadPicture(const QString& path);

  Editor& editor_;
  PlatformServices& services_;
  QWidget* parent_;
  TbmpWin* bitmap_import_window_;
};

}  // namespace pictavo
