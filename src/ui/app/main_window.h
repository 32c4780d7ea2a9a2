#pragma once

#include <memory>

#include <QKeySequence>
#include <QMainWindow>
#include <QStringList>

#include "core/editing/editor.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace pictavo {

class CanvasWidget;
class ColorSwatch;
class ExportCommands;
class FileCommands;
class PlatformServices;
class SelectionCommands;
class SkinCommands;

// The "Quick size" buttons: name, the dimension each sets, and its number;
// widths first, then heights, each in rising order.
// clang-format off
#define PICTAVO_QUICK_SIZE_BUTTONS(X) \
  X(SpeedButton42, Width, 2) \
  X(SpeedButton19, Width, 3) \
  X(SpeedButton38, Width, 4) \
  X(SpeedButton10, Width, 5) \
  X(SpeedButton40, Width, 6) \
  X(SpeedButton17, Width, 7) \
  X(SpeedButton16, Width, 8) \
  X(SpeedButton18, Width, 9) \
  X(SpeedButton11, Width, 10) \
  X(SpeedButton12, Width, 15) \
  X(SpeedButton13, Width, 20) \
  X(SpeedButton14, Width, 25) \
  X(SpeedButton15, Width, 30) \
  X(SpeedButton20, Width, 50) \
  X(SpeedButton21, Width, 70) \
  X(SpeedButton22, Width, 96) \
  X(SpeedButton43, Height, 2) \
  X(SpeedButton28, Height, 3) \
  X(SpeedButton39, Height, 4) \
  X(SpeedButton37, Height, 5) \
  X(SpeedButton41, Height, 6) \
  X(SpeedButton30, Height, 7) \
  X(SpeedButton31, Height, 8) \
  X(SpeedButton29, Height, 9) \
  X(SpeedButton36, Height, 10) \
  X(SpeedButton35, Height, 15) \
  X(SpeedButton34, Height, 20) \
  X(SpeedButton33, Height, 25) \
  X(SpeedButton32, Height, 30) \
  X(SpeedButton27, Height, 50) \
  X(SpeedButton26, Height, 70) \
  X(SpeedButton25, Height, 92)
// clang-format on
class TAbout;
class TForm2;

// `TForm1`, the main window: owns the editor for the whole run, builds the
// menus, tool bar and panels, and hands every command on to the core or to
// the area that carries it out.
class TForm1 : public QMainWindow, public EditorView {
  Q_OBJECT

 public:
  explicit TForm1(PlatformServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // Start-up step 2 after the main window itself: the secondary windows, in
  // their fixed order.
  void CreateSecondaryWindows();
  // Object names of the windows in the order they were created.
  const QStringList& CreationOrder() const { return creation_order_; }
  void RegisterWindow(QWidget* window);

  Editor& GetEditor() { return editor_; }
  PlatformServices& Services() { return services_; }
  CanvasWidget* Canvas() const { return canvas_; }
  TForm2* Form2() const { return form2_; }
  TAbout* About() const { return about_; }
  ExportCommands* Export() const { return export_; }
  FileCommands* Files() const { return files_; }
  SelectionCommands* Selection() const { return selection_; }
  SkinCommands* Skins() const { return skins_; }

  // `PictureName`: the text of the name box as 8-bit Latin-1 bytes.
  QByteArray PictureName() const;
  // Sets the name box; a name read from a file may be longer than the 16
  // characters the box lets the user type.
  void SetPictureName(const QByteArray& latin1);

  // Controls by their names, for the areas that wire them.
  QAction* Action(const QString& name) const;
  QToolButton* Button(const QString& name) const;
  QWidget* Panel(const QString& name) const;

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
  void SyncViewControls();
  void UpdateSwatches();
  // The tool buttons are the source of truth for the current tool.
  void SelectToolFromButtons();

  // Handlers named after their controls. Tool-bar buttons run the command of
  // the menu item they repeat.
  void ToolButton1Click() { NewPicture1Click(); }
  void ToolButton10Click() { SetSize1Click(); }
  void ToolButton15Click() { Exit1Click(); }
  void ToolButton19Click() { ClearImage1Click(); }
  void UndoButtonClick() { Undochange1Click(); }
  void GridsButtonClick() { ViewGrids1Click(); }
  void BorderButtonClick() { ViewBorder1Click(); }
  void fill_buttonClick() { SelectToolFromButtons(); }
  void pipe_buttonClick() { SelectToolFromButtons(); }
  void x11Click() { editor_.SetPixelSizeFromMenu(1); }
  void x2NoGrids1Click() { editor_.SetPixelSizeFromMenu(2); }
  void x3NoGrids1Click() { editor_.SetPixelSizeFromMenu(3); }
  void x51Click() { editor_.SetPixelSizeFromMenu(5); }
  void x101Click() { editor_.SetPixelSizeFromMenu(10); }
  void x151Click() { editor_.SetPixelSizeFromMenu(15); }
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
#define PICTAVO_DECLARE_QUICK_SIZE(button, dimension, value) \
  void button##Click() { editor_.Set##dimension##Quick(value); }
  PICTAVO_QUICK_SIZE_BUTTONS(PICTAVO_DECLARE_QUICK_SIZE)
#undef PICTAVO_DECLARE_QUICK_SIZE

 signals:
  // For the select tool panel and the skin preview, which live in other areas.
  void SelectPanelVisibilityRequested(bool visible);
  void SelectionBoxCaptured(int left, int top, int right, int bottom);
  void PreviewRedrawRequested();
  void ModeLayoutApplied();

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
  void pen_buttonClick();
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

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildPictureBar(QVBoxLayout* top);
  void BuildIconBar(QVBoxLayout* top);
  QWidget* BuildLeftColumn();
  QWidget* BuildToolBox();
  QWidget* BuildQuickSizePanel();
  QWidget* BuildPreviewBox();
  QAction* AddAction(QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut = {});
  QToolButton* AddToolButton(const char* name, const char* hint, const char* icon, QAction* repeats,
                             void (TForm1::*handler)() = nullptr);
  void AddGap(int width);
  QToolButton* AddArrow(QWidget* parent, const char* name, bool up);

  PlatformServices& services_;
  Editor editor_;
  QStringList creation_order_;

  CanvasWidget* canvas_ = nullptr;
  QLineEdit* name_box_ = nullptr;  // `Edit1`
  QLineEdit* wid_ = nullptr;
  QLineEdit* heig_ = nullptr;
  QLineEdit* psize_ = nullptr;
  QFrame* panel3_ = nullptr;
  QWidget* panel6_ = nullptr;
  QGroupBox* group_box1_ = nullptr;
  QGroupBox* group_box2_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QComboBox* combo_box1_ = nullptr;
  QLineEdit* icon_bpp_edit_ = nullptr;
  QLineEdit* current_icon_edit_ = nullptr;
  ColorSwatch* col_ = nullptr;
  ColorSwatch* col_right_ = nullptr;
  QButtonGroup* tools_ = nullptr;
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
