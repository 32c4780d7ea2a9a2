#pragma once

#include <QObject>
#include <QString>

namespace pictavo {

class TForm1;
class TbmpWin;

// The picture file commands ("Open Picture...", "Save Picture...") and
// "Open BMP file..." with its window `TbmpWin`. Created by the main window at
// start-up, in the fixed window order.
class FileCommands : public QObject {
  Q_OBJECT

 public:
  explicit FileCommands(TForm1& form);

  TbmpWin* BmpWin() const { return bmp_win_; }

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
  void LoadPicture(const QString& path);

  TForm1& form_;
  TbmpWin* bmp_win_;
};

}  // namespace pictavo
