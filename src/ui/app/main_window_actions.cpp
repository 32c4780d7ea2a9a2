// The main window's actions, menus and tool bar: one action per command,
// shared by its menu item and its tool-bar button.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "ui/app/main_window.h"
#include "ui/widgets/panel_controls.h"

namespace pictavo {

// ---- actions and menus ------------------------------------------------------------

QAction* TForm1::NewAction(const char* name, const char* caption, const QKeySequence& shortcut) {
  auto* action = new QAction(QString::fromLatin1(caption), this);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::ApplicationShortcut);
  // The images are for the buttons; menu items show their captions only.
  action->setIconVisibleInMenu(false);
  return action;
}

void TForm1::CreateActions() {
  Actions& a = actions_;
  a.NewPicture1 = NewAction("NewPicture1", "New Picture...", Qt::CTRL | Qt::Key_N);
  a.files.OpenPicture1 = NewAction("OpenPicture1", "Open Picture...", Qt::CTRL | Qt::Key_O);
  a.files.OpenBMPfile1 = NewAction("OpenBMPfile1", "Open BMP file...");
  a.files.Savepicture1 = NewAction("Savepicture1", "Save Picture...", Qt::CTRL | Qt::Key_S);
  a.skins.NewSkin = NewAction("NewSkin", "New Skin...", Qt::CTRL | Qt::SHIFT | Qt::Key_N);
  a.skins.OpenSkin1 = NewAction("OpenSkin1", "OpenSkin...");
  a.skins.SaveSkin1 = NewAction("SaveSkin1", "SaveSkin...");
  a.skins.ImportFont = NewAction("ImportFont", "Import Font...");
  a.skins.ImportFont->setStatusTip(
      QStringLiteral("Makes a skin of a font's glyphs, one icon a character"));
  a.exports.Save1 = NewAction("Save1", "Save (asm 8bpp format)...", Qt::CTRL | Qt::Key_A);
  a.exports.Savetoend1 =
      NewAction("Savetoend1", "Save to end (asm 8bpp format)...", Qt::CTRL | Qt::Key_E);
  a.exports.exportAction = NewAction("exportAction", "Export...", Qt::CTRL | Qt::SHIFT | Qt::Key_E);
  a.RecoverUnsavedWork =
      NewAction("RecoverUnsavedWork", "Recover Unsaved Work...", Qt::CTRL | Qt::SHIFT | Qt::Key_R);
  a.Exit1 = NewAction("Exit1", "Exit");
  a.Undochange1 = NewAction("Undochange1", "Undo change", Qt::CTRL | Qt::Key_Z);
  a.RedoChange = NewAction("RedoChange", "Redo change", Qt::CTRL | Qt::Key_Y);
  a.RedoChange->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  a.SetSize1 = NewAction("SetSize1", "Set Size", Qt::CTRL | Qt::ALT | Qt::Key_S);
  a.ClearImage1 = NewAction("ClearImage1", "Clear Image", Qt::CTRL | Qt::ALT | Qt::Key_C);
  a.tools.Pen1 = NewAction("Pen1", "Pen", Qt::Key_F2);
  a.tools.Bucket1 = NewAction("Bucket1", "Bucket", Qt::Key_F3);
  a.tools.Pipe1 = NewAction("Pipe1", "Pipe", Qt::Key_F4);
  a.tools.ChangeColor1 = NewAction("ChangeColor1", "Change Color", Qt::Key_F5);
  a.tools.box_button = NewAction("box_button", "Select box");
  a.tools.LineTool = NewAction("LineTool", "Line", Qt::Key_F6);
  a.tools.RectangleTool = NewAction("RectangleTool", "Rectangle", Qt::Key_F7);
  a.FilledRectangle = NewAction("FilledRectangle", "Filled Rectangle", Qt::SHIFT | Qt::Key_F7);
  a.ViewGrids1 = NewAction("ViewGrids1", "View Grids");
  a.ViewBorder1 = NewAction("ViewBorder1", "View Border");
  a.ShowDevicePreview = NewAction("ShowDevicePreview", "Device Preview", Qt::Key_F8);
  a.ShowDevicePreview->setToolTip(
      QStringLiteral("Show the picture as the device shows it, in its grays and backlight"));
  a.ShowOnionSkin = NewAction("ShowOnionSkin", "Onion Skin", Qt::Key_F9);
  a.ShowOnionSkin->setToolTip(
      QStringLiteral("Show the frame before the edited one faintly under it"));
  a.OnionSkinNextFrame =
      NewAction("OnionSkinNextFrame", "Onion Skin: Next Frame Too", Qt::SHIFT | Qt::Key_F9);
  a.OnionSkinNextFrame->setToolTip(
      QStringLiteral("Show the frame after the edited one faintly as well"));
  a.x11 = NewAction("x11", "x1 (No Grids)");
  a.x2NoGrids1 = NewAction("x2NoGrids1", "x2 (No Grids)");
  a.x3NoGrids1 = NewAction("x3NoGrids1", "x3 (No Grids)");
  a.x51 = NewAction("x51", "x5");
  a.x101 = NewAction("x101", "x10");
  a.x151 = NewAction("x151", "x15");
  a.ZoomIn = NewAction("ZoomIn", "Zoom In", Qt::CTRL | Qt::Key_Plus);
  // Ctrl+= as well: the same key without Shift on most keyboards.
  a.ZoomIn->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  a.ZoomOut = NewAction("ZoomOut", "Zoom Out", Qt::CTRL | Qt::Key_Minus);
  a.FitToWindow = NewAction("FitToWindow", "Fit to Window", Qt::CTRL | Qt::Key_0);
  a.About2 = NewAction("About2", "About...", Qt::Key_F1);
  a.exports.ToolButton12 = NewAction("ToolButton12", "Move to ClipBoard panel");
  a.align = NewAction("align", "Clipboard with align up to byte");
  a.exports.ToolButton7 = NewAction("ToolButton7", "Move to Clipboard (format C++)");
  a.exports.ToolButton5 = NewAction("ToolButton5", "Move to Clipboard (format ASM 1bpp)");
  a.exports.ToolButton16 = NewAction("ToolButton16", "Move to Clipboard (format ASM 2bpp)");
  a.exports.ToolButton17 = NewAction("ToolButton17", "Move to Clipboard (format ASM 4bpp)");
  a.exports.ToolButton8 = NewAction("ToolButton8", "Move to Clipboard (format ASM)");

  for (QAction* toggle : {a.ViewGrids1, a.ViewBorder1, a.align, a.FilledRectangle,
                          a.ShowDevicePreview, a.ShowOnionSkin, a.OnionSkinNextFrame}) {
    toggle->setCheckable(true);
  }
  tools_ = new QActionGroup(this);
  tools_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  const std::pair<QAction*, DrawTool> tools[] = {{a.tools.Pen1, DrawTool::Pen},
                                                 {a.tools.Bucket1, DrawTool::Bucket},
                                                 {a.tools.Pipe1, DrawTool::Pipe},
                                                 {a.tools.ChangeColor1, DrawTool::ChangeColor},
                                                 {a.tools.box_button, DrawTool::SelectBox},
                                                 {a.tools.LineTool, DrawTool::Line},
                                                 {a.tools.RectangleTool, DrawTool::Rectangle}};
  for (const auto& [action, tool] : tools) {
    action->setCheckable(true);
    action->setData(static_cast<int>(tool));
    tools_->addAction(action);
  }
  a.tools.Pen1->setChecked(true);

  // The areas' commands are shown but disabled until their area takes them
  // on; the select box also needs the select panel.
  for (QAction* action :
       {a.files.OpenPicture1, a.files.OpenBMPfile1, a.files.Savepicture1, a.skins.NewSkin,
        a.skins.OpenSkin1, a.skins.SaveSkin1, a.skins.ImportFont, a.exports.Save1,
        a.exports.Savetoend1, a.exports.exportAction, a.exports.ToolButton12, a.exports.ToolButton7,
        a.exports.ToolButton5, a.exports.ToolButton16, a.exports.ToolButton17,
        a.exports.ToolButton8, a.tools.box_button, a.RecoverUnsavedWork}) {
    action->setEnabled(false);
  }
}

void TForm1::BuildMenus() {
  const Actions& a = actions_;
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  // A null item is a separator.
  auto add_menu = [bar](const char* title, const char* name,
                        std::initializer_list<QAction*> items) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(title));
    menu->setObjectName(QLatin1String(name));
    for (QAction* item : items) {
      if (item != nullptr) {
        menu->addAction(item);
      } else {
        menu->addSeparator();
      }
    }
  };
  add_menu("&File", "FileMenu",
           {a.NewPicture1, a.files.OpenPicture1, a.files.OpenBMPfile1, a.files.Savepicture1,
            nullptr, a.skins.NewSkin, a.skins.OpenSkin1, a.skins.SaveSkin1, a.skins.ImportFont,
            nullptr, a.exports.Save1, a.exports.Savetoend1, a.exports.exportAction, nullptr,
            a.RecoverUnsavedWork, a.Exit1});
  add_menu("&Image", "ImageMenu",
           {a.Undochange1, a.RedoChange, nullptr, a.SetSize1, a.ClearImage1});
  add_menu("&Tools", "ToolsMenu",
           {a.tools.Pen1, a.tools.Bucket1, a.tools.Pipe1, a.tools.ChangeColor1, a.tools.LineTool,
            a.tools.RectangleTool, a.FilledRectangle});
  add_menu("&View", "ViewMenu",
           {a.ViewGrids1, a.ViewBorder1, nullptr, a.ShowDevicePreview, a.ShowOnionSkin,
            a.OnionSkinNextFrame});
  add_menu("&Pixel", "PixelMenu",
           {a.x11, a.x2NoGrids1, a.x3NoGrids1, a.x51, a.x101, a.x151, nullptr, a.ZoomIn, a.ZoomOut,
            a.FitToWindow});
  add_menu("?", "HelpMenu", {a.About2});
}

// ---- tool bar ---------------------------------------------------------------------------

QToolButton* TForm1::AddToolButton(QAction* action, const char* name, const char* hint,
                                   const char* icon) {
  action->setIcon(ResourceIcon(icon));
  if (hint != nullptr) action->setToolTip(QLatin1String(hint));
  tool_bar_->addAction(action);
  auto* button = qobject_cast<QToolButton*>(tool_bar_->widgetForAction(action));
  button->setObjectName(QLatin1String(name));
  button->setAccessibleName(hint != nullptr ? QLatin1String(hint) : action->iconText());
  if (hint == nullptr) {
    // A button without a hint shows no tip. Its action would give it its
    // caption as one, again on every change of the action, so take it off
    // after each.
    button->setToolTip(QString());
    connect(action, &QAction::changed, button, [button] { button->setToolTip(QString()); });
  }
  return button;
}

void TForm1::AddGap(int width) {
  auto* gap = new QWidget(tool_bar_);
  gap->setFixedWidth(width);
  tool_bar_->addWidget(gap);
}

void TForm1::BuildToolBar() {
  const Actions& a = actions_;
  tool_bar_ = new QToolBar(this);
  tool_bar_->setObjectName(QStringLiteral("ToolBar1"));
  tool_bar_->setMovable(false);
  tool_bar_->setFloatable(false);
  tool_bar_->setIconSize(QSize(16, 16));
  tool_bar_->setFixedHeight(29);
  addToolBar(Qt::TopToolBarArea, tool_bar_);

  AddToolButton(a.NewPicture1, "ToolButton1", "New...", "new");
  AddToolButton(a.files.OpenPicture1, "ToolButton2", "Open", "open");
  AddToolButton(a.files.OpenBMPfile1, "ToolButton21", "Open BMP file...", "open_bmp");
  AddToolButton(a.files.Savepicture1, "ToolButton3", "Save...", "save");
  AddGap(8);
  AddToolButton(a.exports.Savetoend1, "ToolButton11", "Save to end (asm 8bpp format)...",
                "save_to_end");
  AddGap(8);
  AddToolButton(a.Undochange1, "UndoButton", "Undo changes", "undo");
  AddToolButton(a.RedoChange, "RedoButton", "Redo changes", "redo");
  AddGap(22);
  AddToolButton(a.exports.ToolButton12, "ToolButton12", "Move to ClipBoard panel", "export_panel");
  AddGap(18);
  AddToolButton(a.align, "align", "Clipboard with align up to byte", "align");
  AddGap(8);
  AddToolButton(a.exports.ToolButton7, "ToolButton7", "Move to Clipboard (format C++)",
                "export_cpp");
  AddToolButton(a.exports.ToolButton5, "ToolButton5", "Move to Clipboard (format ASM 1bpp)",
                "export_asm1");
  AddToolButton(a.exports.ToolButton16, "ToolButton16", "Move to Clipboard (format ASM 2bpp)",
                "export_asm2");
  AddToolButton(a.exports.ToolButton17, "ToolButton17", "Move to Clipboard (format ASM 4bpp)",
                "export_asm4");
  AddToolButton(a.exports.ToolButton8, "ToolButton8", "Move to Clipboard (format ASM)",
                "export_asm8");
  AddGap(12);
  AddToolButton(a.SetSize1, "ToolButton10", "Set Size", "set_size");
  AddToolButton(a.ClearImage1, "ToolButton19", "Clear Image", "clear_image");
  AddGap(14);
  AddToolButton(a.ViewGrids1, "GridsButton", "View Grids", "grid");
  AddToolButton(a.ViewBorder1, "BorderButton", "View Border", "border");
  AddGap(29);
  AddToolButton(a.Exit1, "ToolButton15", "Exit", "exit");
}

}  // namespace pictavo
