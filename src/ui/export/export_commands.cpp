#include "ui/export/export_commands.h"

#include <filesystem>
#include <string>
#include <string_view>

#include <QAction>
#include <QByteArray>
#include <QPushButton>
#include <QToolButton>

#include "core/platform/safe_file.h"
#include "ui/app/file_access.h"
#include "ui/app/main_window.h"
#include "ui/app/platform_services.h"
#include "ui/export/export_panel.h"

namespace pictavo {

namespace {

const char kSaveDialog1Filter[] =
    "(lib *.h , source *.s text *.txt)|*.h;*.txt;*.s|(All Files *.*)|*.*";

}  // namespace

ExportCommands::ExportCommands(TForm1& form) : QObject(&form), form_(form) {
  form4_ = new TForm4(&form);
  form.RegisterWindow(form4_);

  const std::pair<const char*, void (ExportCommands::*)()> buttons[] = {
      {"ToolButton12", &ExportCommands::ToolButton12Click},
      {"ToolButton7", &ExportCommands::ToolButton7Click},
      {"ToolButton5", &ExportCommands::ToolButton5Click},
      {"ToolButton16", &ExportCommands::ToolButton16Click},
      {"ToolButton17", &ExportCommands::ToolButton17Click},
      {"ToolButton8", &ExportCommands::ToolButton8Click},
  };
  for (const auto& [name, handler] : buttons) {
    QToolButton* button = form.Button(QLatin1String(name));
    connect(button, &QToolButton::clicked, this, handler);
    button->setEnabled(true);
  }
  connect(form4_->BitBtn1(), &QPushButton::clicked, this, &ExportCommands::BitBtn1Click);
  connect(form4_->BitBtn2(), &QPushButton::clicked, this, &ExportCommands::BitBtn2Click);

  // `ToolButton11` repeats "Save to end" and follows its enabled state.
  const std::pair<const char*, void (ExportCommands::*)()> actions[] = {
      {"Save1", &ExportCommands::Save1Click},
      {"Savetoend1", &ExportCommands::Savetoend1Click},
  };
  for (const auto& [name, handler] : actions) {
    QAction* action = form.Action(QLatin1String(name));
    connect(action, &QAction::triggered, this, handler);
    action->setEnabled(true);
  }
}

void ExportCommands::ToolButton12Click() {
  form4_->show();
  form4_->raise();
}

void ExportCommands::ToolButton7Click() {
  CopyPictureListing(ListingFormat::Cpp, form_.GetEditor().State().View.AlignToByte);
}
void ExportCommands::ToolButton5Click() {
  CopyPictureListing(ListingFormat::Asm1, form_.GetEditor().State().View.AlignToByte);
}
void ExportCommands::ToolButton16Click() {
  CopyPictureListing(ListingFormat::Asm2, form_.GetEditor().State().View.AlignToByte);
}
void ExportCommands::ToolButton17Click() {
  CopyPictureListing(ListingFormat::Asm4, form_.GetEditor().State().View.AlignToByte);
}
void ExportCommands::ToolButton8Click() {
  CopyPictureListing(ListingFormat::Asm8, form_.GetEditor().State().View.AlignToByte);
}

void ExportCommands::BitBtn1Click() {
  const std::optional<ListingFormat> format = form4_->ChosenFormat();
  if (!format) return;
  CopyPictureListing(*format, form4_->AlignUpToByte());
}

void ExportCommands::BitBtn2Click() {
  if (!form_.GetEditor().State().Selection.SelectionCaptured) return;
  const std::optional<ListingFormat> format = form4_->ChosenFormat();
  if (!format) return;
  CopySelectionListing(*format, form4_->AlignUpToByte());
}

void ExportCommands::Save1Click() { SaveListingFile(false); }
void ExportCommands::Savetoend1Click() { SaveListingFile(true); }

void ExportCommands::CopyPictureListing(ListingFormat format, bool align) {
  const QByteArray name = form_.PictureName();
  PutOnClipboard(
      PictureClipboardText(ViewOf(form_.GetEditor().State().Document.Picture), AsView(name), format, align));
}

void ExportCommands::CopySelectionListing(ListingFormat format, bool align) {
  const QByteArray name = form_.PictureName();
  PutOnClipboard(
      BuildListing(ViewOf(form_.GetEditor().State().Selection.SelectionBuffer), AsView(name), format, align));
}

void ExportCommands::PutOnClipboard(const std::string& text) {
  form_.Services().SetClipboardText(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

void ExportCommands::SaveListingFile(bool append) {
  FileDialogRequest request;
  request.filter = QLatin1String(kSaveDialog1Filter);
  request.filter_index = 0;
  request.file_name = last_file_name_;
  request.confirm_overwrite = false;
  const QString path = form_.Services().SaveFileName(&form_, request);
  if (path.isEmpty()) return;
  last_file_name_ = path;

  const QByteArray name = form_.PictureName();
  const std::string text = AsmFileListing(ViewOf(form_.GetEditor().State().Document.Picture), AsView(name));
  const std::filesystem::path target = LocalPath(path);
  // "Save" replaces the file whole or not at all; "Save to end" never cuts
  // what the file already holds.
  const std::expected<void, Error> written =
      append ? AppendToFile(target, text) : WriteFileAtomically(target, text);
  if (!written) {
    form_.Services().ShowMessage(&form_, CouldNotWrite(path, written.error()),
                                 QStringLiteral("Save Error"));
  }
}

}  // namespace pictavo
