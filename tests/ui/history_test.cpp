// The local history in the window: what Exit and the commands keep, what
// they ask when it cannot be kept, the recovery file and strokes, the
// document's state in the status bar, the Recover window from the keyboard,
// and two programs on one history, one killed and one ended with Exit.
#include <signal.h>

#include <string_view>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "core/formats/picture_file.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/app/application.h"
#include "ui/dialogs/recover_window.h"
#include "ui/dialogs/set_size_dialog.h"
#include "ui/services/platform_services.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/recovery_bar.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// The cells each child program draws, at the start's pixel size of 5.
const std::vector<QPoint> ChildCells[] = {{{1, 1}, {4, 2}, {7, 9}}, {{96, 92}, {3, 3}}};

QPoint Centre(QPoint cell) { return {(cell.x() - 1) * 5 + 2, (cell.y() - 1) * 5 + 2}; }

QByteArray PictureBytes(const Editor& editor) {
  const auto bytes =
      WritePictureFile(ViewOf(editor.State().Document.Picture), editor.State().Document.Name);
  return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

// The start's picture with `cells` drawn black.
QByteArray DrawnPicture(const std::vector<QPoint>& cells) {
  Editor editor;
  editor.Start();
  for (const QPoint cell : cells) {
    editor.MouseDown(MouseButton::Left, Centre(cell).x(), Centre(cell).y());
    editor.MouseUp(MouseButton::Left, Centre(cell).x(), Centre(cell).y());
  }
  return PictureBytes(editor);
}

QString History(const QTemporaryDir& home) { return home.filePath("pictavo/history"); }

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The child process runs the program as it starts, on its real services;
// once its window is up, it draws its cells, and a line on its standard
// input then ends it as Exit does.
int child_cells = -1;

void DriveChildWindow() {
  if (child_cells < 0) return;
  QTimer::singleShot(0, [] {
    TForm1* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* form = qobject_cast<TForm1*>(top)) window = form;
    }
    for (const QPoint cell : ChildCells[child_cells]) {
      Click(window->Canvas(), Qt::LeftButton, Centre(cell));
    }
    auto* input = new QSocketNotifier(0, QSocketNotifier::Read, window);
    QObject::connect(input, &QSocketNotifier::activated, window,
                     [window] { window->findChild<QAction*>("Exit1")->trigger(); });
  });
}
Q_COREAPP_STARTUP_FUNCTION(DriveChildWindow)

int RunChild(int argc, char** argv) {
  child_cells = std::atoi(argv[2]);
  // The program sees none of the test's arguments.
  argv[2] = argv[0];
  return RunPictavo(argc - 2, argv + 2);
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
    QVERIFY(f.services.questions.isEmpty());  // filing worked: nothing asked
    QVERIFY(QDir(History(f.state_home)).entryList({"recovery*"}).isEmpty());

    // Saved work shows its file's name and is not kept again.
    const QString path = f.state_home.filePath("mine.ptv");
    f.services.file_answers << path;
    f.Action("Savepicture1")->trigger();
    QCOMPARE(state->text(), QStringLiteral("mine.ptv"));
    f.form->close();
    QCOMPARE(f.form->History()->Store().List().size(), std::size_t{2});
  }

  // The history cannot be written: a file stands in its folder's place.
  void workThatCannotBeKeptIsAskedAbout() {
    MainWindowFixture f;
    const QString history = History(f.state_home);
    QVERIFY(QDir(history).removeRecursively());
    QFile blocking(history);
    QVERIFY(blocking.open(QIODevice::WriteOnly));
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 2));
    const QByteArray drawn = PictureBytes(f.editor);

    // Saved as the picture's save saves it, then cleared.
    const QString saved = f.state_home.filePath("kept.ptv");
    f.services.answers << "Save As...";
    f.services.file_answers << saved;
    f.Action("ClearImage1")->trigger();
    QCOMPARE(f.services.questions.size(), 1);
    const auto& question = f.services.questions[0];
    QCOMPARE(question.text, "Your unsaved work could not be kept in the history: " + history +
                                ": Not a directory.");
    QCOMPARE(question.title, QStringLiteral("Clear Image"));
    QCOMPARE(question.buttons, (QStringList{"Save As...", "Discard", "Cancel"}));
    QCOMPARE(ReadFile(saved), drawn);
    QVERIFY(PictureBytes(f.editor) != drawn);

    // Exit stays open on Cancel, and closes once the work is let go.
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(3, 3));
    f.services.answers << "Cancel"
                       << "Discard";
    QVERIFY(!f.form->close());
    QVERIFY(f.form->close());
    QCOMPARE(f.services.questions.size(), 3);
    QCOMPARE(f.services.questions[2].title, QStringLiteral("Exit"));
  }

  void recoveryFileWaitsForTheStrokesEnd() {
    MainWindowFixture f;
    // The window's own, named by its process.
    const QString recovery =
        History(f.state_home) +
        QStringLiteral("/recovery-%1.ptv").arg(QCoreApplication::applicationPid());
    const auto recovered = [&] {
      QFile file(recovery);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QWidget* canvas = f.form->Canvas();
    // Whichever button paints; the right one Gray33 here, over the left's
    // Black.
    f.editor.SetColor(MouseButton::Right, PixelCode::Gray33);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
      const QByteArray before = recovered();
      Press(canvas, button, f.CellCentre(1, 1));
      Move(canvas, button, f.CellCentre(3, 1));
      f.form->History()->WriteRecoveryNow();
      QCOMPARE(recovered(), before);
      Release(canvas, button, f.CellCentre(3, 1));
      f.form->History()->WriteRecoveryNow();
      QCOMPARE(recovered(), PictureBytes(f.editor));
    }
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

  // Each draws in its own window and recovery file; one is killed, the other
  // ends with Exit; the next start finds both works in the history.
  void twoProgramsOneKilledOneEndedKeepBothWorks() {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess killed;
    QProcess ended;
    for (QProcess* child : {&killed, &ended}) {
      child->setProcessEnvironment(env);
      child->start(QCoreApplication::applicationFilePath(),
                   {"--child-window", child == &killed ? "0" : "1"});
      QVERIFY(child->waitForStarted());
    }
    const QByteArray killed_work = DrawnPicture(ChildCells[0]);
    const QByteArray ended_work = DrawnPicture(ChildCells[1]);
    // Each window's work reaches its own recovery file once its record does.
    const auto recovered = [&home] {
      QSet<QByteArray> works;
      const QDir folder(History(home));
      for (const QString& name : folder.entryList({"recovery-*.record"})) {
        const QString document = folder.filePath(name.chopped(7) + ".ptv");
        works << ReadFile(document);
      }
      return works;
    };
    QTRY_COMPARE_WITH_TIMEOUT(recovered(), (QSet<QByteArray>{killed_work, ended_work}), 30000);
    // Neither start took the other's live work for work left behind.
    QVERIFY(HistoryStore(History(home).toStdString()).List().empty());

    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    QVERIFY(killed.waitForFinished());
    QCOMPARE(killed.exitStatus(), QProcess::CrashExit);
    ended.write("exit\n");
    QVERIFY(ended.waitForFinished(30000));
    QCOMPARE(ended.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ended.exitCode(), 0);
    QCOMPARE(recovered(), QSet<QByteArray>{killed_work});

    qputenv("XDG_STATE_HOME", home.path().toLocal8Bit());
    ScriptedServices services;
    Editor editor;
    TForm1 window(editor, services);
    window.CreateSecondaryWindows();
    window.show();
    QVERIFY(window.RecoveryNote()->isVisible());
    QVERIFY(recovered().isEmpty());
    const auto entries = window.History()->Store().List();
    QCOMPARE(entries.size(), std::size_t{2});
    QMap<QString, QByteArray> filed;
    for (const HistoryEntry& entry : entries) {
      filed[QString::fromStdString(entry.record.command)] =
          ReadFile(QString::fromStdString(entry.document.string()));
    }
    QCOMPARE(filed.value("Exit"), ended_work);
    QCOMPARE(filed.value("Unexpected end"), killed_work);
    Editor fresh;
    fresh.Start();
    QCOMPARE(PictureBytes(editor), PictureBytes(fresh));  // the start is unchanged
    // The bar's "Recover..." is the menu command.
    services.dialog_handler = [](QDialog&) { return int(QDialog::Rejected); };
    window.RecoveryNote()->findChild<QPushButton*>("RecoverButton")->click();
    QCOMPARE(services.shown_dialogs, QStringList{"RecoverWindow"});
  }
};

int main(int argc, char** argv) {
  if (argc > 2 && std::string_view(argv[1]) == "--child-window") return RunChild(argc, argv);
  QApplication app(argc, argv);
  HistoryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "history_test.moc"
