#include "ui/skin/skin_commands.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/editing/icon_commands.h"
#include "core/formats/skin_file.h"
#include "ui/app/file_access.h"
#include "ui/app/main_window.h"
#include "ui/app/platform_services.h"
#include "ui/dialogs/add_icon_dialog.h"
#include "ui/widgets/icon_preview.h"

namespace pictavo {

SkinCommands::SkinCommands(TForm1& form)
    : QObject(&form),
      form_(form),
      editor_(form.GetEditor()),
      combo_box1_(form.findChild<QComboBox*>(QStringLiteral("ComboBox1"))),
      list_box1_(form.findChild<QListWidget*>(QStringLiteral("ListBox1"))) {
  add_icon_form_ = new TAddIconForm(form.Services(), &form);
  form.RegisterWindow(add_icon_form_);

  // `Image3` fills what `Panel7` leaves of the "Preview" box.
  QWidget* group_box2 = form.Panel(QStringLiteral("GroupBox2"));
  preview_ = new IconPreview(editor_, group_box2);
  if (auto* layout = qobject_cast<QBoxLayout*>(group_box2->layout())) {
    layout->addWidget(preview_, 1);
  }
  connect(preview_, &IconPreview::Image3MouseUp, this, &SkinCommands::Image3MouseUp);
  // Asked for on every screen update in skin mode: only schedule a repaint.
  connect(&form, &TForm1::PreviewRedrawRequested, preview_, qOverload<>(&QWidget::update));

  WireIconBar();

  QAction* open = form.Action(QStringLiteral("OpenSkin1"));
  connect(open, &QAction::triggered, this, &SkinCommands::OpenSkin1Click);
  open->setEnabled(true);
  QAction* save = form.Action(QStringLiteral("SaveSkin1"));
  connect(save, &QAction::triggered, this, &SkinCommands::SaveSkin1Click);
  save->setEnabled(true);
}

void SkinCommands::WireIconBar() {
  connect(combo_box1_, &QComboBox::currentIndexChanged, this, &SkinCommands::ComboBox1Change);
  connect(list_box1_, &QListWidget::currentRowChanged, this, &SkinCommands::ListBox1Click);

  const struct {
    const char* name;
    void (SkinCommands::*handler)();
    const char* hint;
  } buttons[] = {
      {"SpeedButton48", &SkinCommands::Button1Click, "Add icon"},
      {"SpeedButton49", &SkinCommands::Button2Click, "Delete icon"},
      {"SpeedButton45", &SkinCommands::SpeedButton45Click, "Raise the icon's bits per pixel"},
      {"SpeedButton44", &SkinCommands::SpeedButton44Click, "Lower the icon's bits per pixel"},
      {"SpeedButton46", &SkinCommands::SpeedButton46Click, "Next sub-icon"},
      {"SpeedButton47", &SkinCommands::SpeedButton47Click, "Previous sub-icon"},
      {"SpeedButton50", &SkinCommands::SpeedButton50Click,
       "Add sub-icon (copy of the current one)"},
      {"SpeedButton51", &SkinCommands::SpeedButton51Click, "Delete sub-icon"},
      {"SpeedButton52", &SkinCommands::SpeedButton52Click, "Zoom preview in"},
      {"SpeedButton53", &SkinCommands::SpeedButton53Click, "Zoom preview out"},
  };
  for (const auto& [name, handler, hint] : buttons) {
    QToolButton* button = form_.Button(QLatin1String(name));
    connect(button, &QToolButton::clicked, this, handler);
    button->setToolTip(QLatin1String(hint));
    button->setAccessibleName(QLatin1String(hint));
    button->setEnabled(true);
  }
}

void SkinCommands::RefillIconLists() {
  QStringList labels;
  for (const std::string& label : IconLabels(editor_.Skin())) labels << Latin1Text(label);
  {
    const QSignalBlocker combo_blocker(combo_box1_);
    const QSignalBlocker list_blocker(list_box1_);
    combo_box1_->clear();
    combo_box1_->addItems(labels);
    list_box1_->clear();
    list_box1_->addItems(labels);
  }
  SelectCurrentInLists();
}

void SkinCommands::SelectCurrentInLists() {
  const int index = editor_.Skin().Contains(editor_.State().Document.CurrentIconIndex)
                        ? editor_.State().Document.CurrentIconIndex
                        : -1;
  const QSignalBlocker combo_blocker(combo_box1_);
  const QSignalBlocker list_blocker(list_box1_);
  if (index < combo_box1_->count()) combo_box1_->setCurrentIndex(index);
  if (index < list_box1_->count()) list_box1_->setCurrentRow(index);
}

void SkinCommands::Report(const QString& text, const QString& title) {
  form_.Services().ShowMessage(&form_, text, title);
}

// ---- icons ---------------------------------------------------------------------

void SkinCommands::ComboBox1Change() {
  // A negative index means no item is chosen, for example after typing.
  const int index = combo_box1_->currentIndex();
  if (index < 0) return;
  SelectIcon(editor_, index);
  SelectCurrentInLists();
}

void SkinCommands::ListBox1Click() {
  const int row = list_box1_->currentRow();
  if (row < 0 || row >= combo_box1_->count()) return;
  {
    const QSignalBlocker blocker(combo_box1_);
    combo_box1_->setCurrentIndex(row);
  }
  ComboBox1Change();
}

void SkinCommands::Button1Click() {
  // The dialog may have been accepted last time; only this opening's OK counts.
  add_icon_form_->setResult(QDialog::Rejected);
  if (form_.Services().ExecDialog(*add_icon_form_) != QDialog::Accepted) return;
  if (AddIcon(editor_, add_icon_form_->Icon())) RefillIconLists();
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
  ChoosePreviewSubIcon(editor_, x, y, preview_->height());
}

}  // namespace pictavo
