#pragma once

#include <QByteArray>
#include <QObject>

namespace pictavo {

class TForm1;
class Tsavebox;
class Tselpanel;

// The select tool's windows and commands: creates the select tool panel
// `Tselpanel` and the name prompt `Tsavebox` (in that order, right after the
// export panel), shows and hides the panel with the select tool, and saves
// the captured selection as a picture file of its own. Created by the main
// window at start-up, in the fixed window order.
class SelectionCommands : public QObject {
  Q_OBJECT

 public:
  explicit SelectionCommands(TForm1& form);

  Tselpanel* Selpanel() const { return selpanel_; }
  Tsavebox* Savebox() const { return savebox_; }

  // The panel's "Save select to PTV file": copies the picture's name into the
  // prompt; with a capture, asks for the name and, on "Save...", saves.
  void SaveSelection();
  // Writes the captured selection under `name` into a file chosen in
  // `SaveDialog2`, after an undo step. The picture, its name and the
  // selection stay as they are; a file that cannot be written is reported
  // and left as it was.
  void SaveSelectionFile(const QByteArray& name);

 private:
  TForm1& form_;
  Tselpanel* selpanel_;
  Tsavebox* savebox_;
};

}  // namespace pictavo
