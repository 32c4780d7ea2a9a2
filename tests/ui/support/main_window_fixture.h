#pragma once

#include <memory>

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include "core/editing/editor_test_door.h"
#include "support/scripted_services.h"
#include "ui/app/main_window.h"

namespace pictavo::testing {

// A started main window with all its secondary windows, on scripted services.
// The fixture owns the editor, which outlives the window as in the program.
struct MainWindowFixture {
  MainWindowFixture();
  ~MainWindowFixture();

  EditorState& State() { return EditorTestDoor::MutableState(editor); }
  QToolButton* Button(const char* name) const;
  QAction* Action(const char* name) const;
  QString StatusText(int panel) const;
  // The shown canvas, as the user sees it.
  QImage CanvasImage() const;
  // Canvas position of the centre of a 1-based cell at the current zoom.
  QPoint CellCentre(int x, int y);
  // Shows a secondary window for the first time, with the main window placed
  // so that the window fits on the screen where it is put, and returns where
  // it appeared from the top-left of the main window's frame.
  QPoint FirstShownOffset(QWidget* window);
  // The 3 x 2 "icon" of the golden listings: Black, White, Transparent over
  // 66 % gray, 33 % gray, White.
  void DrawIcon();

  // The history goes here, never into the real home.
  QTemporaryDir state_home;
  ScriptedServices services;
  Editor editor;
  std::unique_ptr<TForm1> form;
};

}  // namespace pictavo::testing
