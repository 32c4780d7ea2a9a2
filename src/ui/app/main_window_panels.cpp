// The main window's panels: the picture and icon bars, the tool box, the
// quick sizes, the preview, the canvas and the status bar.
#include <initializer_list>
#include <tuple>
#include <utility>

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "ui/app/main_window.h"
#include "ui/services/name_box.h"
#include "ui/widgets/canvas_scroll_area.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/color_controls.h"
#include "ui/widgets/form_helpers.h"
#include "ui/widgets/icon_preview.h"

namespace pictavo {

namespace {

// The "Quick size" buttons: widths fill the left column and heights the
// right one, each in rising order.
enum class Dimension { Width, Height };
struct QuickSizeButton {
  const char* name;
  Dimension dimension;
  int value;
  void (TForm1::*handler)();
};
constexpr Dimension W = Dimension::Width;
constexpr Dimension H = Dimension::Height;
constexpr QuickSizeButton kQuickSizeButtons[] = {
    {"SpeedButton42", W, 2, &TForm1::SpeedButton42Click},
    {"SpeedButton19", W, 3, &TForm1::SpeedButton19Click},
    {"SpeedButton38", W, 4, &TForm1::SpeedButton38Click},
    {"SpeedButton10", W, 5, &TForm1::SpeedButton10Click},
    {"SpeedButton40", W, 6, &TForm1::SpeedButton40Click},
    {"SpeedButton17", W, 7, &TForm1::SpeedButton17Click},
    {"SpeedButton16", W, 8, &TForm1::SpeedButton16Click},
    {"SpeedButton18", W, 9, &TForm1::SpeedButton18Click},
    {"SpeedButton11", W, 10, &TForm1::SpeedButton11Click},
    {"SpeedButton12", W, 15, &TForm1::SpeedButton12Click},
    {"SpeedButton13", W, 20, &TForm1::SpeedButton13Click},
    {"SpeedButton14", W, 25, &TForm1::SpeedButton14Click},
    {"SpeedButton15", W, 30, &TForm1::SpeedButton15Click},
    {"SpeedButton20", W, 50, &TForm1::SpeedButton20Click},
    {"SpeedButton21", W, 70, &TForm1::SpeedButton21Click},
    {"SpeedButton22", W, 96, &TForm1::SpeedButton22Click},
    {"SpeedButton43", H, 2, &TForm1::SpeedButton43Click},
    {"SpeedButton28", H, 3, &TForm1::SpeedButton28Click},
    {"SpeedButton39", H, 4, &TForm1::SpeedButton39Click},
    {"SpeedButton37", H, 5, &TForm1::SpeedButton37Click},
    {"SpeedButton41", H, 6, &TForm1::SpeedButton41Click},
    {"SpeedButton30", H, 7, &TForm1::SpeedButton30Click},
    {"SpeedButton31", H, 8, &TForm1::SpeedButton31Click},
    {"SpeedButton29", H, 9, &TForm1::SpeedButton29Click},
    {"SpeedButton36", H, 10, &TForm1::SpeedButton36Click},
    {"SpeedButton35", H, 15, &TForm1::SpeedButton35Click},
    {"SpeedButton34", H, 20, &TForm1::SpeedButton34Click},
    {"SpeedButton33", H, 25, &TForm1::SpeedButton33Click},
    {"SpeedButton32", H, 30, &TForm1::SpeedButton32Click},
    {"SpeedButton27", H, 50, &TForm1::SpeedButton27Click},
    {"SpeedButton26", H, 70, &TForm1::SpeedButton26Click},
    {"SpeedButton25", H, 92, &TForm1::SpeedButton25Click},
};

QIcon Icon(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
}

// An icon-only button of the icon bar or the preview box; its hint is its
// tool tip and its name for screen readers.
QToolButton* GlyphButton(QWidget* parent, const char* name, const char* icon, int width,
                         const char* hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setIcon(Icon(icon));
  button->setFixedSize(width, 32);
  button->setAutoRaise(true);
  button->setToolTip(QLatin1String(hint));
  button->setAccessibleName(QLatin1String(hint));
  return button;
}

QLabel* BoldLabel(const char* text, const char* color, QWidget* parent,
                  const char* name = nullptr) {
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

QToolButton* Arrow(QWidget* parent, const char* name, bool up, const char* hint = nullptr) {
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

// An up arrow over a down arrow, beside a number box.
QVBoxLayout* ArrowPair(QToolButton* up, QToolButton* down) {
  auto* arrows = new QVBoxLayout();
  arrows->setSpacing(0);
  arrows->addWidget(up);
  arrows->addWidget(down);
  return arrows;
}

}  // namespace

// ---- panels -----------------------------------------------------------------------------

void TForm1::BuildCentralWidget() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Central"));
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* panel4 = new QFrame(central);
  panel4->setObjectName(QStringLiteral("Panel4"));
  panel4->setFrameShape(QFrame::StyledPanel);
  auto* top = new QVBoxLayout(panel4);
  top->setContentsMargins(2, 2, 2, 2);
  top->setSpacing(2);
  BuildPictureBar(top);
  BuildIconBar(top);
  column->addWidget(panel4);

  auto* middle = new QHBoxLayout();
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  middle->addWidget(BuildLeftColumn());
  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setObjectName(QStringLiteral("CanvasSplitter"));
  splitter_->setChildrenCollapsible(false);
  auto* panel8 = new QFrame(splitter_);
  panel8->setObjectName(QStringLiteral("Panel8"));
  panel8->setAutoFillBackground(true);
  panel8->setPalette(QPalette(Qt::white));
  auto* panel8_layout = new QVBoxLayout(panel8);
  panel8_layout->setContentsMargins(0, 0, 0, 0);
  canvas_area_ = new CanvasScrollArea(editor_, panel8);
  canvas_ = canvas_area_->Canvas();
  panel8_layout->addWidget(canvas_area_);
  splitter_->addWidget(panel8);
  splitter_->addWidget(BuildPreviewBox());
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->handle(1)->setObjectName(QStringLiteral("Splitter1"));
  middle->addWidget(splitter_, 1);
  column->addLayout(middle, 1);
  setCentralWidget(central);
}

void TForm1::BuildStatusBar() {
  QStatusBar* status = statusBar();
  status->setObjectName(QStringLiteral("StatusBar1"));
  status->setSizeGripEnabled(true);
  const char* const panel_texts[] = {"X:", "Y:", ""};
  QLabel* panels[3];
  for (int i = 0; i < 3; ++i) {
    panels[i] = new QLabel(QString::fromLatin1(panel_texts[i]), status);
    panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panels[i]->setFixedWidth(50);
    status->addWidget(panels[i]);
  }
  status_x_ = panels[0];
  status_y_ = panels[1];
}

void TForm1::BuildPictureBar(QVBoxLayout* top) {
  auto* panel2 = new QFrame(this);
  panel2->setObjectName(QStringLiteral("Panel2"));
  auto* row = new QHBoxLayout(panel2);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(4);

  QLabel* name_label = BoldLabel("&Name:", "blue", panel2, "Label1");
  row->addWidget(name_label);
  name_box_ = CreateNameBox(panel2);
  name_label->setBuddy(name_box_);
  row->addWidget(name_box_);
  row->addSpacing(8);
  row->addWidget(BoldLabel("Size:", "blue", panel2));

  // A caption, a read-only number box and its up and down arrows.
  auto add_number = [&](const char* caption, const char* color, const char* box_name,
                        std::pair<const char*, const char*> up, void (TForm1::*up_handler)(),
                        std::pair<const char*, const char*> down, void (TForm1::*down_handler)()) {
    row->addWidget(BoldLabel(caption, color, panel2));
    QLineEdit* box = ReadOnlyBox(box_name, 32, panel2);
    row->addWidget(box);
    QToolButton* up_arrow = Arrow(panel2, up.first, true, up.second);
    QToolButton* down_arrow = Arrow(panel2, down.first, false, down.second);
    connect(up_arrow, &QToolButton::clicked, this, up_handler);
    connect(down_arrow, &QToolButton::clicked, this, down_handler);
    row->addLayout(ArrowPair(up_arrow, down_arrow));
    return std::tuple(box, up_arrow, down_arrow);
  };
  QToolButton* width_up;
  QToolButton* width_down;
  QToolButton* height_up;
  QToolButton* height_down;
  std::tie(wid_, width_up, width_down) = add_number(
      "Width :", "green", "WID", {"SpeedButton2", "Width up"}, &TForm1::SpeedButton2Click,
      {"SpeedButton4", "Width down"}, &TForm1::SpeedButton4Click);
  std::tie(heig_, height_up, height_down) = add_number(
      "Height :", "green", "HEIG", {"SpeedButton3", "Height up"}, &TForm1::SpeedButton3Click,
      {"SpeedButton1", "Height down"}, &TForm1::SpeedButton1Click);
  std::tie(psize_, std::ignore, std::ignore) =
      add_number("Pixel Size :", "blue", "PSIZE", {"SpeedButton23", "Pixel size up"},
                 &TForm1::SpeedButton23Click, {"SpeedButton24", "Pixel size down"},
                 &TForm1::SpeedButton24Click);
  size_arrows_ = {height_down, width_up, height_up, width_down};
  row->addStretch(1);
  top->addWidget(panel2);
}

void TForm1::BuildIconBar(QVBoxLayout* top) {
  SkinControls& c = skin_controls_;
  panel3_ = new QFrame(this);
  panel3_->setObjectName(QStringLiteral("Panel3"));
  auto* row = new QHBoxLayout(panel3_);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(4);
  row->addWidget(BoldLabel("IconID:", "blue", panel3_, "Label9"));
  c.ComboBox1 = new QComboBox(panel3_);
  c.ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  c.ComboBox1->setEditable(true);
  c.ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  c.ComboBox1->setMinimumWidth(80);
  row->addWidget(c.ComboBox1);
  auto add_glyph = [&](const char* name, const char* icon, int width, const char* hint) {
    QToolButton* button = GlyphButton(panel3_, name, icon, width, hint);
    row->addWidget(button);
    return button;
  };
  c.SpeedButton48 = add_glyph("SpeedButton48", "add_icon", 32, "Add icon");
  c.SpeedButton49 = add_glyph("SpeedButton49", "delete_icon", 34, "Delete icon");
  row->addSpacing(8);
  row->addWidget(BoldLabel("BPP:", "blue", panel3_, "Label10"));
  icon_bpp_edit_ = ReadOnlyBox("IconBPPEdit", 28, panel3_);
  row->addWidget(icon_bpp_edit_);
  c.SpeedButton45 = Arrow(panel3_, "SpeedButton45", true, "Raise the icon's bits per pixel");
  c.SpeedButton44 = Arrow(panel3_, "SpeedButton44", false, "Lower the icon's bits per pixel");
  row->addLayout(ArrowPair(c.SpeedButton45, c.SpeedButton44));
  row->addSpacing(8);
  row->addWidget(BoldLabel("Current SubIcon:", "blue", panel3_, "Label11"));
  current_icon_edit_ = ReadOnlyBox("CurrentIconEdit", 32, panel3_);
  row->addWidget(current_icon_edit_);
  c.SpeedButton46 = Arrow(panel3_, "SpeedButton46", true, "Next sub-icon");
  c.SpeedButton47 = Arrow(panel3_, "SpeedButton47", false, "Previous sub-icon");
  row->addLayout(ArrowPair(c.SpeedButton46, c.SpeedButton47));
  c.SpeedButton50 =
      add_glyph("SpeedButton50", "add_subicon", 32, "Add sub-icon (copy of the current one)");
  c.SpeedButton51 = add_glyph("SpeedButton51", "delete_subicon", 32, "Delete sub-icon");
  row->addSpacing(12);
  c.BudgetLabel = new QLabel(panel3_);
  c.BudgetLabel->setObjectName(QStringLiteral("BudgetLabel"));
  c.BudgetLabel->setFont(ScaledFont(c.BudgetLabel->font(), 10.0 / 12.0));
  c.BudgetLabel->setToolTip(
      QStringLiteral("Packed bytes of the current icon, and of the whole icon stream against "
                     "the 34,442 bytes a skin file holds"));
  row->addWidget(c.BudgetLabel);
  row->addStretch(1);
  panel3_->hide();
  top->addWidget(panel3_);
}

QWidget* TForm1::BuildLeftColumn() {
  auto* panel1 = new QFrame(this);
  panel1->setObjectName(QStringLiteral("Panel1"));
  panel1->setFixedWidth(65);
  auto* column = new QVBoxLayout(panel1);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(4);
  column->addWidget(BuildToolBox());
  panel6_ = BuildQuickSizePanel();
  column->addWidget(panel6_);
  group_box1_ = new QGroupBox(QStringLiteral("Icons ID"), panel1);
  group_box1_->setObjectName(QStringLiteral("GroupBox1"));
  auto* list_layout = new QVBoxLayout(group_box1_);
  list_layout->setContentsMargins(1, 1, 1, 1);
  QListWidget* list = skin_controls_.ListBox1 = new QListWidget(group_box1_);
  list->setObjectName(QStringLiteral("ListBox1"));
  list->setFrameShape(QFrame::NoFrame);
  list->setStyleSheet(QStringLiteral("background: palette(button);"));
  list_layout->addWidget(list);
  group_box1_->hide();
  column->addWidget(group_box1_, 1);
  column->addStretch(0);
  return panel1;
}

QWidget* TForm1::BuildToolBox() {
  const Actions& a = actions_;
  auto* panel5 = new QFrame(this);
  panel5->setObjectName(QStringLiteral("Panel5"));
  auto* grid = new QGridLayout(panel5);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);

  col_ = new ColorSwatch(QStringLiteral("Col"), panel5);
  col_->setToolTip(QStringLiteral("Left button colour"));
  col_right_ = new ColorSwatch(QStringLiteral("ColRight"), panel5);
  col_right_->setToolTip(QStringLiteral("Right button colour"));
  grid->addWidget(col_, 0, 0, 1, 2, Qt::AlignLeft);
  grid->addWidget(col_right_, 0, 1, 1, 2, Qt::AlignRight);
  connect(col_, &ColorSwatch::Clicked, this, &TForm1::ColClick);

  // The colour menus: white, 33 % gray, 66 % gray, black, transparent.
  const PixelCode menu_order[] = {PixelCode::White, PixelCode::Gray33, PixelCode::Gray66,
                                  PixelCode::Black, PixelCode::Transparent};
  using Handler = void (TForm1::*)();
  const std::tuple<const char*, Handler, const char*, Handler> items[] = {
      {"white1", &TForm1::white1Click, "MenuItem1", &TForm1::MenuItem1Click},
      {"N33gray1", &TForm1::N33gray1Click, "MenuItem2", &TForm1::MenuItem2Click},
      {"N66gray1", &TForm1::N66gray1Click, "MenuItem3", &TForm1::MenuItem3Click},
      {"black1", &TForm1::black1Click, "MenuItem4", &TForm1::MenuItem4Click},
      {"transparent1", &TForm1::transparent1Click, "MenuItem5", &TForm1::MenuItem5Click}};
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
  using PaletteHandler = void (TForm1::*)(MouseButton);
  const std::tuple<const char*, PixelCode, int, int, PaletteHandler> palette[] = {
      {"SpeedButton9", PixelCode::Transparent, 1, 0, &TForm1::SpeedButton9MouseDown},
      {"SpeedButton6", PixelCode::White, 1, 1, &TForm1::SpeedButton6MouseDown},
      {"SpeedButton7", PixelCode::Gray33, 1, 2, &TForm1::SpeedButton7MouseDown},
      {"SpeedButton8", PixelCode::Gray66, 2, 0, &TForm1::SpeedButton8MouseDown},
      {"SpeedButton5", PixelCode::Black, 2, 1, &TForm1::SpeedButton5MouseDown}};
  for (const auto& [name, code, r, c, handler] : palette) {
    auto* button = new PaletteButton(QLatin1String(name), code, panel5);
    connect(button, &PaletteButton::ColorPressed, this,
            [this, handler](MouseButton mouse, PixelCode) { (this->*handler)(mouse); });
    grid->addWidget(button, r, c);
  }

  // The tool buttons show the tools' actions, which form one exclusive group.
  const std::tuple<QAction*, const char*, const char*, const char*> tool_buttons[] = {
      {a.Pen1, "pen_button", "Pen", "pen"},
      {a.Bucket1, "fill_button", "Bucket", "bucket"},
      {a.Pipe1, "pipe_button", "Pipe", "pipe"},
      {a.ChangeColor1, "chcol_button", "Change color", "change_color"},
      {a.box_button, "box_button", "Select box", "select_box"}};
  int index = 0;
  for (const auto& [action, name, hint, icon] : tool_buttons) {
    action->setIcon(Icon(icon));
    action->setToolTip(QLatin1String(hint));
    auto* button = new QToolButton(panel5);
    button->setDefaultAction(action);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QLatin1String(hint));
    button->setAutoRaise(true);
    button->setFixedSize(28, 26);
    grid->addWidget(button, 3 + index / 2, index % 2 == 0 ? 0 : 1, 1, 2,
                    index % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
    ++index;
  }
  return panel5;
}

QWidget* TForm1::BuildQuickSizePanel() {
  auto* panel6 = new QFrame(this);
  panel6->setObjectName(QStringLiteral("Panel6"));
  auto* grid = new QGridLayout(panel6);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(0);
  QLabel* caption = BoldLabel("Quick size", "blue", panel6);
  caption->setFont(ScaledFont(caption->font(), 10.0 / 12.0));
  grid->addWidget(caption, 0, 0, 1, 2, Qt::AlignHCenter);
  grid->addWidget(BoldLabel("W", "green", panel6), 1, 0, Qt::AlignHCenter);
  grid->addWidget(BoldLabel("H", "green", panel6), 1, 1, Qt::AlignHCenter);
  int rows[2] = {2, 2};  // the next free row of the width and the height column
  for (const QuickSizeButton& quick : kQuickSizeButtons) {
    const bool width = quick.dimension == Dimension::Width;
    auto* button = new QToolButton(panel6);
    button->setObjectName(QLatin1String(quick.name));
    button->setText(QString::number(quick.value));
    button->setToolTip(
        (width ? QStringLiteral("Width %1") : QStringLiteral("Height %1")).arg(quick.value));
    button->setFixedSize(26, 17);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, quick.handler);
    grid->addWidget(button, rows[width ? 0 : 1]++, width ? 0 : 1);
  }
  return panel6;
}

QWidget* TForm1::BuildPreviewBox() {
  SkinControls& c = skin_controls_;
  group_box2_ = new QGroupBox(QStringLiteral("Preview"), this);
  group_box2_->setObjectName(QStringLiteral("GroupBox2"));
  group_box2_->setMinimumWidth(100);
  auto* layout = new QVBoxLayout(group_box2_);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* panel7 = new QFrame(group_box2_);
  panel7->setObjectName(QStringLiteral("Panel7"));
  auto* buttons = new QHBoxLayout(panel7);
  buttons->setContentsMargins(0, 0, 0, 0);
  auto add_zoom = [&](const char* name, const char* icon, int width, const char* hint) {
    QToolButton* button = GlyphButton(panel7, name, icon, width, hint);
    buttons->addWidget(button);
    return button;
  };
  c.SpeedButton52 = add_zoom("SpeedButton52", "zoom_in", 32, "Zoom preview in");
  c.SpeedButton53 = add_zoom("SpeedButton53", "zoom_out", 34, "Zoom preview out");
  buttons->addStretch(1);
  layout->addWidget(panel7);
  // Frame playback: the button plays and stops, the box sets each frame's time.
  auto* play_row = new QHBoxLayout();
  play_row->setContentsMargins(0, 0, 0, 0);
  c.PlayButton = new QToolButton(group_box2_);
  c.PlayButton->setObjectName(QStringLiteral("PlayButton"));
  c.PlayButton->setCheckable(true);
  QIcon play_icon = style()->standardIcon(QStyle::SP_MediaPlay);
  play_icon.addPixmap(style()->standardPixmap(QStyle::SP_MediaStop), QIcon::Normal, QIcon::On);
  c.PlayButton->setIcon(play_icon);
  c.PlayButton->setAutoRaise(true);
  c.PlayButton->setToolTip(QStringLiteral("Play the sub-icons in turn"));
  c.PlayButton->setAccessibleName(QStringLiteral("Play the sub-icons in turn"));
  c.FrameInterval = new QSpinBox(group_box2_);
  c.FrameInterval->setObjectName(QStringLiteral("FrameInterval"));
  c.FrameInterval->setSuffix(QStringLiteral(" ms"));
  c.FrameInterval->setSingleStep(10);
  c.FrameInterval->setToolTip(QStringLiteral("How long each frame is shown"));
  c.FrameInterval->setAccessibleName(QStringLiteral("Frame time"));
  play_row->addWidget(c.PlayButton);
  play_row->addWidget(c.FrameInterval);
  play_row->addStretch(1);
  layout->addLayout(play_row);
  // `Image3` fills what `Panel7` leaves of the box.
  c.Image3 = new IconPreview(editor_, group_box2_);
  layout->addWidget(c.Image3, 1);
  group_box2_->hide();
  return group_box2_;
}

}  // namespace pictavo
