// The window's side of the command line: its bytes equal the expected files
// that pictavo-cli is checked against, and a file given to the program (as an
// argument or dropped) opens as its menu command opens it.
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "cli_run.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/files/file_commands.h"
#include "ui/files/history_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

QString ListingFile(const QString& folder, const QString& format, bool align) {
  if (format == QLatin1String("asmfile")) return Data("listings/" + folder + "/asm8_file.s");
  const QString aligned = Data("listings/" + folder + "/" + format + "_aligned.txt");
  if (align && QFile::exists(aligned)) return aligned;
  return Data("listings/" + folder + "/" + format + ".txt");
}

// What the menu shows for a file: its messages, opened through the dialog.
QList<ScriptedServices::Message> MenuMessages(const char* action, const QString& path) {
  MainWindowFixture f;
  f.services.file_answers << path;
  f.Action(action)->trigger();
  return f.services.messages;
}

bool operator==(const ScriptedServices::Message& a, const ScriptedServices::Message& b) {
  return a.text == b.text && a.title == b.title;
}

// Drops the file on the window; it opens once the drop is over.
bool Drop(TForm1& form, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPoint centre = form.rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &enter);
  QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &drop);
  return enter.isAccepted() && drop.isAccepted();
}

}  // namespace

class WindowOpenTest : public QObject {
  Q_OBJECT

 private slots:
  void windowExportsEqualTheExpectedFiles_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("align");
    const QList<QPair<QString, QString>> pictures = {
        {"icon", "icon"}, {"icon_v1", "icon"}, {"diagonal", "diagonal"}, {"full", "full"}};
    for (const auto& [picture, folder] : pictures) {
      for (const char* format : {"cpp", "asm1", "asm2", "asm4", "asm8", "asmfile"}) {
        for (const bool align : {false, true}) {
          QTest::addRow("%s %s%s", qPrintable(picture), format, align ? " aligned" : "")
              << picture << folder << QString::fromLatin1(format) << align;
        }
      }
    }
  }

  void windowExportsEqualTheExpectedFiles() {
    QFETCH(QString, picture);
    QFETCH(QString, folder);
    QFETCH(QString, format);
    QFETCH(bool, align);
    MainWindowFixture f;
    f.form->Files()->Open(Data("pictures/" + picture + ".ptv"));
    QVERIFY(f.services.messages.isEmpty());
    if (align) f.Action("align")->trigger();
    if (format == QLatin1String("asmfile")) {
      QTemporaryDir dir;
      f.services.file_answers << dir.filePath("out.s");
      f.Action("Save1")->trigger();
      QCOMPARE(ReadAll(dir.filePath("out.s")), ReadAll(ListingFile(folder, format, align)));
      return;
    }
    const QMap<QString, const char*> buttons = {{"cpp", "ToolButton7"},
                                                {"asm1", "ToolButton5"},
                                                {"asm2", "ToolButton16"},
                                                {"asm4", "ToolButton17"},
                                                {"asm8", "ToolButton8"}};
    f.Button(buttons[format])->click();
    QVERIFY(f.services.clipboard.has_value());
    QCOMPARE(*f.services.clipboard, ReadAll(ListingFile(folder, format, align)));
  }

  // "pictavo image.bmp": the import window with the image opened; OK and
  // "Save Picture..." give the file `convert` gives.
  void bitmapArgumentOpensTheImportWindow() {
    MainWindowFixture f;
    int shown = 0;
    f.services.dialog_handler = [&shown](QDialog& dialog) {
      auto* window = qobject_cast<TbmpWin*>(&dialog);
      if (window == nullptr) return int{QDialog::Rejected};
      ++shown;
      // The image is already open: a 100 x 95 image, of which 96 x 92 is taken.
      if (window->Import().ImportWidth() != 96 || window->Import().ImportHeight() != 92) {
        return int{QDialog::Rejected};
      }
      window->ScrollBar1()->setValue(100);
      window->BitBtn1Click();
      return dialog.result();
    };
    f.form->Files()->Open(Data("cli/gradient.bmp"));
    QCOMPARE(shown, 1);
    QVERIFY(f.services.messages.isEmpty());
    QTemporaryDir dir;
    f.services.file_answers << dir.filePath("out.ptv");
    f.Action("Savepicture1")->trigger();
    QCOMPARE(ReadAll(dir.filePath("out.ptv")), ReadAll(Data("cli/gradient_t100.ptv")));
  }

  // The import window and `pictavo-cli convert` give the same picture file
  // from every kind of image, transparency and frames included.
  void convertEqualsTheImportWindow_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<int>("threshold");
    for (const char* image : {"valid_8bit_rle.bmp", "valid_32bit.bmp", "valid_alpha.png",
                              "valid.jpg", "valid_animated.gif"}) {
      QTest::addRow("%s", image) << QString::fromLatin1(image) << 64;
    }
    QTest::newRow("gradient at 150") << "../cli/gradient.bmp" << 150;
  }

  void convertEqualsTheImportWindow() {
    QFETCH(QString, image);
    QFETCH(int, threshold);
    const QString path = Data("images/" + image);
    QTemporaryDir dir;
    QProcess cli;
    cli.start(QStringLiteral(PICTAVO_CLI),
              {"convert", path, "-o", dir.filePath("cli.ptv"), "--threshold",
               QString::number(threshold), "--name", "same"});
    QVERIFY(cli.waitForFinished(-1));
    QCOMPARE(cli.exitCode(), 0);

    MainWindowFixture f;
    f.services.dialog_handler = [threshold](QDialog& dialog) {
      auto* window = qobject_cast<TbmpWin*>(&dialog);
      if (window == nullptr) return int{QDialog::Rejected};
      window->ScrollBar1()->setValue(threshold);
      window->BitBtn1Click();
      return dialog.result();
    };
    f.form->Files()->Open(path);
    QVERIFY(f.services.messages.isEmpty());
    f.form->SetPictureName("same");
    f.services.file_answers << dir.filePath("window.ptv");
    f.Action("Savepicture1")->trigger();
    const QByteArray window = ReadAll(dir.filePath("window.ptv"));
    QVERIFY(window.size() > 10);
    QCOMPARE(ReadAll(dir.filePath("cli.ptv")), window);
  }

  // "pictavo file.skin" is OpenSkin; saving it again gives the file that
  // `skin extract` then `skin pack` give.
  void skinArgumentOpensTheSkin() {
    MainWindowFixture f;
    f.form->Files()->Open(Data("skins/mixed.skin"));
    QVERIFY(f.services.messages.isEmpty());
    QVERIFY(f.State().Document.SkinMode);
    QCOMPARE(f.editor.Skin().Count(), 4);
    QCOMPARE(f.form->PictureName(), QByteArray("mixed"));
    QTemporaryDir dir;
    f.services.file_answers << dir.filePath("out.skin");
    f.Action("SaveSkin1")->trigger();
    QCOMPARE(ReadAll(dir.filePath("out.skin")), ReadAll(Data("skins/mixed.skin")));
  }

  void pictureArgumentOpensThePicture() {
    MainWindowFixture f;
    f.form->Files()->Open(Data("skins/mixed.skin"));
    f.form->Files()->Open(Data("pictures/diagonal.ptv"));
    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.form->PictureName(), QByteArray("diagonal rows"));
    QCOMPARE(f.State().Document.Picture.Width, 10);
    QCOMPARE(f.State().Document.Picture.Height, 13);
    QVERIFY(!f.State().Document.SkinMode);
    // The dialog was answered only once: the next Open asks the user again.
    f.Action("OpenPicture1")->trigger();
    QCOMPARE(f.State().Document.Picture.Width, 10);
  }

  // A file whose name says nothing is recognised by its content.
  void unnamedFilesByContent() {
    QTemporaryDir dir;
    QVERIFY(QFile::copy(Data("skins/mixed.skin"), dir.filePath("mixed")));
    MainWindowFixture f;
    f.form->Files()->Open(dir.filePath("mixed"));
    QVERIFY(f.State().Document.SkinMode);
    QCOMPARE(f.editor.Skin().Count(), 4);
  }

  void unreadableFilesGetTheMenuMessages_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("menu_action");
    QTest::newRow("damaged picture") << Data("damaged/picture_code_5.ptv") << "OpenPicture1";
    QTest::newRow("missing picture") << Data("missing.ptv") << "OpenPicture1";
    QTest::newRow("damaged skin") << Data("damaged/skin_trailing_byte.skin") << "OpenSkin1";
  }

  void unreadableFilesGetTheMenuMessages() {
    QFETCH(QString, path);
    QFETCH(QString, menu_action);
    const auto expected = MenuMessages(menu_action.toLatin1().constData(), path);
    QCOMPARE(expected.size(), 1);
    MainWindowFixture f;
    f.form->Files()->Open(path);
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages.front() == expected.front());
  }

  void unreadableBitmapGetsTheImportWindowMessage() {
    QTemporaryDir dir;
    QFile fake(dir.filePath("fake.bmp"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("BM not really a bitmap");
    fake.close();
    // Through the menu: "Open BMP" in the import window.
    MainWindowFixture menu;
    menu.services.dialog_handler = [&](QDialog& dialog) {
      menu.services.file_answers << fake.fileName();
      qobject_cast<TbmpWin*>(&dialog)->BitBtn3Click();
      return int{QDialog::Rejected};
    };
    menu.Action("OpenBMPfile1")->trigger();
    QCOMPARE(menu.services.messages.size(), 1);

    MainWindowFixture f;
    f.form->Files()->Open(fake.fileName());
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages.front() == menu.services.messages.front());
  }

  void droppedFileOpens() {
    MainWindowFixture f;
    QVERIFY(Drop(*f.form, Data("pictures/full.ptv")));
    // Opened once the drop is over.
    QVERIFY(f.form->PictureName().isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(f.State().Document.Picture.Width, 96);
    QCOMPARE(f.State().Document.Picture.Height, 92);
    QCOMPARE(f.form->PictureName(), QByteArray("caf\xE9 96x92"));

    const QPoint centre = f.form->rect().center();
    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent refused(centre, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QCoreApplication::sendEvent(f.form.get(), &refused);
    QVERIFY(!refused.isAccepted());
  }
  // A drop and a recovered entry go through FileCommands::Open: a refused
  // file is told as Open tells it, and recovery marks nothing recovered.
  void dropAndRecoveryOpenThroughOpen() {
    QTemporaryDir dir;
    const QString damaged = dir.filePath("damaged.skin");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("PVSK") == 4);
    file.close();
    MainWindowFixture direct;
    QVERIFY(!direct.form->Files()->Open(damaged));
    MainWindowFixture f;
    QVERIFY(Drop(*f.form, damaged));
    QCoreApplication::processEvents();
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages.front() == direct.services.messages.front());

    // An entry kept from mine.ptv, damaged on disk before it is recovered.
    f.services.file_answers << dir.filePath("mine.ptv");
    f.Action("Savepicture1")->trigger();
    f.DrawIcon();
    f.Action("ClearImage1")->trigger();
    QVERIFY(f.form->Files()->Open(Data("pictures/diagonal.ptv")));
    const auto entries = f.form->History()->Store().List();
    QVERIFY(!entries.empty());
    for (const HistoryEntry& kept : entries) {
      QFile entry(QString::fromStdString(kept.document.string()));
      QVERIFY(entry.open(QIODevice::WriteOnly) && entry.write("\x02\0\0\0", 4) == 4);
    }
    f.services.dialog_handler = [](QDialog& dialog) {
      dialog.accept();
      return dialog.result();
    };
    f.Action("RecoverUnsavedWork")->trigger();
    QCOMPARE(f.services.messages.size(), 2);
    QCOMPARE(f.services.messages.back().title, QStringLiteral("Open Picture"));
    QCOMPARE(f.State().Document.FilePath, Data("pictures/diagonal.ptv").toStdString());
  }
};

QTEST_MAIN(WindowOpenTest)
#include "window_open_test.moc"
