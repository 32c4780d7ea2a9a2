#pragma once

#include <memory>

#include <QKeySequence>
#include <QMainWindow>
#include <QStringList>

#include "core/editing/editor.h"
#include "ui/export/export_commands.h"
#include "ui/files/file_commands.h"
#include "ui/files/history_commands.h"
#include "ui/skin/skin_commands.h"
#include "ui/widgets/tool_box.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QToolBar;
class QToolButton;
class QWidget;

namespace pictavo {

class CanvasScrollArea;
class CanvasWidget;
class DevicePreviewPanel;
class IconBar;
class PictureBar;
class PlatformServices;
class PreviewBox;
class QuickSizePanel;
class RecoveryBar;
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

  Editor& GetEditor() { return editor_; }
  CanvasWidget* Canvas() const { return canvas_; }
  CanvasScrollArea* CanvasArea() const { return canvas_area_; }
  RecoveryBar* RecoveryNote() const { return recovery_bar_; }
  DevicePreviewPanel* DevicePreview() const { return device_preview_; }
  TForm2* SetSizeDialog() const { return set_size_dialog_; }
  TAbout* About() const { return about_; }
  ExportCommands* Export() const { return export_; }
  FileCommands* Files() const { return files_; }
  SelectionCommands* Selection() const { return selection_; }
  SkinCommands* Skins() const { return skins_; }
  HistoryCommands* History() const { return history_; }

  // `PictureName` as 8-bit Latin-1 bytes: the editor's, shown by the name box.
  QByteArray PictureName() const;
  void SetPictureName(const QByteArray& latin1);

  // EditorView.
  void Present() override;
  void Rendered() override;
  void UndoControlsChanged(bool available) override;
  void RedoControlsChanged(bool available) override;
  void SwatchesChanged() override;
  void ViewControlsChanged() override;
  void CoordinatesChanged(int cx, int cy) override;
  void SelectPanelVisibilityChanged(bool visible) override;
  void SelectionCoordinatesChanged(const CellRect& rect) override;
  void PreviewChanged() override;
  void PictureNameChanged() override;
  void DocumentStateChanged() override;

  void ApplyModeLayout();
  // The checks of "View Grids" and "View Border" (and so their buttons)
  // show ShowGrid and ShowBorder.
  void SyncViewControls();
  void UpdateSwatches();
  // The checked tool action is the source of truth for the current tool.
  void SelectToolFromButtons();

  void x11Click() { editor_.SetPixelSizeFromMenu(1); }
  void x2NoGrids1Click() { editor_.SetPixelSizeFromMenu(2); }
  void x3NoGrids1Click() { editor_.SetPixelSizeFromMenu(3); }
  void x51Click() { editor_.SetPixelSizeFromMenu(5); }
  void x101Click() { editor_.SetPixelSizeFromMenu(10); }
  void x151Click() { editor_.SetPixelSizeFromMenu(15); }
  // One rung of the zoom ladder up or down, keeping the middle of the view
  // in place.
  void ZoomIn() { editor_.ZoomAtCentre(1); }
  void ZoomOut() { editor_.ZoomAtCentre(-1); }
  void FitToWindow();

 public slots:
  void NewPicture1Click();
  void Exit1Click();
  void Undochange1Click();
  void RedoChangeClick() { editor_.PopRedo(); }
  void SetSize1Click();
  void ClearImage1Click();
  void Pen1Click();
  void Bucket1Click();
  void Pipe1Click();
  void ChangeColor1Click();
  void LineToolClick();
  // A second click on the rectangle tool, or its own shortcut, switches
  // between outlined and filled rectangles.
  void RectangleToolClick();
  void FilledRectangleClick();
  void ViewGrids1Click();
  void ViewBorder1Click();
  // View > "Device Preview": the panel beside the canvas, and the frames'
  // preview in the device's colours.
  void DevicePreviewClick();
  // View > "Onion Skin" and its next-frame item.
  void OnionSkinClick();
  void About2Click();
  void alignClick();
  // The select box's button; the other tool buttons, like the tool-bar
  // buttons, share their menu item's action and so run its handler.
  void pipe_buttonClick() { SelectToolFromButtons(); }
  void Image1_MouseDown(MouseButton button, int x, int y);
  void Image1_MouseMove(int x, int y);
  void Image1_MouseUp(MouseButton button, int x, int y);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void PressToolButton(QAction* tool);
  // One action per command, named after its menu item or, without one,
  // after its button (the zoom steps after what they do); menu items and
  // buttons are views of these. The areas' actions are grouped as each area
  // takes them.
  struct Actions {
    FileActions files;
    SkinActions skins;
    ExportActions exports;
    ToolActions tools;
    QAction* NewPicture1;
    QAction* RecoverUnsavedWork;
    QAction* Exit1;
    QAction* Undochange1;
    QAction* RedoChange;
    QAction* FilledRectangle;
    QAction* FitToWindow;
    QAction* SetSize1;
    QAction* ClearImage1;
    QAction* ViewGrids1;
    QAction* ViewBorder1;
    QAction* ShowDevicePreview;
    QAction* ShowOnionSkin;
    QAction* OnionSkinNextFrame;
    QAction* x11;
    QAction* x2NoGrids1;
    QAction* x3NoGrids1;
    QAction* x51;
    QAction* x101;
    QAction* x151;
    QAction* ZoomIn;
    QAction* ZoomOut;
    QAction* About2;
    QAction* align;
  };

  void CreateActions();
  void ConnectCommands();
  void BuildMenus();
  void BuildToolBar();
  void BuildCentralWidget();
  void BuildStatusBar();
  QWidget* BuildLeftColumn(QWidget* parent);
  QAction* NewAction(const char* name, const char* caption, const QKeySequence& shortcut = {});
  QToolButton* AddToolButton(QAction* action, const char* name, const char* hint, const char* icon);
  void AddGap(int width);
  void RegisterWindow(QWidget* window);
  // The device preview shares the import window's device grays.
  void ConnectDeviceGrays();
  // The frames' preview in the device's colours while the device preview
  // shows, else in the editor's.
  void ShowPreviewColors();
  // The onion skin's items apply in skin mode only.
  void SyncOnionSkinItems(bool skin);

  Editor& editor_;
  PlatformServices& services_;
  QStringList creation_order_;
  Actions actions_{};
  QActionGroup* tools_ = nullptr;

  CanvasWidget* canvas_ = nullptr;
  CanvasScrollArea* canvas_area_ = nullptr;
  RecoveryBar* recovery_bar_ = nullptr;
  QLineEdit* name_box_ = nullptr;  // `Edit1`
  PictureBar* picture_bar_ = nullptr;
  IconBar* icon_bar_ = nullptr;
  ToolBox* tool_box_ = nullptr;
  QuickSizePanel* quick_sizes_ = nullptr;
  QGroupBox* icon_list_ = nullptr;  // "Icons ID"
  PreviewBox* preview_box_ = nullptr;
  DevicePreviewPanel* device_preview_ = nullptr;
  QSplitter* splitter_ = nullptr;
  SkinControls skin_controls_{};  // the icon bar, the icon list and the preview
  QLabel* status_x_ = nullptr;
  QLabel* status_y_ = nullptr;
  QToolBar* tool_bar_ = nullptr;

  TForm2* set_size_dialog_ = nullptr;
  TAbout* about_ = nullptr;
  ExportCommands* export_ = nullptr;
  SelectionCommands* selection_ = nullptr;
  FileCommands* files_ = nullptr;
  SkinCommands* skins_ = nullptr;
  HistoryCommands* history_ = nullptr;
};

}  // namespace pictavo
