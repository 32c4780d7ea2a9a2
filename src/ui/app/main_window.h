#pragma once

#include <array>
#include <memory>

#include <QKeySequence>
#include <QMainWindow>
#include <QStringList>

#include "core/editing/editor.h"
#include "ui/export/export_commands.h"
#include "ui/files/file_commands.h"
#include "ui/skin/skin_commands.h"

class QAction;
class QActionGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace pictavo {

class CanvasScrollArea;
class CanvasWidget;
class ColorSwatch;
class PlatformServices;
class PresetOpenServices;
class SelectionCommands;
class TAbout;
class TForm2;

// `TForm1`, the main window: shows the editor, creates one action per
// command with its menu item and tool-bar button, connects its own commands
// in one place and hands the others, with the controls they need, to the
// areas that carry them out.
class TForm1 : public QMainWindow, public EditorView {
  Q_OBJECT

 public:
  // The editor is created before the window and outlives it.
  TForm1(Editor& editor, PlatformServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // Creates the secondary windows, each once and in their fixed order, with
  // the areas that carry out their commands.
  void CreateSecondaryWindows();
  // Object names of the windows in the order they were created.
  const QStringList& CreationOrder() const { return creation_order_; }

  // Opens a file given to the program, on its command line or dropped on the
  // window, with the command the menu runs for it: a picture with "Open
  // Picture...", a skin with "OpenSkin...", an image in the import window.
  // Needs the secondary windows.
  void OpenFile(const QString& path);

  Editor& GetEditor() { return editor_; }
  CanvasWidget* Canvas() const { return canvas_; }
  CanvasScrollArea* CanvasArea() const { return canvas_area_; }
  TForm2* Form2() const { return form2_; }
  TAbout* About() const { return about_; }
  ExportCommands* Export() const { return export_; }
  FileCommands* Files() const { return files_; }
  SelectionCommands* Selection() const { return selection_; }
  SkinCommands* Skins() const { return skins_; }

  // `PictureName`: the text of the name box as 8-bit Latin-1 bytes.
  QByteArray PictureName() const;
  void SetPictureName(const QByteArray& latin1);

  // EditorView.
  void Present() override;
  void Rendered() override;
  void UndoControlsChanged(bool available) override;
  void SwatchesChanged() override;
  void ViewControlsChanged() override;
  void CoordinatesChanged(int cx, int cy) override;
  void SelectPanelVisibilityChanged(bool visible) override;
  void SelectionCoordinatesChanged(const CellRect& rect) override;
  void PreviewChanged() override;

  void ApplyModeLayout();
  // The checks of "View Grids" and "View Border" (and so their buttons)
  // show ShowGrid and ShowBorder.
  void SyncViewControls();
  void UpdateSwatches();
  // The checked tool action is the source of truth for the current tool.
  void SelectToolFromButtons();

  // Handlers named after their controls. A tool-bar button shares the action
  // of the menu item it repeats; these names run the same command.
  void ToolButton1Click() { NewPicture1Click(); }
  void ToolButton2Click();
  void ToolButton21Click();
  void ToolButton3Click();
  void ToolButton11Click();
  void ToolButton10Click() { SetSize1Click(); }
  void ToolButton15Click() { Exit1Click(); }
  void ToolButton19Click() { ClearImage1Click(); }
  void UndoButtonClick() { Undochange1Click(); }
  void GridsButtonClick() { ViewGrids1Click(); }
  void BorderButtonClick() { ViewBorder1Click(); }
  void pen_buttonClick() { SelectToolFromButtons(); }
  void fill_buttonClick() { SelectToolFromButtons(); }
  // Shared by `pipe_button`, `chcol_button` and `box_button`.
  void pipe_buttonClick() { SelectToolFromButtons(); }
  void x11Click() { editor_.SetPixelSizeFromMenu(1); }
  void x2NoGrids1Click() { editor_.SetPixelSizeFromMenu(2); }
  void x3NoGrids1Click() { editor_.SetPixelSizeFromMenu(3); }
  void x51Click() { editor_.SetPixelSizeFromMenu(5); }
  void x101Click() { editor_.SetPixelSizeFromMenu(10); }
  void x151Click() { editor_.SetPixelSizeFromMenu(15); }
  // One pixel size up or down, keeping the middle of the view in place.
  void ZoomIn1Click() { editor_.ZoomAtCentre(1); }
  void ZoomOut1Click() { editor_.ZoomAtCentre(-1); }
  // Palette buttons: the left button sets the left colour, the right one the
  // right colour.
  void SpeedButton9MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Transparent); }
  void SpeedButton6MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::White); }
  void SpeedButton7MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Gray33); }
  void SpeedButton8MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Gray66); }
  void SpeedButton5MouseDown(MouseButton b) { editor_.SetColor(b, PixelCode::Black); }
  // The left swatch's menu, then the right one's.
  void white1Click() { editor_.SetLeftColor(PixelCode::White); }
  void N33gray1Click() { editor_.SetLeftColor(PixelCode::Gray33); }
  void N66gray1Click() { editor_.SetLeftColor(PixelCode::Gray66); }
  void black1Click() { editor_.SetLeftColor(PixelCode::Black); }
  void transparent1Click() { editor_.SetLeftColor(PixelCode::Transparent); }
  void MenuItem1Click() { editor_.SetRightColor(PixelCode::White); }
  void MenuItem2Click() { editor_.SetRightColor(PixelCode::Gray33); }
  void MenuItem3Click() { editor_.SetRightColor(PixelCode::Gray66); }
  void MenuItem4Click() { editor_.SetRightColor(PixelCode::Black); }
  void MenuItem5Click() { editor_.SetRightColor(PixelCode::Transparent); }
  // The "Quick size" buttons, widths then heights (their table is in
  // main_window_build.cpp).
  void SpeedButton42Click() { editor_.SetWidthQuick(2); }
  void SpeedButton19Click() { editor_.SetWidthQuick(3); }
  void SpeedButton38Click() { editor_.SetWidthQuick(4); }
  void SpeedButton10Click() { editor_.SetWidthQuick(5); }
  void SpeedButton40Click() { editor_.SetWidthQuick(6); }
  void SpeedButton17Click() { editor_.SetWidthQuick(7); }
  void SpeedButton16Click() { editor_.SetWidthQuick(8); }
  void SpeedButton18Click() { editor_.SetWidthQuick(9); }
  void SpeedButton11Click() { editor_.SetWidthQuick(10); }
  void SpeedButton12Click() { editor_.SetWidthQuick(15); }
  void SpeedButton13Click() { editor_.SetWidthQuick(20); }
  void SpeedButton14Click() { editor_.SetWidthQuick(25); }
  void SpeedButton15Click() { editor_.SetWidthQuick(30); }
  void SpeedButton20Click() { editor_.SetWidthQuick(50); }
  void SpeedButton21Click() { editor_.SetWidthQuick(70); }
  void SpeedButton22Click() { editor_.SetWidthQuick(96); }
  void SpeedButton43Click() { editor_.SetHeightQuick(2); }
  void SpeedButton28Click() { editor_.SetHeightQuick(3); }
  void SpeedButton39Click() { editor_.SetHeightQuick(4); }
  void SpeedButton37Click() { editor_.SetHeightQuick(5); }
  void SpeedButton41Click() { editor_.SetHeightQuick(6); }
  void SpeedButton30Click() { editor_.SetHeightQuick(7); }
  void SpeedButton31Click() { editor_.SetHeightQuick(8); }
  void SpeedButton29Click() { editor_.SetHeightQuick(9); }
  void SpeedButton36Click() { editor_.SetHeightQuick(10); }
  void SpeedButton35Click() { editor_.SetHeightQuick(15); }
  void SpeedButton34Click() { editor_.SetHeightQuick(20); }
  void SpeedButton33Click() { editor_.SetHeightQuick(25); }
  void SpeedButton32Click() { editor_.SetHeightQuick(30); }
  void SpeedButton27Click() { editor_.SetHeightQuick(50); }
  void SpeedButton26Click() { editor_.SetHeightQuick(70); }
  void SpeedButton25Click() { editor_.SetHeightQuick(92); }

 public slots:
  void NewPicture1Click();
  void Exit1Click();
  void Undochange1Click();
  void SetSize1Click();
  void ClearImage1Click();
  void Pen1Click();
  void Bucket1Click();
  void Pipe1Click();
  void ChangeColor1Click();
  void ViewGrids1Click();
  void ViewBorder1Click();
  void About2Click();
  void alignClick();
  void ColClick();
  void Image1_MouseDown(MouseButton button, int x, int y);
  void Image1_MouseMove(int x, int y);
  void Image1_MouseUp(MouseButton button, int x, int y);
  void SpeedButton2Click();
  void SpeedButton4Click();
  void SpeedButton3Click();
  void SpeedButton1Click();
  void SpeedButton23Click();
  void SpeedButton24Click();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void PressToolButton(QAction* tool);
  // One action per command, named after its menu item or, without one,
  // after its button; menu items and buttons are views of these. The areas'
  // actions are grouped as each area takes them.
  struct Actions {
    FileActions files;
    SkinActions skins;
    ExportActions exports;
    QAction* NewPicture1;
    QAction* Exit1;
    QAction* Undochange1;
    QAction* SetSize1;
    QAction* ClearImage1;
    QAction* Pen1;
    QAction* Bucket1;
    QAction* Pipe1;
    QAction* ChangeColor1;
    QAction* box_button;
    QAction* ViewGrids1;
    QAction* ViewBorder1;
    QAction* x11;
    QAction* x2NoGrids1;
    QAction* x3NoGrids1;
    QAction* x51;
    QAction* x101;
    QAction* x151;
    QAction* ZoomIn1;
    QAction* ZoomOut1;
    QAction* About2;
    QAction* align;
  };

  void CreateActions();
  void ConnectCommands();
  void BuildMenus();
  void BuildToolBar();
  void BuildCentralWidget();
  void BuildStatusBar();
  void BuildPictureBar(QVBoxLayout* top);
  void BuildIconBar(QVBoxLayout* top);
  QWidget* BuildLeftColumn();
  QWidget* BuildToolBox();
  QWidget* BuildQuickSizePanel();
  QWidget* BuildPreviewBox();
  QAction* NewAction(const char* name, const char* caption, const QKeySequence& shortcut = {});
  QToolButton* AddToolButton(QAction* action, const char* name, const char* hint, const char* icon);
  void AddGap(int width);
  void RegisterWindow(QWidget* window);

  Editor& editor_;
  PlatformServices& services_;
  // The file commands' services: they answer the open dialog for OpenFile.
  std::unique_ptr<PresetOpenServices> file_services_;
  QStringList creation_order_;
  Actions actions_{};
  QActionGroup* tools_ = nullptr;

  CanvasWidget* canvas_ = nullptr;
  CanvasScrollArea* canvas_area_ = nullptr;
  QLineEdit* name_box_ = nullptr;  // `Edit1`
  QLineEdit* wid_ = nullptr;
  QLineEdit* heig_ = nullptr;
  QLineEdit* psize_ = nullptr;
  // `SpeedButton1` to `SpeedButton4`, disabled in skin mode.
  std::array<QToolButton*, 4> size_arrows_{};
  QFrame* panel3_ = nullptr;
  QWidget* panel6_ = nullptr;
  QGroupBox* group_box1_ = nullptr;
  QGroupBox* group_box2_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLineEdit* icon_bpp_edit_ = nullptr;
  QLineEdit* current_icon_edit_ = nullptr;
  SkinControls skin_controls_{};  // the icon bar, the icon list and the preview
  ColorSwatch* col_ = nullptr;
  ColorSwatch* col_right_ = nullptr;
  QLabel* status_x_ = nullptr;
  QLabel* status_y_ = nullptr;
  QToolBar* tool_bar_ = nullptr;

  TForm2* form2_ = nullptr;
  TAbout* about_ = nullptr;
  ExportCommands* export_ = nullptr;
  SelectionCommands* selection_ = nullptr;
  FileCommands* files_ = nullptr;
  SkinCommands* skins_ = nullptr;
};

}  // namespace pictavo
