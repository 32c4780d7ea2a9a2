#pragma once

#include <QDialog>

class QLabel;

namespace pictavo {

// `TAbout`, "About Dravik Pictavo": the picture with the brand and product
// labels over its top left, and the "OK" button in a row under it.
class TAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TAbout(QWidget* parent);
  void SetProductText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* product_;
};

}  // namespace pictavo
