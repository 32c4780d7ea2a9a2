#include "ui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>

#include "ui/app/about_box.h"
#include "ui/app/platform_services.h"
#include "ui/app/resources.h"
#include "ui/widgets/canvas_widget.h"
#include "ui/widgets/color_controls.h"
#include "ui/dialogs/set_size_dialog.h"
#include "ui/export/export_commands.h"
#include "ui/files/file_commands.h"
#include "ui/selection/selection_commands.h"
#include "ui/skin/skin_commands.h"

namespace pictavo {

TForm1::TForm1(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), editor_(this) {
  InitResources();
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QStringLiteral("Dravik Pictavo 2.0"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/app_icon_32.png")));
  RegisterWindow(this);

  BuildMenus();
  BuildToolBar();
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
  canvas_ = new CanvasWidget(editor_, panel8);
  panel8_layout->addWidget(canvas_);
  splitter_->addWidget(panel8);
  splitter_->addWidget(BuildPreviewBox());
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->handle(1)->setObjectName(QStringLiteral("Splitter1"));
  middle->addWidget(splitter_, 1);
  column->addLayout(middle, 1);
  setCentralWidget(central);

  auto* status = statusBar();
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

  connect(canvas_, &CanvasWidget::Image1_MouseDown, this, &TForm1::Image1_MouseDown);
  connect(canvas_, &CanvasWidget::Image1_MouseMove, this, &TForm1::Image1_MouseMove);
  connect(canvas_, &CanvasWidget::Image1_MouseUp, this, &TForm1::Image1_MouseUp);

  resize(760, 760);
  editor_.Start();
}

TForm1::~TForm1() { editor_.SetView(nullptr); }

void TForm1::CreateSecondaryWindows() {
  form2_ = new TForm2(
      services_,
      [this]() -> std::optional<int> {
        if (!editor_.State().Document.SkinMode) return std::nullopt;
        const TSkinIcon* icon = editor_.CurrentIcon();
        return icon ? std::optional<int>(icon->BPP) : std::nullopt;
      },
      this);
  RegisterWindow(form2_);
  about_ = new TAbout(this);
  RegisterWindow(about_);
  export_ = new ExportCommands(*this);
  selection_ = new SelectionCommands(*this);
  files_ = new FileCommands(*this);
  skins_ = new SkinCommands(*this);
}

void TForm1::RegisterWindow(QWidget* window) { creation_order_ << window->objectName(); }

QByteArray TForm1::PictureName() const { return name_box_->text().toLatin1(); }

void TForm1::SetPictureName(const QByteArray& latin1) {
  name_box_->setMaxLength(std::max<int>(16, static_cast<int>(latin1.size())));
  name_box_->setText(QString::fromLatin1(latin1));
}

QAction* TForm1::Action(const QString& name) const { return findChild<QAction*>(name); }
QToolButton* TForm1::Button(const QString& name) const { return findChild<QToolButton*>(name); }
QWidget* TForm1::Panel(const QString& name) const { return findChild<QWidget*>(name); }

// ---- what the editor asks of the window ----------------------------------------

void TForm1::Present() { canvas_->update(); }

void TForm1::Rendered() {
  const EditorState& s = editor_.State();
  wid_->setText(QString::number(s.Document.Picture.Width));
  heig_->setText(QString::number(s.Document.Picture.Height));
  psize_->setText(QString::number(s.View.PixelSize));
  ApplyModeLayout();
}

void TForm1::UndoControlsChanged(bool available) {
  Action(QStringLiteral("Undochange1"))->setEnabled(available);
}

void TForm1::SwatchesChanged() { UpdateSwatches(); }

void TForm1::ViewControlsChanged() { SyncViewControls(); }

void TForm1::CoordinatesChanged(int cx, int cy) {
  status_x_->setText(QStringLiteral("X: %1").arg(cx));
  status_y_->setText(QStringLiteral("Y: %1").arg(cy));
  canvas_->SetHint(QStringLiteral("X:%1 Y:%2").arg(cx).arg(cy));
}

void TForm1::SelectPanelVisibilityChanged(bool visible) {
  emit SelectPanelVisibilityRequested(visible);
}

void TForm1::SelectionCoordinatesChanged(const CellRect& rect) {
  emit SelectionBoxCaptured(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TForm1::PreviewChanged() { emit PreviewRedrawRequested(); }

void TForm1::ApplyModeLayout() {
  const EditorState& s = editor_.State();
  const bool skin = s.Document.SkinMode;
  if (skin) {
    const TSkinIcon* icon = editor_.CurrentIcon();
    icon_bpp_edit_->setText(icon ? QString::number(icon->BPP) : QString());
    current_icon_edit_->setText(QString::number(s.Document.CurrentSubIconIndex + 1));
    // Selecting the item here must not run the change action.
    const QSignalBlocker blocker(combo_box1_);
    if (s.Document.CurrentIconIndex >= 0 && s.Document.CurrentIconIndex < combo_box1_->count()) {
      combo_box1_->setCurrentIndex(s.Document.CurrentIconIndex);
    }
  }
  panel3_->setVisible(skin);
  panel6_->setVisible(!skin);
  group_box1_->setVisible(skin);
  group_box2_->setVisible(skin);
  splitter_->handle(1)->setVisible(skin);
  for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"}) {
    Button(QLatin1String(name))->setEnabled(!skin);
  }
  emit ModeLayoutApplied();
}

void TForm1::SyncViewControls() {
  const EditorState& s = editor_.State();
  Action(QStringLiteral("ViewGrids1"))->setChecked(s.View.ShowGrid);
  Button(QStringLiteral("GridsButton"))->setChecked(s.View.ShowGrid);
  Action(QStringLiteral("ViewBorder1"))->setChecked(s.View.ShowBorder);
  Button(QStringLiteral("BorderButton"))->setChecked(s.View.ShowBorder);
}

void TForm1::UpdateSwatches() {
  col_->SetCode(editor_.State().Tools.LeftColor);
  col_right_->SetCode(editor_.State().Tools.RightColor);
}

// ---- commands ------------------------------------------------------------------------

void TForm1::NewPicture1Click() {
  const Picture& picture = editor_.State().Document.Picture;
  form2_->SetBoxes(picture.Width, picture.Height);
  const bool confirmed = services_.ExecDialog(*form2_) == QDialog::Accepted;
  editor_.NewPicture(confirmed, form2_->WidthValue(), form2_->HeightValue());
}

void TForm1::Exit1Click() { close(); }

void TForm1::Undochange1Click() { editor_.PopUndo(); }

void TForm1::SetSize1Click() {
  const Picture& picture = editor_.State().Document.Picture;
  form2_->SetBoxes(picture.Width, picture.Height);
  if (services_.ExecDialog(*form2_) != QDialog::Accepted) return;
  editor_.ApplySetSize(form2_->WidthValue(), form2_->HeightValue());
}

void TForm1::ClearImage1Click() { editor_.ClearPicture(); }

void TForm1::Pen1Click() {
  Button(QStringLiteral("pen_button"))->setChecked(true);
  SelectToolFromButtons();
}

void TForm1::Bucket1Click() {
  Button(QStringLiteral("fill_button"))->setChecked(true);
  SelectToolFromButtons();
}

void TForm1::Pipe1Click() {
  Button(QStringLiteral("pipe_button"))->setChecked(true);
  SelectToolFromButtons();
}

void TForm1::ChangeColor1Click() {
  Button(QStringLiteral("chcol_button"))->setChecked(true);
  SelectToolFromButtons();
}

void TForm1::pen_buttonClick() { SelectToolFromButtons(); }

void TForm1::SelectToolFromButtons() {
  static const std::pair<const char*, DrawTool> buttons[] = {
      {"pen_button", DrawTool::Pen},       {"fill_button", DrawTool::Bucket},
      {"pipe_button", DrawTool::Pipe},     {"chcol_button", DrawTool::ChangeColor},
      {"box_button", DrawTool::SelectBox},
  };
  DrawTool tool = editor_.State().Tools.CurrentTool;
  for (const auto& [name, button_tool] : buttons) {
    if (Button(QLatin1String(name))->isChecked()) tool = button_tool;
  }
  // The select panel's mode buttons, read when the select tool is chosen.
  const QToolButton* select_button = findChild<QToolButton*>(QStringLiteral("selectbutton"));
  const QToolButton* paste_button = findChild<QToolButton*>(QStringLiteral("PasteButton"));
  editor_.SelectTool(tool, select_button == nullptr || select_button->isChecked(),
                     paste_button != nullptr && paste_button->isChecked());
}

void TForm1::ViewGrids1Click() { editor_.ToggleGrid(); }

void TForm1::ViewBorder1Click() { editor_.ToggleBorder(); }

void TForm1::About2Click() {
  about_->SetProductText(QString::fromStdString(editor_.State().Document.VersionText));
  services_.ExecDialog(*about_);
}

void TForm1::alignClick() {
  QToolButton* align = Button(QStringLiteral("align"));
  const EditorState& s = editor_.State();
  // Whatever the button did by itself on the click, it ends showing the flag.
  align->setChecked(s.View.AlignToByte);
  editor_.SetAlignToByte(!align->isChecked());
  align->setChecked(s.View.AlignToByte);
}

void TForm1::ColClick() { col_->update(); }

void TForm1::Image1_MouseDown(MouseButton button, int x, int y) { editor_.MouseDown(button, x, y); }
void TForm1::Image1_MouseMove(int x, int y) { editor_.MouseMove(x, y); }
void TForm1::Image1_MouseUp(MouseButton button, int x, int y) { editor_.MouseUp(button, x, y); }

void TForm1::SpeedButton2Click() { editor_.WidthUp(); }
void TForm1::SpeedButton4Click() { editor_.WidthDown(); }
void TForm1::SpeedButton3Click() { editor_.HeightUp(); }
void TForm1::SpeedButton1Click() { editor_.HeightDown(); }
void TForm1::SpeedButton23Click() { editor_.PixelSizeUp(); }
void TForm1::SpeedButton24Click() { editor_.PixelSizeDown(); }

}  // namespace pictavo
