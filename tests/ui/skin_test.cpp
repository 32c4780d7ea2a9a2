#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/editing/icon_commands.h"
#include "core/formats/skin_file.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/dialogs/add_icon_dialog.h"
#include "ui/skin/skin_commands.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/icon_preview.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

constexpr auto kBlack = static_cast<std::uint8_t>(PixelCode::Black);
constexpr auto kGray66 = static_cast<std::uint8_t>(PixelCode::Gray66);
constexpr auto kGray33 = static_cast<std::uint8_t>(PixelCode::Gray33);
constexpr auto kWhite = static_cast<std::uint8_t>(PixelCode::White);
constexpr auto kTransparent = static_cast<std::uint8_t>(PixelCode::Transparent);

// An icon whose pixels differ from pixel to pixel and from sub-icon to
// sub-icon, using only codes its depth keeps through a save and a load.
TSkinIcon MakeIcon(int id, int sub_icons, int bpp, int width, int height) {
  TSkinIcon icon{id, sub_icons, bpp, width, height, {}};
  const std::uint8_t one_bit[] = {kBlack, kWhite};
  for (std::size_t k = 0; k < icon.ExpectedDataSize(); ++k) {
    const std::size_t v = k * 7 / 3 + static_cast<std::size_t>(id);
    icon.Data.push_back(bpp == 1   ? one_bit[v % 2]
                        : bpp == 2 ? static_cast<std::uint8_t>(v % 4)
                                   : static_cast<std::uint8_t>(v % 5));
  }
  return icon;
}

// Three icons of mixed depths, with sub-icons: listed 0x0A, 0xAB, 0x05.
Skin SampleSkin() {
  Skin skin;
  skin.Append(MakeIcon(0x0A, 2, 4, 6, 4));
  skin.Append(MakeIcon(0xAB, 3, 2, 4, 4));
  skin.Append(MakeIcon(0x05, 1, 1, 8, 3));
  return skin;
}

QByteArray Bytes(const std::vector<std::uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

std::span<const std::uint8_t> Span(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
          static_cast<std::size_t>(bytes.size())};
}

QString WriteFile(const QTemporaryDir& dir, const QString& file_name, const QByteArray& bytes) {
  const QString path = dir.filePath(file_name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
  return path;
}

QByteArray SkinFileBytes(const Skin& skin, std::string_view name) {
  auto bytes = WriteSkinFile(skin, name);
  return bytes ? Bytes(*bytes) : QByteArray();
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

// The Picture's top-left width x height cells, row-major, as icon entries.
std::vector<std::uint8_t> PictureEntries(const EditorState& state) {
  std::vector<std::uint8_t> entries;
  for (int y = 1; y <= state.Document.Picture.Height; ++y) {
    for (int x = 1; x <= state.Document.Picture.Width; ++x) {
      entries.push_back(static_cast<std::uint8_t>(state.Document.Picture.Cells.At(x, y)));
    }
  }
  return entries;
}

std::vector<std::uint8_t> SubIconEntries(const TSkinIcon& icon, int s) {
  const auto first = icon.Data.begin() + static_cast<std::ptrdiff_t>(icon.DataIndex(s, 0, 0));
  return {first, first + static_cast<std::ptrdiff_t>(icon.PixelsPerSubIcon())};
}

QColor ColorOfCode(std::uint8_t code) {
  const Rgb rgb = CodeColors[code];
  return QColor(rgb.r, rgb.g, rgb.b);
}

// A main window with the skin commands at hand.
struct SkinFixture : MainWindowFixture {
  SkinCommands& Skins() const { return *form->Skins(); }
  Editor& GetEditor() const { return form->GetEditor(); }
  QComboBox* Combo() const { return form->findChild<QComboBox*>("ComboBox1"); }
  QListWidget* List() const { return form->findChild<QListWidget*>("ListBox1"); }
  QString Box(const char* name) const {
    return form->findChild<QLineEdit*>(QLatin1String(name))->text();
  }
  bool Visible(const char* name) const {
    return form->findChild<QWidget*>(QLatin1String(name))->isVisible();
  }
  const TSkinIcon& Icon(int i) const { return GetEditor().Skin().At(i); }

  void Open(const QString& path) {
    services.file_answers << path;
    Action("OpenSkin1")->trigger();
  }
  // Opens a skin written by the core writer.
  void OpenSkin(const Skin& skin, std::string_view name = "skin") {
    Open(WriteFile(dir, QStringLiteral("open%1.skin").arg(++files), SkinFileBytes(skin, name)));
  }
  void Save(const QString& path) {
    services.file_answers << path;
    Action("SaveSkin1")->trigger();
  }
  // The Add Icon dialog, driven by `drive`; returns what the handler returns.
  void AddIcon(std::function<int(TAddIconForm&)> drive) {
    services.dialog_handler = [drive](QDialog& dialog) {
      return drive(static_cast<TAddIconForm&>(dialog));
    };
    Button("SpeedButton48")->click();
    services.dialog_handler = nullptr;
  }
  void DrawSomething() {
    Click(form->Canvas(), Qt::LeftButton, CellCentre(1, 1));
    QVERIFY(State().Document.Undo.Count() > 0);
  }

  QTemporaryDir dir;
  int files = 0;
};

int ClickOk(TAddIconForm& dialog, const QString& id) {
  dialog.findChild<QLineEdit*>("Edit1")->setText(id);
  dialog.findChild<QPushButton*>("Button1")->click();
  return dialog.result();
}

void ClickArrow(TAddIconForm& dialog, const char* name, int times = 1) {
  for (int i = 0; i < times; ++i) dialog.findChild<QToolButton*>(QLatin1String(name))->click();
}

}  // namespace

class SkinTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- Open Skin ----------------------------------------------------------------------

  void openSkinLoadsIconZeroAndListsTheIcons() {
    SkinFixture f;
    f.DrawSomething();
    const Skin skin = SampleSkin();
    f.OpenSkin(skin, "buttons16chars!!");
    QCOMPARE(f.services.file_requests.size(), 1);
    const FileDialogRequest& request = f.services.file_requests[0];
    QCOMPARE(request.filter, QStringLiteral("(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin"));
    QCOMPARE(request.filter_index, 1);
    QCOMPARE(request.default_suffix, QStringLiteral("skin"));
    QVERIFY(f.services.messages.isEmpty());

    QVERIFY(f.State().Document.SkinMode);
    QCOMPARE(f.State().Document.CurrentIconIndex, 0);
    QCOMPARE(f.State().Document.CurrentSubIconIndex, 0);
    QCOMPARE(f.State().Document.Picture.Width, 6);
    QCOMPARE(f.State().Document.Picture.Height, 4);
    QVERIFY(PictureEntries(f.State()) == SubIconEntries(skin.At(0), 0));
    QVERIFY(f.GetEditor().Skin() == skin);
    QCOMPARE(f.State().Document.Undo.Count(), 0);
    QCOMPARE(f.Box("WID"), QStringLiteral("6"));
    QCOMPARE(f.Box("HEIG"), QStringLiteral("4"));
    QCOMPARE(f.Box("IconBPPEdit"), QStringLiteral("4"));
    QCOMPARE(f.Box("CurrentIconEdit"), QStringLiteral("1"));
    const QStringList labels{"0x0A", "0xAB", "0x05"};
    QCOMPARE(Items(f.Combo()), labels);
    QCOMPARE(Items(f.List()), labels);
    QCOMPARE(f.Combo()->currentIndex(), 0);
    QCOMPARE(f.List()->currentRow(), 0);
    for (const char* panel : {"Panel3", "GroupBox1", "GroupBox2", "Image3"}) {
      QVERIFY2(f.Visible(panel), panel);
    }
    QVERIFY(!f.Visible("Panel6"));
    // A 16-character name fills its field without a terminator and comes back whole.
    QCOMPARE(f.form->PictureName(), QByteArray("buttons16chars!!"));
  }

  // A file that fails to open changes nothing: not the skin, its lists, the
  // mode, nor the name (it used to take the name field of the damaged file).
  void refusedFilesChangeNothingAndAreNamed() {
    const QByteArray good = SkinFileBytes(SampleSkin(), "broken");
    QByteArray short_length = good;
    short_length[24] = 5;  // the stream is longer than its head says
    short_length[25] = short_length[26] = short_length[27] = 0;
    const std::pair<const char*, QByteArray> damaged[] = {
        {"trailing byte", good + QByteArray(1, '\0')},
        {"cut off", good.left(good.size() - 3)},
        {"stream longer than its head", short_length},
        {"shorter than the head", good.left(20)},
        {"empty", QByteArray()},
    };
    for (const auto& [what, bytes] : damaged) {
      SkinFixture f;
      Skin previous;
      previous.Append(MakeIcon(0x33, 1, 4, 2, 2));
      f.OpenSkin(previous, "previous");
      QVERIFY(f.State().Document.SkinMode);
      const QString path = WriteFile(f.dir, QStringLiteral("damaged.skin"), bytes);
      QVERIFY(!path.isEmpty());
      f.Open(path);
      QCOMPARE(f.services.messages.size(), 1);
      const QStringList lines = f.services.messages[0].text.split(QLatin1Char('\n'));
      QCOMPARE(lines.size(), 2);
      QCOMPARE(lines[0], QStringLiteral("Decompression Error!"));
      QVERIFY2(lines[1].startsWith(QStringLiteral("\"%1\" cannot be read as a skin file: ")
                                       .arg(QDir::toNativeSeparators(path))),
               qPrintable(lines[1]));
      QCOMPARE(f.services.messages[0].title, QStringLiteral("Skin Loading Error!"));
      QVERIFY2(f.State().Document.SkinMode, what);
      QVERIFY2(f.Visible("Panel3") && f.Visible("GroupBox2"), what);
      QVERIFY2(f.GetEditor().Skin() == previous, what);
      QCOMPARE(Items(f.Combo()), QStringList{"0x33"});
      QCOMPARE(Items(f.List()), QStringList{"0x33"});
      QCOMPARE(f.form->PictureName(), QByteArray("previous"));
    }
  }

  void aFileThatCannotBeReadIsNamedAndChangesNothing() {
    SkinFixture f;
    f.form->SetPictureName("mine");
    const QString path = f.dir.filePath(QStringLiteral("nowhere.skin"));
    f.Open(path);
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages[0].text.contains(QDir::toNativeSeparators(path)));
    QVERIFY(f.services.messages[0].text.contains(QStringLiteral("No such file")));
    QCOMPARE(f.form->PictureName(), QByteArray("mine"));
    QVERIFY(!f.State().Document.SkinMode);
    QCOMPARE(f.GetEditor().Skin().Count(), 0);
    // Cancelling the dialog does nothing at all.
    f.Action("OpenSkin1")->trigger();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.file_requests.size(), 2);
    QCOMPARE(f.services.file_requests[1].file_name, path);
  }

  void aSkinWithoutIconsEmptiesTheListsAndEveryButtonIsHarmless() {
    SkinFixture f;
    f.OpenSkin(SampleSkin());
    f.OpenSkin(Skin{}, "empty");
    QVERIFY(f.State().Document.SkinMode);
    QVERIFY(f.Visible("Panel3"));
    QCOMPARE(f.GetEditor().Skin().Count(), 0);
    QVERIFY(Items(f.Combo()).isEmpty());
    QVERIFY(Items(f.List()).isEmpty());
    const Picture before = f.State().Document.Picture;
    for (const char* name :
         {"SpeedButton45", "SpeedButton44", "SpeedButton46", "SpeedButton47", "SpeedButton49",
          "SpeedButton50", "SpeedButton51", "SpeedButton52", "SpeedButton53", "SpeedButton48"}) {
      f.Button(name)->click();
    }
    Click(f.form->findChild<IconPreview*>("Image3"), Qt::LeftButton, QPoint(3, 3));
    f.form->findChild<IconPreview*>("Image3")->grab();
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 2));
    QCOMPARE(f.GetEditor().Skin().Count(), 0);
    QVERIFY(f.services.messages.isEmpty());
    QVERIFY(Items(f.Combo()).isEmpty());
    QCOMPARE(f.State().Document.Picture.Width, before.Width);
  }

  // ---- icon bar -------------------------------------------------------------------------

  void choosingAnIconInEitherListLoadsIt() {
    SkinFixture f;
    const Skin skin = SampleSkin();
    f.OpenSkin(skin);
    f.DrawSomething();
    f.Combo()->setCurrentIndex(2);
    QCOMPARE(f.State().Document.CurrentIconIndex, 2);
    QCOMPARE(f.List()->currentRow(), 2);
    QCOMPARE(f.State().Document.Picture.Width, 8);
    QCOMPARE(f.State().Document.Picture.Height, 3);
    QVERIFY(PictureEntries(f.State()) == SubIconEntries(skin.At(2), 0));
    QCOMPARE(f.Box("IconBPPEdit"), QStringLiteral("1"));
    QCOMPARE(f.State().Document.Undo.Count(), 0);

    f.List()->setCurrentRow(1);
    QCOMPARE(f.State().Document.CurrentIconIndex, 1);
    QCOMPARE(f.Combo()->currentIndex(), 1);
    QVERIFY(PictureEntries(f.State()) == SubIconEntries(skin.At(1), 0));

    // No item chosen (as after typing into the box): nothing happens.
    f.Combo()->setCurrentIndex(-1);
    QCOMPARE(f.State().Document.CurrentIconIndex, 1);
    QVERIFY(PictureEntries(f.State()) == SubIconEntries(skin.At(1), 0));
  }

  void bppArrowsChangeTheDepthOrRefuseWithAMessage() {
    SkinFixture f;
    Skin skin;
    skin.Append(MakeIcon(1, 2, 4, 3, 3));
    skin.Append(TSkinIcon{2, 1, 4, 4, 4, std::vector<std::uint8_t>(16, kTransparent)});
    f.OpenSkin(skin);
    const std::vector<std::uint8_t> three_by_three = f.Icon(0).Data;

    f.Button("SpeedButton44")->click();
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].text,
             QStringLiteral("Cannot convert this icon...\nWidth * Height * BPP must divide by "
                            "8.Change icon dimentions first."));
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Invalid icon parameters!"));
    QCOMPARE(f.Icon(0).BPP, 4);
    QVERIFY(f.Icon(0).Data == three_by_three);
    QCOMPARE(f.Box("IconBPPEdit"), QStringLiteral("4"));

    // Lowered, Transparent takes the right colour, in the icon and on the canvas.
    f.Combo()->setCurrentIndex(1);
    f.GetEditor().SetRightColor(PixelCode::Gray66);
    f.Button("SpeedButton44")->click();
    QCOMPARE(f.Icon(1).BPP, 2);
    QCOMPARE(f.Box("IconBPPEdit"), QStringLiteral("2"));
    QVERIFY(f.Icon(1).Data == std::vector<std::uint8_t>(16, kGray66));
    QVERIFY(PictureEntries(f.State()) == f.Icon(1).Data);
    f.Button("SpeedButton45")->click();
    QCOMPARE(f.Icon(1).BPP, 4);
    QCOMPARE(f.Box("IconBPPEdit"), QStringLiteral("4"));
    QCOMPARE(f.services.messages.size(), 1);
  }

  void subIconButtonsStepAddAndDelete() {
    SkinFixture f;
    const Skin skin = SampleSkin();
    f.OpenSkin(skin);
    f.Combo()->setCurrentIndex(1);  // 0xAB, 3 sub-icons
    f.Button("SpeedButton46")->click();
    QCOMPARE(f.State().Document.CurrentSubIconIndex, 1);
    QCOMPARE(f.Box("CurrentIconEdit"), QStringLiteral("2"));
    QVERIFY(PictureEntries(f.State()) == SubIconEntries(skin.At(1), 1));
    f.Button("SpeedButton47")->click();
    QCOMPARE(f.State().Document.CurrentSubIconIndex, 0);
    QCOMPARE(f.Box("CurrentIconEdit"), QStringLiteral("1"));

    f.Button("SpeedButton50")->click();  // a copy of sub-icon 0 after it
    QCOMPARE(f.Icon(1).SubIcons, 4);
    QCOMPARE(f.Box("CurrentIconEdit"), QStringLiteral("2"));
    f.Button("SpeedButton51")->click();
    QCOMPARE(f.Icon(1).SubIcons, 3);
    QCOMPARE(f.Combo()->currentIndex(), 1);
  }

  void addAndDeleteIconsKeepTheListsInSkinOrder() {
    SkinFixture f;
    f.OpenSkin(SampleSkin());
    f.AddIcon([](TAddIconForm& dialog) { return ClickOk(dialog, "0x10"); });
    QCOMPARE(f.services.shown_dialogs, QStringList{"TAddIconForm"});
    const QStringList added{"0x0A", "0x10", "0xAB", "0x05"};
    QCOMPARE(Items(f.Combo()), added);
    QCOMPARE(Items(f.List()), added);
    QCOMPARE(f.State().Document.CurrentIconIndex, 1);
    QCOMPARE(f.Combo()->currentIndex(), 1);
    QCOMPARE(f.List()->currentRow(), 1);
    QCOMPARE(f.Icon(1).IconID, 0x10);
    QCOMPARE(f.State().Document.Picture.Width, 4);

    f.Button("SpeedButton49")->click();  // the one that followed becomes current
    QCOMPARE(Items(f.Combo()), (QStringList{"0x0A", "0xAB", "0x05"}));
    QCOMPARE(Items(f.List()), (QStringList{"0x0A", "0xAB", "0x05"}));
    QCOMPARE(f.Combo()->currentIndex(), 1);
    QCOMPARE(f.List()->currentRow(), 1);
    QCOMPARE(f.Box("IconBPPEdit"), QStringLiteral("2"));
  }

  // ---- preview ---------------------------------------------------------------------------

  void previewShowsTheSubIconsAndAReleaseChoosesOne() {
    SkinFixture f;
    Skin skin;
    TSkinIcon icon{9, 35, 4, 10, 10, {}};
    for (int s = 0; s < 35; ++s) {
      icon.Data.insert(icon.Data.end(), 100, static_cast<std::uint8_t>(s % 4));
    }
    skin.Append(icon);
    f.OpenSkin(skin);
    IconPreview* preview = f.form->findChild<IconPreview*>("Image3");
    preview->setFixedHeight(415);
    QApplication::processEvents();
    QCOMPARE(preview->height(), 415);
    // 415 / 12 = 34 sub-icons to a column: sub-icon 34 at (12, 0), on the
    // face of a button.
    const QImage shown = preview->grab().toImage();
    QCOMPARE(shown.pixelColor(12, 0), ColorOfCode(34 % 4));
    QCOMPARE(shown.pixelColor(10, 5), preview->palette().color(QPalette::Button));

    f.DrawSomething();
    Click(preview, Qt::LeftButton, QPoint(5, 30));
    QCOMPARE(f.State().Document.CurrentSubIconIndex, 2);
    QCOMPARE(f.Box("CurrentIconEdit"), QStringLiteral("3"));
    QVERIFY(PictureEntries(f.State()) == std::vector<std::uint8_t>(100, 2));
    Click(preview, Qt::RightButton, QPoint(11, 5));
    QCOMPARE(f.State().Document.CurrentSubIconIndex, 34);
    // A release outside the box chooses nothing, wherever the press was.
    Release(preview, Qt::LeftButton, QPoint(-3, 40));
    QCOMPARE(f.State().Document.CurrentSubIconIndex, 34);

    f.Button("SpeedButton52")->click();  // two preview pixels per icon pixel
    QCOMPARE(f.State().View.PreviewScale, 2);
    QCOMPARE(preview->grab().toImage().pixelColor(1, 25), ColorOfCode(1));
    f.Button("SpeedButton53")->click();
    QCOMPARE(f.State().View.PreviewScale, 1);

    // At four preview pixels a column holds 8 of the 35: the box widens to
    // show all 5 columns of 48 pixels.
    for (int i = 0; i < 3; ++i) f.Button("SpeedButton52")->click();
    QApplication::processEvents();
    QVERIFY(preview->width() >= 5 * 48);
  }

  void drawingInSkinModeWritesStraightIntoTheIcon() {
    SkinFixture f;
    f.OpenSkin(SampleSkin());
    QVERIFY(f.Icon(0).Data[f.Icon(0).DataIndex(0, 1, 0)] != kBlack);
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(2, 1));
    QCOMPARE(f.Icon(0).Data[f.Icon(0).DataIndex(0, 1, 0)], kBlack);
    QCOMPARE(f.form->findChild<IconPreview*>("Image3")->grab().toImage().pixelColor(1, 0),
             ColorOfCode(kBlack));
  }

  // ---- Add Icon dialog -----------------------------------------------------------------

  void addIconDialogHasItsControls() {
    SkinFixture f;
    TAddIconForm* dialog = f.Skins().AddIconDialog();
    QCOMPARE(f.form->CreationOrder().last(), QStringLiteral("TAddIconForm"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Add Icon"));
    QCOMPARE(dialog->size(), QSize(405, 147));
    const std::pair<const char*, const char*> labels[] = {
        {"Label9", "Icon ID:"},   {"Label1", "(must be valid integer value 1..254)"},
        {"Label2", "Size:"},      {"Label3", "Width :"},
        {"Label4", "Height :"},   {"Label10", "Icon BPP:"},
        {"Label11", "SubIcons:"},
    };
    for (const auto& [name, text] : labels) {
      QLabel* label = dialog->findChild<QLabel*>(QLatin1String(name));
      QVERIFY2(label != nullptr, name);
      QCOMPARE(label->text(), QString::fromLatin1(text));
    }
    QCOMPARE(dialog->findChild<QPushButton*>("Button1")->text(), QStringLiteral("Ok"));
    QCOMPARE(dialog->findChild<QPushButton*>("Button2")->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog->findChild<QLineEdit*>("Edit1")->width(), 43);
    for (const char* box : {"WID", "HEIG", "IconBPPEdit", "CurrentIconEdit"}) {
      QVERIFY2(dialog->findChild<QLineEdit*>(QLatin1String(box))->isReadOnly(), box);
    }
    for (const char* arrow : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4",
                              "SpeedButton44", "SpeedButton45", "SpeedButton46", "SpeedButton47"}) {
      QCOMPARE(dialog->findChild<QToolButton*>(QLatin1String(arrow))->size(), QSize(16, 16));
    }
  }

  void addIconDialogChecksTheIdFirstThenThePacking() {
    SkinFixture f;
    f.OpenSkin(SampleSkin());
    QStringList shown;
    auto boxes = [](TAddIconForm& dialog) {
      QStringList values;
      for (const char* name : {"Edit1", "WID", "HEIG", "IconBPPEdit", "CurrentIconEdit"}) {
        values << dialog.findChild<QLineEdit*>(QLatin1String(name))->text();
      }
      return values;
    };
    f.AddIcon([&](TAddIconForm& dialog) {
      shown = boxes(dialog);
      dialog.findChild<QPushButton*>("Button1")->click();
      return dialog.result();
    });
    QCOMPARE(shown, (QStringList{"0", "4", "4", "4", "1"}));
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.messages[0].text, QStringLiteral("Invalid icon ID"));
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Invalid icon parameters!"));
    QCOMPARE(f.GetEditor().Skin().Count(), 3);

    // 3 x 3 with a bad ID: only the ID is reported; with a good one, the packing.
    f.AddIcon([&](TAddIconForm& dialog) {
      ClickArrow(dialog, "SpeedButton4");
      ClickArrow(dialog, "SpeedButton1");
      shown = boxes(dialog);
      return ClickOk(dialog, "$FE");
    });
    QCOMPARE(shown, (QStringList{"0", "3", "3", "4", "1"}));
    QCOMPARE(f.services.messages.size(), 2);
    QCOMPARE(f.services.messages[1].text, QStringLiteral("Width * Height * BPP must divide by 8."));
    QCOMPARE(f.services.messages[1].title, QStringLiteral("Invalid icon parameters!"));
    QCOMPARE(f.GetEditor().Skin().Count(), 3);

    // Cancel after changes adds nothing; the next opening shows the changes.
    f.AddIcon([&](TAddIconForm& dialog) {
      shown = boxes(dialog);
      ClickArrow(dialog, "SpeedButton2", 5);   // width 8
      ClickArrow(dialog, "SpeedButton3", 5);   // height 8
      ClickArrow(dialog, "SpeedButton44");     // 2 bpp
      ClickArrow(dialog, "SpeedButton46", 2);  // 3 sub-icons
      ClickArrow(dialog, "SpeedButton47");     // 2 sub-icons
      dialog.findChild<QPushButton*>("Button2")->click();
      return dialog.result();
    });
    QCOMPARE(shown, (QStringList{"$FE", "3", "3", "4", "1"}));
    QCOMPARE(f.GetEditor().Skin().Count(), 3);
    f.AddIcon([&](TAddIconForm& dialog) {
      shown = boxes(dialog);
      return ClickOk(dialog, "0xFE");
    });
    QCOMPARE(shown, (QStringList{"$FE", "8", "8", "2", "2"}));
    QCOMPARE(f.services.messages.size(), 2);
    QCOMPARE(f.Icon(1).IconID, 254);
    QCOMPARE(f.Icon(1).SubIcons, 2);
    QCOMPARE(f.Icon(1).Width, 8);
    QCOMPARE(f.Icon(1).BPP, 2);
    QCOMPARE(Items(f.List()), (QStringList{"0x0A", "0xFE", "0xAB", "0x05"}));
  }

  void addIconDialogTakesEnterAsOkAndEscapeAsCancel() {
    SkinFixture f;
    f.OpenSkin(SampleSkin());
    f.AddIcon([](TAddIconForm& dialog) {
      dialog.show();
      QTest::keyClick(&dialog, Qt::Key_Escape);
      return dialog.result();
    });
    QCOMPARE(f.GetEditor().Skin().Count(), 3);
    f.AddIcon([](TAddIconForm& dialog) {
      dialog.show();
      auto* edit = dialog.findChild<QLineEdit*>("Edit1");
      edit->setText("42");
      QTest::keyClick(edit, Qt::Key_Return);
      return dialog.result();
    });
    QCOMPARE(f.GetEditor().Skin().Count(), 4);
    QCOMPARE(f.Icon(1).IconID, 42);
    QVERIFY(!f.Skins().AddIconDialog()->isVisible());
    // An opening refused after an accepted one adds nothing.
    f.AddIcon([](TAddIconForm& dialog) { return ClickOk(dialog, "0"); });
    QCOMPARE(f.GetEditor().Skin().Count(), 4);
  }

  // ---- Save Skin -------------------------------------------------------------------------

  void saveWritesWhatTheReaderReadsBack() {
    SkinFixture f;
    f.OpenSkin(SampleSkin(), "round");
    Click(f.form->Canvas(), Qt::LeftButton, f.CellCentre(1, 1));
    const QString path = f.dir.filePath(QStringLiteral("saved.skin"));
    const int requests = f.services.file_requests.size();
    f.Save(path);
    QVERIFY(f.services.messages.isEmpty());
    const FileDialogRequest& request = f.services.file_requests[requests];
    QCOMPARE(request.filter, QStringLiteral("(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin"));
    QCOMPARE(request.filter_index, 1);
    QCOMPARE(request.default_suffix, QStringLiteral("skin"));
    // The skin's name, beside the file it came from.
    const QString offered = f.dir.filePath(QStringLiteral("round"));
    QCOMPARE(request.file_name, offered);
    const QByteArray written = ReadAll(path);
    const SkinFileRead read = ReadSkinFile(Span(written));
    QCOMPARE(QByteArray::fromStdString(read.name), QByteArray("round"));
    QVERIFY(read.skin.has_value());
    QVERIFY(*read.skin == f.GetEditor().Skin());
    QCOMPARE(read.skin->At(0).Data[0], kBlack);

    // Out of skin mode the icons held are still saved; the dialog offers
    // the name beside the last file saved.
    f.Action("NewPicture1")->trigger();
    QVERIFY(!f.State().Document.SkinMode);
    const QString again = f.dir.filePath(QStringLiteral("again.skin"));
    f.Save(again);
    QCOMPARE(f.services.file_requests.last().file_name, offered);
    QCOMPARE(ReadAll(again), written);
    // Cancelled: nothing written, nothing said.
    f.Save(QString());
    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files).size(), 3);
  }

  void aSkinTooLargeToSaveIsReportedBeforeTheDialog() {
    SkinFixture f;
    Skin skin;
    skin.Append(TSkinIcon{1, 3, 8, 96, 92, std::vector<std::uint8_t>(3 * 96 * 92, kGray33)});
    f.OpenSkin(skin);
    f.Button("SpeedButton50")->click();  // 4 x 8832 + 6 = 35334 bytes of stream
    const int requests = f.services.file_requests.size();
    f.Save(f.dir.filePath(QStringLiteral("big.skin")));
    QCOMPARE(f.services.file_requests.size(), requests);
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages[0].text.contains(QStringLiteral("too large")));
    QVERIFY(f.services.messages[0].text.contains(QStringLiteral("892 bytes more")));
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Skin Saving Error!"));
    QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("big.skin"))));
  }

  void saveIntoAMissingFolderNamesTheFile() {
    SkinFixture f;
    f.OpenSkin(SampleSkin());
    const QString path = f.dir.filePath(QStringLiteral("missing/out.skin"));
    f.Save(path);
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(f.services.messages[0].text.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(f.services.messages[0].title, QStringLiteral("Skin Saving Error!"));
    QVERIFY(!QFile::exists(path));
  }
};

QTEST_MAIN(SkinTest)
#include "skin_test.moc"
