#include <functional>
#include <optional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "core/editing/editor_test_door.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/files/file_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

// A picture of `width` x `height` whose rows are given as code numbers.
void SetPicture(EditorState& s, int width, int height, const QList<int>& codes) {
  s.Document.Picture.Width = width;
  s.Document.Picture.Height = height;
  int i = 0;
  for (const int code : codes) {
    s.Document.Picture.Cells.At(i % width + 1, i / width + 1) = ToPixelCode(code);
    ++i;
  }
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

// Skin mode on one 4 x 4 icon, settled by a first redraw; returns the icon's
// data as it then stands.
std::vector<std::uint8_t> EnterSkinMode(MainWindowFixture& f) {
  TSkinIcon icon;
  icon.Width = 4;
  icon.Height = 4;
  icon.Data.assign(16, 3);
  EditorTestDoor::MutableSkin(f.form->GetEditor()).Append(icon);
  f.State().Document.SkinMode = true;
  f.State().Document.CurrentIconIndex = 0;
  f.State().Document.CurrentSubIconIndex = 0;
  // Closed as a command's edit closes: the Picture is stored in the sub-icon.
  EditScope(f.form->GetEditor()).Changed();
  return f.form->GetEditor().Skin().At(0).Data;
}

bool Panel6Visible(MainWindowFixture& f) {
  return f.form->findChild<QWidget*>("Panel6")->isVisible();
}

// Two small picture files known byte for byte: the 3 x 2 "icon" and the all-Black
// 10 x 2 "ab", whose width byte 0x0A is stored as 0D 0A.
struct StoredPicture {
  const char* name;
  int width;
  int height;
  QList<int> codes;
  QByteArray stored;
};

StoredPicture IconExample() {
  return {"icon",
          3,
          2,
          {0, 3, 4, 1, 2, 3},
          QByteArray::fromHex("02000000 04000000 69636F6E 03 02 000304010203")};
}

StoredPicture AbExample() {
  return {"ab", 10, 2, QList<int>(20, 0),
          QByteArray::fromHex("02000000 02000000 6162 0D0A 02") + QByteArray(20, '\0')};
}

}  // namespace

class PictureFileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void commandsAndTheirToolButtonsAreEnabled() {
    MainWindowFixture f;
    for (const char* name : {"OpenPicture1", "Savepicture1", "OpenBMPfile1"}) {
      QVERIFY2(f.Action(name)->isEnabled(), name);
    }
    for (const char* name : {"ToolButton2", "ToolButton3", "ToolButton21"}) {
      QVERIFY2(f.Button(name)->isEnabled(), name);
    }
  }

  void saveWritesTheStoredBytesAndPresetsTheDialog() {
    const StoredPicture p = IconExample();
    MainWindowFixture f;
    SetPicture(f.State(), p.width, p.height, p.codes);
    f.form->SetPictureName(p.name);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.ptv");
    // A longer file already there is replaced, not written over in part.
    WriteAll(path, QByteArray(100, 'x'));
    const Picture before = f.State().Document.Picture;

    f.services.file_answers << path;
    f.Action("Savepicture1")->trigger();

    QCOMPARE(ReadAll(path), p.stored);
    QCOMPARE(f.services.file_requests.size(), 1);
    const FileDialogRequest& request = f.services.file_requests.first();
    QCOMPARE(request.filter, QStringLiteral("(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin"));
    QCOMPARE(request.filter_index, 0);
    QCOMPARE(request.default_suffix, QStringLiteral("ptv"));
    QCOMPARE(request.file_name, QString::fromLatin1(p.name));
    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.State().Document.Undo.Count(), 0);
    QVERIFY(f.State().Document.Picture == before);
  }

  void cancelledSaveWritesNothing() {
    MainWindowFixture f;
    f.Action("Savepicture1")->trigger();
    QCOMPARE(f.services.file_requests.size(), 1);
    QVERIFY(f.services.messages.isEmpty());
  }

  void saveIntoAMissingFolderIsReported() {
    MainWindowFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath("no such folder/pic.ptv");
    f.services.file_answers << path;
    f.Action("Savepicture1")->trigger();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Save Picture"));
    QVERIFY2(f.services.messages[0].text.contains(QDir::toNativeSeparators(path)),
             qPrintable(f.services.messages[0].text));
    QVERIFY(f.services.messages[0].text.contains("No such file or directory"));
    QVERIFY(!QFile::exists(path));
  }

  void openRestoresNameSizeAndPixelsWithoutAnUndoStep_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<int>>("codes");
    const StoredPicture icon = IconExample();
    QTest::newRow("version 2") << icon.stored << QByteArray("icon") << 3 << 2 << icon.codes;
    const StoredPicture ab = AbExample();
    QTest::newRow("version 2, 0D 0A width") << ab.stored << QByteArray("ab") << 10 << 2 << ab.codes;
    QTest::newRow("version 1, 4-byte fields")
        << QByteArray::fromHex(
               "01000000 02000000 7631 03000000 02000000"
               "04000000 00000000 01000000 02000000 03000000 04000000")
        << QByteArray("v1") << 3 << 2 << QList<int>{4, 0, 1, 2, 3, 4};
    QTest::newRow("name longer than the box lets one type")
        << QByteArray::fromHex("02000000 16000000") + QByteArray("a-name-of-twenty-two-c") +
               QByteArray::fromHex("02 02 01020304")
        << QByteArray("a-name-of-twenty-two-c") << 2 << 2 << QList<int>{1, 2, 3, 4};
  }
  void openRestoresNameSizeAndPixelsWithoutAnUndoStep() {
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QList<int>, codes);
    MainWindowFixture f;
    f.State().Document.Picture.Cells.Fill(PixelCode::Gray33);
    EditorTestDoor::PushUndo(f.form->GetEditor());
    QTemporaryDir dir;
    const QString path = dir.filePath("in.ptv");
    WriteAll(path, stored);

    f.services.file_answers << path;
    f.Action("OpenPicture1")->trigger();

    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.form->PictureName(), name);
    QCOMPARE(f.State().Document.Picture.Width, width);
    QCOMPARE(f.State().Document.Picture.Height, height);
    for (int i = 0; i < codes.size(); ++i) {
      QCOMPARE(ToInt(f.State().Document.Picture.Cells.At(i % width + 1, i / width + 1)), codes[i]);
    }
    // Cells outside the size keep what the editor held.
    QCOMPARE(f.State().Document.Picture.Cells.At(width + 1, 1), PixelCode::Gray33);
    QCOMPARE(f.State().Document.Picture.Cells.At(1, height + 1), PixelCode::Gray33);
    QCOMPARE(f.State().Document.Picture.Cells.At(96, 92), PixelCode::Gray33);
    QCOMPARE(f.State().Document.Undo.Count(), 1);
    QCOMPARE(f.form->findChild<QLineEdit*>("WID")->text(), QString::number(width));

    const FileDialogRequest& request = f.services.file_requests.first();
    QCOMPARE(request.filter,
             QStringLiteral("All files Pictavo reads|*.ptv;*.h;*.s;*.S;*.inc;*.txt;*.xbm|"
                            "(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin|"
                            "(Source texts *.h *.s *.S *.inc *.txt *.xbm)|"
                            "*.h;*.s;*.S;*.inc;*.txt;*.xbm"));
    QCOMPARE(request.filter_index, 0);
    QCOMPARE(request.default_suffix, QStringLiteral("ptv"));
  }

  void openReadsASourceTextAndSaysWhenItCutsTheName() {
    MainWindowFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath("icon.h");
    WriteAll(path,
             "#define A_SYMBOL_OF_20_CHARS_WIDTH 3\r\n#define A_SYMBOL_OF_20_CHARS_HEIGHT 2\r\n"
             "#define A_SYMBOL_OF_20_CHARS_BPP 2\r\n"
             "static const uint8_t a_symbol_of_20_chars[] = {0x7C, 0x0E};\r\n");
    f.services.file_answers << path;
    f.Action("OpenPicture1")->trigger();
    QCOMPARE(f.form->PictureName(), QByteArray("a_symbol_of_20_c"));
    QCOMPARE(f.State().Document.Picture.Width, 3);
    QCOMPARE(f.State().Document.Picture.Height, 2);
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 1), PixelCode::White);
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 2), PixelCode::Gray66);
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages[0].text.contains("longer than 16 characters"));
  }

  // Other tools' arrays give no size: it is asked, and Cancel changes nothing.
  void openAsksTheSizeOfAnArrayThatGivesNone_data() {
    QTest::addColumn<bool>("answered");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
  }
  void openAsksTheSizeOfAnArrayThatGivesNone() {
    QFETCH(bool, answered);
    MainWindowFixture f;
    f.form->SetPictureName("kept");
    SetPicture(f.State(), 5, 4, {});
    const Picture before = f.State().Document.Picture;
    QTemporaryDir dir;
    const QString path = dir.filePath("codes.h");
    WriteAll(path, "const uint8_t codes[] PROGMEM =\n{ 0, 3, 4, 1, 2, 3 };\n");
    f.services.file_answers << path;
    f.services.dialog_handler = [&](QDialog& dialog) {
      dialog.findChild<QSpinBox*>("WidthBox")->setValue(3);
      dialog.findChild<QSpinBox*>("HeightBox")->setValue(2);
      return answered ? QDialog::Accepted : QDialog::Rejected;
    };
    f.Action("OpenPicture1")->trigger();

    QCOMPARE(f.services.shown_dialogs, QList<QString>{"TextSizeDialog"});
    QVERIFY(f.services.messages.isEmpty());
    if (!answered) {
      QCOMPARE(f.form->PictureName(), QByteArray("kept"));
      QVERIFY(f.State().Document.Picture == before);
      return;
    }
    QCOMPARE(f.form->PictureName(), QByteArray("codes"));
    QCOMPARE(f.State().Document.Picture.Width, 3);
    QCOMPARE(f.State().Document.Picture.Height, 2);
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 1), PixelCode::Transparent);
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 2), PixelCode::Gray66);
  }

  void saveThenOpenGivesBackTheSamePictureAndName() {
    MainWindowFixture f;
    // A 10-character Latin-1 name and a width of 13: stored bytes 0x0A and 0x0D.
    const QByteArray name("Caf\xe9-12345");
    f.form->SetPictureName(name);
    SetPicture(f.State(), 13, 10, {});
    for (int y = 1; y <= 10; ++y) {
      for (int x = 1; x <= 13; ++x)
        f.State().Document.Picture.Cells.At(x, y) = ToPixelCode((x * y) % 5);
    }
    const Picture saved = f.State().Document.Picture;
    QTemporaryDir dir;
    const QString path = dir.filePath("round.ptv");
    f.services.file_answers << path;
    f.Action("Savepicture1")->trigger();

    f.form->SetPictureName("other");
    f.State().Document.Picture.Cells.Fill(PixelCode::White);
    f.State().Document.Picture.Width = 40;
    f.services.file_answers << path;
    f.Action("OpenPicture1")->trigger();

    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.form->PictureName(), name);
    QCOMPARE(f.State().Document.Picture.Width, 13);
    QCOMPARE(f.State().Document.Picture.Height, 10);
    for (int y = 1; y <= 10; ++y) {
      for (int x = 1; x <= 13; ++x) {
        QCOMPARE(f.State().Document.Picture.Cells.At(x, y), saved.Cells.At(x, y));
      }
    }
  }

  void refusedFileIsReportedAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("reason");
    QTest::newRow("too short") << QByteArray::fromHex("020000") << QStringLiteral("too short");
    QTest::newRow("width 120") << QByteArray::fromHex("02000000 00000000 78 02") +
                                      QByteArray(240, '\0')
                               << QStringLiteral("120");
    QTest::newRow("code 7") << QByteArray::fromHex("02000000 00000000 02 02 00070000")
                            << QStringLiteral("code 7");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("No such file");
    QTest::newRow("a folder") << QByteArray("<folder>") << QStringLiteral("directory");
    QTest::newRow("a PNG image") << QByteArray::fromHex("89504E470D0A1A0A0000000D49484452")
                                 << QStringLiteral(
                                        "is a PNG image, not a picture file or a "
                                        "source text. \"Open BMP file...\" makes a "
                                        "picture of it.");
    QTest::newRow("a text that is no listing")
        << QByteArray("hello\n")
        << QStringLiteral("cannot be read as a source text: Line 1: expected");
  }
  void refusedFileIsReportedAndChangesNothing() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, reason);
    MainWindowFixture f;
    f.form->SetPictureName("kept");
    SetPicture(f.State(), 5, 4, {});
    f.State().Document.Picture.Cells.At(2, 2) = PixelCode::White;
    const Picture before = f.State().Document.Picture;
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.ptv");
    if (stored == "<folder>") {
      QVERIFY(QDir(dir.path()).mkdir("bad.ptv"));
    } else if (!stored.isEmpty()) {
      WriteAll(path, stored);
    }
    EnterSkinMode(f);

    f.services.file_answers << path;
    f.Action("OpenPicture1")->trigger();

    QCOMPARE(f.services.messages.size(), 1);
    const QString text = f.services.messages[0].text;
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Open Picture"));
    QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QCOMPARE(f.form->PictureName(), QByteArray("kept"));
    QVERIFY(f.State().Document.Picture == before);
    QVERIFY(!f.State().Document.SkinMode);
    QVERIFY(Panel6Visible(f));
  }

  void cancelledOpenStillEndsSkinMode() {
    MainWindowFixture f;
    EnterSkinMode(f);
    QVERIFY(!Panel6Visible(f));
    f.Action("OpenPicture1")->trigger();
    QVERIFY(!f.State().Document.SkinMode);
    QVERIFY(Panel6Visible(f));
    QVERIFY(f.services.messages.isEmpty());
  }

  void openInSkinModeWritesThePictureIntoTheCurrentIconWhereTheyOverlap() {
    MainWindowFixture f;
    std::vector<std::uint8_t> expected = EnterSkinMode(f);
    QTemporaryDir dir;
    const QString path = dir.filePath("in.ptv");
    WriteAll(path, IconExample().stored);
    f.services.file_answers << path;
    f.Action("OpenPicture1")->trigger();
    QCOMPARE(f.State().Document.Picture.Width, 3);
    QVERIFY(!f.State().Document.SkinMode);
    // The 4 x 4 icon takes the 3 x 2 picture's codes; its other entries take
    // the cells the picture keeps beyond its size.
    const std::uint8_t opened[2][3] = {{0, 3, 4}, {1, 2, 3}};
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) expected[static_cast<std::size_t>(y * 4 + x)] = opened[y][x];
    }
    QVERIFY(f.form->GetEditor().Skin().At(0).Data == expected);
  }
};

// ---- bitmap import ----------------------------------------------------------------------

namespace {

// The bits per pixel a BMP file declares in its header.
int BmpBitsPerPixel(const QString& path) {
  const QByteArray bytes = ReadAll(path);
  return bytes.size() > 29
             ? (static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8)
             : -1;
}

enum class BmpDepth { Rgb24, Mono };

// Writes `image` as a BMP file of the given depth; `image` holds only gray
// levels (and only black and white for Mono).
QString WriteBmp(const QTemporaryDir& dir, const QString& file, const QImage& image,
                 BmpDepth depth) {
  QImage out;
  int bits = 24;
  switch (depth) {
    case BmpDepth::Rgb24:
      out = image.convertToFormat(QImage::Format_RGB888);
      break;
    case BmpDepth::Mono:
      out = QImage(image.size(), QImage::Format_Mono);
      out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) out.setPixel(x, y, qRed(image.pixel(x, y)) ? 1 : 0);
      }
      bits = 1;
      break;
  }
  const QString path = dir.filePath(file);
  if (!out.save(path, "BMP") || BmpBitsPerPixel(path) != bits) return {};
  return path;
}

QImage Filled(int width, int height, QRgb color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// One use of "Open BMP file...", driven as the user would: open `path` unless
// it is null, move the scroll bar to `threshold` if given, let `inspect` look
// at the window, then press OK or Cancel.
void RunBmpSession(MainWindowFixture& f, const QString& path,
                   std::optional<int> threshold = std::nullopt, bool ok = true,
                   std::function<void(TbmpWin&)> inspect = {}) {
  if (!path.isNull()) f.services.file_answers << path;
  f.services.dialog_handler = [&](QDialog& dialog) {
    auto& win = static_cast<TbmpWin&>(dialog);
    if (!path.isNull()) win.findChild<QPushButton*>("BitBtn3")->click();
    if (threshold) win.findChild<QScrollBar*>("ScrollBar1")->setValue(*threshold);
    if (inspect) inspect(win);
    win.setResult(QDialog::Rejected);
    win.findChild<QPushButton*>(ok ? "BitBtn1" : "BitBtn2")->click();
    return win.result();
  };
  f.Action("OpenBMPfile1")->trigger();
}

QRgb ColorRgb(PixelCode code) { return ColorOf(code).Argb(); }

// A press or a move with the left button held, at a point of the widget.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

class BitmapImportTest : public QObject {
  Q_OBJECT

 private slots:
  void windowStartsEmptyWithItsControls() {
    MainWindowFixture f;
    TbmpWin* win = f.form->Files()->BitmapImportWindow();
    QVERIFY(!win->isVisible());
    QCOMPARE(win->objectName(), QStringLiteral("TbmpWin"));
    QCOMPARE(win->windowTitle(), QStringLiteral("Bitmap Image Open Dialog"));
    // One row of choices (fit, fill, device grays) below the first.
    QCOMPARE(win->size(), QSize(608, 313));
    QCOMPARE(f.FirstShownOffset(win), QPoint(391, 152));
    QCOMPARE(win->findChild<QLabel*>("Label1")->text(), QStringLiteral("Image"));
    QCOMPARE(win->findChild<QLabel*>("Label2")->text(), QStringLiteral("Preview"));
    const std::pair<const char*, const char*> buttons[] = {
        {"BitBtn3", "Open BMP"}, {"BitBtn2", "Cancel"}, {"BitBtn1", "OK"}};
    for (const auto& [name, caption] : buttons) {
      QPushButton* button = win->findChild<QPushButton*>(name);
      QCOMPARE(button->text(), QLatin1String(caption));
      QVERIFY2(!button->icon().isNull(), name);
      QCOMPARE(button->size(), QSize(75, 25));
    }
    QVERIFY(!win->findChild<QPushButton*>("BitBtn1")->isEnabled());
    QScrollBar* bar = win->ScrollBar1();
    QCOMPARE(bar->orientation(), Qt::Vertical);
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 200);
    QCOMPARE(bar->value(), 64);
    QCOMPARE(bar->size(), QSize(16, 225));
    QCOMPARE(win->Bmp1()->Image().size(), QSize(273, 223));
    const QImage preview = win->Bmp2()->Image();
    QCOMPARE(preview.size(), QSize(200, 200));
    for (const QPoint frame : {QPoint(0, 0), QPoint(199, 199), QPoint(100, 0), QPoint(0, 100)}) {
      QCOMPARE(preview.pixel(frame), qRgb(0, 0, 0));
    }
    QCOMPARE(preview.pixel(100, 100), qRgb(255, 255, 255));

    const QStringList order = f.form->CreationOrder();
    QCOMPARE(order.count("TbmpWin"), 1);
    QVERIFY(order.indexOf("TbmpWin") > order.indexOf("TForm4"));
    if (order.contains("Tsavebox")) {
      QCOMPARE(order.indexOf("TbmpWin"), order.indexOf("Tsavebox") + 1);
    }
  }

  void previewShowsTwoByTwoScreenPixelsPerPixel() {
    MainWindowFixture f;
    QTemporaryDir dir;
    QImage source = Filled(16, 16, qRgb(255, 255, 255));
    source.setPixel(3, 5, qRgb(0, 0, 0));
    source.setPixel(15, 15, qRgb(64, 64, 64));
    QImage preview;
    QImage shown;
    RunBmpSession(f, WriteBmp(dir, "small.bmp", source, BmpDepth::Rgb24), std::nullopt, false,
                  [&](TbmpWin& win) {
                    preview = win.Bmp2()->Image();
                    shown = win.Bmp1()->Image();
                  });
    QCOMPARE(preview.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        PixelCode code = PixelCode::White;
        if (x / 2 == 3 && y / 2 == 5) code = PixelCode::Black;
        if (x / 2 == 15 && y / 2 == 15) code = PixelCode::Gray66;
        QCOMPARE(preview.pixel(x, y), ColorRgb(code));
      }
    }
    QCOMPARE(shown.size(), QSize(16, 16));
    QCOMPARE(shown.pixel(3, 5), qRgb(0, 0, 0));
    QCOMPARE(shown.pixel(15, 15), qRgb(64, 64, 64));
  }

  void scrollBarRedrawsOnlyThePreviewAndCancelKeepsThePicture() {
    MainWindowFixture f;
    QTemporaryDir dir;
    const QString path = WriteBmp(dir, "g.bmp", Filled(8, 8, qRgb(64, 64, 64)), BmpDepth::Rgb24);
    const std::vector<std::uint8_t> icon_data = EnterSkinMode(f);
    const Picture before = f.State().Document.Picture;
    QRgb at64 = 0;
    QRgb at65 = 0;
    bool picture_kept = false;
    RunBmpSession(f, path, std::nullopt, false, [&](TbmpWin& win) {
      at64 = win.Bmp2()->Image().pixel(0, 0);
      win.ScrollBar1()->setValue(65);
      at65 = win.Bmp2()->Image().pixel(0, 0);
      picture_kept = f.State().Document.Picture == before;
    });
    QCOMPARE(at64, ColorRgb(PixelCode::Gray66));
    QCOMPARE(at65, ColorRgb(PixelCode::Black));
    QVERIFY(picture_kept);
    QVERIFY(f.State().Document.Picture == before);
    QVERIFY(!f.State().Document.SkinMode);
    QVERIFY(Panel6Visible(f));
    QVERIFY(f.form->GetEditor().Skin().At(0).Data == icon_data);
  }

  void importInSkinModeWritesTheBitmapIntoTheCurrentIcon() {
    MainWindowFixture f;
    QTemporaryDir dir;
    EnterSkinMode(f);
    RunBmpSession(f, WriteBmp(dir, "k.bmp", Filled(5, 5, qRgb(0, 0, 0)), BmpDepth::Mono));
    QCOMPARE(f.State().Document.Picture.Width, 5);
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 1), PixelCode::Black);
    QVERIFY(!f.State().Document.SkinMode);
    // The 4 x 4 icon lies wholly inside the 5 x 5 black import.
    QVERIFY(f.form->GetEditor().Skin().At(0).Data == std::vector<std::uint8_t>(16, 0));
  }

  void okDoesNothingBeforeAnImageIsOpened() {
    MainWindowFixture f;
    const Picture before = f.State().Document.Picture;
    bool ok_enabled = true;
    RunBmpSession(f, QString(), std::nullopt, true, [&](TbmpWin& win) {
      ok_enabled = win.findChild<QPushButton*>("BitBtn1")->isEnabled();
    });
    QVERIFY(!ok_enabled);
    QVERIFY(f.State().Document.Picture == before);
    QCOMPARE(f.State().Document.Picture.Width, 96);
  }

  void refusedImageIsReportedAndTheWindowKeepsTheLastOne() {
    MainWindowFixture f;
    QTemporaryDir dir;
    RunBmpSession(f, WriteBmp(dir, "good.bmp", Filled(7, 5, qRgb(0, 0, 0)), BmpDepth::Rgb24), 150,
                  false);
    const Picture before = f.State().Document.Picture;
    // A BMP header declaring 16384 x 16384 pixels of 24 bits, its pixel data
    // missing: refused before decoding.
    const QString path = dir.filePath("hostile.bmp");
    WriteAll(path, QByteArray::fromHex("424D 76000000 00000000 36000000 28000000 00400000 00400000 "
                                       "0100 1800") +
                       QByteArray(24, '\0') + QByteArray(64, '\x55'));

    QSize shown;
    int threshold = 0;
    bool ok_enabled = false;
    bool picture_kept = false;
    RunBmpSession(f, path, std::nullopt, true, [&](TbmpWin& win) {
      shown = win.Bmp1()->Image().size();
      threshold = win.ScrollBar1()->value();
      ok_enabled = win.findChild<QPushButton*>("BitBtn1")->isEnabled();
      picture_kept = f.State().Document.Picture == before;
    });
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Open BMP"));
    QCOMPARE(f.services.messages[0].text,
             QStringLiteral("\"%1\" cannot be read as a BMP image: Image too large (16384 x 16384 "
                            "pixels).")
                 .arg(QDir::toNativeSeparators(path)));
    // The window keeps the earlier image and threshold, and OK imports that one.
    QCOMPARE(shown, QSize(7, 5));
    QCOMPARE(threshold, 150);
    QVERIFY(ok_enabled);
    QVERIFY(picture_kept);
    QCOMPARE(f.State().Document.Picture.Width, 7);
    QCOMPARE(f.State().Document.Picture.Cells.At(7, 5), PixelCode::Black);
  }

  void windowKeepsImageAndThresholdBetweenShowsAndOpenResetsIt() {
    MainWindowFixture f;
    QTemporaryDir dir;
    const QString white = WriteBmp(dir, "w.bmp", Filled(3, 3, qRgb(255, 255, 255)), BmpDepth::Mono);
    RunBmpSession(f, white, 100, false);

    // Shown again without opening a file: OK imports the kept image at 100.
    int kept_threshold = 0;
    RunBmpSession(f, QString(), std::nullopt, true,
                  [&](TbmpWin& win) { kept_threshold = win.ScrollBar1()->value(); });
    QCOMPARE(kept_threshold, 100);
    QCOMPARE(f.State().Document.Picture.Width, 3);
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 3), PixelCode::Gray33);

    // Opening an image sets the threshold back to 64.
    int reset_threshold = 0;
    QRgb preview = 0;
    RunBmpSession(f, white, std::nullopt, true, [&](TbmpWin& win) {
      reset_threshold = win.ScrollBar1()->value();
      preview = win.Bmp2()->Image().pixel(0, 0);
    });
    QCOMPARE(reset_threshold, 64);
    QCOMPARE(preview, ColorRgb(PixelCode::White));
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 3), PixelCode::White);

    const FileDialogRequest& request = f.services.file_requests.first();
    // Every type read first and chosen, then the bitmap entry.
    QCOMPARE(request.filter,
             QStringLiteral("Image files (*.bmp, *.png, *.gif, *.jpg)|*.bmp;*.png;*.gif;*.jpg;"
                            "*.jpeg|Bitmap files (*.bmp)|*.bmp"));
    QCOMPARE(request.filter_index, 0);
    QCOMPARE(request.default_suffix, QStringLiteral("bmp"));
  }

  void optionsStartAtThePlainRuleAndShowTheThreshold() {
    MainWindowFixture f;
    TbmpWin* win = f.form->Files()->BitmapImportWindow();
    QCOMPARE(win->DitherBox()->count(), 5);
    QCOMPARE(win->DitherBox()->currentText(), QStringLiteral("No dithering"));
    QCOMPARE(win->DitherBox()->itemText(1), QStringLiteral("Floyd\u2013Steinberg"));
    QCOMPARE(win->DitherBox()->itemText(4), QStringLiteral("Bayer 8 \u00D7 8"));
    QVERIFY(!win->FitBox()->isChecked());
    QCOMPARE(win->FitBox()->text().remove('&'), QStringLiteral("Fit to 96 \u00D7 92"));
    QCOMPARE(win->KeepTransparencyBox()->text().remove('&'), QStringLiteral("Keep transparency"));
    QCOMPARE(win->ImportFramesBox()->text().remove('&'), QStringLiteral("Import frames"));
    QVERIFY(!win->KeepTransparencyBox()->isEnabled());
    QVERIFY(!win->ImportFramesBox()->isEnabled());
    QLabel* value = win->findChild<QLabel*>("ThresholdValue");
    QCOMPARE(value->text(), QStringLiteral("64"));
    QVERIFY(win->findChild<QLabel*>("DarkerHint")->text().contains(QStringLiteral("darker")));
    win->ScrollBar1()->setValue(150);
    QCOMPARE(value->text(), QStringLiteral("150"));
  }

  void pngWithAlphaKeepsTransparencyAndFitsWhole() {
    MainWindowFixture f;
    QTemporaryDir dir;
    // 200 x 150: a clear left half, opaque black on the right.
    QImage logo(200, 150, QImage::Format_ARGB32);
    logo.fill(qRgba(255, 255, 255, 0));
    for (int y = 0; y < 150; ++y) {
      for (int x = 100; x < 200; ++x) logo.setPixel(x, y, qRgba(0, 0, 0, 255));
    }
    const QString path = dir.filePath("logo.png");
    QVERIFY(logo.save(path, "PNG"));
    bool keep_enabled = false;
    bool keep_checked = false;
    QSize preview;
    RunBmpSession(f, path, std::nullopt, true, [&](TbmpWin& win) {
      keep_enabled = win.KeepTransparencyBox()->isEnabled();
      keep_checked = win.KeepTransparencyBox()->isChecked();
      win.FitBox()->click();
      preview = win.Bmp2()->Image().size();
    });
    QVERIFY(keep_enabled);
    QVERIFY(keep_checked);
    QCOMPARE(preview, QSize(192, 144));
    const Picture& picture = f.State().Document.Picture;
    QCOMPARE(picture.Width, 96);
    QCOMPARE(picture.Height, 72);
    QCOMPARE(picture.Cells.At(1, 1), PixelCode::Transparent);

    // Without it the clear half is laid over white; the fit is kept.
    RunBmpSession(f, path, std::nullopt, true,
                  [&](TbmpWin& win) { win.KeepTransparencyBox()->click(); });
    QCOMPARE(f.State().Document.Picture.Width, 96);
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 1), PixelCode::White);
  }

  void ditheringFollowsTheChoice() {
    MainWindowFixture f;
    QTemporaryDir dir;
    // Gray 160 lies halfway between the shown Gray66 (128) and Gray33 (192).
    const QString path =
        WriteBmp(dir, "half.bmp", Filled(4, 4, qRgb(160, 160, 160)), BmpDepth::Rgb24);
    RunBmpSession(f, path, 64, true,
                  [&](TbmpWin& win) { win.DitherBox()->setCurrentIndex(3); });  // Bayer 4 x 4
    // Without dithering both would be Gray66.
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 1), PixelCode::Gray66);
    QCOMPARE(f.State().Document.Picture.Cells.At(2, 1), PixelCode::Gray33);
  }

  void paneShowsThePartTakenAndItsFrameMoves() {
    MainWindowFixture f;
    QTemporaryDir dir;
    const QString path =
        WriteBmp(dir, "wide.bmp", Filled(300, 200, qRgb(90, 90, 90)), BmpDepth::Rgb24);
    RunBmpSession(f, path, std::nullopt, true, [&](TbmpWin& win) {
      ImageBox* pane = win.Bmp1();
      // Cut: the image at full scale, the frame on the part taken.
      QCOMPARE(pane->Image().size(), QSize(300, 200));
      QCOMPARE(pane->Frame(), QRect(0, 0, 96, 92));
      // Taken at (10, 10) and dragged by (50, 20); then Shift+Left, ten back.
      SendMouse(pane, QEvent::MouseButtonPress, QPoint(10, 10));
      SendMouse(pane, QEvent::MouseMove, QPoint(60, 30));
      QCOMPARE(pane->Frame(), QRect(50, 20, 96, 92));
      QTest::keyClick(pane, Qt::Key_Left, Qt::ShiftModifier);
      QCOMPARE(win.Import().PartTaken(), (ImagePart{40, 20, 96, 92}));
      QCOMPARE(pane->Frame(), QRect(40, 20, 96, 92));
      // Fitted: the whole image within the pane, no frame; filled: the
      // middle 209 x 200, scaled as the pane is.
      QVERIFY(!win.FillBox()->isEnabled());
      win.FitBox()->click();
      QCOMPARE(pane->Image().size(), QSize(273, 182));
      QVERIFY(pane->Frame().isEmpty());
      win.FillBox()->click();
      QCOMPARE(win.Import().PartTaken(), (ImagePart{45, 0, 209, 200}));
      QCOMPARE(pane->Frame(), QRect(41, 0, 190, 182));
    });
    QCOMPARE(f.State().Document.Picture.Width, 96);
    QCOMPARE(f.State().Document.Picture.Height, 92);
  }

  void choicesAreRememberedAcrossRuns() {
    QTemporaryDir dir;
    // Settings only in this test's folder, under a name of its own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
    QCoreApplication::setOrganizationName(QStringLiteral("PictavoTest"));
    const auto forget = qScopeGuard([] { QCoreApplication::setOrganizationName(QString()); });
    QImage logo(120, 100, QImage::Format_ARGB32);
    logo.fill(qRgba(0, 0, 0, 0));
    const QString path = dir.filePath("logo.png");
    QVERIFY(logo.save(path, "PNG"));
    {
      MainWindowFixture f;
      TbmpWin* first = f.form->Files()->BitmapImportWindow();
      QCOMPARE(first->DitherBox()->currentIndex(), 0);
      QVERIFY(!first->FitBox()->isChecked());
      QCOMPARE(first->LevelsEdit()->text(), QStringLiteral("0,128,192,255"));
      RunBmpSession(f, path, std::nullopt, false, [&](TbmpWin& win) {
        QVERIFY(win.KeepTransparencyBox()->isChecked());
        win.KeepTransparencyBox()->click();
        win.DitherBox()->setCurrentIndex(2);
        win.FitBox()->click();
        win.FillBox()->click();
        win.LevelsEdit()->setText(QStringLiteral("0,85,170,255"));
        QTest::keyClick(win.LevelsEdit(), Qt::Key_Return);
      });
    }
    MainWindowFixture f;
    bool keep = true;
    RunBmpSession(f, QString(), std::nullopt, false, [&](TbmpWin& win) {
      QCOMPARE(win.DitherBox()->currentIndex(), 2);
      QVERIFY(win.FitBox()->isChecked() && win.FillBox()->isChecked());
      QCOMPARE(win.LevelsEdit()->text(), QStringLiteral("0,85,170,255"));
      QVERIFY(win.Import().Fill());
      QCOMPARE(win.Import().Levels(), (GrayLevels{0, 85, 170, 255}));
      f.services.file_answers << path;
      win.findChild<QPushButton*>("BitBtn3")->click();
      keep = win.KeepTransparencyBox()->isChecked();
    });
    QVERIFY(!keep);
    // The dialog opens in the folder of the last image.
    QCOMPARE(f.services.file_requests.first().file_name, dir.path() + QLatin1Char('/'));
  }

  void wrongDeviceGraysAreRefusedWithAMessage() {
    MainWindowFixture f;
    RunBmpSession(f, QString(), std::nullopt, false, [&](TbmpWin& win) {
      win.LevelsEdit()->setText(QStringLiteral("0,200,100,255"));
      QTest::keyClick(win.LevelsEdit(), Qt::Key_Return);
      QCOMPARE(win.LevelsEdit()->text(), QStringLiteral("0,128,192,255"));
    });
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages.first().text.contains(
        QStringLiteral("\"0,200,100,255\" are not four rising grays from 0 to 255")));
  }

  void animatedGifFramesBecomeSubIconsInSkinMode() {
    MainWindowFixture f;
    const QString path = QFile::decodeName(qgetenv("PICTAVO_TEST_DATA")) +
                         QStringLiteral("/images/valid_animated.gif");
    // Outside skin mode only the first frame is there to import.
    bool frames_enabled = true;
    RunBmpSession(f, path, std::nullopt, true,
                  [&](TbmpWin& win) { frames_enabled = win.ImportFramesBox()->isEnabled(); });
    QVERIFY(!frames_enabled);
    QCOMPARE(f.State().Document.Picture.Width, 5);
    QCOMPARE(f.State().Document.Picture.Cells.At(1, 1), PixelCode::Gray66);  // red: gray 85

    EnterSkinMode(f);  // one 4 x 4 icon at 4 bpp
    EditorTestDoor::PushUndo(f.form->GetEditor());
    RunBmpSession(f, QString(), std::nullopt, true, [&](TbmpWin& win) {
      // Showing the window, as exec() does, looks at the mode again.
      win.show();
      frames_enabled = win.ImportFramesBox()->isEnabled();
      win.ImportFramesBox()->click();
    });
    QVERIFY(frames_enabled);
    // The skin stays open on the imported frames; a plain import ends it.
    QVERIFY(f.State().Document.SkinMode);
    const TSkinIcon& icon = f.form->GetEditor().Skin().At(0);
    QCOMPARE(icon.SubIcons, 3);
    QCOMPARE(icon.Width, 4);
    // Red, blue, white, one frame to a sub-icon in order.
    const std::uint8_t codes[] = {1, 1, 3};
    for (int s = 0; s < 3; ++s) QCOMPARE(int(icon.Data[icon.DataIndex(s, 3, 2)]), int(codes[s]));
    QCOMPARE(f.State().Document.Undo.Count(), 0);
    QVERIFY(f.services.messages.isEmpty());
  }

  void framesBeyondTheSkinsRoomAreRefusedWithAMessage() {
    MainWindowFixture f;
    const QString path = QFile::decodeName(qgetenv("PICTAVO_TEST_DATA")) +
                         QStringLiteral("/images/valid_animated.gif");
    // 96 x 92 icons at 8 bpp take 8832 bytes a sub-icon: beside one such
    // icon the skin has room for two more sub-icons, not the three frames.
    TSkinIcon big;
    big.BPP = 8;
    big.Width = 96;
    big.Height = 92;
    big.Data.assign(96 * 92, 3);
    EditorTestDoor::MutableSkin(f.form->GetEditor()).Append(big);
    EditorTestDoor::MutableSkin(f.form->GetEditor()).Append(big);
    f.State().Document.SkinMode = true;
    f.State().Document.CurrentIconIndex = 1;
    f.State().Document.CurrentSubIconIndex = 0;
    const Skin before = f.form->GetEditor().Skin();
    bool still_open = false;
    RunBmpSession(f, path, std::nullopt, false, [&](TbmpWin& win) {
      win.ImportFramesBox()->click();
      win.findChild<QPushButton*>("BitBtn1")->click();
      still_open = win.result() != QDialog::Accepted;
    });
    QVERIFY(still_open);
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Import frames"));
    QCOMPARE(f.services.messages[0].text,
             QStringLiteral("The 3 frames of \"%1\" do not fit into the skin: it has room for 2 "
                            "sub-icons of this icon.\nNothing was imported.")
                 .arg(QDir::toNativeSeparators(path)));
    QVERIFY(f.form->GetEditor().Skin() == before);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    PictureFileCommandsTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  {
    BitmapImportTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  return status;
}

#include "files_test.moc"
