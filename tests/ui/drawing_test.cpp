#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "core/editing/editor_test_door.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/dialogs/set_size_dialog.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/color_controls.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// Fills the Set Size boxes, presses OK, and reports whether the dialog closed
// with OK; a refused OK leaves the dialog open (its result stays unset).
std::function<int(QDialog&)> AnswerSetSize(QString height, QString width, bool cancel = false) {
  return [=](QDialog& dialog) {
    auto& form2 = static_cast<TForm2&>(dialog);
    form2.Edit1()->setText(height);
    form2.Edit2()->setText(width);
    dialog.setResult(-1);
    if (cancel) {
      form2.findChild<QPushButton*>("Button2")->click();
    } else {
      form2.findChild<QPushButton*>("Button1")->click();
    }
    return dialog.result() == QDialog::Accepted ? int(QDialog::Accepted) : int(QDialog::Rejected);
  };
}

}  // namespace

class DrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void penStrokeWithTheMouseIsOneUndoStep() {
    MainWindowFixture f;
    QWidget* canvas = f.form->Canvas();
    Press(canvas, Qt::LeftButton, f.CellCentre(3, 4));
    Move(canvas, Qt::LeftButton, f.CellCentre(4, 4));
    Move(canvas, Qt::LeftButton, f.CellCentre(5, 4));
    Release(canvas, Qt::LeftButton, f.CellCentre(5, 4));
    for (int x = 3; x <= 5; ++x)
      QCOMPARE(f.State().Document.Picture.Cells.At(x, 4), PixelCode::Black);
    QCOMPARE(f.CanvasImage().pixelColor(f.CellCentre(4, 4)), QColor(0, 0, 0));
    QVERIFY(f.Action("Undochange1")->isEnabled());
    QVERIFY(f.Button("UndoButton")->isEnabled());

    // The canvas took the focus, so Ctrl+Z reaches the undo command and not
    // the name box.
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QCOMPARE(QApplication::focusWidget(), canvas);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    for (int x = 3; x <= 5; ++x) {
      QCOMPARE(f.State().Document.Picture.Cells.At(x, 4), PixelCode::Transparent);
    }
    QVERIFY(!f.Button("UndoButton")->isEnabled());
  }

  void rightButtonPaintsWithTheRightColour() {
    MainWindowFixture f;
    f.State().Document.Picture.Cells.Fill(PixelCode::White);
    Click(f.form->Canvas(), Qt::RightButton, f.CellCentre(2, 2));
    QCOMPARE(f.State().Document.Picture.Cells.At(2, 2), PixelCode::Transparent);
    Click(f.form->Canvas(), Qt::MiddleButton, f.CellCentre(3, 3));
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 3), PixelCode::White);
    QCOMPARE(f.State().Document.Undo.Count(), 1);
  }

  void paletteButtonsSetTheColourOfTheButtonPressed() {
    MainWindowFixture f;
    auto* white = f.form->findChild<PaletteButton*>("SpeedButton6");
    QTest::mousePress(white, Qt::LeftButton);
    QTest::mouseRelease(white, Qt::LeftButton);
    QCOMPARE(f.State().Tools.LeftColor, PixelCode::White);
    auto* gray = f.form->findChild<PaletteButton*>("SpeedButton8");
    QTest::mousePress(gray, Qt::RightButton);
    QCOMPARE(f.State().Tools.RightColor, PixelCode::Gray66);
    QTest::mousePress(f.form->findChild<PaletteButton*>("SpeedButton5"), Qt::MiddleButton);
    QCOMPARE(f.State().Tools.LeftColor, PixelCode::White);
    QCOMPARE(f.State().Tools.RightColor, PixelCode::Gray66);
    QCOMPARE(f.form->findChild<ColorSwatch*>("Col")->grab().toImage().pixelColor(5, 5),
             ToQColor(ColorOf(PixelCode::White)));
    QCOMPARE(f.form->findChild<ColorSwatch*>("ColRight")->grab().toImage().pixelColor(5, 5),
             ToQColor(ColorOf(PixelCode::Gray66)));
  }

  void swatchMenusListTheFiveColoursInOrder() {
    MainWindowFixture f;
    auto* left = f.form->findChild<QMenu*>("ColMenu");
    QStringList captions;
    for (QAction* item : left->actions()) {
      captions << item->text();
      QVERIFY(!item->icon().isNull());
    }
    QCOMPARE(captions, (QStringList{"white", "33 % gray", "66 % gray", "black", "transparent"}));
    f.form->findChild<QAction*>("N33gray1")->trigger();
    QCOMPARE(f.State().Tools.LeftColor, PixelCode::Gray33);
    f.form->findChild<QAction*>("MenuItem4")->trigger();
    QCOMPARE(f.State().Tools.RightColor, PixelCode::Black);
    QCOMPARE(f.form->findChild<ColorSwatch*>("ColRight")->grab().toImage().pixelColor(5, 5),
             QColor(0, 0, 0));
  }

  void toolsMenuAndButtonsAreOneExclusiveGroup() {
    MainWindowFixture f;
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QTest::keyClick(f.form.get(), Qt::Key_F3);
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::Bucket);
    QVERIFY(f.Button("fill_button")->isChecked());
    QVERIFY(!f.Button("pen_button")->isChecked());
    QTest::mouseClick(f.Button("pipe_button"), Qt::LeftButton);
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::Pipe);
    f.Action("ChangeColor1")->trigger();
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::ChangeColor);
    QVERIFY(f.Button("chcol_button")->isChecked());
    QTest::keyClick(f.form.get(), Qt::Key_F2);
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::Pen);
    QVERIFY(!f.Button("chcol_button")->isChecked());
  }

  void redoShapesAndFitAreWiredToTheirMenusButtonsAndKeys() {
    MainWindowFixture f;
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QWidget* canvas = f.form->Canvas();
    QCOMPARE(f.Action("RedoChange")->text(), QStringLiteral("Redo change"));
    QCOMPARE(f.Button("RedoButton")->toolTip(), QStringLiteral("Redo changes"));
    QVERIFY(!f.Button("RedoButton")->isEnabled());

    // F6: a line dragged with Shift held stays level.
    QTest::keyClick(f.form.get(), Qt::Key_F6);
    QVERIFY(f.Button("line_button")->isChecked());
    auto send = [canvas](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                         QPoint pos) {
      QMouseEvent event(type, QPointF(pos), canvas->mapToGlobal(QPointF(pos)), button, held,
                        Qt::ShiftModifier);
      QApplication::sendEvent(canvas, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, f.CellCentre(2, 2));
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, f.CellCentre(9, 3));
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, f.CellCentre(9, 3));
    for (int x = 2; x <= 9; ++x)
      QCOMPARE(f.State().Document.Picture.Cells.At(x, 2), PixelCode::Black);
    QCOMPARE(f.State().Document.Picture.Cells.At(9, 3), PixelCode::Transparent);

    // Undo, then both redo keys and the button.
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.State().Document.Picture.Cells.At(5, 2), PixelCode::Transparent);
    QVERIFY(f.Button("RedoButton")->isEnabled());
    QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.State().Document.Picture.Cells.At(5, 2), PixelCode::Black);
    QVERIFY(!f.Button("RedoButton")->isEnabled());
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.State().Document.Picture.Cells.At(5, 2), PixelCode::Black);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    f.Button("RedoButton")->click();
    QCOMPARE(f.State().Document.Picture.Cells.At(5, 2), PixelCode::Black);

    // F7, then a second click on the tool fills; Shift+F7 outlines again.
    QTest::keyClick(f.form.get(), Qt::Key_F7);
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::Rectangle);
    QVERIFY(!f.State().Tools.RectangleFilled);
    f.Button("rect_button")->click();
    QVERIFY(f.State().Tools.RectangleFilled);
    QVERIFY(f.Action("FilledRectangle")->isChecked());
    QVERIFY(f.Button("rect_button")->toolTip().startsWith(QStringLiteral("Filled rectangle")));
    QTest::keyClick(f.form.get(), Qt::Key_F7, Qt::ShiftModifier);
    QVERIFY(!f.State().Tools.RectangleFilled);
    const QList<QAction*> tools = f.form->findChild<QMenu*>("ToolsMenu")->actions();
    QVERIFY(tools.contains(f.Action("LineTool")) && tools.contains(f.Action("RectangleTool")));

    // Ctrl+0 fits the whole picture in the view.
    f.State().Document.Picture.Width = 20;
    f.State().Document.Picture.Height = 10;
    QTest::keyClick(canvas, Qt::Key_0, Qt::ControlModifier);
    const int size = f.State().View.PixelSize;
    QVERIFY(size > 5);
    QVERIFY(20 * size + 1 <= canvas->width() && 10 * size + 1 <= canvas->height());
    QVERIFY(20 * (size + 1) + 1 > canvas->width() || 10 * (size + 1) + 1 > canvas->height() ||
            size == 49);
  }

  void setSizeDialogChecksItsBoxes() {
    MainWindowFixture f;
    f.services.dialog_handler = AnswerSetSize("93", "10");
    f.Action("SetSize1")->trigger();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].text, QStringLiteral("Invalid dimentions."));
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Invalid parameters!"));
    QCOMPARE(f.State().Document.Picture.Height, 92);
    QCOMPARE(f.State().Document.Undo.Count(), 0);

    f.services.dialog_handler = AnswerSetSize("5a", "5");
    f.Action("SetSize1")->trigger();
    QCOMPARE(f.services.messages.size(), 1);  // refused silently
    QCOMPARE(f.State().Document.Undo.Count(), 0);

    f.services.dialog_handler = AnswerSetSize("05", "7");
    f.Button("ToolButton10")->click();
    QCOMPARE(f.State().Document.Picture.Height, 5);
    QCOMPARE(f.State().Document.Picture.Width, 7);
    QCOMPARE(f.State().Document.Undo.Count(), 1);
    QCOMPARE(f.form->findChild<QLineEdit*>("WID")->text(), QStringLiteral("7"));

    f.services.dialog_handler = AnswerSetSize("20", "20", true);
    f.Action("SetSize1")->trigger();
    QCOMPARE(f.State().Document.Picture.Width, 7);
    QCOMPARE(f.State().Document.Undo.Count(), 1);
  }

  void setSizeDialogFillsItsBoxesAndTabsFromTheHeight() {
    MainWindowFixture f;
    f.State().Document.Picture.Width = 33;
    QString width_text, height_text;
    f.services.dialog_handler = [&](QDialog& dialog) {
      auto& form2 = static_cast<TForm2&>(dialog);
      width_text = form2.Edit2()->text();
      height_text = form2.Edit1()->text();
      return int(QDialog::Rejected);
    };
    f.Action("SetSize1")->trigger();
    QCOMPARE(width_text, QStringLiteral("33"));
    QCOMPARE(height_text, QStringLiteral("92"));
    TForm2* form2 = f.form->SetSizeDialog();
    QCOMPARE(form2->windowTitle(), QStringLiteral("Set Size"));
    QCOMPARE(form2->Edit1()->maxLength(), 2);
    QCOMPARE(form2->Edit1()->nextInFocusChain(), form2->Edit2());
    QCOMPARE(form2->Edit2()->nextInFocusChain(),
             static_cast<QWidget*>(form2->findChild<QPushButton*>("Button1")));
    QVERIFY(form2->findChild<QPushButton*>("Button1")->isDefault());
  }

  void setSizeInSkinModeChecksTheIconDepth() {
    MainWindowFixture f;
    TSkinIcon icon;
    icon.BPP = 1;
    icon.Width = 4;
    icon.Height = 2;
    icon.Data.assign(8, 3);
    EditorTestDoor::MutableSkin(f.form->GetEditor()).Append(icon);
    f.State().Document.SkinMode = true;
    f.services.dialog_handler = AnswerSetSize("3", "3");
    f.Action("SetSize1")->trigger();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].text, QStringLiteral("Width * Height * BPP must divide by 8."));
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Invalid icon parameters!"));
    f.services.dialog_handler = AnswerSetSize("2", "4");
    f.Action("SetSize1")->trigger();
    QCOMPARE(f.State().Document.Picture.Width, 4);
    QCOMPARE(f.services.messages.size(), 1);
  }

  void newPictureUsesTheRightColourAndEndsSkinModeEvenWhenCancelled() {
    MainWindowFixture f;
    f.form->findChild<QAction*>("MenuItem1")->trigger();  // right colour white
    f.services.dialog_handler = AnswerSetSize("20", "30");
    f.Button("ToolButton1")->click();
    QCOMPARE(f.State().Document.Picture.Width, 30);
    QCOMPARE(f.State().Document.Picture.Height, 20);
    QCOMPARE(f.State().Document.Picture.Cells.At(96, 92), PixelCode::White);
    QCOMPARE(f.CanvasImage().pixelColor(f.CellCentre(1, 1)), QColor(Qt::white));

    f.State().Document.SkinMode = true;
    f.form->GetEditor().Render();
    f.services.dialog_handler = AnswerSetSize("9", "9", true);
    f.Action("NewPicture1")->trigger();
    QVERIFY(!f.State().Document.SkinMode);
    QCOMPARE(f.State().Document.Picture.Width, 30);
    QVERIFY(f.form->findChild<QWidget*>("Panel6")->isVisible());
  }

  void sizeAndZoomArrows() {
    MainWindowFixture f;
    f.Button("SpeedButton1")->click();  // height down
    QCOMPARE(f.State().Document.Picture.Height, 91);
    QCOMPARE(f.form->findChild<QLineEdit*>("HEIG")->text(), QStringLiteral("91"));
    QCOMPARE(f.State().Document.Undo.Count(), 1);
    f.Button("SpeedButton3")->click();  // height up
    QCOMPARE(f.State().Document.Picture.Height, 92);
    f.Button("SpeedButton4")->click();  // width down
    QCOMPARE(f.State().Document.Picture.Width, 95);
    QCOMPARE(f.form->findChild<QLineEdit*>("WID")->text(), QStringLiteral("95"));
    f.Button("SpeedButton2")->click();  // width up
    QCOMPARE(f.State().Document.Picture.Width, 96);
    f.Button("SpeedButton23")->click();  // zoom in
    QCOMPARE(f.State().View.PixelSize, 6);
    QCOMPARE(f.form->findChild<QLineEdit*>("PSIZE")->text(), QStringLiteral("6"));
    f.Button("SpeedButton24")->click();  // zoom out
    QCOMPARE(f.State().View.PixelSize, 5);
  }

  void everyQuickSizeButtonSetsTheNumberOnIt() {
    MainWindowFixture f;
    const char* const widths[] = {
        "SpeedButton42", "SpeedButton19", "SpeedButton38", "SpeedButton10",
        "SpeedButton40", "SpeedButton17", "SpeedButton16", "SpeedButton18",
        "SpeedButton11", "SpeedButton12", "SpeedButton13", "SpeedButton14",
        "SpeedButton15", "SpeedButton20", "SpeedButton21", "SpeedButton22"};
    const char* const heights[] = {
        "SpeedButton43", "SpeedButton28", "SpeedButton39", "SpeedButton37",
        "SpeedButton41", "SpeedButton30", "SpeedButton31", "SpeedButton29",
        "SpeedButton36", "SpeedButton35", "SpeedButton34", "SpeedButton33",
        "SpeedButton32", "SpeedButton27", "SpeedButton26", "SpeedButton25"};
    const int numbers[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 50, 70, 96};
    Picture& picture = f.State().Document.Picture;
    for (int row = 0; row < 16; ++row) {
      const int width = numbers[row];
      const int height = std::min(width, 92);
      picture.Width = picture.Height = 11;  // a size no button sets
      QToolButton* w = f.Button(widths[row]);
      QCOMPARE(w->text(), QString::number(width));
      w->click();
      QCOMPARE(picture.Width, width);
      QCOMPARE(picture.Height, 11);
      QToolButton* h = f.Button(heights[row]);
      QCOMPARE(h->text(), QString::number(height));
      h->click();
      QCOMPARE(picture.Height, height);
      QCOMPARE(picture.Width, width);
      QCOMPARE(f.form->findChild<QLineEdit*>("HEIG")->text(), QString::number(height));
    }
    QCOMPARE(f.State().Document.Undo.Count(), 0);
  }

  void clearImageIsNotUndoable() {
    MainWindowFixture f;
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(1, 1));
    f.form->findChild<QAction*>("MenuItem2")->trigger();  // right colour 33 % gray
    f.Button("ToolButton19")->click();
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 1), PixelCode::Gray33);
    QCOMPARE(f.State().Document.Undo.Count(), 1);
  }

  void nameBoxTakesSixteenLatin1Characters() {
    MainWindowFixture f;
    auto* name = f.form->findChild<QLineEdit*>("Edit1");
    QTest::keyClicks(name, QStringLiteral("abcdefghijklmnopqrs"));
    QCOMPARE(name->text(), QStringLiteral("abcdefghijklmnop"));
    name->clear();
    // Typed one key at a time as the keyboard delivers them; the euro sign is
    // not Latin-1 and must not get in.
    for (const QString& key :
         {QStringLiteral("a"), QString(QChar(0x20AC)), QStringLiteral("b"), QString(QChar(0xE9))}) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
      QApplication::sendEvent(name, &press);
    }
    QCOMPARE(f.form->PictureName(), QByteArray("ab\xE9"));
    f.form->SetPictureName(QByteArray(20, 'x'));
    QCOMPARE(f.form->PictureName(), QByteArray(20, 'x'));
    QCOMPARE(name->text(), QString(20, QLatin1Char('x')));  // the box shows the editor's name
  }
};

QTEST_MAIN(DrawingTest)
#include "drawing_test.moc"
