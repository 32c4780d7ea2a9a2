// Saves a picture of the main window, as the README shows it. Runs on the
// offscreen platform: QT_QPA_PLATFORM=offscreen pictavo_screenshot out.png
#include <QApplication>
#include <QDialog>

#include "ui/app/main_window.h"
#include "ui/app/platform_services.h"

namespace {

// Draws a small pixel face so the picture shows what the editor is for.
void DrawSample(pictavo::Editor& editor) {
  using pictavo::PixelCode;
  pictavo::EditorState& s = editor.State();
  s.Picture.Cells.Fill(PixelCode::Transparent);
  const char* rows[] = {
      "....######....", "..##333333##..", ".#3333333333#.", "#333##3333##3#",
      "#333##3333##3#", "#33333333333##", "#3#33333333#3#", "#33#333333#33#",
      ".#33######33#.", "..##333333##..", "....######....",
  };
  int y = 4;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x) {
      const char c = row[x];
      s.Picture.Cells.At(x + 6, y) = c == '#' ? PixelCode::Black
                                   : c == '3' ? PixelCode::Gray33
                                              : PixelCode::Transparent;
    }
    ++y;
  }
  s.Picture.Width = 26;
  s.Picture.Height = 20;
  s.PixelSize = 15;
  editor.Render();
}

class NoDialogs final : public pictavo::QtPlatformServices {
 public:
  int ExecDialog(QDialog&) override { return QDialog::Rejected; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  NoDialogs services;
  pictavo::TForm1 form(services);
  form.CreateSecondaryWindows();
  form.SetPictureName("smile");
  DrawSample(form.GetEditor());
  form.show();
  QApplication::processEvents();
  return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
