// Saves pictures of the program's windows, as the README shows them. Runs on
// the offscreen platform:
//   QT_QPA_PLATFORM=offscreen pictavo_screenshot out.png [main|skin|about|setsize|
//                                                        export|select|bitmap|addicon]
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include "core/editing/editor_test_door.h"
#include "core/formats/skin_file.h"
#include "ui/app/main_window.h"
#include "ui/services/platform_services.h"

namespace {

using pictavo::PixelCode;

// Draws a small pixel face so the picture shows what the editor is for.
void DrawSample(pictavo::Editor& editor) {
  pictavo::EditorState& s = pictavo::EditorTestDoor::MutableState(editor);
  s.Document.Picture.Cells.Fill(PixelCode::Transparent);
  const char* rows[] = {
      "....######....", "..##333333##..", ".#3333333333#.", ".#33#3333#33#.",
      "#333#3333#333#", "#333333333333#", "#33#333333#33#", "#333#3333#333#",
      ".#333####333#.", ".#3333333333#.", "..##333333##..", "....######....",
  };

  int y = 4;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x) {
      const char c = row[x];
      s.Document.Picture.Cells.At(x + 6, y) = c == '#'   ? PixelCode::Black
                                              : c == '3' ? PixelCode::Gray33
                                                         : PixelCode::Transparent;
    }
    ++y;
  }
  s.Document.Picture.Width = 26;
  s.Document.Picture.Height = 20;
  s.View.PixelSize = 15;
  editor.Render();
}

pictavo::Skin SampleSkin() {
  pictavo::Skin skin;
  for (int id : {1, 2, 0x10}) {
    pictavo::TSkinIcon icon;
    icon.IconID = id;
    icon.Width = 16;
    icon.Height = 16;
    icon.BPP = id == 2 ? 2 : 4;
    icon.SubIcons = 3;
    icon.Data.resize(icon.ExpectedDataSize());
    for (int s = 0; s < 3; ++s) {
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          const int dx = x - 8 + s, dy = y - 8;
          const bool ring = dx * dx + dy * dy < 40 && dx * dx + dy * dy > 12;
          icon.Data[icon.DataIndex(s, x, y)] = ring ? 0 : (x + y + s) % 7 == 0 ? 2 : 3;
        }
      }
    }
    skin.Append(icon);
  }
  return skin;
}

class ShotServices final : public pictavo::QtPlatformServices {
 public:
  QString OpenFileName(QWidget*, const pictavo::FileDialogRequest&) override { return answer; }
  int ExecDialog(QDialog&) override { return QDialog::Rejected; }
  QString answer;
};

bool SaveGrab(QWidget* widget, const char* path) {
  widget->show();
  QApplication::processEvents();
  return widget->grab().save(QString::fromLocal8Bit(path));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QString what = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("main");
  ShotServices services;
  pictavo::Editor editor;
  pictavo::TForm1 form(editor, services);
  form.CreateSecondaryWindows();
  form.SetPictureName("smile");
  DrawSample(editor);
  form.show();
  QApplication::processEvents();

  if (what == QLatin1String("skin")) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.skin");
    const auto bytes = pictavo::WriteSkinFile(SampleSkin(), "icons");
    QFile file(path);
    if (!bytes || !file.open(QIODevice::WriteOnly)) return 1;
    file.write(reinterpret_cast<const char*>(bytes->data()), static_cast<qint64>(bytes->size()));
    file.close();
    services.answer = path;
    form.findChild<QAction*>(QStringLiteral("OpenSkin1"))->trigger();
    editor.SetPixelSizeFromMenu(15);
    return SaveGrab(&form, argv[1]) ? 0 : 1;
  }
  const std::pair<const char*, const char*> windows[] = {
      {"about", "TAbout"},     {"setsize", "TForm2"}, {"export", "TForm4"},
      {"select", "Tselpanel"}, {"bitmap", "TbmpWin"}, {"addicon", "TAddIconForm"}};
  for (const auto& [key, name] : windows) {
    if (what == QLatin1String(key)) {
      QWidget* window = form.findChild<QWidget*>(QLatin1String(name));
      return window != nullptr && SaveGrab(window, argv[1]) ? 0 : 1;
    }
  }
  return SaveGrab(&form, argv[1]) ? 0 : 1;
}
