// Construction of the main window's menus, tool bar and panels.
#include <string_view>

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpressionValidator>
#include <QToolBar>
#include <QToolButton>

#include "ui/app/main_window.h"
#include "ui/widgets/color_controls.h"

namespace pictavo {

namespace {

QIcon Icon(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
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

}  // namespace

QAction* TForm1::AddAction(QMenu* menu, const char* name, const char* caption,
                           const QKeySequence& shortcut) {
  auto* action = new QAction(QString::fromLatin1(caption), this);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::ApplicationShortcut);
  menu->addAction(action);
  return action;
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("FileMenu"));
  connect(AddAction(file, "NewPicture1", "New Picture...", QKeySequence(Qt::CTRL | Qt::Key_N)),
          &QAction::triggered, this, &TForm1::NewPicture1Click);
  AddAction(file, "OpenPicture1", "Open Picture...", QKeySequence(Qt::CTRL | Qt::Key_O));
  AddAction(file, "OpenBMPfile1", "Open BMP file...");
  AddAction(file, "Savepicture1", "Save Picture...", QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  AddAction(file, "OpenSkin1", "OpenSkin...");
  AddAction(file, "SaveSkin1", "SaveSkin...");
  file->addSeparator();
  AddAction(file, "Save1", "Save (asm 8bpp format)...", QKeySequence(Qt::CTRL | Qt::Key_A));
  AddAction(file, "Savetoend1", "Save to end (asm 8bpp format)...",
            QKeySequence(Qt::CTRL | Qt::Key_E));
  file->addSeparator();
  connect(AddAction(file, "Exit1", "Exit"), &QAction::triggered, this, &TForm1::Exit1Click);
  // Until their areas wire them, these commands are shown but disabled.
  for (const char* name : {"OpenPicture1", "OpenBMPfile1", "Savepicture1", "OpenSkin1", "SaveSkin1",
                           "Save1", "Savetoend1"}) {
    Action(QLatin1String(name))->setEnabled(false);
  }

  QMenu* image = bar->addMenu(QStringLiteral("&Image"));
  image->setObjectName(QStringLiteral("ImageMenu"));
  connect(AddAction(image, "Undochange1", "Undo change", QKeySequence(Qt::CTRL | Qt::Key_Z)),
          &QAction::triggered, this, &TForm1::Undochange1Click);
  image->addSeparator();
  connect(AddAction(image, "SetSize1", "Set Size", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S)),
          &QAction::triggered, this, &TForm1::SetSize1Click);
  connect(
      AddAction(image, "ClearImage1", "Clear Image", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)),
      &QAction::triggered, this, &TForm1::ClearImage1Click);

  QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("ToolsMenu"));
  connect(AddAction(tools, "Pen1", "Pen", QKeySequence(Qt::Key_F2)), &QAction::triggered, this,
          &TForm1::Pen1Click);
  connect(AddAction(tools, "Bucket1", "Bucket", QKeySequence(Qt::Key_F3)), &QAction::triggered,
          this, &TForm1::Bucket1Click);
  connect(AddAction(tools, "Pipe1", "Pipe", QKeySequence(Qt::Key_F4)), &QAction::triggered, this,
          &TForm1::Pipe1Click);
  connect(AddAction(tools, "ChangeColor1", "Change Color", QKeySequence(Qt::Key_F5)),
          &QAction::triggered, this, &TForm1::ChangeColor1Click);

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("ViewMenu"));
  QAction* grids = AddAction(view, "ViewGrids1", "View Grids");
  grids->setCheckable(true);
  connect(grids, &QAction::triggered, this, &TForm1::ViewGrids1Click);
  QAction* border = AddAction(view, "ViewBorder1", "View Border");
  border->setCheckable(true);
  connect(border, &QAction::triggered, this, &TForm1::ViewBorder1Click);

  QMenu* pixel = bar->addMenu(QStringLiteral("&Pixel"));
  pixel->setObjectName(QStringLiteral("PixelMenu"));
  connect(AddAction(pixel, "x11", "x1 (No Grids)"), &QAction::triggered, this, &TForm1::x11Click);
  connect(AddAction(pixel, "x2NoGrids1", "x2 (No Grids)"), &QAction::triggered, this,
          &TForm1::x2NoGrids1Click);
  connect(AddAction(pixel, "x3NoGrids1", "x3 (No Grids)"), &QAction::triggered, this,
          &TForm1::x3NoGrids1Click);
  connect(AddAction(pixel, "x51", "x5"), &QAction::triggered, this, &TForm1::x51Click);
  connect(AddAction(pixel, "x101", "x10"), &QAction::triggered, this, &TForm1::x101Click);
  connect(AddAction(pixel, "x151", "x15"), &QAction::triggered, this, &TForm1::x151Click);

  QMenu* help = bar->addMenu(QStringLiteral("?"));
  help->setObjectName(QStringLiteral("HelpMenu"));
  connect(AddAction(help, "About2", "About...", QKeySequence(Qt::Key_F1)), &QAction::triggered,
          this, &TForm1::About2Click);
}

QToolButton* TForm1::AddToolButton(const char* name, const char* hint, const char* icon,
                                   QAction* repeats, void (TForm1::*handler)()) {
  auto* button = new QToolButton(tool_bar_);
  button->setObjectName(QLatin1String(name));
  button->setIcon(Icon(icon));
  button->setAutoRaise(true);
  if (hint != nullptr) {
    button->setToolTip(QLatin1String(hint));
    button->setAccessibleName(QLatin1String(hint));
  }
  if (handler != nullptr) connect(button, &QToolButton::clicked, this, handler);
  if (repeats != nullptr) {
    // A tool-bar button runs the menu item it repeats and follows its state.
    if (handler == nullptr) connect(button, &QToolButton::clicked, repeats, &QAction::trigger);
    button->setEnabled(repeats->isEnabled());
    connect(repeats, &QAction::changed, button,
            [button, repeats] { button->setEnabled(repeats->isEnabled()); });
  }
  tool_bar_->addWidget(button);
  return button;
}

void TForm1::AddGap(int width) {
  auto* gap = new QWidget(tool_bar_);
  gap->setFixedWidth(width);
  tool_bar_->addWidget(gap);
}

void TForm1::BuildToolBar() {
  tool_bar_ = new QToolBar(this);
  tool_bar_->setObjectName(QStringLiteral("ToolBar1"));
  tool_bar_->setMovable(false);
  tool_bar_->setFloatable(false);
  tool_bar_->setIconSize(QSize(16, 16));
  tool_bar_->setFixedHeight(29);
  addToolBar(Qt::TopToolBarArea, tool_bar_);

  AddToolButton("ToolButton1", "New...", "new", Action(QStringLiteral("NewPicture1")),
                &TForm1::ToolButton1Click);
  AddToolButton("ToolButton2", "Open", "open", Action(QStringLiteral("OpenPicture1")));
  AddToolButton("ToolButton21", nullptr, "open_bmp", Action(QStringLiteral("OpenBMPfile1")));
  AddToolButton("ToolButton3", "Save...", "save", Action(QStringLiteral("Savepicture1")));
  AddGap(8);
  AddToolButton("ToolButton11", nullptr, "save_to_end", Action(QStringLiteral("Savetoend1")));
  AddGap(8);
  AddToolButton("UndoButton", "Undo changes", "undo", Action(QStringLiteral("Undochange1")),
                &TForm1::UndoButtonClick);
  AddGap(22);
  AddToolButton("ToolButton12", "Move to ClipBoard panel", "export_panel", nullptr)
      ->setEnabled(false);
  AddGap(18);
  QToolButton* align = AddToolButton("align", "Clipboard with align up to byte", "align", nullptr);
  align->setCheckable(true);
  connect(align, &QToolButton::clicked, this, &TForm1::alignClick);
  AddGap(8);
  const std::pair<const char*, const char*> exports[] = {{"ToolButton7", "export_cpp"},
                                                         {"ToolButton5", "export_asm1"},
                                                         {"ToolButton16", "export_asm2"},
                                                         {"ToolButton17", "export_asm4"},
                                                         {"ToolButton8", "export_asm8"}};
  const char* const export_hints[] = {
      "Move to Clipboard (format C++)", "Move to Clipboard (format ASM 1bpp)",
      "Move to Clipboard (format ASM 2bpp)", "Move to Clipboard (format ASM 4bpp)",
      "Move to Clipboard (format ASM)"};
  for (int i = 0; i < 5; ++i) {
    AddToolButton(exports[i].first, export_hints[i], exports[i].second, nullptr)->setEnabled(false);
  }
  AddGap(12);
  AddToolButton("ToolButton10", "Set Size", "set_size", Action(QStringLiteral("SetSize1")),
                &TForm1::ToolButton10Click);
  // Its hint is kept for accessibility but not shown as a tip.
  QToolButton* clear =
      AddToolButton("ToolButton19", nullptr, "clear_image", Action(QStringLiteral("ClearImage1")),
                    &TForm1::ToolButton19Click);
  clear->setAccessibleName(QStringLiteral("Clear Image"));
  AddGap(14);
  AddToolButton("GridsButton", "View Grids", "grid", nullptr, &TForm1::GridsButtonClick)
      ->setCheckable(true);
  AddToolButton("BorderButton", "View Border", "border", nullptr, &TForm1::BorderButtonClick)
      ->setCheckable(true);
  AddGap(29);
  AddToolButton("ToolButton15", "Exit", "exit", Action(QStringLiteral("Exit1")),
                &TForm1::ToolButton15Click);
}

QToolButton* TForm1::AddArrow(QWidget* parent, const char* name, bool up) {
  auto* arrow = new QToolButton(parent);
  arrow->setObjectName(QLatin1String(name));
  arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
  arrow->setFixedSize(16, 12);
  arrow->setAutoRaise(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  return arrow;
}

void TForm1::BuildPictureBar(QVBoxLayout* top) {
  auto* panel2 = new QFrame(this);
  panel2->setObjectName(QStringLiteral("Panel2"));
  auto* row = new QHBoxLayout(panel2);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(4);

  QLabel* name_label = BoldLabel("&Name:", "blue", panel2, "Label1");
  row->addWidget(name_label);
  name_box_ = new QLineEdit(panel2);
  name_box_->setObjectName(QStringLiteral("Edit1"));
  name_box_->setFixedWidth(161);
  name_box_->setMaxLength(16);
  QFont big = name_box_->font();
  big.setPixelSize(25);
  name_box_->setFont(big);
  // Names are saved as 8-bit Latin-1, so only what Latin-1 holds may be typed.
  name_box_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*")), name_box_));
  connect(name_box_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (text.size() <= 16) name_box_->setMaxLength(16);
  });
  name_label->setBuddy(name_box_);
  row->addWidget(name_box_);
  row->addSpacing(8);
  row->addWidget(BoldLabel("Size:", "blue", panel2));

  auto add_number = [&](const char* caption, const char* color, const char* box_name,
                        const char* up_name, const char* down_name, void (TForm1::*up)(),
                        void (TForm1::*down)()) {
    row->addWidget(BoldLabel(caption, color, panel2));
    QLineEdit* box = ReadOnlyBox(box_name, 32, panel2);
    row->addWidget(box);
    auto* arrows = new QVBoxLayout();
    arrows->setSpacing(0);
    QToolButton* up_arrow = AddArrow(panel2, up_name, true);
    QToolButton* down_arrow = AddArrow(panel2, down_name, false);
    connect(up_arrow, &QToolButton::clicked, this, up);
    connect(down_arrow, &QToolButton::clicked, this, down);
    arrows->addWidget(up_arrow);
    arrows->addWidget(down_arrow);
    row->addLayout(arrows);
    return box;
  };
  wid_ = add_number("Width :", "green", "WID", "SpeedButton2", "SpeedButton4",
                    &TForm1::SpeedButton2Click, &TForm1::SpeedButton4Click);
  heig_ = add_number("Height :", "green", "HEIG", "SpeedButton3", "SpeedButton1",
                     &TForm1::SpeedButton3Click, &TForm1::SpeedButton1Click);
  psize_ = add_number("Pixel Size :", "blue", "PSIZE", "SpeedButton23", "SpeedButton24",
                      &TForm1::SpeedButton23Click, &TForm1::SpeedButton24Click);
  Button(QStringLiteral("SpeedButton2"))->setToolTip(QStringLiteral("Width up"));
  Button(QStringLiteral("SpeedButton4"))->setToolTip(QStringLiteral("Width down"));
  Button(QStringLiteral("SpeedButton3"))->setToolTip(QStringLiteral("Height up"));
  Button(QStringLiteral("SpeedButton1"))->setToolTip(QStringLiteral("Height down"));
  Button(QStringLiteral("SpeedButton23"))->setToolTip(QStringLiteral("Pixel size up"));
  Button(QStringLiteral("SpeedButton24"))->setToolTip(QStringLiteral("Pixel size down"));
  row->addStretch(1);
  top->addWidget(panel2);
}

void TForm1::BuildIconBar(QVBoxLayout* top) {
  panel3_ = new QFrame(this);
  panel3_->setObjectName(QStringLiteral("Panel3"));
  auto* row = new QHBoxLayout(panel3_);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(4);
  row->addWidget(BoldLabel("IconID:", "blue", panel3_, "Label9"));
  combo_box1_ = new QComboBox(panel3_);
  combo_box1_->setObjectName(QStringLiteral("ComboBox1"));
  combo_box1_->setEditable(true);
  combo_box1_->setInsertPolicy(QComboBox::NoInsert);
  combo_box1_->setMinimumWidth(80);
  row->addWidget(combo_box1_);
  auto add_glyph = [&](const char* name, const char* icon, int width) {
    auto* button = new QToolButton(panel3_);
    button->setObjectName(QLatin1String(name));
    button->setIcon(Icon(icon));
    button->setFixedSize(width, 32);
    button->setAutoRaise(true);
    row->addWidget(button);
    return button;
  };
  add_glyph("SpeedButton48", "add_icon", 32);
  add_glyph("SpeedButton49", "delete_icon", 34);
  row->addSpacing(8);
  row->addWidget(BoldLabel("BPP:", "blue", panel3_, "Label10"));
  icon_bpp_edit_ = ReadOnlyBox("IconBPPEdit", 28, panel3_);
  row->addWidget(icon_bpp_edit_);
  auto* bpp_arrows = new QVBoxLayout();
  bpp_arrows->setSpacing(0);
  bpp_arrows->addWidget(AddArrow(panel3_, "SpeedButton45", true));
  bpp_arrows->addWidget(AddArrow(panel3_, "SpeedButton44", false));
  row->addLayout(bpp_arrows);
  row->addSpacing(8);
  row->addWidget(BoldLabel("Current SubIcon:", "blue", panel3_, "Label11"));
  current_icon_edit_ = ReadOnlyBox("CurrentIconEdit", 32, panel3_);
  row->addWidget(current_icon_edit_);
  auto* sub_arrows = new QVBoxLayout();
  sub_arrows->setSpacing(0);
  sub_arrows->addWidget(AddArrow(panel3_, "SpeedButton46", true));
  sub_arrows->addWidget(AddArrow(panel3_, "SpeedButton47", false));
  row->addLayout(sub_arrows);
  add_glyph("SpeedButton50", "add_subicon", 32);
  add_glyph("SpeedButton51", "delete_subicon", 32);
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
  auto* list = new QListWidget(group_box1_);
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

  tools_ = new QButtonGroup(this);
  tools_->setExclusive(true);
  // The bucket shares its handler with the last three, as the pipe's.
  const std::tuple<const char*, const char*, const char*, void (TForm1::*)()> tool_buttons[] = {
      {"pen_button", "Pen", "pen", &TForm1::pen_buttonClick},
      {"fill_button", "Bucket", "bucket", &TForm1::fill_buttonClick},
      {"pipe_button", "Pipe", "pipe", &TForm1::pipe_buttonClick},
      {"chcol_button", "Change color", "change_color", &TForm1::pipe_buttonClick},
      {"box_button", "Select box", "select_box", &TForm1::pipe_buttonClick}};
  int index = 0;
  for (const auto& [name, hint, icon, handler] : tool_buttons) {
    auto* button = new QToolButton(panel5);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(QLatin1String(hint));
    button->setAccessibleName(QLatin1String(hint));
    button->setIcon(Icon(icon));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFixedSize(28, 26);
    tools_->addButton(button, index);
    grid->addWidget(button, 3 + index / 2, index % 2 == 0 ? 0 : 1, 1, 2,
                    index % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
    connect(button, &QToolButton::clicked, this, handler);
    ++index;
  }
  Button(QStringLiteral("pen_button"))->setChecked(true);
  // The select box comes to life with the selection panel.
  Button(QStringLiteral("box_button"))->setEnabled(false);
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
  QFont small = caption->font();
  small.setPixelSize(10);
  caption->setFont(small);
  grid->addWidget(caption, 0, 0, 1, 2, Qt::AlignHCenter);
  grid->addWidget(BoldLabel("W", "green", panel6), 1, 0, Qt::AlignHCenter);
  grid->addWidget(BoldLabel("H", "green", panel6), 1, 1, Qt::AlignHCenter);
  // Widths fill the left column, heights the right, in rising order.
  int width_row = 2;
  int height_row = 2;
  auto make = [&](const char* name, bool width, int value, void (TForm1::*handler)()) {
    auto* button = new QToolButton(panel6);
    button->setObjectName(QLatin1String(name));
    button->setText(QString::number(value));
    button->setToolTip(width ? QStringLiteral("Width %1").arg(value)
                             : QStringLiteral("Height %1").arg(value));
    button->setFixedSize(26, 17);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, handler);
    grid->addWidget(button, width ? width_row++ : height_row++, width ? 0 : 1);
  };
#define PICTAVO_ADD_QUICK_SIZE(button, dimension, value) \
  make(#button, std::string_view(#dimension) == "Width", value, &TForm1::button##Click);
  PICTAVO_QUICK_SIZE_BUTTONS(PICTAVO_ADD_QUICK_SIZE)
#undef PICTAVO_ADD_QUICK_SIZE
  return panel6;
}

QWidget* TForm1::BuildPreviewBox() {
  group_box2_ = new QGroupBox(QStringLiteral("Preview"), this);
  group_box2_->setObjectName(QStringLiteral("GroupBox2"));
  group_box2_->setMinimumWidth(100);
  auto* layout = new QVBoxLayout(group_box2_);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* panel7 = new QFrame(group_box2_);
  panel7->setObjectName(QStringLiteral("Panel7"));
  auto* buttons = new QHBoxLayout(panel7);
  buttons->setContentsMargins(0, 0, 0, 0);
  const std::tuple<const char*, const char*, int> zoom[] = {{"SpeedButton52", "zoom_in", 32},
                                                            {"SpeedButton53", "zoom_out", 34}};
  for (const auto& [name, icon, width] : zoom) {
    auto* button = new QToolButton(panel7);
    button->setObjectName(QLatin1String(name));
    button->setIcon(Icon(icon));
    button->setFixedSize(width, 32);
    button->setAutoRaise(true);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  layout->addWidget(panel7);
  group_box2_->hide();
  return group_box2_;
}

}  // namespace pictavo
