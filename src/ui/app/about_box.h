#pragma once

#include <QDialog>

class QLabel;

namespace pictavo {

// `TAbout`, "About Dravik Pictavo".
class TAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TAbout(QWidget* parent);
  void SetProductText(const QString& text);
  QLabel* Label3() const { return product_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* product_;
  QPixmap background_;
};

}  // namespace pictavo
