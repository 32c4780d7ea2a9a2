#include "ui/app/about_box.h"

#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace pictavo {

namespace {

// The sky under the picture, also behind the button row.
const QColor kSkyBlue(135, 206, 235);
// The picture's own size, the box's area above the button row.
constexpr QSize kPictureSize(332, 240);

// The picture of the box, stretched over its area, with the two labels over
// its top left, where the picture leaves room for them.
class AboutPicture : public QWidget {
 public:
  explicit AboutPicture(QWidget* parent)
      : QWidget(parent), picture_(QStringLiteral(":/icons/about_background.png")) {
    setObjectName(QStringLiteral("AboutPicture"));
    setMinimumSize(kPictureSize);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), kSkyBlue);
    if (!picture_.isNull()) painter.drawPixmap(rect(), picture_);
  }

 private:
  QPixmap picture_;
};

}  // namespace

TAbout::TAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAbout"));
  setWindowTitle(QStringLiteral("About Dravik Pictavo"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  // The labels' font: bold, a third larger than the application's (16
  // pixels beside its usual 12).
  QFont font = this->font();
  font.setPointSizeF(QFontInfo(font).pointSizeF() * 4.0 / 3.0);
  font.setBold(true);
  auto* picture = new AboutPicture(this);
  auto* brand = new QLabel(QStringLiteral("Dravik"), picture);
  brand->setObjectName(QStringLiteral("Label2"));
  brand->setFont(font);
  brand->setStyleSheet(QStringLiteral("color: navy; background: transparent;"));
  product_ = new QLabel(QStringLiteral("Pictavo v.2.0"), picture);
  product_->setObjectName(QStringLiteral("Label3"));
  product_->setFont(font);
  product_->setStyleSheet(QStringLiteral("color: navy; background: transparent;"));
  auto* labels = new QVBoxLayout(picture);
  labels->setContentsMargins(16, 12, 16, 12);
  labels->setSpacing(2);
  labels->addWidget(brand);
  labels->addWidget(product_);
  labels->addStretch(1);

  // The button in a row of its own under the picture, so it covers none of
  // it.
  auto* buttons = new QDialogButtonBox(Qt::Horizontal, this);
  buttons->setObjectName(QStringLiteral("Buttons"));
  auto* ok = new QPushButton(QStringLiteral("OK"), buttons);
  ok->setObjectName(QStringLiteral("Button1"));
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(picture, 1);
  auto* button_row = new QVBoxLayout();
  button_row->setContentsMargins(12, 8, 12, 8);
  button_row->addWidget(buttons);
  column->addLayout(button_row);
  setFixedSize(minimumSizeHint());
}

void TAbout::SetProductText(const QString& text) {
  product_->setText(text);
  // A longer text widens the box rather than being cut off.
  setFixedSize(minimumSizeHint().expandedTo(size()));
}

void TAbout::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kSkyBlue);
}

}  // namespace pictavo
