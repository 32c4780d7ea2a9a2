#include "ui/widgets/panel_controls.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace pictavo {

QIcon ResourceIcon(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
}

QToolButton* GlyphButton(QWidget* parent, const char* name, const char* icon, int width,
                         const char* hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setIcon(ResourceIcon(icon));
  button->setFixedSize(width, 32);
  button->setAutoRaise(true);
  button->setToolTip(QLatin1String(hint));
  button->setAccessibleName(QLatin1String(hint));
  return button;
}

QLabel* BoldLabel(const char* text, const char* color, QWidget* parent, const char* name) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  if (name != nullptr) label->setObjectName(QLatin1String(name));
  label->setStyleSheet(QStringLiteral("font-weight: bold; color: %1;").arg(QLatin1String(color)));
  return label;
}

QLineEdit* ReadOnlyBox(const char* name, int width, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  box->setReadOnly(true);
  box->setFixedWidth(width);
  box->setFocusPolicy(Qt::NoFocus);
  box->setAlignment(Qt::AlignRight);
  return box;
}

QToolButton* Arrow(QWidget* parent, const char* name, bool up, const char* hint) {
  auto* arrow = new QToolButton(parent);
  arrow->setObjectName(QLatin1String(name));
  arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
  arrow->setFixedSize(16, 12);
  arrow->setAutoRaise(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  if (hint != nullptr) {
    arrow->setToolTip(QLatin1String(hint));
    arrow->setAccessibleName(QLatin1String(hint));
  }
  return arrow;
}

QVBoxLayout* ArrowPair(QToolButton* up, QToolButton* down) {
  auto* arrows = new QVBoxLayout();
  arrows->setSpacing(0);
  arrows->addWidget(up);
  arrows->addWidget(down);
  return arrows;
}

QHBoxLayout* ControlGroup(QWidget* bar, QLayout* bar_layout, int spacing) {
  auto* group = new QWidget(bar);
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(spacing);
  bar_layout->addWidget(group);
  return row;
}

}  // namespace pictavo
