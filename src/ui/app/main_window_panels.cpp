// The main window's panels, put together: the picture and icon bars above,
// the tool box, the quick sizes and the icon list on the left, the canvas
// and the preview beside each other, and the status bar.
#include <QBoxLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>

#include "ui/app/main_window.h"
#include "ui/services/name_box.h"
#include "ui/widgets/canvas_scroll_area.h"
#include "ui/widgets/device_preview_panel.h"
#include "ui/widgets/icon_bar.h"
#include "ui/widgets/picture_bar.h"
#include "ui/widgets/preview_box.h"
#include "ui/widgets/quick_size_panel.h"
#include "ui/widgets/recovery_bar.h"
#include "ui/widgets/scrolling_column.h"

namespace pictavo {

void TForm1::BuildCentralWidget() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Central"));
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* bars = new QFrame(central);
  bars->setObjectName(QStringLiteral("Panel4"));
  bars->setFrameShape(QFrame::StyledPanel);
  auto* top = new QVBoxLayout(bars);
  top->setContentsMargins(2, 2, 2, 2);
  top->setSpacing(2);
  name_box_ = CreateNameBox(editor_, this);
  picture_bar_ = new PictureBar(editor_, name_box_, bars);
  top->addWidget(picture_bar_);
  icon_bar_ = new IconBar(bars);
  top->addWidget(icon_bar_);
  column->addWidget(bars);

  auto* middle = new QHBoxLayout();
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  middle->addWidget(BuildLeftColumn(central));
  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setObjectName(QStringLiteral("CanvasSplitter"));
  splitter_->setChildrenCollapsible(false);
  auto* canvas_frame = new QFrame(splitter_);
  canvas_frame->setObjectName(QStringLiteral("Panel8"));
  canvas_frame->setAutoFillBackground(true);
  canvas_frame->setPalette(QPalette(Qt::white));
  auto* canvas_layout = new QVBoxLayout(canvas_frame);
  canvas_layout->setContentsMargins(0, 0, 0, 0);
  canvas_layout->setSpacing(0);
  recovery_bar_ = new RecoveryBar(canvas_frame);
  canvas_layout->addWidget(recovery_bar_);
  canvas_area_ = new CanvasScrollArea(editor_, canvas_frame);
  canvas_ = canvas_area_->Canvas();
  canvas_layout->addWidget(canvas_area_);
  splitter_->addWidget(canvas_frame);
  preview_box_ = new PreviewBox(editor_, splitter_);
  splitter_->addWidget(preview_box_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->handle(1)->setObjectName(QStringLiteral("Splitter1"));
  middle->addWidget(splitter_, 1);
  device_preview_ = new DevicePreviewPanel(editor_, services_, central);
  middle->addWidget(device_preview_);
  column->addLayout(middle, 1);
  setCentralWidget(central);

  IconBar& bar = *icon_bar_;
  skin_controls_ = {.ComboBox1 = bar.ComboBox1(),
                    .SpeedButton48 = bar.SpeedButton48(),
                    .SpeedButton49 = bar.SpeedButton49(),
                    .SpeedButton45 = bar.SpeedButton45(),
                    .SpeedButton44 = bar.SpeedButton44(),
                    .SpeedButton46 = bar.SpeedButton46(),
                    .SpeedButton47 = bar.SpeedButton47(),
                    .SpeedButton50 = bar.SpeedButton50(),
                    .SpeedButton51 = bar.SpeedButton51(),
                    .ListBox1 = skin_controls_.ListBox1,
                    .SpeedButton52 = preview_box_->SpeedButton52(),
                    .SpeedButton53 = preview_box_->SpeedButton53(),
                    .Image3 = preview_box_->Image3(),
                    .BudgetLabel = bar.BudgetLabel(),
                    .PlayButton = preview_box_->PlayButton(),
                    .FrameInterval = preview_box_->FrameInterval()};
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

// `Panel1`: the tool box, the quick sizes outside skin mode and the "Icons
// ID" list in it.
QWidget* TForm1::BuildLeftColumn(QWidget* parent) {
  auto* left = new QFrame(parent);
  left->setObjectName(QStringLiteral("Panel1"));
  left->setFixedWidth(65);
  auto* column = new QVBoxLayout(left);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(4);
  tool_box_ = new ToolBox(editor_, actions_.tools, left);
  column->addWidget(tool_box_);
  quick_sizes_ = new QuickSizePanel(editor_, left);
  column->addWidget(quick_sizes_);
  icon_list_ = new QGroupBox(QStringLiteral("Icons ID"), left);
  icon_list_->setObjectName(QStringLiteral("GroupBox1"));
  auto* list_layout = new QVBoxLayout(icon_list_);
  list_layout->setContentsMargins(1, 1, 1, 1);
  QListWidget* list = skin_controls_.ListBox1 = new QListWidget(icon_list_);
  list->setObjectName(QStringLiteral("ListBox1"));
  list->setFrameShape(QFrame::NoFrame);
  list->setStyleSheet(QStringLiteral("background: palette(button);"));
  list_layout->addWidget(list);
  icon_list_->hide();
  column->addWidget(icon_list_, 1);
  column->addStretch(0);
  // On a low screen the column scrolls rather than holding the window tall.
  return new ScrollingColumn(left, parent);
}

}  // namespace pictavo
