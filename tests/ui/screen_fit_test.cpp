// The windows on small and scaled screens: the main window (plain, in skin
// mode with the device preview) and every dialog fit the screen's available
// area, and every control lies whole inside its window, or inside the
// content of a scrolled area. The screen is set up before the application
// starts, from the command line ("--screen 1366x768@1.5"; by default
// 1920 x 1080 at a scale of 2), on the offscreen platform.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "core/documents/read_document.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/skin/skin_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// The named controls of `window` that do not lie whole inside every widget
// around them up to the window, or to the content of a scrolled area, which
// its bars bring into view; and the window itself if its frame leaves the
// screen's available area.
QStringList CutOff(QWidget* window) {
  QStringList problems;
  const QRect area = window->screen()->availableGeometry();
  if (!area.contains(window->frameGeometry())) {
    problems << QStringLiteral("%1 at %2,%3 %4x%5 on %6x%7")
                    .arg(window->objectName())
                    .arg(window->frameGeometry().x())
                    .arg(window->frameGeometry().y())
                    .arg(window->frameGeometry().width())
                    .arg(window->frameGeometry().height())
                    .arg(area.width())
                    .arg(area.height());
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
        problems << QStringLiteral("%1 in %2").arg(control->objectName(), window->objectName());
        break;
      }
    }
  }
  return problems;
}

#define VERIFY_WHOLE(problems)                                               \
  do {                                                                       \
    const QStringList found = (problems);                                    \
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; ")))); \
  } while (false)

// Lays every window out until nothing asks for another pass: a bar that
// wraps changes its height after its width is known.
void Settle() {
  for (int pass = 0; pass < 8; ++pass) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
  }
}

QStringList ShownCutOff(QWidget* window) {
  window->show();
  Settle();
  QStringList problems = CutOff(window);
  window->hide();
  return problems;
}

}  // namespace

class ScreenFitTest : public QObject {
  Q_OBJECT

 private slots:
  void theMainWindowFitsInEachMode() {
    ScriptedServices services;
    Editor editor;
    TForm1 window(editor, services);
    window.CreateSecondaryWindows();
    window.show();
    Settle();
    VERIFY_WHOLE(CutOff(&window));
    // A button the tool bar has no room for is behind its extension button.
    auto* tool_bar = window.findChild<QToolBar*>("ToolBar1");
    for (QAction* action : tool_bar->actions()) {
      QWidget* button = tool_bar->widgetForAction(action);
      if (button == nullptr || button->isVisible()) continue;
      auto* more = tool_bar->findChild<QToolButton*>("qt_toolbar_ext_button");
      QVERIFY2(more != nullptr && more->isVisible(), qPrintable(button->objectName()));
    }

    // Skin mode with the icon bar, the icon list, the frames' preview and
    // the device preview.
    Skin skin;
    for (int id = 1; id <= 12; ++id) {
      skin.Append(TSkinIcon{id, 3, 4, 32, 32, std::vector<std::uint8_t>(32 * 32 * 3, 3)});
    }
    window.Skins()->OpenSkinDocument(QDir::temp().filePath("icons.skin"),
                                     SkinDocument{std::move(skin), "icons"});
    window.findChild<QAction*>("ShowDevicePreview")->trigger();
    Settle();
    QVERIFY(editor.State().Document.SkinMode);
    QVERIFY(window.findChild<QWidget*>("Panel3")->isVisible());
    QVERIFY(window.findChild<QWidget*>("DevicePreview")->isVisible());
    VERIFY_WHOLE(CutOff(&window));

    // Every dialog, as its command shows it.
    QStringList problems;
    for (const char* name : {"TForm2", "TAbout", "TForm4", "Tselpanel", "Tsavebox", "TbmpWin",
                             "TAddIconForm", "RecoverWindow"}) {
      auto* dialog = window.findChild<QWidget*>(name);
      QVERIFY2(dialog != nullptr, name);
      problems << ShownCutOff(dialog);
    }
    ExportDialog export_dialog(editor.State().Document.Picture, "icons", &window);
    problems << ShownCutOff(&export_dialog);
    VERIFY_WHOLE(problems);
  }
};

int main(int argc, char** argv) {
  // The screen, before the application exists: its size, and the scale
  // every window is shown at.
  QString screen = QStringLiteral("1920x1080@2");
  for (int i = 1; i + 1 < argc; ++i) {
    if (QByteArray(argv[i]) == "--screen") screen = QString::fromLocal8Bit(argv[i + 1]);
  }
  const QStringList size = screen.section('@', 0, 0).split('x');
  QTemporaryDir dir;
  const QString config = dir.filePath("screen.json");
  QFile file(config);
  if (size.size() != 2 || !file.open(QIODevice::WriteOnly)) return 2;
  file.write(QStringLiteral("{\"screens\": [{\"name\": \"test\", \"x\": 0, \"y\": 0, "
                            "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                            "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                 .arg(size[0], size[1])
                 .toUtf8());
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
  qputenv("QT_SCALE_FACTOR", screen.section('@', 1, 1).toLocal8Bit());
  qputenv("XDG_STATE_HOME", dir.filePath("state").toLocal8Bit());
  // QTest takes the remaining arguments.
  std::vector<char*> args{argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (QByteArray(argv[i]) == "--screen") {
      ++i;
      continue;
    }
    args.push_back(argv[i]);
  }
  int count = static_cast<int>(args.size());
  QApplication app(count, args.data());
  ScreenFitTest test;
  return QTest::qExec(&test, count, args.data());
}

#include "screen_fit_test.moc"
