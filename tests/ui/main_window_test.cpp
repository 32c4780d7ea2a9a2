#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "core/editing/editor_test_door.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/app/about_box.h"
#include "ui/selection/select_panel.h"
#include "ui/selection/selection_commands.h"
#include "ui/services/window_placement.h"
#include "ui/widgets/canvas_widget.h"

using namespace pictavo;
using namespace pictavo::testing;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithCaptionSizesAndWindowsInOrder() {
    MainWindowFixture f;
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Dravik Pictavo 2.0"));
    const QStringList order = f.form->CreationOrder();
    QVERIFY(order.size() >= 8);
    QCOMPARE(order.mid(0, 8), (QStringList{"TForm1", "TForm2", "TAbout", "TForm4", "Tselpanel",
                                           "Tsavebox", "TbmpWin", "TAddIconForm"}));
    QCOMPARE(f.form->findChild<QLineEdit*>("WID")->text(), QStringLiteral("96"));
    QCOMPARE(f.form->findChild<QLineEdit*>("HEIG")->text(), QStringLiteral("92"));
    QCOMPARE(f.form->findChild<QLineEdit*>("PSIZE")->text(), QStringLiteral("5"));
    QCOMPARE(f.StatusText(0), QStringLiteral("X:"));
    QCOMPARE(f.StatusText(1), QStringLiteral("Y:"));
    QVERIFY(!f.Action("Undochange1")->isEnabled());
    QVERIFY(!f.Button("UndoButton")->isEnabled());
  }

  void everyToolBarButtonHasAnIconAndItsHint() {
    MainWindowFixture f;
    const std::pair<const char*, const char*> hints[] = {
        {"ToolButton1", "New..."},
        {"ToolButton2", "Open"},
        {"ToolButton3", "Save..."},
        {"UndoButton", "Undo changes"},
        {"ToolButton12", "Move to ClipBoard panel"},
        {"align", "Clipboard with align up to byte"},
        {"ToolButton7", "Move to Clipboard (format C++)"},
        {"ToolButton5", "Move to Clipboard (format ASM 1bpp)"},
        {"ToolButton16", "Move to Clipboard (format ASM 2bpp)"},
        {"ToolButton17", "Move to Clipboard (format ASM 4bpp)"},
        {"ToolButton8", "Move to Clipboard (format ASM)"},
        {"ToolButton10", "Set Size"},
        {"GridsButton", "View Grids"},
        {"BorderButton", "View Border"},
        {"ToolButton15", "Exit"},
        // Icon-only buttons that once had no tip: each shows its command's caption.
        {"ToolButton21", "Open BMP file..."},
        {"ToolButton11", "Save to end (asm 8bpp format)..."},
        {"ToolButton19", "Clear Image"},
    };
    for (const auto& [name, hint] : hints) {
      QToolButton* button = f.Button(name);
      QVERIFY2(button != nullptr, name);
      QCOMPARE(button->toolTip(), QString::fromLatin1(hint));
      QVERIFY2(!button->icon().isNull(), name);
    }
  }

  void menuItemsAndButtonsShareOneActionPerCommand() {
    MainWindowFixture f;
    const std::pair<const char*, const char*> shared[] = {
        {"NewPicture1", "ToolButton1"},   {"OpenPicture1", "ToolButton2"},
        {"OpenBMPfile1", "ToolButton21"}, {"Savepicture1", "ToolButton3"},
        {"Savetoend1", "ToolButton11"},   {"Undochange1", "UndoButton"},
        {"SetSize1", "ToolButton10"},     {"ClearImage1", "ToolButton19"},
        {"ViewGrids1", "GridsButton"},    {"ViewBorder1", "BorderButton"},
        {"Exit1", "ToolButton15"},        {"Pen1", "pen_button"},
        {"Bucket1", "fill_button"},       {"Pipe1", "pipe_button"},
        {"ChangeColor1", "chcol_button"},
    };
    for (const auto& [item, button] : shared) {
      QVERIFY2(f.Action(item) != nullptr, item);
      QCOMPARE(f.Button(button)->defaultAction(), f.Action(item));
    }
    // The buttons without a menu item are actions too.
    for (const char* name : {"ToolButton12", "align", "ToolButton7", "ToolButton5", "ToolButton16",
                             "ToolButton17", "ToolButton8", "box_button"}) {
      QCOMPARE(f.Button(name)->defaultAction(), f.Action(name));
    }
    // One group holds the tools: checking one releases the others.
    QAction* pen = f.Action("Pen1");
    QVERIFY(pen->isChecked());
    QVERIFY(pen->actionGroup() != nullptr && pen->actionGroup()->isExclusive());
    QCOMPARE(pen->actionGroup()->actions().size(), 7);
    f.Action("Pipe1")->trigger();
    QVERIFY(!f.Button("pen_button")->isChecked());
    QVERIFY(f.Button("pipe_button")->isChecked());
    QCOMPARE(f.State().Tools.CurrentTool, DrawTool::Pipe);
  }

  void toolBarHandlersRunTheCommandsOfTheirMenuItems() {
    MainWindowFixture f;
    f.Button("ToolButton2")->click();
    QCOMPARE(f.services.file_requests.size(), 1);
    QCOMPARE(f.services.file_requests[0].default_suffix, QStringLiteral("ptv"));
    f.Button("ToolButton3")->click();
    QCOMPARE(f.services.file_requests.size(), 2);
    f.Button("ToolButton11")->click();
    QCOMPARE(f.services.file_requests.size(), 3);
    QVERIFY(f.services.file_requests[2].filter.startsWith("(lib *.h"));
    f.Button("ToolButton21")->click();
    QCOMPARE(f.services.shown_dialogs, QStringList{"TbmpWin"});
    f.Button("ToolButton1")->click();
    f.Button("ToolButton10")->click();
    QCOMPARE(f.services.shown_dialogs, (QStringList{"TbmpWin", "TForm2", "TForm2"}));
  }

  void startSizeFitsTheAvailableArea() {
    ScriptedServices services;
    Editor editor;
    TForm1 form(editor, services);
    form.show();
    const QRect area = form.screen()->availableGeometry();
    QVERIFY(area.contains(form.frameGeometry()));
    if (area.width() >= 800 && area.height() >= 800) QCOMPARE(form.size(), QSize(760, 760));
    // A start size larger than the screen is cut down to it.
    for (const QSize wanted : {QSize(5000, 300), QSize(300, 5000), QSize(5000, 5000)}) {
      QWidget window;
      FitOnScreen(window, wanted);
      window.show();
      QVERIFY(area.contains(window.frameGeometry()));
      // Only what does not fit is cut, and only as much as it must be.
      QCOMPARE(window.width() == wanted.width(), wanted.width() < area.width());
      QCOMPARE(window.height() == wanted.height(), wanted.height() < area.height());
      QVERIFY(window.width() > area.width() - 20 || window.width() == wanted.width());
      QVERIFY(window.height() > area.height() - 60 || window.height() == wanted.height());
    }
  }

  void toolWindowsOpenBesideTheMainWindowAndOnTheScreen() {
    MainWindowFixture f;
    const QRect area = f.form->screen()->availableGeometry();
    QWidget* panel = f.form->Selection()->SelectPanel();
    // Near the screen's right edge there is room on the left only.
    f.form->move(area.right() - 300, area.bottom() - 200);
    f.Button("box_button")->click();
    QVERIFY(panel->isVisible());
    QVERIFY(area.contains(panel->frameGeometry()));
    QCOMPARE(panel->frameGeometry().right(), f.form->frameGeometry().left() - 1);
    // Where the user leaves it, it comes back.
    panel->move(area.topLeft() + QPoint(40, 30));
    const QPoint moved = panel->pos();
    f.Button("pen_button")->click();
    QVERIFY(!panel->isVisible());
    f.Button("box_button")->click();
    QCOMPARE(panel->pos(), moved);
  }

  void panelsOpenBesideTheWindowOrOverItsLeastUsedCorner() {
    const QRect frame(100, 50, 700, 600);
    const QSize panel(150, 180);
    struct Row {
      QRect area, cells;
      QPoint at;
    };
    const Row rows[] = {
        // Room on the right, then on the left, at the offset held to the screen.
        {{0, 0, 1920, 1080}, {110, 100, 500, 500}, {800, 250}},
        {{-100, 0, 1000, 1080}, {110, 100, 500, 500}, {-50, 250}},
        {{-50, 0, 940, 700}, {110, 100, 500, 500}, {-50, 250}},
        {{-100, 0, 1000, 400}, {110, 100, 500, 500}, {-50, 220}},
        // No room beside: the bottom right corner, or the top right one, or
        // the left ones, whichever leaves the cells clear.
        {{0, 0, 850, 700}, {110, 100, 500, 500}, {650, 470}},
        {{0, 0, 850, 700}, {110, 400, 650, 200}, {650, 50}},
        {{0, 0, 850, 700}, {300, 100, 500, 550}, {100, 470}},
        // Cells everywhere: the corner that hides fewest, held to the screen.
        {{0, 0, 700, 600}, {100, 50, 650, 600}, {550, 420}},
    };
    for (const Row& row : rows) {
      QCOMPARE(PanelPosition(row.area, frame, row.cells, panel, 200), row.at);
    }
  }

  void nameBoxShowsSixteenCharactersOfItsFont() {
    MainWindowFixture f;
    auto* name = f.form->findChild<QLineEdit*>("Edit1");
    const QFontMetrics metrics(name->font());
    // Sized in points, 25 / 12 of the application font, so it follows the
    // desktop's font and scale.
    QVERIFY(name->font().pixelSize() == -1);
    QVERIFY(qFuzzyCompare(name->font().pointSizeF(),
                          QFontInfo(QApplication::font()).pointSizeF() * 25.0 / 12.0));
    for (const QString& text :
         {QStringLiteral("Smiley face icon"), QStringLiteral("xxxxxxxxxxxxxxxx"),
          QStringLiteral("pictavo_icon_016")}) {
      QCOMPARE(text.size(), 16);
      // The line edit keeps two pixels either side of its text.
      QVERIFY2(metrics.horizontalAdvance(text) + 4 <= name->contentsRect().width(),
               qPrintable(text));
    }
  }

  void editorOutlivesTheWindow() {
    MainWindowFixture f;
    f.form.reset();
    // Nothing the editor does may reach the window that is gone.
    EditorTestDoor::PushUndo(f.editor);
    f.editor.Render();
    f.editor.SelectTool(DrawTool::SelectBox);
    QCOMPARE(f.editor.State().Document.Undo.Count(), 1);
  }

  void menuCaptionsAndShortcuts() {
    MainWindowFixture f;
    const std::tuple<const char*, const char*, QKeySequence> items[] = {
        {"NewPicture1", "New Picture...", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"OpenPicture1", "Open Picture...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Savepicture1", "Save Picture...", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Save1", "Save (asm 8bpp format)...", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"Savetoend1", "Save to end (asm 8bpp format)...", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"Undochange1", "Undo change", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"SetSize1", "Set Size", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S)},
        {"ClearImage1", "Clear Image", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)},
        {"Pen1", "Pen", QKeySequence(Qt::Key_F2)},
        {"Bucket1", "Bucket", QKeySequence(Qt::Key_F3)},
        {"Pipe1", "Pipe", QKeySequence(Qt::Key_F4)},
        {"ChangeColor1", "Change Color", QKeySequence(Qt::Key_F5)},
        {"LineTool", "Line", QKeySequence(Qt::Key_F6)},
        {"RectangleTool", "Rectangle", QKeySequence(Qt::Key_F7)},
        {"FilledRectangle", "Filled Rectangle", QKeySequence(Qt::SHIFT | Qt::Key_F7)},
        {"FitToWindow", "Fit to Window", QKeySequence(Qt::CTRL | Qt::Key_0)},
        {"About2", "About...", QKeySequence(Qt::Key_F1)},
        {"x11", "x1 (No Grids)", QKeySequence()},
        {"x151", "x15", QKeySequence()},
        {"Exit1", "Exit", QKeySequence()},
    };
    for (const auto& [name, caption, shortcut] : items) {
      QAction* action = f.Action(name);
      QVERIFY2(action != nullptr, name);
      QCOMPARE(action->text(), QString::fromLatin1(caption));
      QCOMPARE(action->shortcut(), shortcut);
    }
  }

  void statusBarShowsTheZeroBasedCell() {
    MainWindowFixture f;
    Move(f.form->Canvas(), Qt::NoButton, QPoint(12, 37));
    QCOMPARE(f.StatusText(0), QStringLiteral("X: 2"));
    QCOMPARE(f.StatusText(1), QStringLiteral("Y: 7"));
  }

  void gridAndBorderMenuAndButtonAlwaysAgree() {
    MainWindowFixture f;
    QVERIFY(f.Action("ViewGrids1")->isChecked());
    QVERIFY(f.Button("GridsButton")->isChecked());
    QVERIFY(!f.Action("ViewBorder1")->isChecked());
    QVERIFY(!f.Button("BorderButton")->isChecked());

    QTest::mouseClick(f.Button("GridsButton"), Qt::LeftButton);
    QVERIFY(!f.State().View.ShowGrid);
    QVERIFY(!f.Action("ViewGrids1")->isChecked());
    QVERIFY(!f.Button("GridsButton")->isChecked());
    f.Action("ViewGrids1")->trigger();
    QVERIFY(f.State().View.ShowGrid);
    QVERIFY(f.Button("GridsButton")->isChecked());
    QVERIFY(f.Action("ViewGrids1")->isChecked());

    f.Action("ViewBorder1")->trigger();
    QVERIFY(f.State().View.ShowBorder);
    QVERIFY(f.Button("BorderButton")->isChecked());
    QTest::mouseClick(f.Button("BorderButton"), Qt::LeftButton);
    QVERIFY(!f.State().View.ShowBorder);
    QVERIFY(!f.Action("ViewBorder1")->isChecked());
    QCOMPARE(f.State().Document.Undo.Count(), 0);
  }

  void canvasShowsTheRenderedPicture() {
    MainWindowFixture f;
    const QImage image = f.CanvasImage();
    QCOMPARE(image.pixelColor(2, 2), QColor(0, 128, 128));
    QCOMPARE(image.pixelColor(0, 0), QColor(192, 220, 192));
    QCOMPARE(image.pixelColor(481, 10), QColor(Qt::white));
    QCOMPARE(image.pixelColor(10, 461), QColor(Qt::white));
    f.Action("x11")->trigger();
    QCOMPARE(f.CanvasImage().pixelColor(0, 0), QColor(0, 128, 128));
    QCOMPARE(f.CanvasImage().pixelColor(96, 10), QColor(Qt::white));
    QCOMPARE(f.form->findChild<QLineEdit*>("PSIZE")->text(), QStringLiteral("1"));
  }

  void skinModeLayoutSwitchesThePanelsTogether() {
    MainWindowFixture f;
    auto visible = [&](const char* name) {
      return f.form->findChild<QWidget*>(QLatin1String(name))->isVisible();
    };
    QVERIFY(!visible("Panel3"));
    QVERIFY(visible("Panel6"));
    QVERIFY(!visible("GroupBox1"));
    QVERIFY(!visible("GroupBox2"));
    f.State().Document.SkinMode = true;
    f.form->GetEditor().Render();
    QVERIFY(visible("Panel3"));
    QVERIFY(!visible("Panel6"));
    QVERIFY(visible("GroupBox1"));
    QVERIFY(visible("GroupBox2"));
    QVERIFY(f.form->findChild<QWidget*>("Splitter1")->isVisible());
    for (const char* arrow : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"}) {
      QVERIFY2(!f.Button(arrow)->isEnabled(), arrow);
    }
    QVERIFY(f.Button("SpeedButton23")->isEnabled());
    f.State().Document.SkinMode = false;
    f.form->GetEditor().Render();
    QVERIFY(!visible("Panel3"));
    QVERIFY(visible("Panel6"));
    QVERIFY(!visible("GroupBox2"));
    for (const char* arrow : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"}) {
      QVERIFY2(f.Button(arrow)->isEnabled(), arrow);
    }
  }

  void f1OpensTheAboutBox() {
    MainWindowFixture f;
    QString product;
    f.services.dialog_handler = [&](QDialog& dialog) {
      product = dialog.findChild<QLabel*>("Label3")->text();
      dialog.findChild<QPushButton*>("Button1")->click();
      return dialog.result();
    };
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QTest::keyClick(f.form.get(), Qt::Key_F1);
    QCOMPARE(f.services.shown_dialogs, QStringList{"TAbout"});
    QCOMPARE(product, QStringLiteral("Pictavo v.2.0"));
    QCOMPARE(f.form->About()->windowTitle(), QStringLiteral("About Dravik Pictavo"));
    QCOMPARE(f.form->About()->findChild<QLabel*>("Label2")->text(), QStringLiteral("Dravik"));
  }

  void exitClosesAtOnce() {
    MainWindowFixture f;
    f.State().Document.Picture.Cells.At(1, 1) = PixelCode::Black;
    f.Button("ToolButton15")->click();
    QVERIFY(!f.form->isVisible());
    QVERIFY(f.services.messages.isEmpty());
    QVERIFY(f.services.shown_dialogs.isEmpty());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
