#pragma once

#include <QDialog>

#include "core/formats/source_text/reader.h"

class QSpinBox;

namespace pictavo {

// "Array Size": asks the width and height of an array that gives none (the
// arrays other tools write), so that "Open Picture..." can read it. OK reads
// it; Cancel, Escape or closing the window leaves everything as it was.
class TextSizeDialog : public QDialog {
  Q_OBJECT

 public:
  // `file_name` is said in the question.
  TextSizeDialog(const QString& file_name, QWidget* parent);

  TextSize Size() const;

  QSpinBox* WidthBox() const { return width_; }
  QSpinBox* HeightBox() const { return height_; }

 private:
  QSpinBox* width_;
  QSpinBox* height_;
};

}  // namespace pictavo
