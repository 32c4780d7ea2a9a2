#pragma once

#include <QByteArray>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pictavo {

// `Tsavebox`, "Save Select...": asks for the name a saved selection is stored
// under. Only "Save..." confirms; closing it any other way, Escape included,
// cancels.
class Tsavebox : public QDialog {
  Q_OBJECT

 public:
  explicit Tsavebox(QWidget* parent);

  // The name box as 8-bit Latin-1 bytes, the form the picture file stores.
  QByteArray Name() const;
  // Sets the name box whole, however long the name is.
  void SetName(const QByteArray& latin1);

  QLineEdit* Edit1() const { return edit1_; }
  QPushButton* Button1() const { return button1_; }

 public slots:
  void Button1Click();

 private:
  QLineEdit* edit1_;
  QPushButton* button1_;
};

}  // namespace pictavo
