#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QValidator>

#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/dialogs/save_select_box.h"
#include "ui/selection/select_panel.h"
#include "ui/selection/selection_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

Tselpanel* Panel(MainWindowFixture& f) { return f.form->Selection()->SelectPanel(); }
Tsavebox* Savebox(MainWindowFixture& f) { return f.form->Selection()->NamePrompt(); }

QToolButton* PanelButton(MainWindowFixture& f, const char* name) {
  return Panel(f)->findChild<QToolButton*>(QLatin1String(name));
}

// A picture whose neighbouring cells differ, so a shifted or turned copy shows.
PixelCode PatternCode(int x, int y) { return ToPixelCode((x + 2 * y) % PixelCodeCount); }

void FillPattern(MainWindowFixture& f) {
  for (int x = 1; x <= MaxPictureWidth; ++x) {
    for (int y = 1; y <= MaxPictureHeight; ++y)
      f.State().Document.Picture.Cells.At(x, y) = PatternCode(x, y);
  }
}

void ChooseSelectBox(MainWindowFixture& f) { f.Button("box_button")->click(); }

// Press on one 1-based cell, move to the other and release there.
void Drag(MainWindowFixture& f, QPoint from, QPoint to) {
  QWidget* canvas = f.form->Canvas();
  Press(canvas, Qt::LeftButton, f.CellCentre(from.x(), from.y()));
  Move(canvas, Qt::LeftButton, f.CellCentre(to.x(), to.y()));
  Release(canvas, Qt::LeftButton, f.CellCentre(to.x(), to.y()));
}

QStringList Coordinates(MainWindowFixture& f) {
  Tselpanel* panel = Panel(f);
  return {panel->X1()->text(), panel->Y1()->text(), panel->X2()->text(), panel->Y2()->text()};
}

// The buffer's rows as codes, top row first.
QList<QList<int>> BufferRows(MainWindowFixture& f) {
  const SelectionGrid& buffer = f.State().Selection.SelectionBuffer;
  QList<QList<int>> rows;
  for (int j = 1; j <= buffer.Height; ++j) {
    QList<int> row;
    for (int i = 1; i <= buffer.Width; ++i) row << ToInt(buffer.Cells.At(i, j));
    rows << row;
  }
  return rows;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Answers the name prompt with `name` and its "Save..." button.
std::function<int(QDialog&)> ConfirmName(QByteArray name, QString* shown_name = nullptr) {
  return [=](QDialog& dialog) {
    auto& box = static_cast<Tsavebox&>(dialog);
    if (shown_name != nullptr) *shown_name = box.Edit1()->text();
    box.Edit1()->setText(QString::fromLatin1(name));
    dialog.setResult(-1);
    box.Button1()->click();
    return dialog.result();
  };
}

}  // namespace

class SelectionTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- the panel and the tool ------------------------------------------------------

  void panelAndPromptAreCreatedHiddenRightAfterTheExportPanel() {
    MainWindowFixture f;
    const QStringList order = f.form->CreationOrder();
    const qsizetype panel = order.indexOf(QStringLiteral("Tselpanel"));
    QVERIFY(panel > 0);
    // The export panel comes first when it exists, otherwise the About box.
    const QString before = order.contains(QStringLiteral("TForm4")) ? QStringLiteral("TForm4")
                                                                    : QStringLiteral("TAbout");
    QCOMPARE(order.at(panel - 1), before);
    QCOMPARE(order.value(panel + 1), QStringLiteral("Tsavebox"));
    QVERIFY(!Panel(f)->isVisible());
    QVERIFY(!Savebox(f)->isVisible());
    // The panel's start-up reads its mode buttons even before the tool is chosen.
    QVERIFY(f.State().Selection.SelectMode);
    QVERIFY(!f.State().Selection.PasteMode);
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::Pen);
  }

  void panelIsASmallToolWindowWithEveryControl() {
    MainWindowFixture f;
    Tselpanel* panel = Panel(f);
    QCOMPARE(panel->windowTitle(), QStringLiteral("Select tool panel"));
    QVERIFY(panel->windowFlags().testFlag(Qt::Tool));
    QVERIFY(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(panel->minimumSize(), QSize(136, 159));
    QCOMPARE(panel->maximumSize(), QSize(136, 159));
    QCOMPARE(f.FirstShownOffset(panel), QPoint(f.form->frameGeometry().width(), 221));

    const std::tuple<const char*, int, int, const char*> buttons[] = {
        {"selectbutton", 8, 16, "Select mode"},
        {"PasteButton", 40, 16, "Paste mode"},
        {"SaveButton", 8, 56, "Save select to PTV file"},
        {"ClearButton", 40, 56, "Clear select"},
        {"CropButton", 72, 56, "Cut off select"},
        {"SpeedButton1", 8, 96, "Rotate left (90 degrees)"},
        {"SpeedButton2", 40, 96, "Rotate right (90 degrees)"},
        {"SpeedButton3", 72, 96, "Flip horizontally"},
        {"SpeedButton4", 104, 96, "Flip vertically"},
    };
    for (const auto& [name, left, top, hint] : buttons) {
      QToolButton* button = PanelButton(f, name);
      QVERIFY2(button != nullptr, name);
      QCOMPARE(button->geometry(), QRect(left, top, 23, 22));
      QCOMPARE(button->toolTip(), QString::fromLatin1(hint));
      QVERIFY2(!button->icon().isNull(), name);
    }
    const std::tuple<const char*, const char*> labels[] = {
        {"Label1", "Mode"}, {"Label2", "Operation"}, {"Label5", "Transformation"},
        {"labelx1", "X1:"}, {"Label10", "Y1:"},      {"Label3", "X2:"},
        {"Label4", "Y2:"},
    };
    for (const auto& [name, text] : labels) {
      QLabel* label = panel->findChild<QLabel*>(QLatin1String(name));
      QVERIFY2(label != nullptr, name);
      QCOMPARE(label->text(), QString::fromLatin1(text));
    }
    const std::tuple<QLineEdit*, QPoint, const char*> boxes[] = {
        {panel->X1(), {32, 125}, "coordinate X"},
        {panel->Y1(), {88, 125}, "coordinate Y"},
        {panel->X2(), {32, 141}, "coordinate X"},
        {panel->Y2(), {88, 141}, "coordinate Y"},
    };
    for (const auto& [box, pos, hint] : boxes) {
      QCOMPARE(box->pos(), pos);
      QCOMPARE(box->toolTip(), QString::fromLatin1(hint));
      QVERIFY(box->isReadOnly());
      QVERIFY(!box->hasFrame());
      QVERIFY(!(box->focusPolicy() & Qt::TabFocus));
      QVERIFY(box->text().isEmpty());
    }
    QVERIFY(panel->selectbutton()->isChecked());
    QVERIFY(!panel->PasteButton()->isChecked());
  }

  void choosingTheSelectBoxShowsThePanelInSelectMode() {
    MainWindowFixture f;
    QVERIFY(f.Button("box_button")->isEnabled());
    f.State().Selection.SelectMode = false;  // the tool choice sets it again from the button
    ChooseSelectBox(f);
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::SelectBox);
    QVERIFY(Panel(f)->isVisible());
    QVERIFY(Panel(f)->selectbutton()->isChecked());
    QVERIFY(f.State().Selection.SelectMode);
    QVERIFY(!f.State().Selection.PasteMode);
  }

  void modeButtonsAreOneExclusiveGroup() {
    MainWindowFixture f;
    ChooseSelectBox(f);
    Panel(f)->PasteButton()->click();
    QVERIFY(!Panel(f)->selectbutton()->isChecked());
    QVERIFY(f.State().Selection.PasteMode);
    QVERIFY(!f.State().Selection.SelectMode);
    Panel(f)->PasteButton()->click();  // pressing the down button keeps it down
    QVERIFY(Panel(f)->PasteButton()->isChecked());
    Panel(f)->selectbutton()->click();
    QVERIFY(!Panel(f)->PasteButton()->isChecked());
    QVERIFY(f.State().Selection.SelectMode);
    QVERIFY(!f.State().Selection.PasteMode);
  }

  void choosingThePenHidesThePanelAndTheBoxAndComingBackRestoresTheModes() {
    MainWindowFixture f;
    FillPattern(f);
    ChooseSelectBox(f);
    Drag(f, {2, 2}, {4, 4});
    QVERIFY(f.State().Selection.BoxVisible);
    // The dashed outline runs down the box's left edge at x = 5.
    QCOMPARE(f.CanvasImage().pixelColor(QPoint(5, 7)), QColor(Qt::black));
    Panel(f)->PasteButton()->click();

    f.Button("pen_button")->click();
    QVERIFY(!Panel(f)->isVisible());
    QVERIFY(!f.State().Selection.BoxVisible);
    QVERIFY(!f.State().Selection.SelectMode);
    QVERIFY(!f.State().Selection.PasteMode);
    QVERIFY(f.CanvasImage().pixelColor(QPoint(5, 7)) != QColor(Qt::black));

    ChooseSelectBox(f);
    QVERIFY(Panel(f)->isVisible());
    QVERIFY(f.State().Selection.PasteMode);
    QVERIFY(!f.State().Selection.SelectMode);
  }

  void closingThePanelOnlyHidesIt() {
    MainWindowFixture f;
    ChooseSelectBox(f);
    Panel(f)->PasteButton()->click();
    QPointer<Tselpanel> panel = Panel(f);
    QVERIFY(panel->close());
    QCoreApplication::processEvents();
    QVERIFY(!panel.isNull());
    QVERIFY(!panel->isVisible());
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::SelectBox);
    QVERIFY(f.State().Selection.PasteMode);
    QVERIFY(panel->PasteButton()->isChecked());

    f.Button("pen_button")->click();
    ChooseSelectBox(f);
    QVERIFY(panel->isVisible());
    QVERIFY(panel->PasteButton()->isChecked());
  }

  // ---- the box -----------------------------------------------------------------------

  void dragSelectsABoxShownInTheCoordinatesAndOnTheCanvas() {
    MainWindowFixture f;
    FillPattern(f);
    ChooseSelectBox(f);
    Drag(f, {5, 7}, {2, 3});
    QCOMPARE(f.State().Selection.SelectionRect, (CellRect{2, 3, 5, 7}));
    QCOMPARE(f.State().Selection.SelectionBuffer.Cells.At(4, 5), PatternCode(5, 7));
    QCOMPARE(Coordinates(f), (QStringList{"2", "3", "5", "7"}));
    // The dashed outline runs along the box's left edge, at x = 1 * 5.
    QCOMPARE(f.CanvasImage().pixelColor(QPoint(5, 2 * 5 + 1)), QColor(Qt::black));
  }

  void coordinateBoxesChangeOnlyWithACapture() {
    MainWindowFixture f;
    ChooseSelectBox(f);
    Drag(f, {3, 3}, {6, 8});
    Panel(f)->SpeedButton2()->click();
    Panel(f)->PasteButton()->click();
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(20, 20));
    Panel(f)->CropButton()->click();
    QCOMPARE(Coordinates(f), (QStringList{"3", "3", "6", "8"}));
  }

  // ---- paste -------------------------------------------------------------------------

  void pasteModeStampsTheBufferAtTheClickedCell() {
    MainWindowFixture f;
    FillPattern(f);
    Picture& picture = f.State().Document.Picture;
    picture.Cells.At(1, 2) = PixelCode::White;
    picture.Cells.At(10, 13) = PixelCode::Black;
    ChooseSelectBox(f);
    Drag(f, {1, 1}, {2, 2});
    Panel(f)->PasteButton()->click();
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(10, 12));
    QCOMPARE(picture.Cells.At(10, 13), PixelCode::White);
    QCOMPARE(f.CanvasImage().pixelColor(f.CellCentre(10, 13)), QColor(Qt::white));
  }

  // ---- operations ------------------------------------------------------------------

  void eachTransformationButtonTurnsOrMirrorsTheBuffer() {
    MainWindowFixture f;
    // Rows (a b c) and (d e f) with a..f = Black, Gray66, Gray33, White,
    // Transparent, Black.
    const int codes[2][3] = {{0, 1, 2}, {3, 4, 0}};
    for (int y = 1; y <= 2; ++y) {
      for (int x = 1; x <= 3; ++x) {
        f.State().Document.Picture.Cells.At(x + 4, y + 4) = ToPixelCode(codes[y - 1][x - 1]);
      }
    }
    ChooseSelectBox(f);
    const std::pair<const char*, QList<QList<int>>> buttons[] = {
        {"SpeedButton1", {{2, 0}, {1, 4}, {0, 3}}},  // rotate left
        {"SpeedButton2", {{3, 0}, {4, 1}, {0, 2}}},  // rotate right
        {"SpeedButton3", {{3, 4, 0}, {0, 1, 2}}},    // "Flip horizontally"
        {"SpeedButton4", {{2, 1, 0}, {0, 4, 3}}},    // "Flip vertically"
    };
    for (const auto& [name, rows] : buttons) {
      Drag(f, {5, 5}, {7, 6});
      PanelButton(f, name)->click();
      QVERIFY2(BufferRows(f) == rows, name);
    }
  }

  void cropButtonMakesTheBufferThePicture() {
    MainWindowFixture f;
    FillPattern(f);
    ChooseSelectBox(f);
    Drag(f, {3, 2}, {12, 5});
    Panel(f)->CropButton()->click();
    QCOMPARE(f.State().Document.Picture.Width, 10);
    QCOMPARE(f.State().Document.Picture.Height, 4);
    QCOMPARE(f.form->findChild<QLineEdit*>("WID")->text(), QStringLiteral("10"));
    QCOMPARE(f.form->findChild<QLineEdit*>("HEIG")->text(), QStringLiteral("4"));
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 1), PatternCode(3, 2));
    QVERIFY(f.services.messages.isEmpty());
  }

  void cropOfABufferTallerThanAPictureIsRefusedWithAMessage() {
    MainWindowFixture f;
    FillPattern(f);
    ChooseSelectBox(f);
    Drag(f, {1, 1}, {95, 2});
    Panel(f)->SpeedButton2()->click();
    const Picture picture = f.State().Document.Picture;
    Panel(f)->CropButton()->click();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Cut off select"));
    QCOMPARE(f.services.messages[0].text,
             QStringLiteral("The selection is 95 rows high; a picture can hold at most 92."));
    QCOMPARE(f.State().Document.Picture, picture);
  }

  void clearButtonFillsTheBoxWithTheRightColour() {
    MainWindowFixture f;
    FillPattern(f);
    f.form->GetEditor().SetRightColor(PixelCode::White);
    ChooseSelectBox(f);
    Drag(f, {4, 6}, {2, 3});
    Panel(f)->ClearButton()->click();
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 4), PixelCode::White);
    QCOMPARE(f.CanvasImage().pixelColor(f.CellCentre(3, 4)), QColor(Qt::white));
  }

  void everyOperationButtonDoesNothingBeforeACapture() {
    MainWindowFixture f;
    FillPattern(f);
    ChooseSelectBox(f);
    f.services.file_answers << QStringLiteral("/nonexistent/never.ptv");
    const Picture picture = f.State().Document.Picture;
    for (QToolButton* button :
         {Panel(f)->SaveButton(), Panel(f)->ClearButton(), Panel(f)->CropButton(),
          Panel(f)->SpeedButton1(), Panel(f)->SpeedButton2(), Panel(f)->SpeedButton3(),
          Panel(f)->SpeedButton4()}) {
      button->click();
    }
    QCOMPARE(f.State().Document.Picture, picture);
    QCOMPARE(f.State().Document.Undo.Count(), 0);
    QCOMPARE(f.State().Selection.SelectionBuffer.Width, 0);
    QCOMPARE(f.State().Selection.SelectionBuffer.Height, 0);
    QVERIFY(f.services.messages.isEmpty());
    QVERIFY(f.services.shown_dialogs.isEmpty());
    QVERIFY(f.services.file_requests.isEmpty());
  }

  // ---- saving the selection --------------------------------------------------------

  void promptIsAFixedDialogWithOneButton() {
    MainWindowFixture f;
    Tsavebox* box = Savebox(f);
    QCOMPARE(box->windowTitle(), QStringLiteral("Save Select..."));
    QCOMPARE(box->minimumSize(), QSize(200, 76));
    QCOMPARE(box->maximumSize(), QSize(200, 76));
    QCOMPARE(f.FirstShownOffset(box), QPoint(431, 361));
    QCOMPARE(box->findChild<QLabel*>("Label1")->text(), QStringLiteral("Name:"));
    QCOMPARE(box->Edit1()->text(), QStringLiteral("Name"));
    QCOMPARE(box->Edit1()->width(), 137);
    QCOMPARE(box->Button1()->text(), QStringLiteral("Save..."));
    QVERIFY(box->Button1()->isDefault());
    QCOMPARE(box->findChildren<QPushButton*>().size(), 1);

    // Names from files can be long; none is cut.
    const QByteArray long_name(40000, 'n');
    box->SetName(long_name);
    QCOMPARE(box->Name(), long_name);
    // Only what Latin-1 holds can be typed.
    int pos = 0;
    QString euro = QStringLiteral("a\u20ACb");
    QCOMPARE(box->Edit1()->validator()->validate(euro, pos), QValidator::Invalid);
    QString latin = QStringLiteral("caf\u00E9 2");
    QCOMPARE(box->Edit1()->validator()->validate(latin, pos), QValidator::Acceptable);
  }

  void savingWritesTheTurnedBufferUnderThePromptName() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MainWindowFixture f;
    FillPattern(f);
    f.form->SetPictureName("main");
    ChooseSelectBox(f);
    Drag(f, {3, 2}, {7, 5});
    Panel(f)->SpeedButton2()->click();  // the buffer is saved as turned: 4 x 5
    const Picture picture = f.State().Document.Picture;
    const int undo = f.State().Document.Undo.Count();

    QString shown_name;
    f.services.dialog_handler = ConfirmName("part", &shown_name);
    const QString path = dir.filePath(QStringLiteral("part.ptv"));
    f.services.file_answers << path;
    Panel(f)->SaveButton()->click();

    QCOMPARE(f.services.shown_dialogs, QStringList{"Tsavebox"});
    QCOMPARE(shown_name, QStringLiteral("main"));
    QCOMPARE(f.services.file_requests.size(), 1);
    const FileDialogRequest& request = f.services.file_requests[0];
    QCOMPARE(request.filter, QStringLiteral("(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin"));
    QCOMPARE(request.filter_index, 0);
    QCOMPARE(request.default_suffix, QStringLiteral("ptv"));
    QCOMPARE(request.file_name, QStringLiteral("part"));

    QByteArray expected("\x02\x00\x00\x00\x04\x00\x00\x00part\x04\x05", 14);
    for (const QList<int>& row : BufferRows(f)) {
      for (const int code : row) expected.append(char(code));
    }
    QCOMPARE(ReadAll(path), expected);
    QCOMPARE(f.State().Document.Undo.Count(), undo + 1);
    QCOMPARE(f.State().Document.Picture, picture);
    QCOMPARE(f.form->PictureName(), QByteArray("main"));
    QVERIFY(f.services.messages.isEmpty());
  }

  void aSelectionTallerThanAPictureIsNotSaved() {
    QTemporaryDir dir;
    MainWindowFixture f;
    FillPattern(f);
    ChooseSelectBox(f);
    Drag(f, {1, 1}, {96, 3});
    Panel(f)->SpeedButton2()->click();  // now 3 x 96: no picture file could hold it
    QCOMPARE(f.State().Selection.SelectionBuffer.Height, 96);
    f.services.dialog_handler = ConfirmName("tall");
    const QString path = dir.filePath(QStringLiteral("tall.ptv"));
    f.services.file_answers << path;
    const int undo = f.State().Document.Undo.Count();
    Panel(f)->SaveButton()->click();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Save Selection"));
    QVERIFY(f.services.messages[0].text.contains(QStringLiteral("96 rows")));
    QVERIFY(f.services.file_requests.isEmpty());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(f.State().Document.Undo.Count(), undo);
  }

  void saveBeforeAnyCaptureOnlyCopiesTheName() {
    MainWindowFixture f;
    ChooseSelectBox(f);
    f.form->SetPictureName("hello");
    f.services.dialog_handler = ConfirmName("x");
    f.services.file_answers << QStringLiteral("/tmp/never-written.ptv");
    Panel(f)->SaveButton()->click();
    QCOMPARE(Savebox(f)->Edit1()->text(), QStringLiteral("hello"));
    QVERIFY(f.services.shown_dialogs.isEmpty());
    QVERIFY(f.services.file_requests.isEmpty());
    QCOMPARE(f.State().Document.Undo.Count(), 0);
  }

  void closingThePromptOtherwiseThanWithSaveWritesNothing() {
    enum class Close { Escape, CloseBox };
    for (const Close how : {Close::Escape, Close::CloseBox}) {
      QTemporaryDir dir;
      MainWindowFixture f;
      ChooseSelectBox(f);
      Drag(f, {1, 1}, {2, 2});
      const int undo = f.State().Document.Undo.Count();
      f.services.dialog_handler = [how](QDialog& dialog) {
        dialog.show();
        if (how == Close::Escape) {
          QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
          dialog.close();
        }
        return dialog.result();
      };
      const QString path = dir.filePath(QStringLiteral("no.ptv"));
      f.services.file_answers << path;
      Panel(f)->SaveButton()->click();
      QCOMPARE(f.services.shown_dialogs, QStringList{"Tsavebox"});
      QVERIFY(!Savebox(f)->isVisible());
      QVERIFY(f.services.file_requests.isEmpty());
      QVERIFY(!QFile::exists(path));
      QCOMPARE(f.State().Document.Undo.Count(), undo);
    }
  }

  void enterInThePromptSaves() {
    QTemporaryDir dir;
    MainWindowFixture f;
    ChooseSelectBox(f);
    Drag(f, {1, 1}, {2, 2});
    f.services.dialog_handler = [](QDialog& dialog) {
      dialog.show();
      QTest::keyClick(static_cast<Tsavebox&>(dialog).Edit1(), Qt::Key_Return);
      return dialog.result();
    };
    const QString path = dir.filePath(QStringLiteral("yes.ptv"));
    f.services.file_answers << path;
    Panel(f)->SaveButton()->click();
    QVERIFY(QFile::exists(path));
  }

  void cancelledFileDialogKeepsTheUndoStepAndWritesNothing() {
    MainWindowFixture f;
    ChooseSelectBox(f);
    Drag(f, {1, 1}, {2, 2});
    const int undo = f.State().Document.Undo.Count();
    f.services.dialog_handler = ConfirmName("kept");
    Panel(f)->SaveButton()->click();  // no file answer: the dialog is cancelled
    QCOMPARE(f.services.file_requests.size(), 1);
    QCOMPARE(f.State().Document.Undo.Count(), undo + 1);
    QVERIFY(f.services.messages.isEmpty());
  }

  void saveIntoAMissingFolderShowsAMessageNamingTheFile() {
    QTemporaryDir dir;
    MainWindowFixture f;
    ChooseSelectBox(f);
    Drag(f, {1, 1}, {2, 2});
    f.services.dialog_handler = ConfirmName("lost");
    const QString path = dir.filePath(QStringLiteral("missing/lost.ptv"));
    f.services.file_answers << path;
    Panel(f)->SaveButton()->click();
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY2(f.services.messages[0].text.contains(QDir::toNativeSeparators(path)),
             qPrintable(f.services.messages[0].text));
    QVERIFY(f.services.messages[0].text.contains(QStringLiteral("No such file or directory")));
    QVERIFY(!f.services.messages[0].title.isEmpty());
    QVERIFY(!QFile::exists(path));
  }
};

QTEST_MAIN(SelectionTest)
#include "selection_test.moc"
