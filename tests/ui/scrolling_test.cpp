// The canvas view in the window: scroll bars, the wheel, zoom keys, a
// resized window, and the pointer on a scrolled view.
#include <QAction>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/widgets/canvas_scroll_area.h"
#include "ui/widgets/canvas_widget.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

void Wheel(QWidget* widget, QPoint at, QPoint turn, Qt::KeyboardModifiers modifiers = {}) {
  QWheelEvent event(QPointF(at), widget->mapToGlobal(QPointF(at)), QPoint(), turn, Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

struct Scrolled : MainWindowFixture {
  CanvasWidget* canvas = form->Canvas();
  QScrollBar* across = form->CanvasArea()->horizontalScrollBar();
  QScrollBar* down = form->CanvasArea()->verticalScrollBar();
  const Viewport& Shown() { return State().View.Shown; }
  // The 1-based cell under a position in the canvas widget.
  CellPoint CellAt(QPoint at) {
    const int p = State().View.PixelSize;
    return {(Shown().Left + at.x()) / p + 1, (Shown().Top + at.y()) / p + 1};
  }
};

}  // namespace

class ScrollingTest : public QObject {
  Q_OBJECT

 private slots:
  void theStartShowsThePictureWholeWithoutBars() {
    Scrolled f;
    QVERIFY(!f.across->isVisible());
    QVERIFY(!f.down->isVisible());
    // The canvas fills the panel and the view is the canvas.
    QCOMPARE(f.canvas->size(), f.form->CanvasArea()->size());
    QCOMPARE(f.Shown(), (Viewport{0, 0, f.canvas->width(), f.canvas->height()}));
    QVERIFY(f.canvas->width() >= 670 && f.canvas->height() >= 587);
    const QImage image = f.CanvasImage();
    QCOMPARE(image.pixelColor(2, 2), QColor(0, 128, 128));
    QCOMPARE(image.pixelColor(480, 10), QColor(0xC0, 0xDC, 0xC0));  // the last grid line
    QCOMPARE(image.pixelColor(481, 10), QColor(Qt::white));
  }

  void barsAppearWithTheZoomAndScrollTheView() {
    Scrolled f;
    f.Action("x101")->trigger();  // 961 x 921 in a view of about 690 x 640
    QVERIFY(f.across->isVisible());
    QVERIFY(f.down->isVisible());
    QCOMPARE(f.Shown().Width, f.canvas->width());
    QCOMPARE(f.across->maximum(), 961 - f.canvas->width());
    QCOMPARE(f.down->maximum(), 921 - f.canvas->height());
    QCOMPARE(f.across->pageStep(), f.canvas->width());
    f.across->setValue(f.across->maximum());
    f.down->setValue(100);
    QCOMPARE(f.Shown().Left, f.across->maximum());
    QCOMPARE(f.Shown().Top, 100);
    // The last column is drawn at the view's right edge.
    f.State().Document.Picture.Cells.At(96, 20) = PixelCode::Black;
    f.form->GetEditor().Render();
    const QImage image = f.CanvasImage();
    QCOMPARE(image.pixelColor(f.canvas->width() - 5, 195 - 100), QColor(Qt::black));
    // Back at size 5 the picture fits: no bars, no offset.
    f.Action("x51")->trigger();
    QVERIFY(!f.across->isVisible());
    QCOMPARE(f.Shown().Left, 0);
    QCOMPARE(f.Shown().Top, 0);
  }

  void theViewGrowsAndShrinksWithTheWindow() {
    Scrolled f;
    f.Action("x101")->trigger();
    f.form->resize(1300, 1100);
    QApplication::processEvents();
    QCOMPARE(f.Shown().Width, f.canvas->width());
    QCOMPARE(f.Shown().Height, f.canvas->height());
    QVERIFY(f.canvas->width() > 961);
    QVERIFY(!f.across->isVisible());
    f.form->resize(600, 500);
    QApplication::processEvents();
    QVERIFY(f.across->isVisible());
    QVERIFY(f.down->isVisible());
    QCOMPARE(f.Shown().Width, f.canvas->width());
    QCOMPARE(f.editor.Canvas().Width(), f.canvas->width());
    QCOMPARE(f.editor.Canvas().Height(), f.canvas->height());
  }

  void theWheelScrollsAndZoomsAtThePointer() {
    Scrolled f;
    f.Action("x151")->trigger();
    Wheel(f.canvas, {100, 100}, {0, -120});
    const int notch = f.Shown().Top;
    QVERIFY(notch > 0);
    QCOMPARE(f.Shown().Left, 0);
    Wheel(f.canvas, {100, 100}, {0, -120}, Qt::ShiftModifier);
    QCOMPARE(f.Shown().Left, notch);
    QCOMPARE(f.Shown().Top, notch);
    Wheel(f.canvas, {100, 100}, {0, 120});
    QCOMPARE(f.Shown().Top, 0);

    // Scrolled far enough that no edge holds the view while it zooms.
    f.across->setValue(f.across->maximum() / 2);
    f.down->setValue(f.down->maximum() / 2);
    const QPoint pointer(333, 222);
    const CellPoint under = f.CellAt(pointer);
    Wheel(f.canvas, pointer, {0, 120}, Qt::ControlModifier);
    QCOMPARE(f.State().View.PixelSize, 16);
    QCOMPARE(f.CellAt(pointer), under);
    QCOMPARE(f.across->value(), f.Shown().Left);
    // Half notches add up to one step, down the zoom ladder.
    Wheel(f.canvas, pointer, {0, -60}, Qt::ControlModifier);
    QCOMPARE(f.State().View.PixelSize, 16);
    Wheel(f.canvas, pointer, {0, -60}, Qt::ControlModifier);
    QCOMPARE(f.State().View.PixelSize, 12);
    QCOMPARE(f.CellAt(pointer), under);
    // The status bar names the cell under the pointer after the zoom.
    QCOMPARE(f.StatusText(0), QStringLiteral("X: %1").arg(under.x - 1));
  }

  void fitToWindowIsTheSameWithOrWithoutBars() {
    Scrolled f;
    Editor& editor = f.form->GetEditor();
    editor.SetWidthQuick(30);
    editor.SetHeightQuick(30);
    int fitted[2] = {};
    for (const bool bars : {false, true}) {
      editor.SetPixelSizeFromMenu(bars ? 49 : 1);
      QCOMPARE(f.across->isVisible(), bars);
      f.Action("FitToWindow")->trigger();
      fitted[bars] = f.State().View.PixelSize;
      QVERIFY(!f.across->isVisible() && !f.down->isVisible());
    }
    QCOMPARE(fitted[0], fitted[1]);
    QVERIFY(DrawingLength(30, fitted[0] + 1) > f.canvas->height());
  }

  void zoomKeysKeepTheMiddleOfTheView() {
    Scrolled f;
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    f.Action("x101")->trigger();
    f.across->setValue(150);
    const QPoint middle(f.canvas->width() / 2, f.canvas->height() / 2);
    const CellPoint under = f.CellAt(middle);
    QTest::keyClick(f.form.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(f.State().View.PixelSize, 12);
    QCOMPARE(f.CellAt(middle), under);
    QTest::keyClick(f.form.get(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(f.State().View.PixelSize, 16);
    QTest::keyClick(f.form.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(f.form.get(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(f.State().View.PixelSize, 10);
    QCOMPARE(f.CellAt(middle), under);
    QCOMPARE(f.Action("ZoomIn")->text(), QStringLiteral("Zoom In"));
  }

  void toolsChangeTheCellsUnderThePointerOfAScrolledView() {
    Scrolled f;
    f.Action("x151")->trigger();
    f.across->setValue(f.across->maximum());
    f.down->setValue(f.down->maximum());
    const int left = f.Shown().Left;
    const int top = f.Shown().Top;
    QVERIFY(left > 0 && top > 0);

    // Pen: the cell and its square on the screen.
    const QPoint at(f.canvas->width() - 20, f.canvas->height() - 40);
    const CellPoint cell = f.CellAt(at);
    Click(f.canvas, Qt::LeftButton, at);
    QCOMPARE(f.State().Document.Picture.Cells.At(cell.x, cell.y), PixelCode::Black);
    QCOMPARE(f.CanvasImage().pixelColor(at), QColor(Qt::black));
    Move(f.canvas, Qt::NoButton, at);
    QCOMPARE(f.StatusText(0), QStringLiteral("X: %1").arg(cell.x - 1));
    QCOMPARE(f.StatusText(1), QStringLiteral("Y: %1").arg(cell.y - 1));

    // Select: the box from the cells under the press, the move and the release.
    f.Action("box_button")->trigger();
    const QPoint from((80 - 1) * 15 - left + 3, (70 - 1) * 15 - top + 3);
    const QPoint to((85 - 1) * 15 - left + 3, (75 - 1) * 15 - top + 3);
    QVERIFY(from.x() > 0 && from.y() > 0);
    Press(f.canvas, Qt::LeftButton, from);
    Move(f.canvas, Qt::LeftButton, to);
    Release(f.canvas, Qt::LeftButton, to);
    QCOMPARE(f.State().Selection.SelectionRect, (CellRect{80, 70, 85, 75}));
  }
};

QTEST_MAIN(ScrollingTest)
#include "scrolling_test.moc"
