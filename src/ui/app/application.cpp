#include "ui/app/application.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include <QCommandLineParser>
#include <QMessageBox>

#include "ui/app/main_window.h"
#include "ui/files/file_commands.h"
#include "ui/services/platform_services.h"

namespace pictavo {

namespace {

void ShowErrorBox(const QString& text) {
  QMessageBox::critical(nullptr, QStringLiteral("Pictavo"), text);
}

// Without a display the window toolkit would abort with a terse message.
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
#if defined(Q_OS_LINUX)
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
#else
  return true;
#endif
}

// "pictavo [FILE]": --help and --version print and end the program; of
// several files (a desktop may pass more) the first is opened.
QString FileArgument(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Pixel picture and skin editor. FILE may be a picture (.ptv), a skin "
                     "(.skin) or an image (BMP, PNG, GIF, JPEG), which opens in the import "
                     "window."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A file to open."),
                               QStringLiteral("[FILE]"));
  parser.process(app);
  return parser.positionalArguments().value(0);
}

}  // namespace

PictavoApplication::PictavoApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Pictavo"));
  // Where the import window keeps its choices between runs.
  setOrganizationName(QStringLiteral("Pictavo"));
  setApplicationVersion(QStringLiteral("2.0"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/app_icon_32.png")));
}

bool PictavoApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowErrorBox(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowErrorBox(QString());
  }
  return false;
}

int RunPictavo(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Pictavo needs a graphical display, and none was found (DISPLAY and "
                 "WAYLAND_DISPLAY are not set).\nStart it from a desktop session, or under "
                 "Xvfb: xvfb-run scripts/run\n");
    return 2;
  }
  try {
    PictavoApplication app(argc, argv);
    // --help and --version end here, before any window is made.
    const QString file = FileArgument(app);
    QtPlatformServices services;
    // Made before the main window, which shows it, and ended after it.
    Editor editor;
    TForm1 window(editor, services);
    window.CreateSecondaryWindows();
    window.show();
    // A file named on the command line (as the desktop's "Open with" gives
    // it) opens once the window is up, as a dropped file does.
    if (!file.isEmpty()) {
      QMetaObject::invokeMethod(
          &window, [&window, file] { window.Files()->Open(file); }, Qt::QueuedConnection);
    }
    return app.exec();
  } catch (const std::exception& error) {
    ShowErrorBox(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowErrorBox(QString());
  }
  return 1;
}

}  // namespace pictavo
