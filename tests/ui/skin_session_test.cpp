// Skin editing in the window: what the canvas shows is what a save keeps,
// undo of a size change, New Skin, the stream budget, frame playback and the
// keyboard in the Add Icon dialog.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "core/formats/skin_file.h"
#include "support/main_window_fixture.h"
#include "support/mouse.h"
#include "ui/dialogs/add_icon_dialog.h"
#include "ui/dialogs/set_size_dialog.h"
#include "ui/skin/frame_clock.h"
#include "ui/skin/skin_commands.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/icon_preview.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t B = 0, G33 = 2, W = 3;

// A clock the test ticks by hand.
struct ManualClock : FrameClock {
  void Start(int ms) override {
    running = true;
    interval = ms;
  }
  void Stop() override { running = false; }
  void Fire() { on_tick(); }
  bool running = false;
  int interval = 0;
};

QColor ColorOfCode(std::uint8_t code) {
  const Rgb rgb = CodeColors[code];
  return QColor(rgb.r, rgb.g, rgb.b);
}

struct Fixture : MainWindowFixture {
  Fixture() {
    auto owned = std::make_unique<ManualClock>();
    clock = owned.get();
    form->Skins()->SetFrameClock(std::move(owned));
  }
  const TSkinIcon& Icon(int i) const { return editor.Skin().At(i); }
  QString Text(const char* name) const {
    return form->findChild<QLineEdit*>(QLatin1String(name))->text();
  }
  QLabel* Budget() const { return form->findChild<QLabel*>("BudgetLabel"); }
  QToolButton* Play() const { return Button("PlayButton"); }
  IconPreview* Preview() const { return form->findChild<IconPreview*>("Image3"); }

  void Open(std::vector<TSkinIcon> icons) {
    Skin skin;
    for (TSkinIcon& icon : icons) skin.Append(std::move(icon));
    const auto bytes = WriteSkinFile(skin, "s");
    const QString path = dir.filePath(QStringLiteral("s%1.skin").arg(++files));
    QFile file(path);
    QVERIFY(bytes && file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes->data()), static_cast<qint64>(bytes->size()));
    file.close();
    services.file_answers << path;
    Action("OpenSkin1")->trigger();
    QVERIFY(State().Document.SkinMode);
  }
  Skin SavedAndReopened() {
    const QString path = dir.filePath(QStringLiteral("saved%1.skin").arg(++files));
    services.file_answers << path;
    Action("SaveSkin1")->trigger();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    SkinFileRead read = ReadSkinFile(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()));
    return read.skin ? *read.skin : Skin{};
  }
  void Draw(const char* palette_button, int x, int y) {
    Click(form->findChild<QWidget*>(QLatin1String(palette_button)), Qt::LeftButton, QPoint(3, 3));
    Click(form->Canvas(), Qt::LeftButton, CellCentre(x, y));
  }
  // Answers the Add Icon dialog with an ID and its present values.
  void AnswerAddIcon(const QString& id, bool ok = true) {
    services.dialog_handler = [id, ok](QDialog& dialog) {
      if (!ok) return int(QDialog::Rejected);
      dialog.findChild<QLineEdit*>("Edit1")->setText(id);
      dialog.findChild<QPushButton*>("Button1")->click();
      return dialog.result();
    };
  }

  ManualClock* clock = nullptr;
  QTemporaryDir dir;
  int files = 0;
};

}  // namespace

class SkinSessionTest : public QObject {
  Q_OBJECT

 private slots:
  // Gray66 on a 1-bpp icon: the canvas, the preview and the icon show at
  // once the White a save and an open give back.
  void drawnCodesShowAsTheyWillBeSaved() {
    Fixture f;
    f.Open({TSkinIcon{1, 1, 1, 8, 4, Bytes(32, B)}});
    f.Draw("SpeedButton8", 3, 2);
    QCOMPARE(f.Icon(0).Data[8 + 2], W);
    QCOMPARE(f.State().Document.Picture.Cells.At(3, 2), PixelCode::White);
    QCOMPARE(f.CanvasImage().pixelColor(f.CellCentre(3, 2)), ColorOfCode(W));
    QCOMPARE(f.Preview()->grab().toImage().pixelColor(2, 1), ColorOfCode(W));
    QVERIFY(f.SavedAndReopened() == f.editor.Skin());
  }

  // Set Size on an icon, then "Undo change": the icon and the size boxes are
  // back at 8 x 8.
  void undoOfSetSizeKeepsTheIconInStep() {
    Fixture f;
    f.Open({TSkinIcon{1, 2, 4, 8, 8, Bytes(128, G33)}});
    f.services.dialog_handler = [](QDialog& dialog) {
      auto& form2 = static_cast<TForm2&>(dialog);
      form2.Edit1()->setText(QStringLiteral("3"));
      form2.Edit2()->setText(QStringLiteral("2"));
      form2.findChild<QPushButton*>("Button1")->click();
      return dialog.result();
    };
    f.Action("SetSize1")->trigger();
    QCOMPARE(f.Icon(0).Width, 2);
    QCOMPARE(f.Text("WID"), QStringLiteral("2"));
    f.Action("Undochange1")->trigger();
    QCOMPARE(f.Icon(0).Width, 8);
    QCOMPARE(f.Icon(0).Height, 8);
    QCOMPARE(f.Text("WID"), QStringLiteral("8"));
    QCOMPARE(f.Text("HEIG"), QStringLiteral("8"));
  }

  void newSkinStartsWithItsFirstIcon() {
    Fixture f;
    QMenu* file_menu = f.form->findChild<QMenu*>("FileMenu");
    const QList<QAction*> items = file_menu->actions();
    const auto at = items.indexOf(f.Action("NewSkin"));
    QVERIFY(at >= 0);
    QCOMPARE(items[at + 1], f.Action("OpenSkin1"));
    QCOMPARE(f.Action("NewSkin")->text(), QStringLiteral("New Skin..."));
    QVERIFY(f.Action("NewSkin")->isEnabled());

    f.Open({TSkinIcon{1, 1, 4, 2, 2, Bytes(4, B)}, TSkinIcon{2, 1, 4, 2, 2, Bytes(4, W)}});
    f.AnswerAddIcon(QString(), false);
    f.Action("NewSkin")->trigger();
    QCOMPARE(f.services.shown_dialogs.last(), QStringLiteral("TAddIconForm"));
    QCOMPARE(f.editor.Skin().Count(), 2);  // cancelled: the skin stays

    f.AnswerAddIcon(QStringLiteral("0x21"));
    f.Action("NewSkin")->trigger();
    QCOMPARE(f.editor.Skin().Count(), 1);
    QCOMPARE(f.Icon(0).IconID, 0x21);
    QVERIFY(f.State().Document.SkinMode);
    QCOMPARE(f.form->findChild<QComboBox*>("ComboBox1")->currentText(), QStringLiteral("0x21"));
    QCOMPARE(f.form->findChild<QListWidget*>("ListBox1")->count(), 1);
    QCOMPARE(f.Text("CurrentIconEdit"), QStringLiteral("1"));
  }

  void iconControlsWaitForAnIcon() {
    Fixture f;
    f.Open({});
    const char* const idle[] = {"SpeedButton49", "SpeedButton45", "SpeedButton44", "SpeedButton46",
                                "SpeedButton47", "SpeedButton50", "SpeedButton51", "SpeedButton52",
                                "SpeedButton53", "PlayButton"};
    for (const char* name : idle) QVERIFY2(!f.Button(name)->isEnabled(), name);
    QVERIFY(f.Button("SpeedButton48")->isEnabled());
    QVERIFY(f.Text("IconBPPEdit").isEmpty());
    QVERIFY(f.Text("CurrentIconEdit").isEmpty());
    f.AnswerAddIcon(QStringLiteral("3"));
    f.Button("SpeedButton48")->click();
    for (const char* name : idle) {
      if (QLatin1String(name) != QLatin1String("PlayButton")) {
        QVERIFY2(f.Button(name)->isEnabled(), name);
      }
    }
    QCOMPARE(f.Text("CurrentIconEdit"), QStringLiteral("1"));
  }

  // The label follows the stream Save Skin writes as sub-icons and icons come
  // and go, and turns red while the stream is beyond what a file holds.
  void budgetFollowsTheSkin() {
    Fixture f;
    f.Open({TSkinIcon{1, 3, 8, 96, 92, Bytes(3 * 96 * 92, B)}});
    const QString fits = QStringLiteral("Icon 26,496 bytes\nStream 26,502 / 34,442 bytes");
    QCOMPARE(f.Budget()->text(), fits);
    const auto red = [&f] { return f.Budget()->styleSheet().contains(QStringLiteral("red")); };
    QVERIFY(!red());
    f.Button("SpeedButton50")->click();
    QCOMPARE(f.Budget()->text(), QStringLiteral("Icon 35,328 bytes\nStream 35,334 / 34,442 bytes"));
    QVERIFY(red());
    f.Button("SpeedButton51")->click();
    QCOMPARE(f.Budget()->text(), fits);
    QVERIFY(!red());
    // A 4 x 4 icon at 4 bpp: 8 bytes and a head of 5.
    f.AnswerAddIcon(QStringLiteral("9"));
    f.Button("SpeedButton48")->click();
    QCOMPARE(f.Budget()->text(), QStringLiteral("Icon 8 bytes\nStream 26,515 / 34,442 bytes"));
    f.Button("SpeedButton49")->click();
    QCOMPARE(f.Budget()->text(), fits);
  }

  void playbackStepsOnTheClockAndStopsAtAnEdit() {
    Fixture f;
    Bytes frames;
    for (std::uint8_t s = 0; s < 3; ++s) frames.insert(frames.end(), 4, s);
    f.Open({TSkinIcon{1, 1, 4, 2, 2, Bytes(4, B)}, TSkinIcon{2, 3, 4, 2, 2, frames}});
    QVERIFY(!f.Play()->isEnabled());  // one sub-icon is no animation
    QVERIFY(!f.Play()->toolTip().isEmpty());
    f.form->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(1);
    QVERIFY(f.Play()->isEnabled());
    QCOMPARE(f.form->findChild<QSpinBox*>("FrameInterval")->value(), 100);

    f.Play()->click();
    QVERIFY(f.clock->running);
    QCOMPARE(f.clock->interval, 100);
    QCOMPARE(f.Preview()->grab().toImage().pixelColor(0, 0), ColorOfCode(0));
    f.clock->Fire();
    QCOMPARE(f.Preview()->grab().toImage().pixelColor(0, 0), ColorOfCode(1));
    f.form->findChild<QSpinBox*>("FrameInterval")->setValue(250);
    QCOMPARE(f.clock->interval, 250);
    QCOMPARE(f.State().Document.CurrentSubIconIndex, 0);  // playing edits nothing

    f.Draw("SpeedButton6", 1, 1);  // an edit stops it
    QVERIFY(!f.clock->running);
    QVERIFY(!f.Play()->isChecked());

    f.Play()->click();
    QVERIFY(f.clock->running);
    f.Button("SpeedButton46")->click();  // and so does another sub-icon
    QVERIFY(!f.clock->running);
    f.Play()->click();
    f.Play()->click();  // the button stops it too
    QVERIFY(!f.clock->running);
  }

  void iconOnlyButtonsHaveTips() {
    Fixture f;
    for (const char* name :
         {"SpeedButton48", "SpeedButton49", "SpeedButton50", "SpeedButton51", "SpeedButton52",
          "SpeedButton53", "PlayButton", "ToolButton21", "ToolButton11", "ToolButton19"}) {
      QVERIFY2(!f.Button(name)->toolTip().isEmpty(), name);
    }
  }

  // Tab reaches every value; Up and Down change it like its arrows.
  void addIconDialogWorksFromTheKeyboard() {
    Fixture f;
    f.Open({TSkinIcon{1, 1, 4, 2, 2, Bytes(4, B)}});
    QString focus_before_ok;
    f.services.dialog_handler = [&focus_before_ok](QDialog& dialog) {
      dialog.show();
      auto* id = dialog.findChild<QLineEdit*>("Edit1");
      id->setFocus();
      id->setText(QStringLiteral("77"));
      // Tab to width, Up four times; to height, Down; to depth, Down twice;
      // to sub-icons, Up; then Tab to "Ok" and press it with the space bar.
      const std::pair<Qt::Key, int> steps[] = {
          {Qt::Key_Up, 4}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}};
      for (const auto& [key, times] : steps) {
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        for (int i = 0; i < times; ++i) QTest::keyClick(dialog.focusWidget(), key);
      }
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
      focus_before_ok = dialog.focusWidget()->objectName();
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
      return dialog.result();
    };
    f.Button("SpeedButton48")->click();
    QCOMPARE(focus_before_ok, QStringLiteral("Button1"));
    QCOMPARE(f.editor.Skin().Count(), 2);
    const TSkinIcon& added = f.Icon(1);
    QCOMPARE(added.IconID, 77);
    QCOMPARE(added.Width, 8);
    QCOMPARE(added.Height, 3);
    QCOMPARE(added.BPP, 1);
    QCOMPARE(added.SubIcons, 2);
  }
};

QTEST_MAIN(SkinSessionTest)
#include "skin_session_test.moc"
