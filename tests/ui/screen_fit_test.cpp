// The windows on small and scaled screens: the main window (plain, in skin
// mode with the device preview) and every dialog fit the screen's available
// area, and every control lies whole inside its window, or inside the
// content of a scrolled area. CTest runs it on each screen of
// tests/data/screens at each scale, as
//   QT_QPA_PLATFORM=offscreen:configfile=tests/data/screens/1920x1080.json
//   QT_SCALE_FACTOR=2 ui_screen_fit_test
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "support/main_window_fixture.h"
#include "ui/files/file_commands.h"
#include "ui/skin/skin_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// The window if its frame leaves the screen's available area, and its named
// controls that do not lie whole inside every widget around them, up to the
// window or to the content of a scrolled area, which its bars bring into view.
QStringList CutOff(QWidget* window) {
  // Lays out until nothing asks for another pass: a bar that wraps changes
  // its height once its width is known.
  for (int pass = 0; pass < 8; ++pass) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
  }
  QStringList cut;
  if (!window->screen()->availableGeometry().contains(window->frameGeometry())) {
    cut << window->objectName();
  }
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
        control->isWindow() || !control->isVisibleTo(window)) {
      continue;
    }
    QRect rect = control->rect();
    for (QWidget* inner = control; inner != window; inner = inner->parentWidget()) {
      QWidget* outer = inner->parentWidget();
      rect.translate(inner->pos());
      const auto* scrolled = qobject_cast<QAbstractScrollArea*>(outer->parentWidget());
      if (scrolled != nullptr && scrolled->viewport() == outer) break;
      if (!outer->rect().contains(rect)) {
        cut << control->objectName() + " in " + window->objectName();
        break;
      }
    }
  }
  return cut;
}

QStringList ShownCutOff(QWidget* window) {
  window->show();
  const QStringList cut = CutOff(window);
  window->hide();
  return cut;
}

}  // namespace

class ScreenFitTest : public QObject {
  Q_OBJECT

 private slots:
  void everyWindowFits() {
    // Started as the program starts, its history in the test's folder.
    QTemporaryDir home;
    qputenv("XDG_STATE_HOME", home.path().toLocal8Bit());
    ScriptedServices services;
    Editor editor;
    TForm1 window(editor, services);
    window.CreateSecondaryWindows();
    QStringList cut = ShownCutOff(&window);
    window.show();
    // A button the tool bar has no room for is behind its extension button.
    auto* tool_bar = window.findChild<QToolBar*>("ToolBar1");
    auto* more = tool_bar->findChild<QToolButton*>("qt_toolbar_ext_button");
    for (QAction* action : tool_bar->actions()) {
      QWidget* button = tool_bar->widgetForAction(action);
      if (button != nullptr && !button->isVisible() && !more->isVisible()) cut << "ToolBar1";
    }
    // Skin mode with the icon bar, the icon list, the frames' preview and
    // the device preview.
    Skin skin;
    for (int id = 1; id <= 12; ++id) {
      skin.Append(TSkinIcon{id, 3, 4, 32, 32, std::vector<std::uint8_t>(32 * 32 * 3, 3)});
    }
    window.Skins()->OpenSkinDocument(home.filePath("icons.skin"),
                                     SkinDocument{std::move(skin), "icons"});
    window.findChild<QAction*>("ShowDevicePreview")->trigger();
    QVERIFY(window.findChild<QWidget*>("Panel3")->isVisible());
    QVERIFY(window.findChild<QWidget*>("DevicePreview")->isVisible());
    cut << CutOff(&window);
    // Every dialog, as its command shows it.
    for (const char* name : {"TForm2", "TAbout", "TForm4", "Tselpanel", "Tsavebox", "TbmpWin",
                             "TAddIconForm", "RecoverWindow"}) {
      cut << ShownCutOff(window.findChild<QWidget*>(name));
    }
    services.dialog_handler = [&cut](QDialog& dialog) {
      cut << ShownCutOff(&dialog);
      // At scale 1 every screen has room for all of the Export window's options.
      const auto* options = dialog.findChild<QAbstractScrollArea*>("exportOptions");
      if (qgetenv("QT_SCALE_FACTOR") == "1" && options != nullptr &&
          (options->horizontalScrollBar()->isVisibleTo(&dialog) ||
           options->verticalScrollBar()->isVisibleTo(&dialog))) {
        cut << QStringLiteral("exportOptions scrolled at scale 1");
      }
      return int(QDialog::Rejected);
    };
    window.findChild<QAction*>("exportAction")->trigger();
    window.findChild<QAction*>("ImportFont")->trigger();
    // An array that gives no size asks for one.
    QFile array(home.filePath("codes.h"));
    QVERIFY(array.open(QIODevice::WriteOnly));
    array.write("const uint8_t codes[] PROGMEM =\n{ 0, 3, 4, 1, 2, 3 };\n");
    array.close();
    window.Files()->Open(array.fileName());
    QCOMPARE(services.shown_dialogs,
             (QStringList{"ExportDialog", "FontImportDialog", "TextSizeDialog"}));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
  }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
