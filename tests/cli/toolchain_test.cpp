// The compiler texts run through the tools they are made for: gcc, g++ and
// GNU as must take them as they are and hold the bytes docs/formats.md gives
// for its worked picture (tests/data/pictures/icon.ptv). Without a tool the
// case is skipped and says which tool is missing.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "cli_run.h"

using namespace pictavo::testing;

namespace {

const QStringList kStrict = {"-Wall", "-Wextra", "-Werror", "-pedantic"};

struct ToolRun {
  bool ok = false;
  QByteArray out;
};

ToolRun RunIn(const QString& folder, const QString& program, const QStringList& arguments,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setWorkingDirectory(folder);
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  process.waitForFinished(-1);
  const QByteArray err = process.readAllStandardError();
  const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  if (!ok) qWarning("%s failed: %s", qPrintable(program), err.constData());
  return {ok, process.readAllStandardOutput()};
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A C (or C++) program that includes the header (twice when it has a guard;
// an X bitmap has none) and writes `array`'s bytes to standard output.
QByteArray Printer(const QByteArray& header, const QByteArray& array, bool twice) {
  const QByteArray include = "#include \"" + header + "\"\n";
  return include + (twice ? include : QByteArray()) +
         "#include <stdio.h>\nint main(void) {\n  fwrite(" + array + ", 1, sizeof " + array +
         ", stdout);\n  return 0;\n}\n";
}

}  // namespace

class ToolchainTest : public QObject {
  Q_OBJECT

 private slots:
  void textsBuildIntoTheDocumentedBytes_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("c2 aligned, gcc -std=c99")
        << QStringList{"--format", "c2", "--align"} << "gcc" << QByteArray("\x3C\x39");
    QTest::newRow("c1 pages msb, g++ -std=c++17")
        << QStringList{"--format", "c1", "--layout", "pages", "--bit-order", "msb"} << "g++"
        << QByteArray("\x00\xC0\xC0", 3);
    QTest::newRow("c8, g++ -std=c++17")
        << QStringList{"--format", "c8"} << "g++" << QByteArray("\x00\x03\x04\x01\x02\x03", 6);
    QTest::newRow("gas4, as") << QStringList{"--format", "gas4"} << "as"
                              << QByteArray("\x03\x02\x30\x14\x32");
    QTest::newRow("gas2 msb, as") << QStringList{"--format", "gas2", "--bit-order", "msb"} << "as"
                                  << QByteArray("\x03\x02\x3D\xB0");
    QTest::newRow("xbm, gcc -std=c99")
        << QStringList{"--format", "xbm"} << "gcc" << QByteArray("\x01\x01");
  }

  void textsBuildIntoTheDocumentedBytes() {
    QFETCH(QStringList, options);
    QFETCH(QString, tool);
    QFETCH(QByteArray, bytes);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) QSKIP(qPrintable(tool + " is not installed"));
    QTemporaryDir dir;
    const QString format = options.at(1);
    const QString text = format == "xbm"                           ? "icon.xbm"
                         : format.startsWith(QLatin1String("gas")) ? "icon.s"
                                                                   : "icon.h";
    const Run exported =
        Cli(QStringList{"export", Data("pictures/icon.ptv"), "-o", dir.filePath(text)} + options);
    QCOMPARE(exported.status, 0);

    QByteArray got;
    if (tool == "as") {
      QVERIFY(RunIn(dir.path(), program, {"-o", "icon.o", "icon.s"}).ok);
      const QString objcopy = QStandardPaths::findExecutable("objcopy");
      if (objcopy.isEmpty()) QSKIP("objcopy is not installed");
      QVERIFY(
          RunIn(dir.path(), objcopy, {"-O", "binary", "-j", ".rodata", "icon.o", "icon.bin"}).ok);
      got = ReadAll(dir.filePath("icon.bin"));
    } else {
      const bool cpp = tool == "g++";
      const QString source = cpp ? "show.cpp" : "show.c";
      QVERIFY(
          Write(dir.filePath(source),
                Printer(text.toLatin1(), format == "xbm" ? "icon_bits" : "icon", format != "xbm")));
      QVERIFY(RunIn(dir.path(), program,
                    QStringList{cpp ? "-std=c++17" : "-std=c99"} + kStrict +
                        QStringList{"-o", "show", source})
                  .ok);
      const ToolRun shown = RunIn(dir.path(), dir.filePath("show"), {});
      QVERIFY(shown.ok);
      got = shown.out;
    }
    QCOMPARE(got.toHex(' '), bytes.toHex(' '));

    // An X bitmap is also an image: black where the pixel packs to 0.
    if (format == "xbm") {
      const QImage image(dir.filePath(text));
      QCOMPARE(image.size(), QSize(3, 2));
      QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
      QCOMPARE(image.pixelColor(1, 0), QColor(Qt::white));
      QCOMPARE(image.pixelColor(0, 1), QColor(Qt::black));
    }
  }

  // The Makefile rule of README.md, as written there, builds with make, GNU
  // as and gcc into a program that reads the picture back.
  void readmeRuleBuilds() {
    for (const char* tool : {"make", "as", "gcc"}) {
      if (QStandardPaths::findExecutable(tool).isEmpty())
        QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
    }
    const QByteArray readme = ReadAll(QStringLiteral(PICTAVO_SOURCE_DIR "/README.md"));
    const qsizetype start = readme.indexOf("```make\n");
    QVERIFY2(start >= 0, "README.md has no make block");
    const qsizetype end = readme.indexOf("```", start + 8);
    const QByteArray rule = readme.mid(start + 8, end - start - 8);
    QVERIFY(rule.contains("pictavo-cli export"));

    QTemporaryDir dir;
    QVERIFY(QFile::copy(Data("pictures/icon.ptv"), dir.filePath("icon.ptv")));
    // Linked with every warning an error: the source says it needs no
    // executable stack.
    QVERIFY(Write(dir.filePath("Makefile"),
                  rule + "\nshow: show.c icon.o\n\tgcc -std=c99 -Wl,--fatal-warnings -o $@ "
                         "show.c icon.o\n"));
    // The picture's first two bytes are its size, the packed pixels follow.
    QVERIFY(Write(dir.filePath("show.c"),
                  "#include <stdio.h>\nextern const unsigned char icon[];\n"
                  "int main(void) {\n  fwrite(icon, 1, 2 + (icon[0] * icon[1] * 2 + 7) / 8, "
                  "stdout);\n  return 0;\n}\n"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", QFileInfo(QStringLiteral(PICTAVO_CLI)).absolutePath() + ":" +
                                   environment.value("PATH"));
    QVERIFY(RunIn(dir.path(), QStandardPaths::findExecutable("make"), {"show"}, environment).ok);
    const ToolRun shown = RunIn(dir.path(), dir.filePath("show"), {});
    QVERIFY(shown.ok);
    QCOMPARE(shown.out.toHex(' '), QByteArray("\x03\x02\x7C\x0E").toHex(' '));
  }

  // The names C, C++ and <stdint.h> reserve or define, given as --symbol, as
  // the picture's name and as an image's file name, give headers that build
  // together as C and C++ with every warning an error, Clang's reserved
  // identifiers included.
  void reservedNamesBuildEverywhere_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("flags");
    const QStringList clang_reserved = {"-Wreserved-identifier"};
    QTest::newRow("gcc c99") << "gcc" << QStringList{"-std=c99"};
    QTest::newRow("gcc gnu17") << "gcc" << QStringList{"-std=gnu17"};
    QTest::newRow("gcc c2x") << "gcc" << QStringList{"-std=c2x"};
    QTest::newRow("g++ c++17") << "g++" << QStringList{"-std=c++17"};
    QTest::newRow("g++ c++23") << "g++" << QStringList{"-std=c++23"};
    QTest::newRow("clang c99") << "clang" << QStringList{"-std=c99"} + clang_reserved;
    QTest::newRow("clang c2x") << "clang" << QStringList{"-std=c2x"} + clang_reserved;
    QTest::newRow("clang++ c++17") << "clang++" << QStringList{"-std=c++17"} + clang_reserved;
    QTest::newRow("clang++ c++2b") << "clang++" << QStringList{"-std=c++2b"} + clang_reserved;
  }

  void reservedNamesBuildEverywhere() {
    QFETCH(QString, tool);
    QFETCH(QStringList, flags);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) QSKIP(qPrintable(tool + " is not installed"));
    QTemporaryDir dir;
    QByteArray source = "#include <limits.h>\n#include <stdint.h>\n#include <stdio.h>\n";
    const auto header = [&](const QStringList& arguments, const QString& file) {
      const Run run = Cli(arguments + QStringList{"-o", dir.filePath(file)});
      if (run.status != 0) qWarning("%s", run.err.constData());
      source += "#include \"" + file.toLocal8Bit() + "\"\n";
      return run.status == 0;
    };
    const QString icon = Data("pictures/icon.ptv");
    const QString text = Data("listings/icon/c2.h");
    int n = 0;
    for (const char* name : {"uint8_t", "INT8_MAX", "SIZE_MAX", "INT8_C", "__STDC__", "main", "std",
                             "INT8", "_Bool", "_Complex", "_Generic", "_Atomic", "int", "char8_t",
                             "typeof", "a__b", "logo_", "linux", "uchar"}) {
      const QString file = QString("s%1.h").arg(++n);
      QVERIFY(header({"export", icon, "--format", "c2", "--symbol", name}, file));
      QVERIFY(header({"convert", text, "--format", "c4", "--name", name}, "n" + file));
    }
    // Frames of a skin and a name beyond ASCII, as file names.
    for (const QString& file : {QString("0x01-1"), QString::fromUtf8("\xC3\xA9")}) {
      QVERIFY(QFile::copy(Data("images/valid.png"), dir.filePath(file + ".png")));
      QVERIFY(header({"convert", dir.filePath(file + ".png")}, "f" + QString::number(++n) + ".h"));
    }
    const QString all = tool.endsWith("++") ? "all.cpp" : "all.c";
    QVERIFY(Write(dir.filePath(all), source + "int main(void) { return 0; }\n"));
    QVERIFY(RunIn(dir.path(), program, flags + kStrict + QStringList{"-c", all}).ok);
  }

  // The program of docs/fonts.md, built with the font's table, draws a
  // string as render --text does: its characters per pixel code against the
  // PNG's display colours.
  void fontTableDrawsAsRenderDoes_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("terminus, 1 bpp") << "terminus" << QStringList{};
    QTest::newRow("dejavu 12 px, 2 bpp") << "dejavu" << QStringList{"--size", "12", "--depth", "2"};
  }

  void fontTableDrawsAsRenderDoes() {
    QFETCH(QString, font);
    QFETCH(QStringList, options);
    const QString gcc = QStandardPaths::findExecutable("gcc");
    if (gcc.isEmpty()) QSKIP("gcc is not installed");
    const QString path = qEnvironmentVariable("PICTAVO_TEST_FONTS") + "/" + font;
    if (!QFileInfo::exists(path))
      QSKIP(qPrintable(font + " is not installed (scripts/install-deps)"));
    const QByteArray docs = ReadAll(QStringLiteral(PICTAVO_SOURCE_DIR "/docs/fonts.md"));
    const qsizetype start = docs.indexOf("```c\n/* draw.c:");
    QVERIFY2(start >= 0, "docs/fonts.md has no draw.c");
    const qsizetype end = docs.indexOf("```", start + 5);
    QTemporaryDir dir;
    QVERIFY(Write(dir.filePath("draw.c"), docs.mid(start + 5, end - start - 5)));
    const QString skin = dir.filePath("font.skin");
    QCOMPARE(Cli(QStringList{"font", path, "-o", skin} + options).status, 0);
    QCOMPARE(Cli({"skin", "export", skin, "--format", "c", "--lookup", "--symbol", "font", "-o",
                  dir.filePath("font.h")})
                 .status,
             0);
    QVERIFY(RunIn(dir.path(), gcc,
                  QStringList{"-std=c99"} + kStrict + QStringList{"-o", "draw", "draw.c"})
                .ok);
    const QString text = "Hello, 123 {gq}";
    const ToolRun drawn = RunIn(dir.path(), dir.filePath("draw"), {text});
    QVERIFY(drawn.ok);

    QCOMPARE(Cli({"render", skin, "--text", text, "-o", dir.filePath("line.png")}).status, 0);
    const QImage line(dir.filePath("line.png"));
    QByteArray rendered;
    for (int y = 0; y < line.height(); ++y) {
      for (int x = 0; x < line.width(); ++x) {
        const QRgb pixel = line.pixel(x, y);
        const int gray = qGray(pixel);
        rendered += qAlpha(pixel) == 0 ? ' '
                    : gray == 0        ? '#'
                    : gray == 128      ? '+'
                    : gray == 192      ? '-'
                    : gray == 255      ? '.'
                                       : '?';
      }
      rendered += '\n';
    }
    QCOMPARE(drawn.out, rendered);
    // And the table is the skin: convert writes back the same file.
    QCOMPARE(Cli({"convert", dir.filePath("font.h"), "-o", dir.filePath("back.skin")}).status, 0);
    QCOMPARE(ReadAll(dir.filePath("back.skin")), ReadAll(skin));
  }
};

QTEST_GUILESS_MAIN(ToolchainTest)
#include "toolchain_test.moc"
