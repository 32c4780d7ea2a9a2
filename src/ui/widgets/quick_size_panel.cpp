#include "ui/widgets/quick_size_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "ui/services/scaled_sizes.h"
#include "ui/widgets/panel_controls.h"

namespace pictavo {

namespace {

enum class Dimension { Width, Height };
struct QuickSizeButton {
  const char* name;
  Dimension dimension;
  int value;
  void (QuickSizePanel::*handler)();
};
constexpr Dimension W = Dimension::Width;
constexpr Dimension H = Dimension::Height;
constexpr QuickSizeButton kQuickSizeButtons[] = {
    {"SpeedButton42", W, 2, &QuickSizePanel::SpeedButton42Click},
    {"SpeedButton19", W, 3, &QuickSizePanel::SpeedButton19Click},
    {"SpeedButton38", W, 4, &QuickSizePanel::SpeedButton38Click},
    {"SpeedButton10", W, 5, &QuickSizePanel::SpeedButton10Click},
    {"SpeedButton40", W, 6, &QuickSizePanel::SpeedButton40Click},
    {"SpeedButton17", W, 7, &QuickSizePanel::SpeedButton17Click},
    {"SpeedButton16", W, 8, &QuickSizePanel::SpeedButton16Click},
    {"SpeedButton18", W, 9, &QuickSizePanel::SpeedButton18Click},
    {"SpeedButton11", W, 10, &QuickSizePanel::SpeedButton11Click},
    {"SpeedButton12", W, 15, &QuickSizePanel::SpeedButton12Click},
    {"SpeedButton13", W, 20, &QuickSizePanel::SpeedButton13Click},
    {"SpeedButton14", W, 25, &QuickSizePanel::SpeedButton14Click},
    {"SpeedButton15", W, 30, &QuickSizePanel::SpeedButton15Click},
    {"SpeedButton20", W, 50, &QuickSizePanel::SpeedButton20Click},
    {"SpeedButton21", W, 70, &QuickSizePanel::SpeedButton21Click},
    {"SpeedButton22", W, 96, &QuickSizePanel::SpeedButton22Click},
    {"SpeedButton43", H, 2, &QuickSizePanel::SpeedButton43Click},
    {"SpeedButton28", H, 3, &QuickSizePanel::SpeedButton28Click},
    {"SpeedButton39", H, 4, &QuickSizePanel::SpeedButton39Click},
    {"SpeedButton37", H, 5, &QuickSizePanel::SpeedButton37Click},
    {"SpeedButton41", H, 6, &QuickSizePanel::SpeedButton41Click},
    {"SpeedButton30", H, 7, &QuickSizePanel::SpeedButton30Click},
    {"SpeedButton31", H, 8, &QuickSizePanel::SpeedButton31Click},
    {"SpeedButton29", H, 9, &QuickSizePanel::SpeedButton29Click},
    {"SpeedButton36", H, 10, &QuickSizePanel::SpeedButton36Click},
    {"SpeedButton35", H, 15, &QuickSizePanel::SpeedButton35Click},
    {"SpeedButton34", H, 20, &QuickSizePanel::SpeedButton34Click},
    {"SpeedButton33", H, 25, &QuickSizePanel::SpeedButton33Click},
    {"SpeedButton32", H, 30, &QuickSizePanel::SpeedButton32Click},
    {"SpeedButton27", H, 50, &QuickSizePanel::SpeedButton27Click},
    {"SpeedButton26", H, 70, &QuickSizePanel::SpeedButton26Click},
    {"SpeedButton25", H, 92, &QuickSizePanel::SpeedButton25Click},
};

}  // namespace

QuickSizePanel::QuickSizePanel(Editor& editor, QWidget* parent) : QFrame(parent), editor_(editor) {
  setObjectName(QStringLiteral("Panel6"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(0);
  QLabel* caption = BoldLabel("Quick size", "blue", this);
  caption->setFont(ScaledFont(caption->font(), 10.0 / 12.0));
  grid->addWidget(caption, 0, 0, 1, 2, Qt::AlignHCenter);
  grid->addWidget(BoldLabel("W", "green", this), 1, 0, Qt::AlignHCenter);
  grid->addWidget(BoldLabel("H", "green", this), 1, 1, Qt::AlignHCenter);
  int rows[2] = {2, 2};  // the next free row of the width and the height column
  for (const QuickSizeButton& quick : kQuickSizeButtons) {
    const bool width = quick.dimension == Dimension::Width;
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(quick.name));
    button->setText(QString::number(quick.value));
    button->setToolTip(
        (width ? QStringLiteral("Width %1") : QStringLiteral("Height %1")).arg(quick.value));
    button->setFixedSize(26, 17);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, quick.handler);
    grid->addWidget(button, rows[width ? 0 : 1]++, width ? 0 : 1);
  }
}

}  // namespace pictavo
