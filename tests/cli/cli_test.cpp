// pictavo-cli run as a build would run it. Its outputs are compared with the
// expected files under tests/data, which the window tests compare with the
// window's own bytes.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFileInfo>

#include "cli_run.h"

using namespace pictavo::testing;

namespace {

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

// The expected text of a picture in a format, from tests/data/listings.
QString ListingFile(const QString& folder, const QString& format, bool align) {
  if (format == QLatin1String("asmfile")) return Data("listings/" + folder + "/asm8_file.s");
  const QString aligned = Data("listings/" + folder + "/" + format + "_aligned.txt");
  // Formats that ignore the flag, and widths that fill whole bytes, have no
  // aligned file of their own: the text is the same.
  if (align && QFile::exists(aligned)) return aligned;
  return Data("listings/" + folder + "/" + format + ".txt");
}

}  // namespace

class CliTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(!qEnvironmentVariableIsEmpty("PICTAVO_TEST_DATA"), "set by ctest");
  }

  void exportGivesTheWindowTexts_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("align");
    const QStringList formats = {"cpp", "asm1", "asm2", "asm4", "asm8", "asmfile"};
    const QList<QPair<QString, QString>> pictures = {
        {"icon", "icon"}, {"icon_v1", "icon"}, {"diagonal", "diagonal"}, {"full", "full"}};
    for (const auto& [picture, folder] : pictures) {
      for (const QString& format : formats) {
        for (const bool align : {false, true}) {
          QTest::addRow("%s %s%s", qPrintable(picture), qPrintable(format), align ? " aligned" : "")
              << picture << folder << format << align;
        }
      }
    }
  }

  void exportGivesTheWindowTexts() {
    QFETCH(QString, picture);
    QFETCH(QString, folder);
    QFETCH(QString, format);
    QFETCH(bool, align);
    QStringList arguments = {"export", Data("pictures/" + picture + ".ptv"), "--format", format};
    if (align) arguments << "--align";
    const Run run = Cli(arguments);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, ReadAll(ListingFile(folder, format, align)));
  }

  // The compiler texts: the core's golden files, the symbol said when it is
  // not the picture's name.
  void exportCompilerTexts() {
    const struct {
      const char* picture;
      QStringList options;
      const char* golden;
      QByteArray warning;
    } cases[] = {
        {"icon", {"--format", "c2"}, "c2.h", ""},
        {"diagonal",
         {"--format", "gas1", "--layout", "pages", "--bit-order", "msb"},
         "gas1_pages_msb.s",
         "diagonal.ptv: warning: the symbol is diagonal (the picture's name \"diagonal rows\" is "
         "no C identifier)\n"},
        {"full", {"--format", "xbm"}, "picture.xbm", "full.ptv: warning: the symbol is full"},
    };
    for (const auto& c : cases) {
      const Run run =
          Cli(QStringList{"export", Data(QString("pictures/%1.ptv").arg(c.picture))} + c.options);
      QCOMPARE(run.status, 0);
      QVERIFY2(c.warning.isEmpty() ? run.err.isEmpty() : run.err.contains(c.warning),
               run.err.constData());
      QCOMPARE(run.out, ReadAll(Data(QString("listings/%1/%2").arg(c.picture, c.golden))));
    }
    const Run named =
        Cli({"export", Data("pictures/icon.ptv"), "--format", "c8", "--symbol", "int"});
    QVERIFY(named.out.contains("static const uint8_t int_picture[] = {"));
    QVERIFY(named.out.contains("#define INT_PICTURE_BPP 8"));
    QCOMPARE(named.err, "pictavo-cli: " + Data("pictures/icon.ptv").toLocal8Bit() +
                            ": warning: the symbol is int_picture (\"int\" is a keyword of C or "
                            "C++)\n");
  }

  // convert IMAGE -o OUT in one step writes what convert to a picture file,
  // then export of it, write; the picture file is named as the image, so
  // the symbol falls back to the same name.
  void convertWritesInOneStepWhatExportWrites_data() {
    QTest::addColumn<QString>("input");  // "-": the image on standard input
    QTest::addColumn<QStringList>("one_step");
    QTest::addColumn<QStringList>("export_options");
    QTest::newRow(".h") << "gradient" << QStringList{"-o", "g.h"} << QStringList{"--format", "c2"};
    QTest::newRow(".h at 1 bpp in pages, msb")
        << "gradient"
        << QStringList{"-o", "g.h", "--depth", "1", "--layout", "pages", "--bit-order", "msb"}
        << QStringList{"--format", "c1", "--layout", "pages", "--bit-order", "msb"};
    QTest::newRow(".S at 4 bpp aligned")
        << "gradient" << QStringList{"-o", "g.S", "--depth", "4", "--align"}
        << QStringList{"--format", "gas4", "--align"};
    QTest::newRow(".xbm, a symbol given")
        << "gradient" << QStringList{"-o", "g.xbm", "--symbol", "logo"}
        << QStringList{"--format", "xbm", "--symbol", "logo"};
    QTest::newRow("--format over the suffix, rows for c2")
        << "gradient" << QStringList{"-o", "g.txt", "--format", "c2", "--layout", "rows"}
        << QStringList{"--format", "c2"};
    QTest::newRow(".ptv") << "gradient" << QStringList{"-o", "g.ptv"}
                          << QStringList{"--format", "ptv"};
    QTest::newRow("standard input to standard output")
        << "-" << QStringList{"-o", "-", "--format", "xbm"} << QStringList{"--format", "xbm"};
  }

  void convertWritesInOneStepWhatExportWrites() {
    QFETCH(QString, input);
    QFETCH(QStringList, one_step);
    QFETCH(QStringList, export_options);
    QTemporaryDir dir;
    const QString image = Data("cli/gradient.bmp");
    // Without a file's name the symbol is "picture".
    const QString picture = dir.filePath(input == "-" ? "picture.ptv" : "gradient.ptv");
    QCOMPARE(Cli({"convert", image, "-o", picture}).status, 0);
    const Run two_steps = Cli(QStringList{"export", picture, "-o", "-"} + export_options);
    QCOMPARE(two_steps.status, 0);

    const qsizetype out_at = one_step.indexOf("-o") + 1;
    if (one_step[out_at] != "-") one_step[out_at] = dir.filePath(one_step[out_at]);
    const Run run = input == "-" ? Cli(QStringList{"convert", "-"} + one_step, ReadAll(image))
                                 : Cli(QStringList{"convert", image} + one_step);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QCOMPARE(one_step[out_at] == "-" ? run.out : ReadAll(one_step[out_at]), two_steps.out);
  }

  // A text read back is written as any format; export reads a picture file
  // from standard input.
  void textsAndStandardInputInOneStep() {
    const Run gas = Cli({"convert", Data("listings/icon/c2.h"), "-o", "-", "--format", "gas2"});
    QCOMPARE(gas.err, QByteArray());
    QCOMPARE(gas.out, ReadAll(Data("listings/icon/gas2.s")));
    const Run piped =
        Cli({"export", "-", "--format", "c2", "-o", "-"}, ReadAll(Data("pictures/icon.ptv")));
    QCOMPARE(piped.err, QByteArray());
    QCOMPARE(piped.out, ReadAll(Data("listings/icon/c2.h")));
  }

  // As gzip refuses: a picture file is not poured onto a terminal; a text is.
  void binaryIsNotWrittenToATerminal() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
      QSKIP("no pseudo-terminal to write to");
    }
    const QString terminal = QString::fromLocal8Bit(::ptsname(master));
    const auto run = [&](const QStringList& arguments) {
      QProcess process;
      process.setStandardOutputFile(terminal);
      process.start(QStringLiteral(PICTAVO_CLI), arguments);
      process.waitForFinished(-1);
      return Run{process.exitCode(), {}, process.readAllStandardError()};
    };
    const QString text = Data("listings/icon/c2.h");
    const Run binary = run({"convert", text, "-o", "-"});
    QCOMPARE(binary.err,
             QByteArray("pictavo-cli: refusing to write binary to a terminal; use -o FILE or "
                        "redirect\n"));
    QCOMPARE(binary.status, 1);
    const Run xbm = run({"convert", text, "-o", "-", "--format", "xbm"});
    QCOMPARE(xbm.err, QByteArray());
    QCOMPARE(xbm.status, 0);
    ::close(master);
  }

  void exportDestinations() {
    QTemporaryDir dir;
    const QString icon = Data("pictures/icon.ptv");
    const QString diagonal = Data("pictures/diagonal.ptv");
    const QByteArray icon_text = ReadAll(ListingFile("icon", "asmfile", false));
    const QByteArray diagonal_text = ReadAll(ListingFile("diagonal", "asmfile", false));

    // -o replaces the file; "-" is standard output; several inputs follow
    // each other.
    const QString out = dir.filePath("out.s");
    WriteAll(out, "old content that is longer than the new one...............................");
    QCOMPARE(Cli({"export", icon, diagonal, "--format", "asmfile", "-o", out}).status, 0);
    QCOMPARE(ReadAll(out), icon_text + diagonal_text);
    const Run dash = Cli({"export", icon, diagonal, "--format", "asmfile", "-o", "-"});
    QCOMPARE(dash.out, icon_text + diagonal_text);

    // --append is "Save to end": after what the file holds, once per run.
    const QString appended = dir.filePath("lib.s");
    WriteAll(appended, "; kept\r\n");
    QCOMPARE(Cli({"export", icon, "--format", "asmfile", "--append", appended}).status, 0);
    QCOMPARE(Cli({"export", diagonal, "--format", "asmfile", "--append", appended}).status, 0);
    QCOMPARE(ReadAll(appended), "; kept\r\n" + icon_text + diagonal_text);
    QCOMPARE(Cli({"export", icon, "--format", "asmfile", "--append", dir.filePath("new.s")}).status,
             0);
    QCOMPARE(ReadAll(dir.filePath("new.s")), icon_text);
    // The name of standard output under ">> build.log" (the process's own fd
    // 1, where the system's stdout link leads; a failed run cannot save over
    // procfs): through standard output, after what the log held.
    QProcess logged;
    const QString log = dir.filePath("build.log");
    WriteAll(log, "; kept\r\n");
    logged.setStandardOutputFile(log, QIODevice::Append);
    logged.start(PICTAVO_CLI, {"export", icon, "--format", "asmfile", "-o", "/proc/self/fd/1"});
    QVERIFY(logged.waitForFinished(-1));
    QCOMPARE(logged.exitCode(), 0);
    QCOMPARE(ReadAll(log), "; kept\r\n" + icon_text);

    // --out-dir: one file per picture, made with the folder if need be.
    const QString folder = dir.filePath("gen/sub");
    QCOMPARE(
        Cli({"export", icon, diagonal, "--format", "asm2", "--align", "--out-dir", folder}).status,
        0);
    QCOMPARE(ReadAll(folder + "/icon.s"), ReadAll(ListingFile("icon", "asm2", true)));
    QCOMPARE(ReadAll(folder + "/diagonal.s"), ReadAll(ListingFile("diagonal", "asm2", true)));
    QCOMPARE(Cli({"export", icon, "--format", "cpp", "--out-dir", folder}).status, 0);
    QCOMPARE(ReadAll(folder + "/icon.h"), ReadAll(ListingFile("icon", "cpp", false)));
  }

  void convertGivesTheImportedPicture_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");
    QTest::newRow("threshold 64, named") << QStringList{"--name", "gradient"} << "gradient_t64.ptv";
    QTest::newRow("threshold 100") << QStringList{"--threshold", "100"} << "gradient_t100.ptv";
  }

  void convertGivesTheImportedPicture() {
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString out = dir.filePath("out.ptv");
    // A 100 x 95 image: the top-left 96 x 92 is taken.
    const Run run = Cli(QStringList{"convert", Data("cli/gradient.bmp"), "-o", out} + options);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QCOMPARE(ReadAll(out), ReadAll(Data("cli/" + expected)));
  }

  void skinList() {
    const Run text = Cli({"skin", "list", Data("skins/mixed.skin")});
    QCOMPARE(text.status, 0);
    QCOMPARE(text.out, ReadAll(Data("cli/mixed_list.txt")));
    const Run json = Cli({"skin", "list", Data("skins/mixed.skin"), "--json"});
    QCOMPARE(json.status, 0);
    QCOMPARE(json.out, ReadAll(Data("cli/mixed_list.json")));
  }

  void extractThenPackGivesTheSameSkin_data() {
    QTest::addColumn<QString>("skin");
    QTest::newRow("mixed: every depth, three sub-icons") << "mixed";
    QTest::newRow("large: 96 x 92, a full name field") << "large";
  }

  void extractThenPackGivesTheSameSkin() {
    QFETCH(QString, skin);
    QTemporaryDir dir;
    const QString original = Data("skins/" + skin + ".skin");
    QCOMPARE(Cli({"skin", "extract", original, "--out-dir", dir.filePath("x")}).status, 0);
    if (skin == QLatin1String("mixed")) {
      QCOMPARE(ReadAll(dir.filePath("x/manifest.txt")), ReadAll(Data("cli/mixed_manifest.txt")));
      // A sub-icon is an ordinary picture file: here the 4 x 1 icon 0x05.
      QCOMPARE(ReadAll(dir.filePath("x/0x05-1.ptv")),
               QByteArray::fromHex("0200000006000000307830352d310401") +
                   QByteArray::fromHex("03000201"));
    }
    const QString packed = dir.filePath("packed.skin");
    const Run run = Cli({"skin", "pack", dir.filePath("x/manifest.txt"), "-o", packed});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    // The same stream, name and compression: the same file.
    QCOMPARE(ReadAll(packed), ReadAll(original));
  }

  void packRefusesWhatTheWindowRefuses() {
    QTemporaryDir dir;
    const auto pack = [&](const QByteArray& manifest) {
      WriteAll(dir.filePath("m.txt"), manifest);
      WriteAll(dir.filePath("out.skin"), "old");
      const Run run = Cli({"skin", "pack", dir.filePath("m.txt"), "-o", dir.filePath("out.skin")});
      // Nothing is written on refusal.
      if (ReadAll(dir.filePath("out.skin")) != "old") return QByteArray("<output changed>");
      return run.status == 1 ? run.err : "<status " + QByteArray::number(run.status) + ">";
    };
    const QByteArray full = Data("pictures/full.ptv").toLocal8Bit();
    const QByteArray m = dir.filePath("m.txt").toLocal8Bit();
    QCOMPARE(pack("name a\nicon 1 8\nsub-icon " + full + "\n#" + QByteArray(1, '\0') + "\n"),
             "pictavo-cli: " + m + ": line 4: a NUL byte\n");
    QCOMPARE(pack(QByteArray((4 << 20) + 1, '#')),
             "pictavo-cli: " + m + ": the manifest is larger than 4 MiB\n");
    QCOMPARE(pack("name big\nicon 1 8\n" + ("sub-icon " + full + "\n").repeated(4)),
             "pictavo-cli: " + m +
                 ": The skin is too large to save: its icon stream takes 35334 bytes, 892 bytes "
                 "more than the 34442 a skin file can hold.\n");
    const QByteArray icon = Data("pictures/icon.ptv").toLocal8Bit();
    QCOMPARE(pack("name x\nicon 1 1\nsub-icon " + icon + "\n"),
             "pictavo-cli: " + icon + ": 3 x 2 at 1 bpp: Width * Height * BPP must divide by 8.\n");
    QCOMPARE(
        pack("name x\nicon 1 8\nsub-icon " + icon + "\nsub-icon " + full + "\n"),
        "pictavo-cli: " + full + ": is 96 x 92, but the first sub-icon of its icon is 3 x 2\n");
    QCOMPARE(pack("name x\nicon 0xFF 8\nsub-icon " + icon + "\n"),
             "pictavo-cli: " + m + ": line 2: \"0xFF\" is not an icon ID from 0x00 to 0xFE\n");
    QCOMPARE(pack("name x\nicon 1 3\n"),
             "pictavo-cli: " + m +
                 ": line 2: the depth must be 1, 2, 4 or 8 bits per pixel, not \"3\"\n");
    QCOMPARE(pack("icon 1 8\n"), "pictavo-cli: " + m + ": line 1: an icon without sub-icons\n");
    QCOMPARE(pack("name seventeen chars!!\n"),
             "pictavo-cli: " + m + ": line 1: the name has 17 bytes; a skin file holds 16\n");
    QCOMPARE(pack("frame x.ptv\n"),
             "pictavo-cli: " + m + ": line 1: \"frame\" is not name, icon or sub-icon\n");
  }

  void render() {
    QTemporaryDir dir;
    const QString png = dir.filePath("out.png");
    QCOMPARE(Cli({"render", Data("pictures/icon.ptv"), "-o", png, "--scale", "2"}).status, 0);
    QImage image(png);
    QCOMPARE(image.size(), QSize(6, 4));
    // Row 1: black, white, transparent; row 2: 66 %, 33 % gray, white.
    QCOMPARE(image.pixel(1, 1), qRgba(0, 0, 0, 255));
    QCOMPARE(image.pixel(3, 0), qRgba(255, 255, 255, 255));
    QCOMPARE(qAlpha(image.pixel(5, 1)), 0);
    QCOMPARE(image.pixel(0, 2), qRgba(128, 128, 128, 255));
    QCOMPARE(image.pixel(3, 3), qRgba(192, 192, 192, 255));

    QCOMPARE(Cli({"render", Data("pictures/icon.ptv"), "-o", png, "--scale", "4", "--grid"}).status,
             0);
    image = QImage(png);
    QCOMPARE(image.size(), QSize(13, 9));
    QCOMPARE(image.pixel(4, 2), qRgb(192, 220, 192));  // a grid line
    QCOMPARE(image.pixel(5, 1), qRgb(255, 255, 255));  // inside cell (2, 1)

    // One sub-icon of a skin: 0xFE is 6 x 4 with three.
    QCOMPARE(
        Cli({"render", Data("skins/mixed.skin"), "-o", png, "--icon", "0xFE", "--sub", "2"}).status,
        0);
    QCOMPARE(QImage(png).size(), QSize(6, 4));
    // The whole skin: one row per icon, a pixel apart; the widest row is
    // 0xFE's three sub-icons, 3 x 6 + 2.
    QCOMPARE(Cli({"render", Data("skins/mixed.skin"), "-o", png}).status, 0);
    QCOMPARE(QImage(png).size(), QSize(20, 1 + 1 + 1 + 1 + 4 + 1 + 3));
  }

  void refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("message");
    const QString d = Data("damaged/");
    const auto row = [](const char* name, const QStringList& arguments, int status,
                        const QByteArray& message) {
      QTest::newRow(name) << arguments << status << message;
    };
    // The reasons are the window's.
    row("picture code 5", {"export", d + "picture_code_5.ptv", "--format", "cpp"}, 1,
        ": cannot be read as a picture file: The pixel at column 2, row 2 has the code 5; "
        "pixel codes run from 0 to 4.\n");
    row("picture cut", {"export", d + "picture_pixels_cut.ptv", "--format", "asm8"}, 1,
        ": cannot be read as a picture file: The file ends after 4 of the picture's 6 "
        "pixels.\n");
    row("missing picture", {"export", "/nonexistent/a.ptv", "--format", "cpp"}, 1,
        "pictavo-cli: /nonexistent/a.ptv: could not be read: No such file or directory\n");
    row("a folder", {"export", d, "--format", "cpp"}, 1, ": could not be read: Is a directory\n");
    row("skin trailing byte", {"skin", "list", d + "skin_trailing_byte.skin"}, 1,
        ": cannot be read as a skin file: Bytes follow the end of the compressed icon stream.\n");
    row("skin depth 3", {"skin", "extract", d + "skin_depth_3.skin", "--out-dir", "/nonexistent"},
        1,
        ": cannot be read as a skin file: Icon 1 (0x05) has a depth of 3 bits per pixel; only 1, "
        "2, 4 and 8 exist.\n");
    row("not an image", {"convert", Data("pictures/icon.ptv"), "-o", "/nonexistent/x.ptv"}, 1,
        ": is a picture file, not a source text or a BMP, PNG, GIF or JPEG image.\n");
    // An image is refused with its decoder's reason, never a text reader's.
    row("cut-short GIF", {"convert", d + "images/gif_cut_short.gif", "-o", "/nonexistent/x.ptv"}, 1,
        ": cannot be read as a GIF image: The GIF data is cut short.\n");
    // The PNG library's own message goes into the one line.
    row("damaged PNG", {"convert", d + "images/png_bad_checksum.png", "-o", "/nonexistent/x.ptv"},
        1,
        ": cannot be read as a PNG image: The PNG data is damaged or cut short (IDAT: invalid "
        "block type).\n");
    row("sheet too large",
        {"render", Data("skins/large.skin"), "-o", "/nonexistent/a.png", "--scale", "64"}, 1,
        ": the sheet would be 12352 x 8000 pixels, more than the 16777216 (4096 x 4096) a render "
        "makes; give a smaller --scale or one --icon\n");
    row("unwritable output",
        {"export", Data("pictures/icon.ptv"), "--format", "cpp", "-o", "/nonexistent/x.h"}, 1,
        "pictavo-cli: /nonexistent/x.h: could not write: No such file or directory; "
        "the file was not changed\n");

    row("no command", {}, 2, "pictavo-cli: no command given\nTry 'pictavo-cli --help'.\n");
    row("unknown command", {"draw"}, 2, "pictavo-cli: unknown command \"draw\"\n");
    row("unknown skin command", {"skin", "merge"}, 2, "unknown skin command \"merge\"\n");
    row("unknown option", {"export", "a.ptv", "--format", "cpp", "--colour"}, 2,
        "pictavo-cli: Unknown option 'colour'.\nTry 'pictavo-cli export --help'.\n");
    row("no format", {"export", "a.ptv"}, 2, "--format is required\n");
    row("bad format", {"export", "a.ptv", "--format", "asm3"}, 2, "unknown format \"asm3\"");
    row("two destinations", {"export", "a.ptv", "--format", "cpp", "-o", "x", "--append", "y"}, 2,
        "give only one of -o, --append and --out-dir\n");
    row("no picture", {"export", "--format", "cpp"}, 2, "no picture file given\n");
    row("pages at 2 bpp", {"export", "a.ptv", "--format", "c2", "--layout", "pages"}, 2,
        "--layout pages is for c1 and gas1\n");
    row("symbol no identifier", {"export", "a.ptv", "--format", "c2", "--symbol", "9bad-name"}, 2,
        "the symbol \"9bad-name\" is no C identifier: it starts with a digit\n");
    row("standard input twice", {"export", "-", "-", "--format", "c2"}, 2,
        "standard input (-) can be read only once\n");
    row("two pictures, one file", {"export", "a.ptv", "b.ptv", "--format", "ptv", "-o", "x"}, 2,
        "a picture file holds one picture: give one, or --out-dir\n");
    const QString text = Data("listings/icon/c2.h");
    const QString image = Data("cli/gradient.bmp");
    row("output named as an image", {"convert", text, "-o", "/nonexistent/x.png"}, 2,
        "the name /nonexistent/x.png asks for no format convert writes: name it .ptv, .h, .s or "
        ".xbm, or give --format\n");
    row("depth against format", {"convert", image, "-o", "-", "--format", "c2", "--depth", "4"}, 2,
        "--depth 4 does not go with --format c2, which says the depth\n");
    row("aligned picture file", {"convert", image, "-o", "/nonexistent/x.ptv", "--align"}, 2,
        "--align is not for ptv, a picture file\n");
    row("frames as a text",
        {"convert", image, "--frames", "--skin", "a.skin", "--icon", "1", "-o", "x", "--format",
         "c2"},
        2, "--format is not for --frames, which writes a skin file\n");
    row("bit order of a listing", {"export", "a.ptv", "--format", "asm1", "--bit-order", "msb"}, 2,
        "--bit-order is for the c and gas formats\n");
    row("bad bit order", {"export", "a.ptv", "--format", "gas1", "--bit-order", "high"}, 2,
        "unknown bit order \"high\"; choose lsb or msb\n");
    row("aligned pages", {"export", "a.ptv", "--format", "c1", "--layout", "pages", "--align"}, 2,
        "--align is not for --layout pages\n");
    row("one symbol, two pictures",
        {"export", "a.ptv", "b.ptv", "--format", "xbm", "--symbol", "s"}, 2,
        "--symbol names one picture's symbol; give one picture\n");
    row("same name twice",
        {"export", Data("pictures/icon.ptv"), Data("listings/../pictures/icon.ptv"), "--format",
         "cpp", "--out-dir", "/nonexistent"},
        2, "would both be written to");
    row("threshold 0", {"convert", "a.bmp", "-o", "a.ptv", "--threshold", "0"}, 2,
        "the threshold must be a whole number from 1 to 200 or auto, not \"0\"\n");
    row("threshold 201", {"convert", "a.bmp", "-o", "a.ptv", "--threshold", "201"}, 2,
        "not \"201\"");
    row("threshold text", {"convert", "a.bmp", "-o", "a.ptv", "--threshold", "dark"}, 2,
        "not \"dark\"");
    row("name too long", {"convert", "a.bmp", "-o", "a.ptv", "--name", "seventeen chars!!"}, 2,
        "the name must be at most 16 printable Latin-1 characters\n");
    row("name outside Latin-1", {"convert", "a.bmp", "-o", "a.ptv", "--name", "\u20ac"}, 2,
        "printable Latin-1");
    row("convert without -o", {"convert", "a.bmp"}, 2, "-o OUT is required\n");
    row("grid at scale 1", {"render", "a.ptv", "-o", "a.png", "--grid"}, 2,
        "--grid needs --scale 3 or more\n");
    row("scale 65", {"render", "a.ptv", "-o", "a.png", "--scale", "65"}, 2,
        "the scale must be a whole number from 1 to 64\n");
    row("sub without icon", {"render", "a.skin", "-o", "a.png", "--sub", "1"}, 2,
        "--sub needs --icon\n");
    row("icon of a picture", {"render", Data("pictures/icon.ptv"), "-o", "a.png", "--icon", "1"}, 2,
        "--icon is for skin files\n");
    // The same reader as convert --icon: no sign, no blank.
    row("signed icon", {"render", Data("skins/mixed.skin"), "-o", "a.png", "--icon", "+254"}, 2,
        "\"+254\" is not an icon ID from 0x00 to 0xFE\n");
    row("no such icon",
        {"render", Data("skins/mixed.skin"), "-o", "/nonexistent/a.png", "--icon", "0x06"}, 1,
        ": holds no icon with the ID 0x06\n");
    row("no such sub-icon",
        {"render", Data("skins/mixed.skin"), "-o", "/nonexistent/a.png", "--icon", "0xFE", "--sub",
         "4"},
        1, ": icon 0xFE has 3 sub-icons, not 4\n");
    row("export of an image", {"export", Data("images/valid.png"), "--format", "cpp"}, 1,
        "valid.png: is a PNG image, not a picture file. \"pictavo-cli convert\" makes a picture "
        "of it.\n");
    row("skin list of a picture", {"skin", "list", Data("pictures/icon.ptv")}, 1,
        "icon.ptv: is a picture file, not a skin file.\n");
    row("convert of a text that is no listing",
        {"convert", Data("README.md"), "-o", "/nonexistent/a.ptv"}, 1,
        "README.md: cannot be read as a source text: Line 1: expected a source text");
    row("bit order", {"convert", "a.h", "-o", "a.ptv", "--bit-order", "msb-first"}, 2,
        "the bit order must be lsb or msb, not \"msb-first\"\n");
    row("depth 3", {"convert", "a.s", "-o", "a.ptv", "--depth", "3"}, 2,
        "the depth must be 1, 2, 4 or 8, not \"3\"\n");
    row("another tool's array without its size",
        {"convert", Data("other_tools/u8g2_xbm.h"), "-o", "/nonexistent/a.ptv"}, 1,
        "u8g2_xbm.h: cannot be read as a source text: Line 1: no size in the text: the array "
        "\"arrow_bits\" has no \"#define ARROW_BITS_WIDTH\" and \"#define ARROW_BITS_HEIGHT\"; "
        "give --size WxH.\n");
    row("size 97x2", {"convert", "a.h", "-o", "a.ptv", "--size", "97x2"}, 2,
        "the size must be WIDTHxHEIGHT from 1x1 to 96x92, as 16x16, not \"97x2\"\n");
    row("skip -1", {"convert", "a.h", "-o", "a.ptv", "--skip", "-1"}, 2,
        "the skip must be a whole number of values from 0, not \"-1\"\n");
    row("invert at 2 bpp", {"convert", "a.h", "-o", "a.ptv", "--invert", "--depth", "2"}, 2,
        "--invert is for 1-bit texts, not --depth 2\n");
  }

  // Names with control bytes, # and backslashes come back, and extract
  // writes each control byte escaped; a plain name line reads as it always
  // has.
  void manifestNamesComeBack() {
    QTemporaryDir dir;
    const QByteArray icon = Data("pictures/icon.ptv").toLocal8Bit();
    const QString skin = dir.filePath("s.skin");
    const QString again = dir.filePath("again.skin");
    for (const auto& [line, name] :
         {std::pair<QByteArray, QByteArray>{"escaped-name a\\nb#\\r\\\\\\x01", "a\nb#\r\\\x01"},
          {"escaped-name a\\rb", "a\rb"},
          {"escaped-name a\\tb", "a\tb"},
          {"escaped-name \\x1Fz\\x7F", "\x1Fz\x7F"},
          {"name a\\n#", "a\\n#"}}) {
      WriteAll(dir.filePath("m.txt"), line + "\nicon 1 8\nsub-icon " + icon + "\n");
      QCOMPARE(Cli({"skin", "pack", dir.filePath("m.txt"), "-o", skin}).status, 0);
      QVERIFY(ReadAll(skin).contains(name));
      QCOMPARE(Cli({"skin", "extract", skin, "--out-dir", dir.filePath("x")}).status, 0);
      QVERIFY(ReadAll(dir.filePath("x/manifest.txt")).contains("\n" + line + "\n"));
      QCOMPARE(Cli({"skin", "pack", dir.filePath("x/manifest.txt"), "-o", again}).status, 0);
      QCOMPARE(ReadAll(again), ReadAll(skin));
    }
  }

  // The window's file limit and message; a sparse file, nothing written.
  void convertRefusesAFileTheWindowRefuses() {
    QTemporaryDir dir;
    QFile big(dir.filePath("big.png"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize((qint64{256} << 20) + 1));
    big.close();
    const Run run = Cli({"convert", big.fileName(), "-o", dir.filePath("x.ptv")});
    QCOMPARE(run.err, "pictavo-cli: " + big.fileName().toLocal8Bit() +
                          ": cannot be read as a PNG image: File larger than 256 MiB.\n");
    QVERIFY(!QFile::exists(dir.filePath("x.ptv")));
  }

  // A target that cannot be replaced is found before anything is written.
  void extractChangesNoFileOnFailure() {
    QTemporaryDir dir;
    const QString out = dir.filePath("x");
    QVERIFY(QDir().mkpath(out + "/manifest.txt"));
    WriteAll(out + "/0x05-1.ptv", "old");
    const Run run = Cli({"skin", "extract", Data("skins/mixed.skin"), "--out-dir", out});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.endsWith("/x/manifest.txt: cannot be replaced: Is a directory; no file in " +
                              out.toLocal8Bit() + " was changed\n"),
             run.err.constData());
    QCOMPARE(ReadAll(out + "/0x05-1.ptv"), QByteArray("old"));
    QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
  }

  void refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, message);
    const Run run = Cli(arguments);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.startsWith("pictavo-cli: ") && run.err.contains(message), run.err.constData());
    QCOMPARE(run.out, QByteArray());
  }

  void aRefusedInputLeavesEveryOutputAsItWas() {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.s");
    const QString lib = dir.filePath("lib.s");
    WriteAll(out, "before");
    WriteAll(lib, "before");
    const QStringList inputs = {Data("pictures/icon.ptv"), Data("damaged/picture_code_5.ptv")};
    QCOMPARE(
        Cli(QStringList{"export"} + inputs + QStringList{"--format", "asmfile", "-o", out}).status,
        1);
    QCOMPARE(
        Cli(QStringList{"export"} + inputs + QStringList{"--format", "asmfile", "--append", lib})
            .status,
        1);
    QCOMPARE(ReadAll(out), QByteArray("before"));
    QCOMPARE(ReadAll(lib), QByteArray("before"));
    QCOMPARE(Cli(QStringList{"export"} + inputs +
                 QStringList{"--format", "asm8", "--out-dir", dir.filePath("gen")})
                 .status,
             1);
    QVERIFY(!QDir(dir.filePath("gen")).exists());
  }

  void convertReadsTheTextsBack_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("picture");
    for (const QString picture : {"icon", "diagonal", "full"}) {
      for (const QString file : {"cpp.txt", "asm8.txt", "asm8_file.s"}) {
        QTest::addRow("%s %s", qPrintable(picture), qPrintable(file))
            << Data("listings/" + picture + "/" + file) << QStringList() << picture;
      }
    }
    // The lowest bits first reads 3, 0, 1, 4, 3, 2: only the option tells.
    QTest::newRow("c4, highest bits first as told")
        << QStringLiteral(
               "#define ICON_WIDTH 3\n#define ICON_HEIGHT 2\n#define ICON_BPP 4\n"
               "static const uint8_t icon[] = {0x03, 0x41, 0x23};\n")
        << QStringList{"--bit-order", "msb"} << "icon";
    // Another tool's array gives no size, and may put a palette first.
    QTest::newRow("an array without size, a palette first")
        << QStringLiteral(
               "static const uint8_t icon[] PROGMEM =\n{ 0xFF, 0xFF, 0, 3, 4, 1, 2, 3 };\n")
        << QStringList{"--size", "3x2", "--skip", "2"} << "icon";
    // What export writes says its bit order: no option is needed.
    for (const char* format : {"c4", "gas4"}) {
      const Run exported = Cli({"export", Data("pictures/icon.ptv"), "--format", format,
                                "--bit-order", "msb", "-o", "-"});
      QTest::addRow("%s msb as export wrote it", format)
          << QString::fromLatin1(exported.out) << QStringList() << "icon";
    }
  }
  void convertReadsTheTextsBack() {
    QFETCH(QString, text);
    QFETCH(QStringList, options);
    QFETCH(QString, picture);
    QTemporaryDir dir;
    if (!text.startsWith(Data(""))) {
      WriteAll(dir.filePath("icon.h"), text.toLatin1());
      text = dir.filePath("icon.h");
    }
    const Run run = Cli(QStringList{"convert", text, "-o", "-"} + options);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, ReadAll(Data("pictures/" + picture + ".ptv")));
  }

  void outputIntoAPipeOrADevice() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Read without blocking, so that a refused pipe fails the test instead of
    // waiting for a writer that never comes.
    const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(fd >= 0);
    QProcess writer;
    writer.start(PICTAVO_CLI, {"export", Data("pictures/icon.ptv"), "--format", "cpp", "-o", pipe});
    QByteArray received;
    const auto drain = [&] {
      char buffer[4096];
      for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) received.append(buffer, n);
    };
    for (int wait = 0; wait < 3000 && !writer.waitForFinished(10); ++wait) drain();
    drain();
    ::close(fd);
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(received, ReadAll(ListingFile("icon", "cpp", false)));
    QVERIFY(QFileInfo(pipe).isFile() == false && QFileInfo::exists(pipe));

    if (::geteuid() != 0) QSKIP("making a character device takes root; the pipe was checked");
    const QString device = dir.filePath("null");
    QCOMPARE(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    const Run run = Cli({"convert", ListingFile("icon", "asm2", false), "-o", device});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(device).constData(), &info), 0);
    QVERIFY(S_ISCHR(info.st_mode));
  }

  void helpAndVersion() {
    const Run version = Cli({"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray("pictavo-cli 2.0\n"));
    const Run help = Cli({"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.startsWith("Usage: pictavo-cli COMMAND"));
    const QByteArray manual =
        ReadAll(QStringLiteral(PICTAVO_SOURCE_DIR "/docs/pictavo-cli.1")).replace("\\", "");
    for (const QStringList& command :
         {QStringList{"export"}, QStringList{"convert"}, QStringList{"render"},
          QStringList{"skin", "list"}, QStringList{"skin", "extract"}, QStringList{"skin", "pack"},
          QStringList{"skin", "export"}, QStringList{"font"}}) {
      const Run run = Cli(command + QStringList{"--help"});
      QCOMPARE(run.status, 0);
      QVERIFY2(run.out.startsWith("Usage: pictavo-cli " + command.join(' ').toLatin1() + " "),
               run.out.constData());
      // Every option the command takes is in the program's help and in the
      // manual's synopsis, by its short name where it has one.
      static const QRegularExpression option(QStringLiteral("^  (-[a-z]\\b|--[a-z-]+)"),
                                             QRegularExpression::MultilineOption);
      const QString manual_synopsis =
          QString::fromLatin1(manual.mid(0, manual.indexOf(".SH DESC")));
      int checked = 0;
      for (const auto& match : option.globalMatch(QString::fromLatin1(run.out))) {
        const QString name = match.captured(1);
        if (name == "-h") continue;
        ++checked;
        QVERIFY2(help.out.contains(name.toLatin1()), qPrintable(name));
        QVERIFY2(manual_synopsis.contains(name), qPrintable(name));
      }
      QVERIFY(checked > 0);
    }
  }

  // A font's skin drawn as a line of text: the hand-drawn golden icons of
  // tests/data/fonts side by side.
  void fontSkinDrawsItsGoldenGlyphsInALine() {
    QTemporaryDir dir;
    const QString font = Data("fonts/tiny.bdf");
    const Run made =
        Cli({"font", font, "-o", dir.filePath("tiny.skin"), "--chars", QString::fromUtf8(" Agjé")});
    QCOMPARE(made.status, 0);
    const QByteArray warning = "pictavo-cli: " + font.toUtf8() + ": warning: ";
    QCOMPARE(made.err, warning + "ink outside the cell was cut from 'j' (U+006A), 'é' (U+00E9)\n" +
                           warning +
                           "widths padded on the right so each icon fills whole bytes: ' ' "
                           "(U+0020) 4 to 8, 'A' (U+0041) 5 to 8, 'g' (U+0067) 5 to 8, 'j' "
                           "(U+006A) 3 to 8, 'é' (U+00E9) 5 to 8\n");
    const Run drawn = Cli({"render", dir.filePath("tiny.skin"), "--text", QString::fromUtf8("gAé"),
                           "-o", dir.filePath("line.png")});
    QCOMPARE(drawn.status, 0);
    QMap<QByteArray, QList<QByteArray>> golden;
    QList<QByteArray> rows;
    for (const QByteArray& line : ReadAll(Data("fonts/tiny_depth1.txt")).split('\n')) {
      if (line.startsWith("0x")) rows = QList<QByteArray>();
      if (line.startsWith("0x"))
        golden[line.left(4)] = rows;
      else if (!line.isEmpty())
        golden[golden.lastKey()].append(line);
    }
    const QImage image(dir.filePath("line.png"));
    QCOMPARE(image.size(), QSize(24, 7));
    const QByteArray ids[] = {"0x67", "0x41", "0xE9"};
    for (int x = 0; x < 24; ++x) {
      for (int y = 0; y < 7; ++y) {
        const bool ink = golden[ids[x / 8]][y][x % 8] == '#';
        QCOMPARE(image.pixel(x, y), ink ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
      }
    }
  }

  void fontInfoAndRefusals() {
    const Run info =
        Cli({"font", Data("fonts/tiny.bdf"), "--info", "--size", "7", "--chars", "A-C"});
    QCOMPARE(info.status, 0);
    QCOMPARE(info.out, QByteArray("family: Tiny\nstyle: Regular\nformat: a BDF font\nglyphs: 6\n"
                                  "outlines: no\nbitmap sizes: 7 px (5 x 7)\nline at 7 px: 7 rows, "
                                  "5 above the baseline\nlacking: '-' (U+002D), 'C' (U+0043)\n"));
    QTemporaryDir dir;
    const QString picture = Data("pictures/icon.ptv");
    const Run not_font = Cli({"font", picture, "-o", dir.filePath("x.skin")});
    QCOMPARE(not_font.status, 1);
    QCOMPARE(not_font.err,
             "pictavo-cli: " + picture.toUtf8() + ": is a picture file, not a font\n");
    QCOMPARE(Cli({"font", picture, "-o", "x.skin", "--transparent"}).status, 2);
    const QString skin = dir.filePath("tiny.skin");
    QCOMPARE(Cli({"font", Data("fonts/tiny.bdf"), "-o", skin}).status, 0);
    const Run missing = Cli({"render", skin, "--text", "Ab", "-o", dir.filePath("x.png")});
    QCOMPARE(missing.status, 1);
    QCOMPARE(missing.err,
             "pictavo-cli: " + skin.toUtf8() + ": the skin has no icon for 'b' (U+0062)\n");
    QVERIFY(!QFile::exists(dir.filePath("x.skin")) && !QFile::exists(dir.filePath("x.png")));
  }

  void historyListsAndRestoresNewestFirst() {
    QTemporaryDir home;
    const QString folder = home.filePath("pictavo/history");
    QVERIFY(QDir().mkpath(folder));
    WriteAll(folder + "/20260101-000000-000-00.ptv", "older picture");
    WriteAll(folder + "/20260101-000000-000-00.record",
             "Pictavo history record 1\ntime=1 Jan\ncommand=New Picture\nname=a\tb\n");
    WriteAll(folder + "/20260102-000000-000-00.skin", "newer skin");
    WriteAll(folder + "/20260102-000000-000-00.record",
             "Pictavo history record 1\ntime=2 Jan\ncommand=Exit\nname=s\n");
    // Not the history's own: a name it never makes, and an entry larger than
    // all it holds (sparse), which would be restored cut.
    WriteAll(folder + "/zz-01.ptv", "foreign");
    WriteAll(folder + "/zz-01.record", "Pictavo history record 1\ncommand=x\n");
    WriteAll(folder + "/20990101-000000-000-00.record", "Pictavo history record 1\ncommand=x\n");
    QFile large(folder + "/20990101-000000-000-00.ptv");
    QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(qint64{65} << 20));
    qputenv("XDG_STATE_HOME", home.path().toLocal8Bit());
    const Run list = Cli({"history", "list"});
    const Run restore = Cli({"history", "restore", "2", "-o", home.filePath("out.ptv")});
    const Run missing = Cli({"history", "restore", "3", "-o", home.filePath("none")});
    qunsetenv("XDG_STATE_HOME");
    QCOMPARE(list.status, 0);
    QCOMPARE(list.out, "1\t2 Jan\tExit\ts\tskin\t" + folder.toUtf8() +
                           "/20260102-000000-000-00.skin\n2\t1 Jan\tNew Picture\ta b\tpicture\t" +
                           folder.toUtf8() + "/20260101-000000-000-00.ptv\n");
    QCOMPARE(restore.status, 0);
    QCOMPARE(ReadAll(home.filePath("out.ptv")), QByteArray("older picture"));
    QCOMPARE(missing.status, 1);
    QVERIFY(missing.err.contains("has no entry 3 (it holds 2)"));
  }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
