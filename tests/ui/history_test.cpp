// The local history in the window: what Exit and the commands keep, the
// recovery file and strokes, the document's state in the status bar, the
// Recover window from the keyboard, and a killed process's work coming back.
#include <signal.h>

#include <string_view>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "core/formats/picture_file.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/dialogs/recover_window.h"
#include "ui/dialogs/set_size_dialog.h"
#include "ui/services/platform_services.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/recovery_bar.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// The cells the killed process draws, at the start's pixel size of 5.
const QPoint DrawnCells[] = {{1, 1}, {4, 2}, {7, 9}, {96, 92}};

QPoint Centre(QPoint cell) { return {(cell.x() - 1) * 5 + 2, (cell.y() - 1) * 5 + 2}; }

QByteArray PictureBytes(const Editor& editor) {
  const auto bytes =
      WritePictureFile(ViewOf(editor.State().Document.Picture), editor.State().Document.Name);
  return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QString History(const QTemporaryDir& home) { return home.filePath("pictavo/history"); }

// The child process: the program's window on its real services, drawn on and
// then left running until it is killed.
int DrawAndWait(int argc, char** argv) {
  QApplication app(argc, argv);
  QtPlatformServices services;
  Editor editor;
  TForm1 window(editor, services);
  window.CreateSecondaryWindows();
  window.show();
  for (const QPoint cell : DrawnCells) Click(window.Canvas(), Qt::LeftButton, Centre(cell));
  return app.exec();
}

// Drives the Recover window from the keyboard only, as `keys` says.
std::function<int(QDialog&)> Keys(std::function<void(QListWidget*)> keys) {
  return [keys](QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog)) return int(QDialog::Rejected);
    auto* list = dialog.findChild<QListWidget*>("HistoryList");
    list->setFocus();
    keys(list);
    return dialog.isVisible() ? int(QDialog::Rejected) : dialog.result();
  };
}

}  // namespace

class HistoryTest : public QObject {
  Q_OBJECT

 private slots:
  void commandsAndExitKeepTheWorkTheyDiscard() {
    MainWindowFixture f;
    auto* state = f.form->findChild<QLabel*>("DocumentState");
    QCOMPARE(state->text(), QStringLiteral("new picture"));
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 2));
    QCOMPARE(state->text(), QStringLiteral("new picture *"));
    const QByteArray drawn = PictureBytes(f.editor);
    f.Action("ClearImage1")->trigger();
    f.form->close();  // the cleared picture is unsaved work too
    const auto entries = f.form->History()->Store().List();
    QCOMPARE(entries.size(), std::size_t{2});
    QCOMPARE(entries[0].record.command, std::string("Exit"));
    QCOMPARE(entries[1].record.command, std::string("Clear Image"));
    QFile kept(QString::fromStdString(entries[1].document.string()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), drawn);
    QVERIFY(!QFile::exists(History(f.state_home) + "/recovery.ptv"));

    // Saved work shows its file's name and is not kept again.
    const QString path = f.state_home.filePath("mine.ptv");
    f.services.file_answers << path;
    f.Action("Savepicture1")->trigger();
    QCOMPARE(state->text(), QStringLiteral("mine.ptv"));
    f.form->close();
    QCOMPARE(f.form->History()->Store().List().size(), std::size_t{2});
  }

  void recoveryFileWaitsForTheStrokesEnd() {
    MainWindowFixture f;
    const QString recovery = History(f.state_home) + "/recovery.ptv";
    QWidget* canvas = f.form->Canvas();
    Press(canvas, Qt::LeftButton, f.CellCentre(1, 1));
    Move(canvas, Qt::LeftButton, f.CellCentre(3, 1));
    f.form->History()->WriteRecoveryNow();
    QVERIFY(!QFile::exists(recovery));
    Release(canvas, Qt::LeftButton, f.CellCentre(3, 1));
    f.form->History()->WriteRecoveryNow();
    QFile file(recovery);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), PictureBytes(f.editor));
    // Nothing unsaved left: the file goes with the save, not at the next
    // quiet moment, so a kill right after it finds no work to report.
    f.services.file_answers << f.state_home.filePath("a.ptv");
    f.Action("Savepicture1")->trigger();
    QVERIFY(!QFile::exists(recovery));
  }

  void recoveryBarStaysUntilOneIsChosen() {
    QTemporaryDir home;
    QVERIFY(QDir().mkpath(History(home)));
    QVERIFY(QFile::copy(qEnvironmentVariable("PICTAVO_TEST_DATA") + "/pictures/icon.ptv",
                        History(home) + "/recovery.ptv"));
    qputenv("XDG_STATE_HOME", home.path().toLocal8Bit());
    ScriptedServices services;
    Editor editor;
    TForm1 window(editor, services);
    window.CreateSecondaryWindows();
    window.show();
    QWidget* bar = window.RecoveryNote();
    // Above the canvas, not over the status bar's coordinates; it stays.
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    QVERIFY(bar->geometry().bottom() < window.Canvas()->mapTo(bar->parentWidget(), QPoint()).y());
    Click(window.Canvas(), Qt::LeftButton, Centre({3, 3}));
    QVERIFY(bar->isVisible());
    bar->findChild<QPushButton*>("DismissButton")->click();
    QVERIFY(!bar->isVisible());
    QCOMPARE(window.History()->Store().List().size(), std::size_t{1});
    QVERIFY(services.shown_dialogs.isEmpty());
  }

  void recoverWindowFromTheKeyboard() {
    MainWindowFixture f;
    QAction* recover = f.Action("RecoverUnsavedWork");
    QCOMPARE(recover->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    const QList<QAction*> file_menu = f.form->findChild<QMenu*>("FileMenu")->actions();
    QCOMPARE(file_menu.indexOf(recover) + 1, file_menu.indexOf(f.Action("Exit1")));

    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(1, 1));
    const QByteArray first = PictureBytes(f.editor);
    f.Action("ClearImage1")->trigger();
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(5, 5));
    f.Action("ClearImage1")->trigger();

    // Del removes the newest; Open Folder shows the folder; Enter opens the
    // entry chosen after it.
    QStringList shown;
    f.services.dialog_handler = Keys([&](QListWidget* list) {
      QCOMPARE(list->window()->windowTitle(), QStringLiteral("Recover Unsaved Work"));
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->currentRow(), 0);
      QTest::keyClick(list, Qt::Key_Delete);
      QCOMPARE(list->count(), 1);
      for (int i = 0; i < 6 && QApplication::focusWidget()->objectName() != "FolderButton"; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
      list->setFocus();
      shown = f.services.shown_folders;
      QTest::keyClick(list, Qt::Key_Return);
    });
    recover->trigger();
    QCOMPARE(shown, QStringList{History(f.state_home)});
    QCOMPARE(PictureBytes(f.editor), first);
    QCOMPARE(f.form->findChild<QLabel*>("DocumentState")->text(), QStringLiteral("new picture *"));
    // The cleared picture it replaced was kept first.
    const auto entries = f.form->History()->Store().List();
    QCOMPARE(entries.size(), std::size_t{2});
    QCOMPARE(entries[0].record.command, std::string("Recover Unsaved Work"));
  }

  void workOfAKilledProcessComesBack() {
    QTemporaryDir home;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--draw-and-wait"});
    QVERIFY(child.waitForStarted());
    const QString recovery = History(home) + "/recovery.ptv";
    // The record is written after the picture: both are there once it is.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(History(home) + "/recovery.record"), 30000);
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    // The expected picture: the start's, with the drawn cells black.
    Editor expected;
    expected.Start();
    for (const QPoint cell : DrawnCells) {
      expected.MouseDown(MouseButton::Left, Centre(cell).x(), Centre(cell).y());
      expected.MouseUp(MouseButton::Left, Centre(cell).x(), Centre(cell).y());
    }

    qputenv("XDG_STATE_HOME", home.path().toLocal8Bit());
    ScriptedServices services;
    Editor editor;
    TForm1 window(editor, services);
    window.CreateSecondaryWindows();
    window.show();
    QVERIFY(window.RecoveryNote()->isVisible());
    QVERIFY(!QFile::exists(recovery));
    Editor fresh;
    fresh.Start();
    QCOMPARE(PictureBytes(editor), PictureBytes(fresh));  // the start is unchanged
    services.dialog_handler =
        Keys([](QListWidget* list) { QTest::keyClick(list, Qt::Key_Return); });
    window.RecoveryNote()->findChild<QPushButton*>("RecoverButton")->click();
    QCOMPARE(PictureBytes(editor), PictureBytes(expected));
    QVERIFY(!window.RecoveryNote()->isVisible());
  }
};

int main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "--draw-and-wait") return DrawAndWait(argc, argv);
  QApplication app(argc, argv);
  HistoryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "history_test.moc"
