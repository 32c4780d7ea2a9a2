#pragma once

#include <QByteArray>
#include <QObject>

class QAction;
class QWidget;

namespace pictavo {

class Editor;
class PlatformServices;
class Tsavebox;
class Tselpanel;

// The select tool's windows and commands: creates the select tool panel
// `Tselpanel` and the name prompt `Tsavebox` (in that order), shows and hides
// the panel with the select tool, and saves the captured selection as a
// picture file of its own under a name that starts as the picture's. The
// select tool's action `box_tool` works only with the panel, so it is
// enabled here. `parent` is the main window, the parent of both windows and
// of the file dialog and message boxes.
class SelectionCommands : public QObject {
  Q_OBJECT

 public:
  SelectionCommands(Editor& editor, PlatformServices& services, QAction* box_tool, QWidget* parent);

  Tselpanel* SelectPanel() const { return select_panel_; }
  Tsavebox* NamePrompt() const { return name_prompt_; }

  // The panel's "Save select to PTV file": copies the picture's name into the
  // prompt; with a capture, asks for the name and, on "Save...", saves.
  void SaveSelection();
  // Writes the captured selection under `name` into a file chosen in
  // `SaveDialog2`, after an undo step. The picture, its name and the
  // selection stay as they are; a file that cannot be written is reported
  // and left as it was.
  void SaveSelectionFile(const QByteArray& name);

 private:
  Editor& editor_;
  PlatformServices& services_;
  QWidget* parent_;
  Tselpanel* select_panel_;
  Tsavebox* name_prompt_;
};

}  // namespace pictavo
