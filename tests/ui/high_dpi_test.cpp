// The canvas on a scaled desktop. This test runs its whole application at a
// scale factor of 1.5 (set before the application starts, so every window
// has a device pixel ratio of 1.5) and reads what the canvas paints in device
// pixels.
#include <cmath>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QtTest>

#include "core/model/pixel_code.h"
#include "support/main_window_fixture.h"
#include "ui/widgets/canvas_widget.h"

namespace pictavo::testing {
namespace {

constexpr qreal kScale = 1.5;

QRgb Argb(Rgb rgb) { return qRgb(rgb.r, rgb.g, rgb.b); }

// Lengths of the runs of one colour along a row (or a column) of an image,
// from `from` to `to` device pixels.
std::vector<int> Runs(const QImage& image, bool along_row, int at, int from, int to, QRgb color) {
  std::vector<int> runs;
  int run = 0;
  for (int i = from; i < to; ++i) {
    const QRgb pixel = along_row ? image.pixel(i, at) : image.pixel(at, i);
    if ((pixel & 0xFFFFFF) == (color & 0xFFFFFF)) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (run > 0) runs.push_back(run);
  return runs;
}

// The canvas painted through its own painting function onto an image of the
// given device pixel ratio, as a screen of that ratio would show it.
QImage PaintAt(CanvasWidget* canvas, qreal ratio) {
  const QSize logical(670, 587);
  QImage image(static_cast<int>(std::ceil(logical.width() * ratio)),
               static_cast<int>(std::ceil(logical.height() * ratio)), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  canvas->PaintCanvas(painter, QRect(QPoint(0, 0), logical));
  return image;
}

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPointF position) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), button,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void ClickAt(QWidget* widget, QPointF position) {
  SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, position);
  SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, position);
}

}  // namespace

class HighDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void gridLinesAreAllOneDevicePixelWide() {
    // A 96 x 92 picture of one colour: every grid line inside the view must
    // be one device pixel wide, at a zoom whose cells take a fractional
    // number of device pixels and at one whose cells take a whole number.
    for (int size : {5, 10}) {
      MainWindowFixture f;
      f.form->GetEditor().SetPixelSizeFromMenu(size);
      const QImage image = f.CanvasImage();
      QCOMPARE(image.devicePixelRatio(), kScale);
      const QRgb grid = Argb(GridColor);
      // Rows and columns through the middle of a few cells.
      for (int cell : {0, 3, 17}) {
        const int through = static_cast<int>((cell * size + size / 2.0) * kScale);
        const std::vector<int> across = Runs(image, true, through, 0, image.width(), grid);
        const std::vector<int> down = Runs(image, false, through, 0, image.height(), grid);
        // Lines at 0, size, 2 size ... up to the picture's edge or the end
        // of the view, which is as large as the canvas.
        const QSize view = f.form->Canvas()->size();
        QCOMPARE(static_cast<int>(across.size()), std::min(96, (view.width() - 1) / size) + 1);
        QCOMPARE(static_cast<int>(down.size()), std::min(92, (view.height() - 1) / size) + 1);
        for (int width : across) QCOMPARE(width, 1);
        for (int width : down) QCOMPARE(width, 1);
      }
    }
  }

  void linesAreEquallyWideAtEveryRatio() {
    // The painting function itself, onto images of other ratios: one more
    // fractional, one whose lines are two device pixels wide.
    MainWindowFixture f;
    // At 6 the whole 96 x 92 picture is shown, its frame on all four sides.
    f.form->GetEditor().SetPixelSizeFromMenu(6);
    f.form->GetEditor().ToggleBorder();  // the red frame over the outer lines
    for (qreal ratio : {1.25, 2.0}) {
      const QImage image = PaintAt(f.form->Canvas(), ratio);
      const int expected = std::max(1, static_cast<int>(ratio));
      const int through = static_cast<int>(3.5 * 6 * ratio);
      const int end = static_cast<int>(670 * ratio);
      const std::vector<int> grid = Runs(image, true, through, 0, end, Argb(GridColor));
      QCOMPARE(grid.size(), std::size_t{95});  // the outer two are under the frame
      for (int width : grid) QCOMPARE(width, expected);
      const std::vector<int> frame = Runs(image, true, through, 0, end, Argb(BorderColor));
      QCOMPARE(frame.size(), std::size_t{2});
      for (int width : frame) QCOMPARE(width, expected);
      const std::vector<int> frame_down = Runs(image, false, static_cast<int>(10.5 * 6 * ratio), 0,
                                               static_cast<int>(587 * ratio), Argb(BorderColor));
      QCOMPARE(frame_down.size(), std::size_t{2});
      for (int width : frame_down) QCOMPARE(width, expected);
      // Nothing of the image is left unpainted.
      QVERIFY(Runs(image, true, through, 0, image.width(), qRgb(255, 0, 255)).empty());
    }
  }

  void aClickAtAFractionalPositionPicksTheFlooredCell() {
    MainWindowFixture f;
    f.form->GetEditor().SetPixelSizeFromMenu(10);
    CanvasWidget* canvas = f.form->Canvas();
    // 19.9 is in the second column (0-based 1); rounding would give 20, the
    // third.
    ClickAt(canvas, QPointF(19.9, 9.9));
    const Picture& picture = f.State().Document.Picture;
    QCOMPARE(picture.Cells.At(2, 1), PixelCode::Black);
    QCOMPARE(picture.Cells.At(3, 1), PixelCode::Transparent);
    QCOMPARE(picture.Cells.At(2, 2), PixelCode::Transparent);
    // The status bar names the same cell.
    SendMouse(canvas, QEvent::MouseMove, Qt::NoButton, QPointF(29.99, 0.5));
    QCOMPARE(f.StatusText(0), QStringLiteral("X: 2"));
  }

  void theCellPickedIsTheCellDrawnUnderThePointer() {
    // At pixel size 5 a cell is 7 or 8 device pixels: walk the pointer over
    // every device pixel of the first cells and check that the one it paints
    // is the one shown under it.
    MainWindowFixture f;
    f.form->GetEditor().SetPixelSizeFromMenu(5);
    CanvasWidget* canvas = f.form->Canvas();
    const int y = 2 * 8 + 4;  // a device row inside the third row of cells
    for (int x = 0; x < 5 * 8; ++x) {
      f.form->GetEditor().ClearPicture();
      const QPointF pointer((x + 0.5) / kScale, (y + 0.5) / kScale);
      ClickAt(canvas, pointer);
      const QImage image = f.CanvasImage();
      const QRgb under = image.pixel(x, y);
      // The pointer may lie on a grid line, which belongs to the cell right
      // of it: then the pixel beside it is the cell.
      const QRgb painted = under == Argb(GridColor) ? image.pixel(x + 1, y) : under;
      QVERIFY2(painted == Argb(ColorOf(PixelCode::Black)),
               qPrintable(QStringLiteral("device pixel %1").arg(x)));
    }
  }

  void aScrolledViewKeepsItsLinesEvenAndPicksTheCellDrawn() {
    // Scrolled so that the view starts 3 and 7 pixels into a cell: the
    // lines lie off the multiples of the view's pixels, yet stay one device
    // pixel wide, and a click still paints the cell drawn under it.
    MainWindowFixture f;
    Editor& editor = f.form->GetEditor();
    editor.SetPixelSizeFromMenu(10);
    editor.ScrollTo(53, 47);
    CanvasWidget* canvas = f.form->Canvas();
    const QImage lines = f.CanvasImage();
    const int through = static_cast<int>(12 * kScale);  // a row inside a cell
    const std::vector<int> across = Runs(lines, true, through, 0, lines.width(), Argb(GridColor));
    QCOMPARE(static_cast<int>(across.size()), (53 + canvas->width() - 1) / 10 - 53 / 10);
    for (int width : across) QCOMPARE(width, 1);
    const int y = static_cast<int>(25 * kScale);
    for (int x = 0; x < 4 * 15; ++x) {
      editor.ClearPicture();
      ClickAt(canvas, QPointF((x + 0.5) / kScale, (y + 0.5) / kScale));
      const QImage image = f.CanvasImage();
      const QRgb under = image.pixel(x, y);
      const QRgb painted = under == Argb(GridColor) ? image.pixel(x + 1, y) : under;
      QVERIFY2(painted == Argb(ColorOf(PixelCode::Black)),
               qPrintable(QStringLiteral("device pixel %1").arg(x)));
    }
  }
};

}  // namespace pictavo::testing

int main(int argc, char** argv) {
  // Before the application exists, or the ratio stays 1.
  qputenv("QT_SCALE_FACTOR", "1.5");
  QApplication app(argc, argv);
  pictavo::testing::HighDpiTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "high_dpi_test.moc"
