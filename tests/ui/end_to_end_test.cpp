// The whole program driven as a user drives it: the real main window with all
// its windows, the mouse on the canvas, the clipboard and real files.
#include <lzo/lzo1x.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/color_controls.h"
#include "ui/dialogs/set_size_dialog.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void PressPalette(MainWindowFixture& f, const char* name, Qt::MouseButton button) {
  QTest::mousePress(f.form->findChild<PaletteButton*>(QLatin1String(name)), button);
}

void ClickCell(MainWindowFixture& f, int x, int y) {
  Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(x, y));
}

}  // namespace

class EndToEndTest : public QObject {
  Q_OBJECT

 private slots:
  void drawExportSaveAndReopenAPictureAndASkin() {
    MainWindowFixture f;
    QCOMPARE(f.form->CreationOrder(),
             (QStringList{"TForm1", "TForm2", "TAbout", "TForm4", "Tselpanel", "Tsavebox",
                          "TbmpWin", "TAddIconForm"}));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    // A new 3 x 2 picture, named by typing.
    f.services.dialog_handler = [](QDialog& dialog) {
      auto& form2 = static_cast<TForm2&>(dialog);
      form2.Edit1()->setText("2");
      form2.Edit2()->setText("3");
      form2.findChild<QPushButton*>("Button1")->click();
      return dialog.result();
    };
    f.Button("ToolButton1")->click();
    auto* name = f.form->findChild<QLineEdit*>("Edit1");
    name->clear();
    QTest::keyClicks(name, "icon");

    // Row 1: black, white, transparent; row 2: 66 % gray, 33 % gray, white.
    ClickCell(f, 1, 1);  // black is the left colour at start
    PressPalette(f, "SpeedButton6", Qt::LeftButton);
    ClickCell(f, 2, 1);
    ClickCell(f, 3, 2);
    PressPalette(f, "SpeedButton8", Qt::LeftButton);
    ClickCell(f, 1, 2);
    PressPalette(f, "SpeedButton7", Qt::LeftButton);
    Press(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 2));
    Move(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 2) + QPoint(1, 1));
    Release(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 2));

    // Export to the clipboard at 2 bits per pixel.
    f.Button("ToolButton16")->click();
    QVERIFY(f.services.clipboard.has_value());
    QCOMPARE(*f.services.clipboard,
             QByteArray("/* format 2 bits per pixel */\r\nicon: \r\n.byte 3,2  /* Image size*/\r\n"
                        ".byte 0x7C,0x0E\r\n/*C++ format*/\r\n/* format 1 bit per pixel */\r\n"
                        "icon[3][2]={\r\n\r\n{54}\r\n"));

    // Save the picture, wipe it, and open it again.
    const QString picture_path = dir.filePath("icon.ptv");
    f.services.file_answers << picture_path;
    f.Action("Savepicture1")->trigger();
    QCOMPARE(ReadAll(picture_path), QByteArray::fromHex("0200000004000000"
                                                        "69636f6e"
                                                        "0302"
                                                        "000304010203"));
    PressPalette(f, "SpeedButton5", Qt::RightButton);  // right colour black
    f.Action("ClearImage1")->trigger();
    name->clear();
    f.services.file_answers << picture_path;
    f.Action("OpenPicture1")->trigger();
    QCOMPARE(f.form->PictureName(), QByteArray("icon"));
    const PixelCode expected[2][3] = {{PixelCode::Black, PixelCode::White, PixelCode::Transparent},
                                      {PixelCode::Gray66, PixelCode::Gray33, PixelCode::White}};
    for (int y = 1; y <= 2; ++y) {
      for (int x = 1; x <= 3; ++x)
        QCOMPARE(f.State().Document.Picture.Cells.At(x, y), expected[y - 1][x - 1]);
    }
    QCOMPARE(f.CanvasImage().pixelColor(f.CellCentre(1, 2)), QColor(128, 128, 128));

    // An empty skin saved under the name "icon", then opened: skin mode with
    // no icon. Add a 4 x 1 icon at 2 bits per pixel with ID 5 and draw it.
    const QString skin_path = dir.filePath("icons.skin");
    f.services.file_answers << skin_path;
    f.Action("SaveSkin1")->trigger();
    f.services.file_answers << skin_path;
    f.Action("OpenSkin1")->trigger();
    QVERIFY(f.State().Document.SkinMode);
    f.services.dialog_handler = [](QDialog& dialog) {
      dialog.findChild<QLineEdit*>("Edit1")->setText("5");
      for (int i = 0; i < 3; ++i) dialog.findChild<QToolButton*>("SpeedButton1")->click();
      dialog.findChild<QToolButton*>("SpeedButton44")->click();
      dialog.findChild<QPushButton*>("Button1")->click();
      return dialog.result();
    };
    f.Button("SpeedButton48")->click();
    QCOMPARE(f.State().Document.Picture.Width, 4);
    QCOMPARE(f.State().Document.Picture.Height, 1);
    PressPalette(f, "SpeedButton6", Qt::LeftButton);
    ClickCell(f, 1, 1);
    PressPalette(f, "SpeedButton5", Qt::LeftButton);
    ClickCell(f, 2, 1);
    PressPalette(f, "SpeedButton7", Qt::LeftButton);
    ClickCell(f, 3, 1);
    PressPalette(f, "SpeedButton8", Qt::LeftButton);
    ClickCell(f, 4, 1);

    f.services.file_answers << skin_path;
    f.Action("SaveSkin1")->trigger();
    QVERIFY(f.services.messages.isEmpty());
    const QByteArray skin = ReadAll(skin_path);
    QVERIFY(skin.size() > 32);
    QCOMPARE(skin.left(24), QByteArray("PVSKicon") + QByteArray(16, '\0'));
    QCOMPARE(skin.mid(24, 8), QByteArray::fromHex("0700000000000000"));
    // Any standard LZO1X decoder gives back the icon stream.
    unsigned char stream[64] = {};
    lzo_uint stream_length = sizeof stream;
    QCOMPARE(lzo1x_decompress_safe(reinterpret_cast<const unsigned char*>(skin.constData()) + 32,
                                   static_cast<lzo_uint>(skin.size() - 32), stream, &stream_length,
                                   nullptr),
             LZO_E_OK);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(stream), static_cast<int>(stream_length)),
             QByteArray::fromHex("050102040163ff"));

    // Leaving skin mode and opening the skin again brings the icon back.
    f.services.dialog_handler = [](QDialog&) { return int(QDialog::Rejected); };
    f.Action("NewPicture1")->trigger();
    QVERIFY(!f.State().Document.SkinMode);
    f.services.file_answers << skin_path;
    f.Action("OpenSkin1")->trigger();
    QVERIFY(f.State().Document.SkinMode);
    QCOMPARE(f.form->GetEditor().Skin().Count(), 1);
    QCOMPARE(f.form->GetEditor().Skin().At(0).Data, (std::vector<std::uint8_t>{3, 0, 2, 1}));
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 1), PixelCode::Gray33);
  }
};

QTEST_MAIN(EndToEndTest)
#include "end_to_end_test.moc"
