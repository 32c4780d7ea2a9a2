// The import window's choices on the command line: `pictavo-cli convert`
// with --dither, --levels, --fit, --fill, --region, --threshold auto,
// --[no-]keep-transparency and --frames gives the bytes the window gives with
// the same choices, and refuses what it cannot do.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstdint>
#include <span>
#include <vector>

#include "cli_run.h"
#include "core/editing/icon_commands.h"
#include "core/formats/skin_file.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/files/file_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// The choices as the window's controls take them.
struct Choices {
  int threshold = 64;
  int dither = 0;  // the item of DitherBox, in the order of --dither's names
  bool fit = false;
  int keep = -1;  // -1 as the window starts, 0 off, 1 on
  QString levels = {};  // empty: as the window starts
  bool fill = false;
  QPoint region = {};      // moved there with the arrow keys
  bool automatic = false;  // "Auto" last
};

void SetWindow(TbmpWin& window, const Choices& c) {
  window.ScrollBar1()->setValue(c.threshold);
  window.DitherBox()->setCurrentIndex(c.dither);
  window.FitBox()->setChecked(c.fit);
  if (c.keep >= 0) window.KeepTransparencyBox()->setChecked(c.keep == 1);
  if (!c.levels.isEmpty()) {
    window.LevelsEdit()->setText(c.levels);
    QTest::keyClick(window.LevelsEdit(), Qt::Key_Return);
  }
  if (c.fill) window.FillBox()->click();
  const int from_x = int(window.Import().PartTaken().left);
  const int from_y = int(window.Import().PartTaken().top);
  for (int i = from_x; i < c.region.x(); ++i) QTest::keyClick(window.Bmp1(), Qt::Key_Right);
  for (int i = from_y; i < c.region.y(); ++i) QTest::keyClick(window.Bmp1(), Qt::Key_Down);
  if (c.automatic) window.AutoButton()->click();
}

QStringList Arguments(const Choices& c) {
  static const char* const names[] = {"none", "floyd-steinberg", "atkinson", "bayer4", "bayer8"};
  QStringList arguments = {"--threshold",
                           c.automatic ? QStringLiteral("auto") : QString::number(c.threshold),
                           "--dither", QLatin1String(names[c.dither])};
  if (c.fit) arguments << "--fit";
  if (c.fill) arguments << "--fill";
  if (!c.levels.isEmpty()) arguments << "--levels" << c.levels;
  if (!c.region.isNull()) {
    arguments << "--region" << QStringLiteral("%1,%2").arg(c.region.x()).arg(c.region.y());
  }
  if (c.keep == 0) arguments << "--no-keep-transparency";
  if (c.keep == 1) arguments << "--keep-transparency";
  return arguments;
}

Skin ReadSkin(const QString& path) {
  const QByteArray bytes = ReadAll(path);
  SkinFileRead read = ReadSkinFile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             static_cast<std::size_t>(bytes.size())));
  return read.skin ? *read.skin : Skin{};
}

}  // namespace

Q_DECLARE_METATYPE(Choices)

class WindowConvertOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void choicesGiveTheWindowsPicture_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<Choices>("choices");
    const QString gradient = "cli/gradient.bmp";  // 100 x 95: fitting scales it
    QTest::newRow("gradient, Floyd-Steinberg") << gradient << Choices{85, 1, false, -1};
    QTest::newRow("gradient, Atkinson, fitted") << gradient << Choices{70, 2, true, -1};
    QTest::newRow("gradient, Bayer 4, fitted") << gradient << Choices{85, 3, true, -1};
    QTest::newRow("gradient, Bayer 8") << gradient << Choices{100, 4, false, -1};
    QTest::newRow("jpeg, Floyd-Steinberg") << "images/valid.jpg" << Choices{64, 1, false, -1};
    QTest::newRow("alpha, kept, Atkinson") << "images/valid_alpha.png" << Choices{64, 2, false, 1};
    QTest::newRow("alpha over white, Bayer 4")
        << "images/valid_alpha.png" << Choices{85, 3, false, 0};
    QTest::newRow("gradient, part moved, Floyd-Steinberg, auto")
        << gradient << Choices{64, 1, false, -1, {}, false, {3, 2}, true};
    QTest::newRow("gradient, filled, Bayer 8, device grays")
        << gradient << Choices{90, 4, true, -1, "0,85,170,255", true, {1, 0}, false};
    QTest::newRow("jpeg, Atkinson, device grays, auto")
        << "images/valid.jpg" << Choices{64, 2, false, -1, "10,60,150,240", false, {}, true};
    QTest::newRow("gradient, no dithering, auto")
        << gradient << Choices{64, 0, false, -1, {}, false, {}, true};
  }

  void choicesGiveTheWindowsPicture() {
    QFETCH(QString, image);
    QFETCH(Choices, choices);
    const QString path = Data(image);
    QTemporaryDir dir;
    const Run cli =
        Cli(QStringList{"convert", path, "-o", dir.filePath("cli.ptv"), "--name", "same"} +
            Arguments(choices));
    QVERIFY2(cli.status == 0, cli.err.constData());

    MainWindowFixture f;
    f.services.file_answers << path;
    f.services.dialog_handler = [&](QDialog& dialog) {
      auto& window = static_cast<TbmpWin&>(dialog);
      window.findChild<QPushButton*>("BitBtn3")->click();
      SetWindow(window, choices);
      window.BitBtn1Click();
      return dialog.result();
    };
    f.Action("OpenBMPfile1")->trigger();
    QVERIFY(f.services.messages.isEmpty());
    f.form->SetPictureName("same");
    f.services.file_answers << dir.filePath("window.ptv");
    f.Action("Savepicture1")->trigger();
    const QByteArray window = ReadAll(dir.filePath("window.ptv"));
    QVERIFY(window.size() > 10);
    QCOMPARE(ReadAll(dir.filePath("cli.ptv")), window);
    // The scroll bar shows the threshold the picture was made at.
    if (!choices.automatic) return;
    MainWindowFixture again;
    again.services.file_answers << path;
    int shown = 0;
    int used = -1;
    again.services.dialog_handler = [&](QDialog& dialog) {
      auto& window = static_cast<TbmpWin&>(dialog);
      window.findChild<QPushButton*>("BitBtn3")->click();
      SetWindow(window, choices);
      shown = window.ScrollBar1()->value();
      used = window.Import().ImportThreshold();
      return int(QDialog::Rejected);
    };
    again.Action("OpenBMPfile1")->trigger();
    QCOMPARE(shown, used);
  }

  // --frames writes the skin the window's "Import frames" leaves in memory.
  void framesGiveTheWindowsSkin() {
    const QString gif = Data("images/valid_animated.gif");
    const QString skin = Data("skins/mixed.skin");
    const Choices choices{85, 1, true, -1};
    QTemporaryDir dir;
    const QString out = dir.filePath("out.skin");
    const Run cli =
        Cli(QStringList{"convert", gif, "--frames", "--skin", skin, "--icon", "0xFE", "-o", out} +
            Arguments(choices));
    QVERIFY2(cli.status == 0, cli.err.constData());

    MainWindowFixture f;
    f.form->Files()->Open(skin);
    QVERIFY(f.State().Document.SkinMode);
    SelectIcon(f.form->GetEditor(), 2);  // 0xFE: 6 x 4 at 4 bpp, 3 sub-icons
    f.services.file_answers << gif;
    f.services.dialog_handler = [&](QDialog& dialog) {
      auto& window = static_cast<TbmpWin&>(dialog);
      window.findChild<QPushButton*>("BitBtn3")->click();
      SetWindow(window, choices);
      window.ImportFramesBox()->setChecked(true);
      window.BitBtn1Click();
      return dialog.result();
    };
    f.Action("OpenBMPfile1")->trigger();
    QVERIFY(f.services.messages.isEmpty());
    const Skin written = ReadSkin(out);
    QCOMPARE(written.Count(), 4);
    QVERIFY(written == f.form->GetEditor().Skin());
    QCOMPARE(written.At(2).SubIcons, 3);
    QVERIFY(written.At(0) == ReadSkin(skin).At(0));
  }

  void refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    const QString gif = Data("images/valid_animated.gif");
    const QString skin = Data("skins/mixed.skin");
    QTest::newRow("levels falling") << QStringList{"--levels", "0,170,85,255"} << 2
                                    << "the levels must be four rising whole numbers from 0 to "
                                       "255, as 0,85,170,255, not \"0,170,85,255\"";
    QTest::newRow("region with fit") << QStringList{"--fit", "--region", "1,1"} << 2
                                     << "--region chooses a cut or filled part; --fit alone "
                                        "takes the whole image";
    QTest::newRow("region outside") << QStringList{"--region", "2,0"} << 1
                                    << "the region 2,0 leaves the image: its 5 x 3 part fits at "
                                       "most at 0,0";
    QTest::newRow("unknown method") << QStringList{"--dither", "sparkle"} << 2
                                    << "the dithering must be none, floyd-steinberg, atkinson, "
                                       "bayer4 or bayer8, not \"sparkle\"";
    QTest::newRow("both transparencies")
        << QStringList{"--keep-transparency", "--no-keep-transparency"} << 2
        << "give --keep-transparency or --no-keep-transparency, not both";
    QTest::newRow("frames without an icon") << QStringList{"--frames", "--skin", skin} << 2
                                            << "--frames goes with --skin SKIN.skin and --icon ID";
    QTest::newRow("icon without frames") << QStringList{"--skin", skin, "--icon", "5"} << 2
                                         << "--frames goes with --skin SKIN.skin and --icon ID";
    QTest::newRow("icon 255") << QStringList{"--frames", "--skin", skin, "--icon", "0xFF"} << 2
                              << "the icon ID must be 0 to 254, as 0x0A or 10, not \"0xFF\"";
    // The same reader as render --icon: no sign, no blank.
    QTest::newRow("signed icon") << QStringList{"--frames", "--skin", skin, "--icon", "+254"} << 2
                                 << "the icon ID must be 0 to 254, as 0x0A or 10, not \"+254\"";
    QTest::newRow("no such icon") << QStringList{"--frames", "--skin", skin, "--icon", "0x99"} << 1
                                  << "holds no icon with the ID 0x99";
    QTest::newRow("more frames than room")
        << QStringList{"--frames", "--skin", "<full skin>", "--icon", "1"} << 1
        << "the 3 frames do not fit into the skin: it has room for 2 sub-icons of this icon";
  }

  void refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, says);
    QTemporaryDir dir;
    // Two 96 x 92 icons at 8 bpp: 8832 bytes a sub-icon, room for two more
    // beside the other.
    const int full = int(arguments.indexOf("<full skin>"));
    if (full >= 0) {
      TSkinIcon big;
      big.IconID = 1;
      big.BPP = 8;
      big.Width = 96;
      big.Height = 92;
      big.Data.assign(96 * 92, 3);
      Skin skin;
      skin.Append(big);
      big.IconID = 2;
      skin.Append(big);
      const auto bytes = WriteSkinFile(skin, "full");
      QVERIFY(bytes.has_value());
      QFile file(dir.filePath("full.skin"));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(reinterpret_cast<const char*>(bytes->data()), qint64(bytes->size()));
      file.close();
      arguments[full] = dir.filePath("full.skin");
    }
    const QString out = dir.filePath("out");
    const Run cli =
        Cli(QStringList{"convert", Data("images/valid_animated.gif"), "-o", out} + arguments);
    QCOMPARE(cli.status, status);
    QVERIFY2(QString::fromLocal8Bit(cli.err).contains(says), cli.err.constData());
    QVERIFY(!QFile::exists(out));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  WindowConvertOptionsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_convert_options_test.moc"
