#include "ui/widgets/tool_box.h"

#include <tuple>

#include <QAction>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>

#include "ui/widgets/color_controls.h"
#include "ui/widgets/panel_controls.h"

namespace pictavo {

ToolBox::ToolBox(Editor& editor, const ToolActions& tools, QWidget* parent)
    : QFrame(parent),
      editor_(editor),
      col_(new ColorSwatch(QStringLiteral("Col"), this)),
      col_right_(new ColorSwatch(QStringLiteral("ColRight"), this)) {
  setObjectName(QStringLiteral("Panel5"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);
  col_->setToolTip(QStringLiteral("Left button colour"));
  col_right_->setToolTip(QStringLiteral("Right button colour"));
  grid->addWidget(col_, 0, 0, 1, 2, Qt::AlignLeft);
  grid->addWidget(col_right_, 0, 1, 1, 2, Qt::AlignRight);
  connect(col_, &ColorSwatch::Clicked, this, &ToolBox::ColClick);

  // The colour menus: white, 33 % gray, 66 % gray, black, transparent.
  const PixelCode menu_order[] = {PixelCode::White, PixelCode::Gray33, PixelCode::Gray66,
                                  PixelCode::Black, PixelCode::Transparent};
  using Handler = void (ToolBox::*)();
  const std::tuple<const char*, Handler, const char*, Handler> items[] = {
      {"white1", &ToolBox::white1Click, "MenuItem1", &ToolBox::MenuItem1Click},
      {"N33gray1", &ToolBox::N33gray1Click, "MenuItem2", &ToolBox::MenuItem2Click},
      {"N66gray1", &ToolBox::N66gray1Click, "MenuItem3", &ToolBox::MenuItem3Click},
      {"black1", &ToolBox::black1Click, "MenuItem4", &ToolBox::MenuItem4Click},
      {"transparent1", &ToolBox::transparent1Click, "MenuItem5", &ToolBox::MenuItem5Click}};
  auto* col_menu = new QMenu(this);
  col_menu->setObjectName(QStringLiteral("ColMenu"));
  auto* col_right_menu = new QMenu(this);
  col_right_menu->setObjectName(QStringLiteral("ColRightMenu"));
  for (int i = 0; i < 5; ++i) {
    const PixelCode code = menu_order[i];
    const auto& [left_name, left_handler, right_name, right_handler] = items[i];
    const QString caption = QString::fromLatin1(CodeCaption(code).data(),
                                                static_cast<qsizetype>(CodeCaption(code).size()));
    QAction* left = col_menu->addAction(CodeIcon(code), caption);
    left->setObjectName(QLatin1String(left_name));
    connect(left, &QAction::triggered, this, left_handler);
    QAction* right = col_right_menu->addAction(CodeIcon(code), caption);
    right->setObjectName(QLatin1String(right_name));
    connect(right, &QAction::triggered, this, right_handler);
  }
  col_->SetPopupMenu(col_menu);
  col_right_->SetPopupMenu(col_right_menu);

  // Palette: two rows, transparent/white/33 % on the first, 66 %/black below.
  using PaletteHandler = void (ToolBox::*)(MouseButton);
  const std::tuple<const char*, PixelCode, int, int, PaletteHandler> palette[] = {
      {"SpeedButton9", PixelCode::Transparent, 1, 0, &ToolBox::SpeedButton9MouseDown},
      {"SpeedButton6", PixelCode::White, 1, 1, &ToolBox::SpeedButton6MouseDown},
      {"SpeedButton7", PixelCode::Gray33, 1, 2, &ToolBox::SpeedButton7MouseDown},
      {"SpeedButton8", PixelCode::Gray66, 2, 0, &ToolBox::SpeedButton8MouseDown},
      {"SpeedButton5", PixelCode::Black, 2, 1, &ToolBox::SpeedButton5MouseDown}};
  for (const auto& [name, code, r, c, handler] : palette) {
    auto* button = new PaletteButton(QLatin1String(name), code, this);
    connect(button, &PaletteButton::ColorPressed, this,
            [this, handler](MouseButton mouse, PixelCode) { (this->*handler)(mouse); });
    grid->addWidget(button, r, c);
  }

  // Two buttons a row, the first against the left edge, the second against
  // the right one.
  const std::tuple<QAction*, const char*, const char*, const char*> tool_buttons[] = {
      {tools.Pen1, "pen_button", "Pen", "pen"},
      {tools.Bucket1, "fill_button", "Bucket", "bucket"},
      {tools.Pipe1, "pipe_button", "Pipe", "pipe"},
      {tools.ChangeColor1, "chcol_button", "Change color", "change_color"},
      {tools.box_button, "box_button", "Select box", "select_box"},
      {tools.LineTool, "line_button", "Line (Shift: straight)", "line"},
      {tools.RectangleTool, "rect_button", "Rectangle (Shift: square; click again: filled)",
       "rectangle"}};
  int index = 0;
  for (const auto& [action, name, hint, icon] : tool_buttons) {
    action->setIcon(ResourceIcon(icon));
    action->setToolTip(QLatin1String(hint));
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QLatin1String(hint));
    button->setAutoRaise(true);
    button->setFixedSize(28, 26);
    grid->addWidget(button, 3 + index / 2, index % 2 == 0 ? 0 : 1, 1, 2,
                    index % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
    ++index;
  }
}

void ToolBox::UpdateSwatches() {
  col_->SetCode(editor_.State().Tools.LeftColor);
  col_right_->SetCode(editor_.State().Tools.RightColor);
}

void ToolBox::ColClick() { col_->update(); }

}  // namespace pictavo
