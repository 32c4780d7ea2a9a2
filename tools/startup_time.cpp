// Times the program's start: from main() to the main window shown and its
// first events handled, with the windows made as the program makes them.
// Run on the offscreen platform, with XDG_STATE_HOME pointing at a folder
// whose history holds (or does not hold) a recovery file:
//   QT_QPA_PLATFORM=offscreen pictavo_startup_time
// Prints the milliseconds taken.
#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "core/editing/editor.h"
#include "ui/app/main_window.h"
#include "ui/services/platform_services.h"

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  pictavo::QtPlatformServices services;
  pictavo::Editor editor;
  pictavo::TForm1 window(editor, services);
  window.CreateSecondaryWindows();
  window.show();
  QTimer::singleShot(0, &app, [&clock, &app] {
    std::printf("%.3f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
    app.quit();
  });
  return app.exec();
}
