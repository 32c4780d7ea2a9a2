#include "ui/services/name_box.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>

#include "core/editing/editor.h"
#include "ui/services/scaled_sizes.h"

namespace pictavo {

namespace {

constexpr int kNameLength = 16;

// Room for kNameLength characters of the box's font, measured as QLineEdit
// measures its own size hint (in x's), inside the frame and margins the style
// puts around a line edit's text.
int NameBoxWidth(const QLineEdit& box) {
  const QFontMetrics metrics(box.font());
  const QMargins margins = box.textMargins();
  // QLineEdit keeps 2 pixels either side of its text and 1 for the cursor.
  const QSize text(metrics.horizontalAdvance(QString(kNameLength, QLatin1Char('x'))) +
                       margins.left() + margins.right() + 5,
                   metrics.height());
  QStyleOptionFrame option;
  option.initFrom(&box);
  option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
  return box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &box).width();
}

}  // namespace

QLineEdit* CreateNameBox(Editor& editor, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QStringLiteral("Edit1"));
  box->setMaxLength(kNameLength);
  box->setFont(ScaledFont(box->font(), 25.0 / 12.0));
  box->setFixedWidth(NameBoxWidth(*box));
  // Names are saved as 8-bit Latin-1, so only what Latin-1 holds may be typed.
  box->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*")), box));
  // A longer name read from a file may be shortened, but not lengthened again.
  QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
    if (text.size() <= kNameLength) box->setMaxLength(kNameLength);
  });
  // The validator lets only Latin-1 through, so the bytes are what is shown.
  QObject::connect(box, &QLineEdit::textChanged, box,
                   [&editor](const QString& text) { SetPictureName(editor, text.toLatin1()); });
  return box;
}

void ShowPictureName(QLineEdit& name_box, const Editor& editor) {
  const QByteArray latin1 = PictureName(editor);
  if (name_box.text().toLatin1() == latin1) return;
  name_box.setMaxLength(std::max<int>(kNameLength, static_cast<int>(latin1.size())));
  name_box.setText(QString::fromLatin1(latin1));
}

QByteArray PictureName(const Editor& editor) {
  const std::string& name = editor.State().Document.Name;
  return QByteArray(name.data(), static_cast<qsizetype>(name.size()));
}

void SetPictureName(Editor& editor, const QByteArray& latin1) {
  editor.SetPictureName(std::string(latin1.constData(), static_cast<std::size_t>(latin1.size())));
}

}  // namespace pictavo
