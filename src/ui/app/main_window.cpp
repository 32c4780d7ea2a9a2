#include "ui/app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QLabel>
#include <QSplitter>

#include "ui/app/about_box.h"
#include "ui/app/resources.h"
#include "ui/dialogs/add_icon_dialog.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/dialogs/save_select_box.h"
#include "ui/dialogs/set_size_dialog.h"
#include "ui/export/export_panel.h"
#include "ui/selection/select_panel.h"
#include "ui/selection/selection_commands.h"
#include "ui/services/name_box.h"
#include "ui/services/platform_services.h"
#include "ui/services/window_placement.h"
#include "ui/widgets/canvas_scroll_area.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/device_preview_panel.h"
#include "ui/widgets/icon_bar.h"
#include "ui/widgets/icon_preview.h"
#include "ui/widgets/panel_controls.h"
#include "ui/widgets/picture_bar.h"
#include "ui/widgets/preview_box.h"
#include "ui/widgets/quick_size_panel.h"
#include "ui/widgets/recovery_bar.h"

namespace pictavo {

TForm1::TForm1(Editor& editor, PlatformServices& services, QWidget* parent)
    : QMainWindow(parent), editor_(editor), services_(services) {
  InitResources();
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QStringLiteral("Dravik Pictavo 2.0"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/app_icon_32.png")));
  RegisterWindow(this);
  setAcceptDrops(true);

  CreateActions();
  BuildMenus();
  BuildToolBar();
  BuildCentralWidget();
  BuildStatusBar();
  ConnectCommands();
  FitOnScreen(*this, QSize(760, 760));

  editor_.SetView(this);
  editor_.Start();
}

// The editor outlives the window: it must not call back into it.
TForm1::~TForm1() { editor_.SetView(nullptr); }

void TForm1::ConnectCommands() {
  const Actions& a = actions_;
  const std::pair<QAction*, void (TForm1::*)()> commands[] = {
      {a.NewPicture1, &TForm1::NewPicture1Click},
      {a.Exit1, &TForm1::Exit1Click},
      {a.Undochange1, &TForm1::Undochange1Click},
      {a.RedoChange, &TForm1::RedoChangeClick},
      {a.SetSize1, &TForm1::SetSize1Click},
      {a.ClearImage1, &TForm1::ClearImage1Click},
      {a.tools.Pen1, &TForm1::Pen1Click},
      {a.tools.Bucket1, &TForm1::Bucket1Click},
      {a.tools.Pipe1, &TForm1::Pipe1Click},
      {a.tools.ChangeColor1, &TForm1::ChangeColor1Click},
      {a.tools.box_button, &TForm1::pipe_buttonClick},
      {a.tools.LineTool, &TForm1::LineToolClick},
      {a.tools.RectangleTool, &TForm1::RectangleToolClick},
      {a.FilledRectangle, &TForm1::FilledRectangleClick},
      {a.ViewGrids1, &TForm1::ViewGrids1Click},
      {a.ViewBorder1, &TForm1::ViewBorder1Click},
      {a.ShowDevicePreview, &TForm1::DevicePreviewClick},
      {a.ShowOnionSkin, &TForm1::OnionSkinClick},
      {a.OnionSkinNextFrame, &TForm1::OnionSkinClick},
      {a.x11, &TForm1::x11Click},
      {a.x2NoGrids1, &TForm1::x2NoGrids1Click},
      {a.x3NoGrids1, &TForm1::x3NoGrids1Click},
      {a.x51, &TForm1::x51Click},
      {a.x101, &TForm1::x101Click},
      {a.x151, &TForm1::x151Click},
      {a.ZoomIn, &TForm1::ZoomIn},
      {a.ZoomOut, &TForm1::ZoomOut},
      {a.FitToWindow, &TForm1::FitToWindow},
      {a.About2, &TForm1::About2Click},
      {a.align, &TForm1::alignClick},
  };
  for (const auto& [action, handler] : commands) {
    connect(action, &QAction::triggered, this, handler);
  }
  connect(canvas_, &CanvasWidget::Image1_MouseDown, this, &TForm1::Image1_MouseDown);
  connect(canvas_, &CanvasWidget::Image1_MouseMove, this, &TForm1::Image1_MouseMove);
  connect(canvas_, &CanvasWidget::Image1_MouseUp, this, &TForm1::Image1_MouseUp);
}

void TForm1::CreateSecondaryWindows() {
  set_size_dialog_ = new TForm2(
      services_,
      [this]() -> std::optional<int> {
        if (!editor_.State().Document.SkinMode) return std::nullopt;
        const TSkinIcon* icon = editor_.CurrentIcon();
        return icon ? std::optional<int>(icon->BPP) : std::nullopt;
      },
      this);
  RegisterWindow(set_size_dialog_);
  about_ = new TAbout(this);
  RegisterWindow(about_);
  export_ = new ExportCommands(editor_, services_, actions_.exports, this);
  RegisterWindow(export_->ExportPanel());
  selection_ = new SelectionCommands(editor_, services_, actions_.tools.box_button, this);
  RegisterWindow(selection_->SelectPanel());
  RegisterWindow(selection_->NamePrompt());
  // The file commands open the skins given to them through the skin commands.
  skins_ = new SkinCommands(editor_, services_, actions_.skins, skin_controls_, this);
  files_ = new FileCommands(editor_, services_, actions_.files, *skins_, this);
  RegisterWindow(files_->BitmapImportWindow());
  RegisterWindow(skins_->AddIconDialog());
  history_ = new HistoryCommands(
      editor_, services_, actions_.RecoverUnsavedWork, statusBar(),
      [this](const QString& path) { return files_->Open(path); },
      [this](DocumentKind kind) {
        return kind == DocumentKind::Skin ? skins_->SaveSkinFile() : files_->SavePictureFile();
      },
      this);
  // Work a run that ended without Exit left unsaved was kept: the bar says
  // so until it is recovered or dismissed.
  connect(recovery_bar_, &RecoveryBar::RecoverChosen, history_,
          &HistoryCommands::RecoverUnsavedWorkClick);
  recovery_bar_->setVisible(history_->KeptLeftWork());
  ConnectDeviceGrays();
}

void TForm1::RegisterWindow(QWidget* window) { creation_order_ << window->objectName(); }

QByteArray TForm1::PictureName() const { return pictavo::PictureName(editor_); }

void TForm1::SetPictureName(const QByteArray& latin1) { pictavo::SetPictureName(editor_, latin1); }

// ---- what the editor asks of the window ----------------------------------------

void TForm1::Present() {
  canvas_->update();
  if (device_preview_->isVisible()) device_preview_->Image()->update();
}

void TForm1::Rendered() {
  picture_bar_->ShowSize();
  ApplyModeLayout();
  canvas_area_->SyncScrollBars();
  if (device_preview_->isVisible()) device_preview_->Image()->FollowPictureSize();
}

void TForm1::UndoControlsChanged(bool available) { actions_.Undochange1->setEnabled(available); }

void TForm1::RedoControlsChanged(bool available) { actions_.RedoChange->setEnabled(available); }

void TForm1::SwatchesChanged() { UpdateSwatches(); }

void TForm1::ViewControlsChanged() { SyncViewControls(); }

void TForm1::CoordinatesChanged(int cx, int cy) {
  status_x_->setText(QStringLiteral("X: %1").arg(cx));
  status_y_->setText(QStringLiteral("Y: %1").arg(cy));
}

void TForm1::SelectPanelVisibilityChanged(bool visible) {
  if (selection_ != nullptr) selection_->SelectPanel()->SetPanelVisible(visible);
}

void TForm1::SelectionCoordinatesChanged(const CellRect& rect) {
  if (selection_ != nullptr) {
    selection_->SelectPanel()->ShowCapturedBox(rect.Left, rect.Top, rect.Right, rect.Bottom);
  }
}

// Asked for on every screen update in skin mode: frame playback stops if its
// icon changed, and a repaint is scheduled.
void TForm1::PreviewChanged() {
  preview_box_->Image3()->FitWidthToFrames();
  if (skins_ != nullptr) {
    skins_->PreviewChanged();
  } else {
    skin_controls_.Image3->update();
  }
}

void TForm1::PictureNameChanged() {
  if (name_box_ != nullptr) ShowPictureName(*name_box_, editor_);
}

void TForm1::DocumentStateChanged() {
  if (history_ != nullptr) history_->DocumentStateChanged();
}

void TForm1::ApplyModeLayout() {
  const bool skin = editor_.State().Document.SkinMode;
  if (skin) icon_bar_->ShowCurrentIcon(editor_);
  icon_bar_->setVisible(skin);
  quick_sizes_->setVisible(!skin);
  icon_list_->setVisible(skin);
  preview_box_->setVisible(skin);
  splitter_->handle(1)->setVisible(skin);
  picture_bar_->SetSizeArrowsEnabled(!skin);
  SyncOnionSkinItems(skin);
  if (skins_ != nullptr) skins_->ShowIconState();
}

void TForm1::SyncViewControls() {
  const EditorState& s = editor_.State();
  actions_.ViewGrids1->setChecked(s.View.ShowGrid);
  actions_.ViewBorder1->setChecked(s.View.ShowBorder);
}

void TForm1::UpdateSwatches() { tool_box_->UpdateSwatches(); }

// ---- commands ------------------------------------------------------------------------

void TForm1::NewPicture1Click() {
  const Picture& picture = editor_.State().Document.Picture;
  set_size_dialog_->SetBoxes(picture.Width, picture.Height);
  const bool confirmed = services_.ExecDialog(*set_size_dialog_) == QDialog::Accepted;
  editor_.NewPicture(confirmed, set_size_dialog_->WidthValue(), set_size_dialog_->HeightValue());
}

void TForm1::Exit1Click() { close(); }

void TForm1::Undochange1Click() { editor_.PopUndo(); }

void TForm1::SetSize1Click() {
  const Picture& picture = editor_.State().Document.Picture;
  set_size_dialog_->SetBoxes(picture.Width, picture.Height);
  if (services_.ExecDialog(*set_size_dialog_) != QDialog::Accepted) return;
  editor_.ApplySetSize(set_size_dialog_->WidthValue(), set_size_dialog_->HeightValue());
}

void TForm1::ClearImage1Click() { editor_.ClearPicture(); }

// The room the canvas has with no scroll bar, whether bars show now or not.
void TForm1::FitToWindow() {
  const QSize room = canvas_area_->maximumViewportSize();
  editor_.FitToView(room.width(), room.height());
}

// The menu items press their tool's button first; the tools share one
// exclusive group, so that releases the others.
void TForm1::Pen1Click() { PressToolButton(actions_.tools.Pen1); }
void TForm1::Bucket1Click() { PressToolButton(actions_.tools.Bucket1); }
void TForm1::Pipe1Click() { PressToolButton(actions_.tools.Pipe1); }
void TForm1::ChangeColor1Click() { PressToolButton(actions_.tools.ChangeColor1); }
void TForm1::LineToolClick() { PressToolButton(actions_.tools.LineTool); }

void TForm1::RectangleToolClick() {
  const bool again = editor_.State().Tools.CurrentTool == DrawTool::Rectangle;
  PressToolButton(actions_.tools.RectangleTool);
  if (again) actions_.FilledRectangle->trigger();
}

// The menu item's check and the tool's button show the mode.
void TForm1::FilledRectangleClick() {
  const bool filled = actions_.FilledRectangle->isChecked();
  editor_.SetRectangleFilled(filled);
  QAction* tool = actions_.tools.RectangleTool;
  tool->setIcon(ResourceIcon(filled ? "rectangle_filled" : "rectangle"));
  tool->setToolTip(filled ? QStringLiteral("Filled rectangle (Shift: square; click again: outline)")
                          : QStringLiteral("Rectangle (Shift: square; click again: filled)"));
}

void TForm1::PressToolButton(QAction* tool) {
  tool->setChecked(true);
  SelectToolFromButtons();
}

void TForm1::SelectToolFromButtons() {
  const QAction* checked = tools_->checkedAction();
  const DrawTool tool = checked != nullptr ? static_cast<DrawTool>(checked->data().toInt())
                                           : editor_.State().Tools.CurrentTool;
  editor_.SelectTool(tool);
}

void TForm1::ViewGrids1Click() { editor_.ToggleGrid(); }

void TForm1::ViewBorder1Click() { editor_.ToggleBorder(); }

void TForm1::About2Click() {
  about_->SetProductText(QString::fromStdString(editor_.State().Document.VersionText));
  services_.ExecDialog(*about_);
}

void TForm1::alignClick() {
  // Each click flips the flag once, and the button then shows the flag,
  // whatever its own check state was.
  editor_.SetAlignToByte(!editor_.State().View.AlignToByte);
  actions_.align->setChecked(editor_.State().View.AlignToByte);
}

void TForm1::Image1_MouseDown(MouseButton button, int x, int y) { editor_.MouseDown(button, x, y); }
void TForm1::Image1_MouseMove(int x, int y) { editor_.MouseMove(x, y); }
void TForm1::Image1_MouseUp(MouseButton button, int x, int y) { editor_.MouseUp(button, x, y); }

}  // namespace pictavo
