#include "ui/skin/skin_commands.h"

#include <initializer_list>
#include <utility>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "core/documents/skin_budget.h"
#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"
#include "core/formats/skin_file.h"
#include "ui/dialogs/add_icon_dialog.h"
#include "ui/dialogs/font_import_dialog.h"
#include "ui/services/file_access.h"
#include "ui/services/platform_services.h"
#include "ui/widgets/icon_preview.h"

namespace pictavo {

SkinCommands::SkinCommands(Editor& editor, PlatformServices& services, const SkinActions& actions,
                           const SkinControls& controls, QWidget* parent)
    : QObject(parent), editor_(editor), services_(services), controls_(controls), parent_(parent) {
  add_icon_dialog_ = new TAddIconForm(services, parent);
  font_dialog_ = new FontImportDialog(services, parent);
  SetFrameClock(std::make_unique<TimerFrameClock>());
  ConnectControls();
  connect(actions.NewSkin, &QAction::triggered, this, &SkinCommands::NewSkin);
  connect(actions.OpenSkin1, &QAction::triggered, this, &SkinCommands::OpenSkin1Click);
  connect(actions.SaveSkin1, &QAction::triggered, this, &SkinCommands::SaveSkin1Click);
  connect(actions.ImportFont, &QAction::triggered, this, &SkinCommands::ImportFontClick);
  actions.ImportFont->setEnabled(true);
  actions.NewSkin->setEnabled(true);
  actions.OpenSkin1->setEnabled(true);
  actions.SaveSkin1->setEnabled(true);
}

void SkinCommands::ConnectControls() {
  const SkinControls& c = controls_;
  connect(c.ComboBox1, &QComboBox::currentIndexChanged, this, &SkinCommands::ComboBox1Change);
  connect(c.ListBox1, &QListWidget::currentRowChanged, this, &SkinCommands::ListBox1Click);
  connect(c.Image3, &IconPreview::Image3MouseUp, this, &SkinCommands::Image3MouseUp);
  connect(c.PlayButton, &QToolButton::toggled, this, &SkinCommands::PlayButtonClick);
  c.FrameInterval->setRange(FramePlayer::MinIntervalMs, FramePlayer::MaxIntervalMs);
  c.FrameInterval->setValue(player_.IntervalMs());
  connect(c.FrameInterval, &QSpinBox::valueChanged, this, &SkinCommands::FrameIntervalChange);
  const std::pair<QToolButton*, void (SkinCommands::*)()> buttons[] = {
      {c.SpeedButton48, &SkinCommands::Button1Click},
      {c.SpeedButton49, &SkinCommands::Button2Click},
      {c.SpeedButton45, &SkinCommands::SpeedButton45Click},
      {c.SpeedButton44, &SkinCommands::SpeedButton44Click},
      {c.SpeedButton46, &SkinCommands::SpeedButton46Click},
      {c.SpeedButton47, &SkinCommands::SpeedButton47Click},
      {c.SpeedButton50, &SkinCommands::SpeedButton50Click},
      {c.SpeedButton51, &SkinCommands::SpeedButton51Click},
      {c.SpeedButton52, &SkinCommands::SpeedButton52Click},
      {c.SpeedButton53, &SkinCommands::SpeedButton53Click},
  };
  for (const auto& [button, handler] : buttons) {
    connect(button, &QToolButton::clicked, this, handler);
  }
}

void SkinCommands::RefillIconLists() {
  QStringList labels;
  for (const std::string& label : IconLabels(editor_.Skin())) labels << Latin1Text(label);
  {
    const QSignalBlocker combo_blocker(controls_.ComboBox1);
    const QSignalBlocker list_blocker(controls_.ListBox1);
    controls_.ComboBox1->clear();
    controls_.ComboBox1->addItems(labels);
    controls_.ListBox1->clear();
    controls_.ListBox1->addItems(labels);
  }
  SelectCurrentInLists();
}

void SkinCommands::SelectCurrentInLists() {
  const int index = editor_.Skin().Contains(editor_.State().Document.CurrentIconIndex)
                        ? editor_.State().Document.CurrentIconIndex
                        : -1;
  const QSignalBlocker combo_blocker(controls_.ComboBox1);
  const QSignalBlocker list_blocker(controls_.ListBox1);
  if (index < controls_.ComboBox1->count()) controls_.ComboBox1->setCurrentIndex(index);
  if (index < controls_.ListBox1->count()) controls_.ListBox1->setCurrentRow(index);
}

void SkinCommands::Report(const QString& text, const QString& title) {
  services_.ShowMessage(parent_, text, title);
}

// ---- icons ---------------------------------------------------------------------

void SkinCommands::ComboBox1Change() {
  // A negative index means no item is chosen, for example after typing.
  const int index = controls_.ComboBox1->currentIndex();
  if (index < 0) return;
  SelectIcon(editor_, index);
  SelectCurrentInLists();
}

void SkinCommands::ListBox1Click() {
  const int row = controls_.ListBox1->currentRow();
  if (row < 0 || row >= controls_.ComboBox1->count()) return;
  {
    const QSignalBlocker blocker(controls_.ComboBox1);
    controls_.ComboBox1->setCurrentIndex(row);
  }
  ComboBox1Change();
}

void SkinCommands::Button1Click() {
  // The dialog may have been accepted last time; only this opening's OK counts.
  add_icon_dialog_->setResult(QDialog::Rejected);
  if (services_.ExecDialog(*add_icon_dialog_) != QDialog::Accepted) return;
  if (AddIcon(editor_, add_icon_dialog_->Icon())) RefillIconLists();
}

void SkinCommands::Button2Click() {
  if (editor_.CurrentIcon() == nullptr) return;
  DeleteIcon(editor_);
  RefillIconLists();
}

void SkinCommands::ShowBppRefused(bool refused) {
  if (refused) Report(Latin1Text(BppRefusedText), Latin1Text(InvalidIconParametersTitle));
}

void SkinCommands::SpeedButton45Click() { ShowBppRefused(RaiseBpp(editor_)); }
void SkinCommands::SpeedButton44Click() { ShowBppRefused(LowerBpp(editor_)); }
void SkinCommands::SpeedButton46Click() { NextSubIcon(editor_); }
void SkinCommands::SpeedButton47Click() { PreviousSubIcon(editor_); }
void SkinCommands::SpeedButton50Click() { AddSubIcon(editor_); }
void SkinCommands::SpeedButton51Click() { DeleteSubIcon(editor_); }
void SkinCommands::SpeedButton52Click() { PreviewZoomIn(editor_); }
void SkinCommands::SpeedButton53Click() { PreviewZoomOut(editor_); }

void SkinCommands::Image3MouseUp(int x, int y) {
  // While frames play the preview shows one of them: a click only stops.
  if (player_.Playing()) {
    StopPlayback();
    return;
  }
  ChoosePreviewSubIcon(editor_, x, y, controls_.Image3->height());
}

// ---- New Skin ------------------------------------------------------------------

void SkinCommands::NewSkin() {
  // The skin in memory is replaced only once the first icon is confirmed, so
  // cancelling the dialog loses nothing.
  add_icon_dialog_->setResult(QDialog::Rejected);
  if (services_.ExecDialog(*add_icon_dialog_) != QDialog::Accepted) return;
  if (StartNewSkin(editor_, add_icon_dialog_->Icon())) RefillIconLists();
}

// ---- what follows the current icon ------------------------------------------------

void SkinCommands::ShowIconState() {
  if (player_.StopIfChanged(editor_)) StopPlayback();
  const SkinControls& c = controls_;
  const bool has_icon = editor_.CurrentIcon() != nullptr;
  // Without an icon these would edit nothing; adding one is all there is to do.
  for (QWidget* control : std::initializer_list<QWidget*>{
           c.ComboBox1, c.SpeedButton49, c.SpeedButton45, c.SpeedButton44, c.SpeedButton46,
           c.SpeedButton47, c.SpeedButton50, c.SpeedButton51, c.SpeedButton52, c.SpeedButton53}) {
    control->setEnabled(has_icon);
  }
  c.PlayButton->setEnabled(player_.Playing() || FramePlayer::CanPlay(editor_));

  const SkinBudget budget = BudgetOf(editor_.Skin(), editor_.State().Document.CurrentIconIndex);
  c.BudgetLabel->setText(Latin1Text(BudgetText(budget, has_icon)));
  // Red when a save would refuse the skin. This runs on every redraw: the
  // style is set only when it changes, since setting it restyles the label.
  const QString style = budget.Over() ? QStringLiteral("color: red;") : QString();
  if (c.BudgetLabel->styleSheet() != style) c.BudgetLabel->setStyleSheet(style);
}

void SkinCommands::PreviewChanged() {
  if (player_.StopIfChanged(editor_)) StopPlayback();
  controls_.Image3->update();
}

// ---- frame playback ----------------------------------------------------------------

void SkinCommands::SetFrameClock(std::unique_ptr<FrameClock> clock) {
  if (clock_) clock_->Stop();
  clock_ = std::move(clock);
  clock_->on_tick = [this] { FrameClockTick(); };
  if (player_.Playing()) clock_->Start(player_.IntervalMs());
}

void SkinCommands::PlayButtonClick(bool checked) {
  if (!checked) {
    StopPlayback();
    return;
  }
  if (!player_.Start(editor_)) {
    StopPlayback();
    return;
  }
  controls_.PlayButton->setToolTip(QStringLiteral("Stop playing"));
  controls_.Image3->SetShownFrame(player_.Frame());
  clock_->Start(player_.IntervalMs());
}

void SkinCommands::FrameClockTick() {
  if (!player_.Tick(editor_)) {
    StopPlayback();
    return;
  }
  controls_.Image3->SetShownFrame(player_.Frame());
}

void SkinCommands::FrameIntervalChange(int ms) {
  player_.SetIntervalMs(ms);
  if (player_.Playing()) clock_->Start(player_.IntervalMs());
}

void SkinCommands::StopPlayback() {
  player_.Stop();
  clock_->Stop();
  {
    const QSignalBlocker blocker(controls_.PlayButton);
    controls_.PlayButton->setChecked(false);
  }
  controls_.PlayButton->setToolTip(QStringLiteral("Play the sub-icons in turn"));
  controls_.PlayButton->setEnabled(FramePlayer::CanPlay(editor_));
  controls_.Image3->SetShownFrame(std::nullopt);
}

}  // namespace pictavo
