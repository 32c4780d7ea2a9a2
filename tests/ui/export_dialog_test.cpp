// File > Export...: the window's wiring to the texts (their bytes are the
// core's golden files), the clipboard and the save dialog.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "core/formats/skin_file.h"
#include "support/main_window_fixture.h"
#include "ui/skin/skin_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

QByteArray Golden(const char* file) {
  QFile golden(qEnvironmentVariable("PICTAVO_TEST_DATA") + "/listings/icon/" + file);
  return golden.open(QIODevice::ReadOnly) ? golden.readAll() : QByteArray("<unreadable>");
}

template <typename T>
T* Find(QDialog& dialog, const char* name) {
  T* child = dialog.findChild<T*>(QLatin1String(name));
  if (child == nullptr) qWarning("no %s in the export window", name);
  return child;
}

}  // namespace

class ExportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void fileMenuExportCopiesAndSavesTheChosenText() {
    MainWindowFixture f;
    f.DrawIcon();
    QAction* action = f.Action("exportAction");
    QVERIFY(action->isEnabled());
    QVERIFY(f.form->menuBar()->findChild<QMenu*>("FileMenu")->actions().contains(action));
    QTemporaryDir dir;
    const QString path = dir.filePath("icon.h");
    f.services.file_answers << path;

    // Read inside the modal window, checked once it is closed.
    QByteArray listing;
    QString preview_text, bit0, bit2, bit7;
    bool layout_enabled = true;
    f.services.dialog_handler = [&](QDialog& dialog) {
      auto* format = Find<QComboBox>(dialog, "formatBox");
      auto* depth = Find<QComboBox>(dialog, "depthBox");
      if (!format || !depth) return int{QDialog::Rejected};
      // The clipboard listing of the tool bar's 2 bpp button, as it copies it.
      format->setCurrentIndex(0);
      depth->setCurrentText("2");
      QTest::mouseClick(Find<QPushButton>(dialog, "copyButton"), Qt::LeftButton);
      listing = f.services.clipboard.value_or("");

      format->setCurrentText("C header");
      Find<QCheckBox>(dialog, "alignBox")->setChecked(true);
      Find<QComboBox>(dialog, "bitOrderBox")->setCurrentIndex(1);
      preview_text = Find<QPlainTextEdit>(dialog, "preview")->toPlainText();
      layout_enabled = Find<QComboBox>(dialog, "layoutBox")->isEnabled();
      bit2 = Find<QLabel>(dialog, "bit2")->text();
      bit7 = Find<QLabel>(dialog, "bit7")->text();
      bit0 = Find<QLabel>(dialog, "bit0")->text();
      QTest::mouseClick(Find<QPushButton>(dialog, "copyButton"), Qt::LeftButton);
      QTest::mouseClick(Find<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
      return int{QDialog::Rejected};
    };
    action->trigger();
    QCOMPARE(listing, Golden("asm2.txt"));
    QVERIFY2(preview_text.contains("0x6C, /* row 1 */"), qPrintable(preview_text));
    QVERIFY(!layout_enabled);  // pages are 1 bpp only
    // msb: pixel 0 in bits 7-6, pixel 1 in 5-4, pixel 2 in 3-2; the row
    // ends there, so bits 1-0 are empty.
    QCOMPARE(bit2, QString("(2, 0)\nbit 0"));
    QCOMPARE(bit7, QString("(0, 0)\nbit 1"));
    QCOMPARE(bit0, QString("0"));
    QCOMPARE(f.services.shown_dialogs, QStringList{"ExportDialog"});
    QCOMPARE(f.services.clipboard.value_or(""), Golden("c2_aligned_msb.h"));
    QCOMPARE(f.services.file_requests.size(), 1);
    QCOMPARE(f.services.file_requests[0].file_name, QString("icon.h"));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), Golden("c2_aligned_msb.h"));
  }

  // The last format and options come back at the next opening, presets are
  // kept, chosen from the keyboard and deleted; the symbol is said only for
  // a name that had to change.
  void remembersItsChoicesAndPresets() {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
    QCoreApplication::setOrganizationName(QStringLiteral("PictavoTest"));
    const auto forget = qScopeGuard([] { QCoreApplication::setOrganizationName(QString()); });
    MainWindowFixture f;
    f.DrawIcon();
    bool note_hidden = false;
    QString note;
    f.services.dialog_handler = [&](QDialog& dialog) {
      Find<QComboBox>(dialog, "formatBox")->setCurrentText("C header");
      Find<QComboBox>(dialog, "depthBox")->setCurrentText("1");
      Find<QComboBox>(dialog, "layoutBox")->setCurrentIndex(1);
      QTest::keyClicks(Find<QComboBox>(dialog, "presetBox")->lineEdit(), "oled");
      QTest::mouseClick(Find<QPushButton>(dialog, "savePresetButton"), Qt::LeftButton);
      Find<QComboBox>(dialog, "formatBox")->setCurrentText("X bitmap");
      note_hidden = Find<QLabel>(dialog, "symbolNote")->isHidden();
      Find<QLineEdit>(dialog, "symbolBox")->setText("int");
      note = Find<QLabel>(dialog, "symbolNote")->text();
      return int{QDialog::Rejected};
    };
    f.Action("exportAction")->trigger();
    QVERIFY(note_hidden);
    QCOMPARE(note, QString("the symbol is int_picture (\"int\" is a keyword of C or C++)"));

    QString format_at_start, format_chosen, depth_chosen;
    int layout_chosen = -1, presets_left = -1;
    f.services.dialog_handler = [&](QDialog& dialog) {
      format_at_start = Find<QComboBox>(dialog, "formatBox")->currentText();
      auto* presets = Find<QComboBox>(dialog, "presetBox");
      presets->setFocus();
      QTest::keyClick(presets, Qt::Key_Down);
      format_chosen = Find<QComboBox>(dialog, "formatBox")->currentText();
      depth_chosen = Find<QComboBox>(dialog, "depthBox")->currentText();
      layout_chosen = Find<QComboBox>(dialog, "layoutBox")->currentIndex();
      QTest::mouseClick(Find<QPushButton>(dialog, "deletePresetButton"), Qt::LeftButton);
      presets_left = presets->count();
      return int{QDialog::Rejected};
    };
    f.Action("exportAction")->trigger();
    QCOMPARE(format_at_start, QString("X bitmap"));
    QCOMPARE(format_chosen, QString("C header"));
    QCOMPARE(depth_chosen, QString("1"));
    QCOMPARE(layout_chosen, 1);
    QCOMPARE(presets_left, 0);
    f.services.dialog_handler = [&](QDialog& dialog) {
      presets_left = Find<QComboBox>(dialog, "presetBox")->count();
      return int{QDialog::Rejected};
    };
    f.Action("exportAction")->trigger();
    QCOMPARE(presets_left, 0);
  }

  // "Whole skin" is offered in skin mode only, and shows the skin's table.
  void wholeSkinSourceShowsTheTableInSkinModeOnly() {
    MainWindowFixture f;
    f.DrawIcon();
    bool picture_offers_skin = true;
    f.services.dialog_handler = [&](QDialog& dialog) {
      picture_offers_skin = Find<QComboBox>(dialog, "sourceBox")->isEnabled();
      return int{QDialog::Rejected};
    };
    f.Action("exportAction")->trigger();
    QVERIFY(!picture_offers_skin);

    QFile file(qEnvironmentVariable("PICTAVO_TEST_DATA") + "/skins/mixed.skin");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    SkinFileRead read = ReadSkinFile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                               static_cast<std::size_t>(bytes.size())));
    QVERIFY(read.skin.has_value());
    QTemporaryDir dir;
    f.form->Skins()->OpenSkinDocument(dir.filePath("mixed.skin"),
                                      SkinDocument{std::move(*read.skin), read.name});
    QString format, preview;
    f.services.dialog_handler = [&](QDialog& dialog) {
      auto* source = Find<QComboBox>(dialog, "sourceBox");
      if (!source || !source->isEnabled()) return int{QDialog::Rejected};
      source->setCurrentIndex(1);
      format = Find<QComboBox>(dialog, "formatBox")->currentText();
      Find<QCheckBox>(dialog, "lookupBox")->setChecked(true);
      preview = Find<QPlainTextEdit>(dialog, "preview")->toPlainText();
      QTest::mouseClick(Find<QPushButton>(dialog, "copyButton"), Qt::LeftButton);
      return int{QDialog::Rejected};
    };
    f.Action("exportAction")->trigger();
    QCOMPARE(format, QString("C header: table of every icon"));
    QFile golden(qEnvironmentVariable("PICTAVO_TEST_DATA") + "/skins/mixed_table.h");
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const QByteArray table = golden.readAll();
    QCOMPARE(f.services.clipboard.value_or(""), table);
    QCOMPARE(preview, QString::fromLatin1(table));
  }
};

QTEST_MAIN(ExportDialogTest)
#include "export_dialog_test.moc"
