#pragma once

#include <optional>
#include <string>

#include <QDialog>
#include <QString>

#include "core/documents/font_import.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace pictavo {

class PlatformServices;

// "Import Font": a font file, its size, the characters, depth, hinting and
// grays, and a sample line drawn with the glyph icons at the canvas zoom. OK
// is possible only while the font makes a skin; the caller takes Imported().
class FontImportDialog : public QDialog {
  Q_OBJECT

 public:
  FontImportDialog(PlatformServices& services, QWidget* parent);

  // The canvas zoom: screen pixels a pixel of the sample.
  void SetZoom(int pixel_size);
  // Reads the font file and shows it; a file that is no font is said in the
  // dialog and OK stays off.
  void LoadFont(const QString& path);
  // The skin made under the current choices, while there is one.
  const std::optional<FontImport>& Imported() const { return imported_; }
  // The skin's name: the font's family.
  std::string SkinName() const;

 private:
  void Browse();
  void Update();
  void DrawSample();
  expected<FontImportOptions, Error> Options() const;

  PlatformServices& services_;
  std::optional<FontFace> face_;
  std::optional<FontImport> imported_;
  int zoom_ = 5;
  QLineEdit* file_;
  QSpinBox* size_;
  QLineEdit* chars_;
  QComboBox* depth_;
  QComboBox* hinting_;
  QLineEdit* levels_;
  QCheckBox* invert_;
  QCheckBox* transparent_;
  QLineEdit* sample_text_;
  QLabel* sample_;
  QLabel* status_;
  QDialogButtonBox* buttons_;
};

}  // namespace pictavo
