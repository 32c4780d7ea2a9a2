#include "support/main_window_fixture.h"

#include <QAction>

#include "ui/widgets/canvas_widget.h"

namespace pictavo::testing {

MainWindowFixture::MainWindowFixture() {
  qputenv("XDG_STATE_HOME", state_home.path().toLocal8Bit());
  form = std::make_unique<TForm1>(editor, services);
  form->CreateSecondaryWindows();
  // The window starts no larger than the test screen; the canvas checks read
  // the whole shown 670 x 587, so give it room for that on any test screen.
  form->resize(760, 760);
  form->show();
}

MainWindowFixture::~MainWindowFixture() = default;

QToolButton* MainWindowFixture::Button(const char* name) const {
  return form->findChild<QToolButton*>(QLatin1String(name));
}

QAction* MainWindowFixture::Action(const char* name) const {
  return form->findChild<QAction*>(QLatin1String(name));
}

QString MainWindowFixture::StatusText(int panel) const {
  return form->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(panel))->text();
}

QImage MainWindowFixture::CanvasImage() const { return form->Canvas()->grab().toImage(); }

QPoint MainWindowFixture::CellCentre(int x, int y) {
  const int p = State().View.PixelSize;
  return {(x - 1) * p + p / 2, (y - 1) * p + p / 2};
}

QPoint MainWindowFixture::FirstShownOffset(QWidget* window) {
  form->move(-250, -100);
  window->show();
  return window->frameGeometry().topLeft() - form->frameGeometry().topLeft();
}

void MainWindowFixture::DrawIcon() {
  Picture& picture = State().Document.Picture;
  picture.Width = 3;
  picture.Height = 2;
  const PixelCode rows[2][3] = {{PixelCode::Black, PixelCode::White, PixelCode::Transparent},
                                {PixelCode::Gray66, PixelCode::Gray33, PixelCode::White}};
  for (int y = 1; y <= 2; ++y) {
    for (int x = 1; x <= 3; ++x) picture.Cells.At(x, y) = rows[y - 1][x - 1];
  }
  form->SetPictureName("icon");
}

}  // namespace pictavo::testing
