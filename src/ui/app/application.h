#pragma once

#include <QApplication>

namespace pictavo {

// Shows an exception that escapes an event handler in an error box and lets
// the message loop go on, instead of ending the program with the user's work.
class PictavoApplication : public QApplication {
 public:
  PictavoApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Start-up: the application, the windows in their fixed order, the message
// loop. Returns the process exit code.
int RunPictavo(int argc, char** argv);

}  // namespace pictavo
