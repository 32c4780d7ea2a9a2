#pragma once

#include <memory>

#include <QImage>
#include <QLabel>
#include <QToolButton>

#include "support/scripted_services.h"
#include "ui/app/main_window.h"

namespace pictavo::testing {

// A started main window with all its secondary windows, on scripted services.
// The fixture owns the editor, which outlives the window as in the program.
struct MainWindowFixture {
  MainWindowFixture();
  ~MainWindowFixture();

  EditorState& State() { return editor.MutableState(); }
  QToolButton* Button(const char* name) const;
  QAction* Action(const char* name) const;
  QString StatusText(int panel) const;
  // The shown canvas, as the user sees it.
  QImage CanvasImage() const;
  // Canvas position of the centre of a 1-based cell at the current zoom.
  QPoint CellCentre(int x, int y);

  ScriptedServices services;
  Editor editor;
  std::unique_ptr<TForm1> form;
};

}  // namespace pictavo::testing
