#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/main_window_fixture.h"
#include "ui/export/export_commands.h"
#include "ui/export/export_panel.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// The texts of the 3 x 2 picture "icon": row 1 black, white, transparent;
// row 2 66 % gray, 33 % gray, white.
const QByteArray kHead = "icon: \r\n.byte 3,2  /* Image size*/\r\n";
const QByteArray kCpp = "/*Created by DravikPictavo */\r\nicon[3][2]={\r\n{0,3,4}\r\n{1,2,3}\r\n}";
const QByteArray kMono =
    "/*C++ format*/\r\n/* format 1 bit per pixel */\r\nicon[3][2]={\r\n\r\n{54}\r\n";
const QByteArray kAsm1 = "/* format 1 bit per pixel */\r\n" + kHead + ".byte 0x36\r\n";
const QByteArray kAsm1Aligned = "/* format 1 bit per pixel */\r\n" + kHead + ".byte 0x06,0x06\r\n";
const QByteArray kAsm2 = "/* format 2 bits per pixel */\r\n" + kHead + ".byte 0x7C,0x0E\r\n";
const QByteArray kAsm2Aligned = "/* format 2 bits per pixel */\r\n" + kHead + ".byte 0x3C,0x39\r\n";
const QByteArray kAsm4 =
    "/* format 4 bits per pixel */\r\n" + kHead + ".byte 0x30\r\n.byte 0x14\r\n.byte 0x32\r\n";
const QByteArray kAsm4Aligned = "/* format 4 bits per pixel */\r\n" + kHead +
                                ".byte 0x30\r\n.byte 0x04\r\n.byte 0x21\r\n.byte 0x03\r\n";
const QByteArray kAsm8 = "/* format 8 bits per pixel */\r\n" + kHead +
                         ".byte 0x00,0x03,0x04\r\n.byte 0x01,0x02,0x03\r\n";
const QByteArray kAsmFile =
    "/*Created by DravikPictavo */\r\n" + kHead + ".byte 0,3,4\r\n.byte 1,2,3\r\n";

// A captured 2 x 1 box holding white, 66 % gray.
void CaptureBox(MainWindowFixture& f) {
  SelectionGrid& buffer = f.State().Selection.SelectionBuffer;
  buffer.Width = 2;
  buffer.Height = 1;
  buffer.Cells.At(1, 1) = PixelCode::White;
  buffer.Cells.At(2, 1) = PixelCode::Gray66;
  f.State().Selection.SelectionCaptured = true;
}

TForm4* Panel(MainWindowFixture& f) { return f.form->Export()->ExportPanel(); }
QRadioButton* FormatItem(TForm4* panel, int index) {
  return panel->findChild<QRadioButton*>(QStringLiteral("formats%1").arg(index));
}
QCheckBox* AlignBox(TForm4* panel) { return panel->findChild<QCheckBox*>("alignbox"); }
// The checked format item; -1 when none is.
int CheckedItem(TForm4* panel) {
  for (int i = 0; i < 5; ++i) {
    if (FormatItem(panel, i)->isChecked()) return i;
  }
  return -1;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
  return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- tool-bar clipboard buttons ---------------------------------------------

  void toolButtonCopiesListingFollowedByMonoArray_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("align");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("C++") << "ToolButton7" << false << kCpp + kMono;
    QTest::newRow("ASM 1bpp") << "ToolButton5" << false << kAsm1 + kMono;
    QTest::newRow("ASM 2bpp") << "ToolButton16" << false << kAsm2 + kMono;
    QTest::newRow("ASM 4bpp") << "ToolButton17" << false << kAsm4 + kMono;
    QTest::newRow("ASM 8bpp") << "ToolButton8" << false << kAsm8 + kMono;
    // The tool bar's align flag reaches the listing.
    QTest::newRow("ASM 2bpp aligned") << "ToolButton16" << true << kAsm2Aligned + kMono;
  }

  void toolButtonCopiesListingFollowedByMonoArray() {
    QFETCH(QString, button);
    QFETCH(bool, align);
    QFETCH(QByteArray, expected);
    MainWindowFixture f;
    f.DrawIcon();
    if (align) QTest::mouseClick(f.Button("align"), Qt::LeftButton);
    QCOMPARE(f.State().View.AlignToByte, align);
    QToolButton* tool = f.Button(button.toLatin1().constData());
    QVERIFY(tool->isEnabled());
    QTest::mouseClick(tool, Qt::LeftButton);
    QVERIFY(f.services.clipboard.has_value());
    QCOMPARE(*f.services.clipboard, expected);
    QVERIFY(f.services.messages.isEmpty());
  }

  void clipboardCarriesTheNameAsLatin1Bytes() {
    MainWindowFixture f;
    f.DrawIcon();
    f.form->SetPictureName("\xE9t\xE9");
    QTest::mouseClick(f.Button("ToolButton7"), Qt::LeftButton);
    QByteArray expected = kCpp + kMono;
    expected.replace("icon", "\xE9t\xE9");
    QCOMPARE(*f.services.clipboard, expected);
  }

  void alignButtonFlipsTheFlagOncePerClickAndShowsIt() {
    MainWindowFixture f;
    QToolButton* align = f.Button("align");
    QVERIFY(!f.State().View.AlignToByte);
    QVERIFY(!align->isChecked());
    QTest::mouseClick(align, Qt::LeftButton);
    QVERIFY(f.State().View.AlignToByte);
    QVERIFY(align->isChecked());
    QTest::mouseClick(align, Qt::LeftButton);
    QVERIFY(!f.State().View.AlignToByte);
    QVERIFY(!align->isChecked());
    // A button that shows the wrong state still flips the flag exactly once.
    align->setChecked(true);
    QTest::mouseClick(align, Qt::LeftButton);
    QVERIFY(f.State().View.AlignToByte);
    QVERIFY(align->isChecked());
  }

  void toolBarAlignAndPanelAlignBoxAreIndependent() {
    MainWindowFixture f;
    f.DrawIcon();
    TForm4* panel = Panel(f);
    FormatItem(panel, 2)->setChecked(true);

    QTest::mouseClick(f.Button("align"), Qt::LeftButton);
    QVERIFY(!AlignBox(panel)->isChecked());
    QTest::mouseClick(panel->BitBtn1(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, kAsm2 + kMono);

    QTest::mouseClick(f.Button("align"), Qt::LeftButton);
    AlignBox(panel)->setChecked(true);
    QVERIFY(!f.State().View.AlignToByte);
    QVERIFY(!f.Button("align")->isChecked());
    QTest::mouseClick(f.Button("ToolButton16"), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, kAsm2 + kMono);
    QTest::mouseClick(panel->BitBtn1(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, kAsm2Aligned + kMono);
  }

  // ---- export panel -----------------------------------------------------------

  void panelIsAStayOnTopToolWindowWithItsControls() {
    MainWindowFixture f;
    TForm4* panel = Panel(f);
    QCOMPARE(panel->windowTitle(), QStringLiteral("Move to ClipBoard..."));
    QVERIFY(panel->windowFlags().testFlag(Qt::Tool));
    QVERIFY(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!panel->isVisible());
    QCOMPARE(panel->size(), QSize(168, 134));
    // Beside the main window, below the select panel.
    QCOMPARE(f.FirstShownOffset(panel), QPoint(f.form->frameGeometry().width(), 420));
    QCOMPARE(panel->findChild<QGroupBox*>("formats")->title(), QStringLiteral("Format"));
    const QStringList captions = {"C++ array format", "ASM 1bpp format", "ASM 2bpp format",
                                  "ASM 4bpp format", "ASM 8bpp format"};
    for (int i = 0; i < 5; ++i) QCOMPARE(FormatItem(panel, i)->text(), captions[i]);
    QCOMPARE(CheckedItem(panel), 4);
    QCOMPARE(AlignBox(panel)->text(), QStringLiteral("align up to byte"));
    QVERIFY(!AlignBox(panel)->isChecked());
    QCOMPARE(panel->BitBtn1()->objectName(), QStringLiteral("BitBtn1"));
    QCOMPARE(panel->BitBtn1()->toolTip(), QStringLiteral("Move to ClipBoard"));
    QCOMPARE(panel->BitBtn2()->objectName(), QStringLiteral("BitBtn2"));
    QCOMPARE(panel->BitBtn2()->toolTip(), QStringLiteral("Move to ClipBoard Selected Box"));
    QVERIFY(!panel->BitBtn1()->icon().isNull());
    QVERIFY(!panel->BitBtn2()->icon().isNull());
    // Every caption fits in the small window.
    panel->show();
    panel->layout()->activate();
    for (QWidget* control : std::initializer_list<QWidget*>{
             FormatItem(panel, 0), FormatItem(panel, 1), FormatItem(panel, 2), FormatItem(panel, 3),
             FormatItem(panel, 4), AlignBox(panel)}) {
      QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(control->objectName()));
      QVERIFY2(panel->rect().contains(QRect(control->mapTo(panel, QPoint(0, 0)), control->size())),
               qPrintable(control->objectName()));
    }
  }

  void panelButtonShowsThePanelWithoutBlocking() {
    MainWindowFixture f;
    QToolButton* button = f.Button("ToolButton12");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(Panel(f)->isVisible());
    QVERIFY(!Panel(f)->isModal());
    QVERIFY(f.services.shown_dialogs.isEmpty());
    // A second click leaves the one panel shown.
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(Panel(f)->isVisible());
    QCOMPARE(f.form->findChildren<TForm4*>().size(), 1);
  }

  void panelCopiesThePictureInTheChosenFormat() {
    MainWindowFixture f;
    f.DrawIcon();
    TForm4* panel = Panel(f);
    QTest::mouseClick(f.Button("ToolButton12"), Qt::LeftButton);
    QTest::mouseClick(panel->BitBtn1(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, kAsm8 + kMono);
    QTest::mouseClick(FormatItem(panel, 0), Qt::LeftButton);
    QTest::mouseClick(panel->BitBtn1(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, kCpp + kMono);
    QTest::mouseClick(FormatItem(panel, 3), Qt::LeftButton);
    QTest::mouseClick(AlignBox(panel), Qt::LeftButton);
    QVERIFY(AlignBox(panel)->isChecked());
    QTest::mouseClick(panel->BitBtn1(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, kAsm4Aligned + kMono);
  }

  void selectedBoxButtonNeedsACapturedBox() {
    MainWindowFixture f;
    f.DrawIcon();
    TForm4* panel = Panel(f);
    QTest::mouseClick(panel->BitBtn2(), Qt::LeftButton);
    QVERIFY(!f.services.clipboard.has_value());
    // What the clipboard held before stays.
    f.services.clipboard = QByteArray("kept");
    QTest::mouseClick(panel->BitBtn2(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, QByteArray("kept"));
  }

  void selectedBoxButtonCopiesOnlyTheBoxUnderThePictureName() {
    MainWindowFixture f;
    f.DrawIcon();
    CaptureBox(f);
    TForm4* panel = Panel(f);
    QTest::mouseClick(panel->BitBtn2(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard,
             QByteArray("/* format 8 bits per pixel */\r\nicon: \r\n"
                        ".byte 2,1  /* Image size*/\r\n.byte 0x03,0x01\r\n"));
    QTest::mouseClick(FormatItem(panel, 0), Qt::LeftButton);
    QTest::mouseClick(panel->BitBtn2(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard,
             QByteArray("/*Created by DravikPictavo */\r\nicon[2][1]={\r\n{3,1}\r\n}"));
  }

  void panelKeepsItsChoicesWhenClosedAndShownAgain() {
    MainWindowFixture f;
    f.DrawIcon();
    TForm4* panel = Panel(f);
    QTest::mouseClick(f.Button("ToolButton12"), Qt::LeftButton);
    FormatItem(panel, 1)->setChecked(true);
    AlignBox(panel)->setChecked(true);
    QVERIFY(panel->close());
    QVERIFY(!panel->isVisible());
    QCOMPARE(f.form->Export()->ExportPanel(), panel);
    QTest::mouseClick(f.Button("ToolButton12"), Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(CheckedItem(panel), 1);
    QVERIFY(AlignBox(panel)->isChecked());
    QTest::mouseClick(panel->BitBtn1(), Qt::LeftButton);
    QCOMPARE(*f.services.clipboard, kAsm1Aligned + kMono);
  }

  void panelIsDrivenFromTheKeyboard() {
    MainWindowFixture f;
    TForm4* panel = Panel(f);
    QTest::mouseClick(f.Button("ToolButton12"), Qt::LeftButton);
    panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel));
    FormatItem(panel, 4)->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), FormatItem(panel, 4));
    QTest::keyClick(FormatItem(panel, 4), Qt::Key_Up);
    QCOMPARE(CheckedItem(panel), 3);
    QCOMPARE(QApplication::focusWidget(), FormatItem(panel, 3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), AlignBox(panel));
    QTest::keyClick(AlignBox(panel), Qt::Key_Space);
    QVERIFY(AlignBox(panel)->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), panel->BitBtn1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), panel->BitBtn2());
    QTest::keyClick(panel, Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
    QCOMPARE(CheckedItem(panel), 3);
  }

  // ---- assembler files -----------------------------------------------------------

  void saveAsksWithTheSourceFilterAndReplacesTheFile() {
    MainWindowFixture f;
    f.DrawIcon();
    QTemporaryDir dir;
    const QString path = dir.filePath("out.s");
    WriteAll(path,
             "old content that is longer than the new listing text by some way\r\n"
             "old content that is longer than the new listing text by some way\r\n");
    f.services.file_answers << path;
    QAction* save = f.Action("Save1");
    QVERIFY(save->isEnabled());
    save->trigger();
    QCOMPARE(ReadAll(path), kAsmFile);
    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.services.file_requests.size(), 1);
    const FileDialogRequest& request = f.services.file_requests[0];
    QCOMPARE(request.filter,
             QStringLiteral("(lib *.h , source *.s text *.txt)|*.h;*.txt;*.s|(All Files *.*)|*.*"));
    QCOMPARE(request.filter_index, 0);
    QVERIFY(request.default_suffix.isEmpty());
    QVERIFY(!request.confirm_overwrite);
    QVERIFY(request.file_name.isEmpty());
  }

  void saveToEndAppendsListingsOneUnderTheOther() {
    MainWindowFixture f;
    f.DrawIcon();
    QTemporaryDir dir;
    const QString path = dir.filePath("new.h");
    QVERIFY(!QFile::exists(path));
    QVERIFY(f.Action("Savetoend1")->isEnabled());
    f.services.file_answers << path << path;
    f.Action("Savetoend1")->trigger();
    QCOMPARE(ReadAll(path), kAsmFile);
    // The tool-bar button repeats the menu item.
    QVERIFY(f.Button("ToolButton11")->isEnabled());
    QTest::mouseClick(f.Button("ToolButton11"), Qt::LeftButton);
    QCOMPARE(ReadAll(path), kAsmFile + kAsmFile);
    QVERIFY(f.services.messages.isEmpty());
  }

  void saveDialogIsPresetWithTheLastChosenFile() {
    MainWindowFixture f;
    f.DrawIcon();
    QTemporaryDir dir;
    const QString first = dir.filePath("first.s");
    const QString second = dir.filePath("second.s");
    f.services.file_answers << first << "" << second << "";
    f.Action("Save1")->trigger();
    f.Action("Savetoend1")->trigger();  // cancelled: nothing written, name kept
    f.Action("Savetoend1")->trigger();
    f.Action("Save1")->trigger();
    QCOMPARE(f.services.file_requests.size(), 4);
    QCOMPARE(f.services.file_requests[0].file_name, QString());
    QCOMPARE(f.services.file_requests[1].file_name, first);
    QCOMPARE(f.services.file_requests[2].file_name, first);
    QCOMPARE(f.services.file_requests[3].file_name, second);
    QCOMPARE(ReadAll(first), kAsmFile);
    QCOMPARE(ReadAll(second), kAsmFile);
    QVERIFY(f.services.messages.isEmpty());
  }

  void cancelledSaveWritesNothing() {
    MainWindowFixture f;
    QTemporaryDir dir;
    f.services.file_answers << "";
    f.Action("Save1")->trigger();
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QVERIFY(f.services.messages.isEmpty());
  }

  void saveIntoAMissingFolderIsReportedAndChangesNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("save") << "Save1";
    QTest::newRow("save to end") << "Savetoend1";
  }

  void saveIntoAMissingFolderIsReportedAndChangesNothing() {
    QFETCH(QString, command);
    MainWindowFixture f;
    f.DrawIcon();
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/out.s");
    f.services.file_answers << path;
    f.Action(command.toLatin1().constData())->trigger();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Save Error"));
    QCOMPARE(f.services.messages[0].text,
             QStringLiteral("Could not write \"%1\": No such file or directory.").arg(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
  }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
