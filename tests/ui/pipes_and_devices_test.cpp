// Every command that reads, saves or appends, given a named pipe or a device
// instead of a file: each is refused with a message naming it, nothing waits
// for a writer (a blocking open would hang this test), and the pipe and the
// device link are still there afterwards, not replaced by files.

#include <sys/stat.h>

#include <functional>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "device_node.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/dialogs/save_select_box.h"
#include "ui/selection/select_panel.h"
#include "ui/selection/selection_commands.h"
#include "ui/widgets/canvas_widget.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

struct Command {
  const char* name;
  const char* title;  // of the message box that refuses the file
  std::function<void(MainWindowFixture&, const QString& path)> run;
};

void Trigger(MainWindowFixture& f, const char* action, const QString& path) {
  f.services.file_answers << path;
  f.Action(action)->trigger();
}

void OpenBmp(MainWindowFixture& f, const QString& path) {
  f.services.file_answers << path;
  f.services.dialog_handler = [](QDialog& dialog) {
    dialog.findChild<QPushButton*>("BitBtn3")->click();  // "Open BMP"
    return int{QDialog::Rejected};
  };
  f.Action("OpenBMPfile1")->trigger();
}

void SaveSelection(MainWindowFixture& f, const QString& path) {
  f.Button("box_button")->click();
  QWidget* canvas = f.form->Canvas();
  Press(canvas, Qt::LeftButton, f.CellCentre(1, 1));
  Move(canvas, Qt::LeftButton, f.CellCentre(2, 2));
  Release(canvas, Qt::LeftButton, f.CellCentre(2, 2));
  f.services.file_answers << path;
  f.services.dialog_handler = [](QDialog& dialog) {
    auto& box = static_cast<Tsavebox&>(dialog);
    box.Edit1()->setText(QStringLiteral("part"));
    dialog.setResult(-1);
    box.Button1()->click();
    return dialog.result();
  };
  f.form->Selection()->SelectPanel()->SaveButton()->click();
}

const Command kCommands[] = {
    {"Open Picture", "Open Picture", [](auto& f, auto& p) { Trigger(f, "OpenPicture1", p); }},
    {"OpenSkin", nullptr, [](auto& f, auto& p) { Trigger(f, "OpenSkin1", p); }},
    {"Open BMP", "Open BMP", OpenBmp},
    {"Save Picture", "Save Picture", [](auto& f, auto& p) { Trigger(f, "Savepicture1", p); }},
    {"SaveSkin", nullptr, [](auto& f, auto& p) { Trigger(f, "SaveSkin1", p); }},
    {"Save (asm 8bpp format)", "Save Error", [](auto& f, auto& p) { Trigger(f, "Save1", p); }},
    {"Save to end", "Save Error", [](auto& f, auto& p) { Trigger(f, "Savetoend1", p); }},
    {"Save Selection", "Save Selection", SaveSelection},
};

}  // namespace

class SpecialFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyReadAndWriteRefusesPipesAndDevices_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("pipe");
    for (int i = 0; i < int{std::size(kCommands)}; ++i) {
      for (const bool pipe : {true, false}) {
        QTest::addRow("%s, %s", kCommands[i].name, pipe ? "named pipe" : "device") << i << pipe;
      }
    }
  }
  void everyReadAndWriteRefusesPipesAndDevices() {
    QFETCH(int, command);
    QFETCH(bool, pipe);
    QTemporaryDir dir;
    // The picture files' extension, so no dialog default adds another.
    const QString path =
        dir.filePath(pipe ? QStringLiteral("pipe.ptv") : QStringLiteral("null.ptv"));
    if (pipe) {
      QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
      // The device itself is made in the folder and reached through a link,
      // so a save that wrongly follows the link replaces nothing outside it.
      const std::string no_device = MakeDeviceNode(dir.filePath("device").toStdString());
      if (!no_device.empty()) QSKIP(no_device.c_str());
      QVERIFY(QFile::link(QStringLiteral("device"), path));
    }

    MainWindowFixture f;
    f.State().Document.Picture.Width = 3;
    f.State().Document.Picture.Height = 2;
    const Command& c = kCommands[command];
    c.run(f, path);

    QCOMPARE(f.services.messages.size(), 1);
    const auto& message = f.services.messages.front();
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
    const QString reason = pipe ? QStringLiteral("Is a named pipe, not a regular file")
                                : QStringLiteral("Is a character device, not a regular file");
    QVERIFY2(message.text.contains(reason), qPrintable(message.text));
    if (c.title) QCOMPARE(message.title, QString::fromLatin1(c.title));

    // Nothing on disk changed: the pipe is a pipe, the link still a link.
    const QFileInfo after(path);
    QVERIFY(pipe ? !after.isFile() && after.exists() : after.isSymLink());
    QStringList expected{after.fileName()};
    if (!pipe) expected.prepend(QStringLiteral("device"));
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Name),
             expected);
    if (!pipe) {
      struct stat info {};
      QCOMPARE(::lstat(QFile::encodeName(dir.filePath("device")).constData(), &info), 0);
      QVERIFY(S_ISCHR(info.st_mode));
    }
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SpecialFilesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "pipes_and_devices_test.moc"
