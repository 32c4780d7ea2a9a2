// What the window shows beside the document: the device preview with the
// device grays it shares with the import window, the onion skin, and that
// neither changes a byte of what is saved or exported; the held arrows.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "core/render/canvas_raster.h"
#include "core/render/device_preview.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/dialogs/add_icon_dialog.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/skin/skin_commands.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/device_preview_panel.h"
#include "ui/widgets/icon_preview.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

QRgb Argb(Rgb rgb) { return qRgb(rgb.r, rgb.g, rgb.b); }

void Type(QLineEdit* box, const QString& text) {
  box->setText(text);
  emit box->editingFinished();
}

// Three frames of 4 x 4: all White, frame 0 with a black top row.
void OpenFrames(MainWindowFixture& f) {
  std::vector<std::uint8_t> data(4 * 4 * 3, 3);
  for (int x = 0; x < 4; ++x) data[static_cast<std::size_t>(x)] = 0;
  Skin skin;
  skin.Append(TSkinIcon{7, 3, 4, 4, 4, std::move(data)});
  f.form->Skins()->OpenSkinDocument(f.state_home.filePath("frames.skin"),
                                    SkinDocument{std::move(skin), "frames"});
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ViewPanelsTest : public QObject {
  Q_OBJECT

 private slots:
  void devicePreviewShowsThePictureInTheSharedGrays() {
    MainWindowFixture f;
    auto* panel = f.form->DevicePreview();
    QVERIFY(!panel->isVisible());
    QCOMPARE(f.Action("ShowDevicePreview")->shortcut(), QKeySequence(Qt::Key_F8));
    f.Action("ShowDevicePreview")->trigger();
    QVERIFY(panel->isVisible());
    // A pen dot shows at once, at 1:1 and 2:1.
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 1));
    const auto shown = [&](int x, int y) { return panel->Image()->grab().toImage().pixel(x, y); };
    CodePalette colors = DevicePalette({});
    QCOMPARE(shown(7, 6), Argb(colors[ToInt(PixelCode::Black)]));
    QCOMPARE(shown(6, 6), Argb(colors[ToInt(PixelCode::Transparent)]));

    // The grays are the import window's: typed in either, both take them.
    TbmpWin* import = f.form->Files()->BitmapImportWindow();
    Type(panel->GraysEdit(), "0,85,170,220");
    QCOMPARE(import->LevelsEdit()->text(), QStringLiteral("0,85,170,220"));
    QCOMPARE(shown(6, 6), qRgb(220, 220, 220));
    Type(import->LevelsEdit(), "10,90,170,250");
    QCOMPARE(panel->GraysEdit()->text(), QStringLiteral("10,90,170,250"));
    QCOMPARE(shown(6, 6), qRgb(250, 250, 250));
    Type(panel->GraysEdit(), "1,2");
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Device grays"));
    QCOMPARE(panel->GraysEdit()->text(), QStringLiteral("10,90,170,250"));

    // A backlight from the list, then one of any colour.
    QComboBox* backlight = panel->BacklightBox();
    emit backlight->activated(backlight->findText("Amber"));
    colors = DevicePalette({{10, 90, 170, 250}, Rgb{255, 176, 0}});
    QCOMPARE(shown(6, 6), Argb(colors[ToInt(PixelCode::Transparent)]));
    f.services.color_answers << QColor(40, 80, 120);
    emit backlight->activated(backlight->count() - 1);
    QCOMPARE(panel->Look().backlight, (Rgb{40, 80, 120}));
    QCOMPARE(backlight->currentIndex(), backlight->count() - 1);

    // In skin mode the frames' preview takes the device's colours too, and
    // the editor's again once the panel is closed.
    OpenFrames(f);
    colors = panel->Colors();
    const auto frames = [&](int y) {
      return f.form->findChild<QWidget*>("Image3")->grab().toImage().pixel(0, y);
    };
    QCOMPARE(frames(0), Argb(colors[ToInt(PixelCode::Black)]));
    QCOMPARE(frames(3), Argb(colors[ToInt(PixelCode::White)]));
    f.Action("ShowDevicePreview")->trigger();
    QVERIFY(!panel->isVisible());
    QCOMPARE(frames(3), qRgb(255, 255, 255));
  }

  void onionSkinShowsTheFramesBesideInSkinModeOnly() {
    MainWindowFixture f;
    QAction* onion = f.Action("ShowOnionSkin");
    QAction* next = f.Action("OnionSkinNextFrame");
    QVERIFY(!onion->isEnabled());
    OpenFrames(f);
    QVERIFY(onion->isEnabled());
    QVERIFY(!next->isEnabled());
    f.Button("SpeedButton46")->click();  // frame 2 of 3
    const QPoint cell = f.CellCentre(1, 1);
    QCOMPARE(f.CanvasImage().pixel(cell), qRgb(255, 255, 255));
    onion->trigger();
    QVERIFY(next->isEnabled());
    const std::uint8_t* frame0 = f.editor.Skin().At(0).Data.data();
    const OnionFrames before{frame0, nullptr, 4, 4};
    QCOMPARE(f.CanvasImage().pixel(cell), OnionArgb(before, 1, 1, PixelCode::White) | 0xFF000000u);
    onion->trigger();
    QCOMPARE(f.CanvasImage().pixel(cell), qRgb(255, 255, 255));
    QVERIFY(!next->isEnabled());
  }

  void savesAndExportsAreTheSameWithTheViewsOnAndOff() {
    QByteArray skins[2], pictures[2], clipboards[2];
    for (const bool shown : {false, true}) {
      MainWindowFixture f;
      OpenFrames(f);
      f.Button("SpeedButton46")->click();
      if (shown) {
        f.Action("ShowDevicePreview")->trigger();
        f.Action("ShowOnionSkin")->trigger();
        f.Action("OnionSkinNextFrame")->trigger();
      }
      QWidget* canvas = f.form->Canvas();
      Press(canvas, Qt::LeftButton, f.CellCentre(1, 1));
      Move(canvas, Qt::LeftButton, f.CellCentre(2, 1));
      Release(canvas, Qt::LeftButton, f.CellCentre(2, 1));
      const QString skin = f.state_home.filePath("out.skin");
      const QString picture = f.state_home.filePath("out.ptv");
      f.services.file_answers << skin << picture;
      f.Action("SaveSkin1")->trigger();
      f.Action("Savepicture1")->trigger();
      f.Button("ToolButton16")->click();
      skins[shown] = ReadAll(skin);
      pictures[shown] = ReadAll(picture);
      clipboards[shown] = f.services.clipboard.value_or(QByteArray());
    }
    QVERIFY(!skins[0].isEmpty() && !pictures[0].isEmpty() && !clipboards[0].isEmpty());
    QVERIFY(skins[1] == skins[0] && pictures[1] == pictures[0] && clipboards[1] == clipboards[0]);
  }

  void heldArrowsRepeat() {
    MainWindowFixture f;
    const QWidget* add_icon = f.form->Skins()->AddIconDialog();
    for (const char* name : {"SpeedButton2", "SpeedButton4", "SpeedButton3", "SpeedButton1"}) {
      QVERIFY2(f.Button(name)->autoRepeat(), name);
      QVERIFY2(add_icon->findChild<QToolButton*>(name)->autoRepeat(), name);
    }
    QVERIFY(f.Button("SpeedButton23")->autoRepeat() && f.Button("SpeedButton24")->autoRepeat());
  }
};

QTEST_MAIN(ViewPanelsTest)
#include "view_panels_test.moc"
