// File > "Import Font...": the dialog's wiring and what OK does to the
// window. How glyphs become icons stands in the core tests.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/main_window_fixture.h"
#include "ui/dialogs/font_import_dialog.h"
#include "ui/skin/skin_commands.h"

using namespace pictavo;
using namespace pictavo::testing;

namespace {

QString Data(const QString& relative) {
  return QString::fromLocal8Bit(qgetenv("PICTAVO_TEST_DATA")) + QLatin1Char('/') + relative;
}

QPushButton* OkButton(QDialog& dialog) {
  return dialog.findChild<QDialogButtonBox*>("FontButtons")->button(QDialogButtonBox::Ok);
}

}  // namespace

class FontImportTest : public QObject {
  Q_OBJECT

 private slots:
  void okKeepsTheWorkAndOpensTheFontAsASkin() {
    MainWindowFixture f;
    f.DrawIcon();
    f.services.file_answers << Data("fonts/tiny.bdf");
    QSize sample;
    QString status;
    f.services.dialog_handler = [&](QDialog& dialog) {
      QTest::mouseClick(dialog.findChild<QPushButton*>("FontBrowse"), Qt::LeftButton);
      auto* chars = dialog.findChild<QLineEdit*>("FontChars");
      chars->selectAll();
      QTest::keyClicks(chars, " Agj");
      auto* text = dialog.findChild<QLineEdit*>("FontSampleText");
      text->selectAll();
      QTest::keyClicks(text, "gA");
      sample = dialog.findChild<QLabel*>("FontSample")->pixmap().size();
      status = dialog.findChild<QLabel*>("FontStatus")->text();
      if (!OkButton(dialog)->isEnabled()) return int(QDialog::Rejected);
      QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
      return dialog.result();
    };
    f.Action("ImportFont")->trigger();
    // Two 8-column icons, 7 rows, at the canvas zoom of 5.
    QCOMPARE(sample, QSize(80, 35));
    QVERIFY2(status.startsWith("4 glyphs, 7 rows high. Ink outside the cell was cut from 'j'"),
             qPrintable(status));
    QVERIFY(f.State().Document.SkinMode);
    QCOMPARE(f.editor.Skin().Count(), 4);
    QCOMPARE(f.form->PictureName(), QByteArray("Tiny"));
    auto* icons = f.form->findChild<QComboBox*>("ComboBox1");
    QCOMPARE(icons->count(), 4);
    QCOMPARE(icons->itemText(1), QStringLiteral("0x41"));
    const auto kept = f.form->History()->Store().List();
    QCOMPARE(kept.size(), std::size_t{1});
    QCOMPARE(kept.front().record.command, std::string("Import Font"));
  }

  void aFileThatIsNoFontIsSaidAndChangesNothing() {
    MainWindowFixture f;
    bool ok_enabled = true;
    QString status;
    f.services.dialog_handler = [&](QDialog& dialog) {
      static_cast<FontImportDialog&>(dialog).LoadFont(Data("pictures/icon.ptv"));
      ok_enabled = OkButton(dialog)->isEnabled();
      status = dialog.findChild<QLabel*>("FontStatus")->text();
      return int(QDialog::Rejected);
    };
    f.Action("ImportFont")->trigger();
    QVERIFY(!ok_enabled);
    QCOMPARE(status, "\"" + Data("pictures/icon.ptv") + "\": Is a picture file, not a font.");
    QVERIFY(!f.State().Document.SkinMode);
    QCOMPARE(f.editor.Skin().Count(), 0);
  }
};

QTEST_MAIN(FontImportTest)
#include "font_import_test.moc"
