#include "ui/export/export_commands.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include <QAction>
#include <QByteArray>
#include <QPushButton>

#include "core/editing/editor.h"
#include "core/platform/safe_file.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/export_memory.h"
#include "ui/export/export_panel.h"
#include "ui/services/file_access.h"
#include "ui/services/name_box.h"
#include "ui/services/platform_services.h"
#include "ui/services/window_placement.h"

namespace pictavo {

namespace {

const char kSaveDialog1Filter[] =
    "(lib *.h , source *.s text *.txt)|*.h;*.txt;*.s|(All Files *.*)|*.*";

}  // namespace

ExportCommands::ExportCommands(Editor& editor, PlatformServices& services,
                               const ExportActions& actions, QWidget* parent)
    : QObject(parent), editor_(editor), services_(services), parent_(parent) {
  export_panel_ = new TForm4(parent);
  PlaceBesideWhenFirstShown(*export_panel_, *parent->window(), editor, 420);

  const std::pair<QAction*, void (ExportCommands::*)()> commands[] = {
      {actions.ToolButton12, &ExportCommands::ToolButton12Click},
      {actions.ToolButton7, &ExportCommands::ToolButton7Click},
      {actions.ToolButton5, &ExportCommands::ToolButton5Click},
      {actions.ToolButton16, &ExportCommands::ToolButton16Click},
      {actions.ToolButton17, &ExportCommands::ToolButton17Click},
      {actions.ToolButton8, &ExportCommands::ToolButton8Click},
      {actions.Save1, &ExportCommands::Save1Click},
      {actions.Savetoend1, &ExportCommands::Savetoend1Click},
      {actions.exportAction, &ExportCommands::ShowExportDialog},
  };
  for (const auto& [action, handler] : commands) {
    connect(action, &QAction::triggered, this, handler);
    action->setEnabled(true);
  }
  connect(export_panel_->BitBtn1(), &QPushButton::clicked, this, &ExportCommands::BitBtn1Click);
  connect(export_panel_->BitBtn2(), &QPushButton::clicked, this, &ExportCommands::BitBtn2Click);
}

void ExportCommands::ToolButton12Click() {
  export_panel_->show();
  export_panel_->raise();
}

void ExportCommands::ToolButton7Click() {
  CopyPictureListing(ListingFormat::Cpp, editor_.State().View.AlignToByte);
}
void ExportCommands::ToolButton5Click() {
  CopyPictureListing(ListingFormat::Asm1, editor_.State().View.AlignToByte);
}
void ExportCommands::ToolButton16Click() {
  CopyPictureListing(ListingFormat::Asm2, editor_.State().View.AlignToByte);
}
void ExportCommands::ToolButton17Click() {
  CopyPictureListing(ListingFormat::Asm4, editor_.State().View.AlignToByte);
}
void ExportCommands::ToolButton8Click() {
  CopyPictureListing(ListingFormat::Asm8, editor_.State().View.AlignToByte);
}

void ExportCommands::BitBtn1Click() {
  const std::optional<ListingFormat> format = export_panel_->ChosenFormat();
  if (!format) return;
  CopyPictureListing(*format, export_panel_->AlignUpToByte());
}

void ExportCommands::BitBtn2Click() {
  if (!editor_.State().Selection.SelectionCaptured) return;
  const std::optional<ListingFormat> format = export_panel_->ChosenFormat();
  if (!format) return;
  CopySelectionListing(*format, export_panel_->AlignUpToByte());
}

void ExportCommands::Save1Click() { SaveListingFile(false); }
void ExportCommands::Savetoend1Click() { SaveListingFile(true); }

void ExportCommands::ShowExportDialog() {
  const auto& document = editor_.State().Document;
  // In skin mode the window also offers the whole skin.
  ExportDialog dialog(document.Picture, PictureName(editor_),
                      std::filesystem::path(document.FilePath).stem().string(),
                      RecallExportMemory(), parent_, document.SkinMode ? &editor_.Skin() : nullptr);
  connect(&dialog, &ExportDialog::copyRequested, this, [&] { PutOnClipboard(dialog.Text()); });
  connect(&dialog, &ExportDialog::saveRequested, this, [&] { SaveExportText(dialog); });
  services_.ExecDialog(dialog);
  StoreExportMemory(dialog.Memory());
}

void ExportCommands::SaveExportText(ExportDialog& dialog) {
  FileDialogRequest request;
  request.filter = dialog.SaveFilter();
  request.default_suffix = dialog.Suffix();
  request.file_name = dialog.FileStem() + QLatin1Char('.') + dialog.Suffix();
  request.confirm_overwrite = true;
  const QString path = services_.SaveFileName(&dialog, request);
  if (path.isEmpty()) return;
  const std::expected<void, Error> written = WriteFileAtomically(LocalPath(path), dialog.Text());
  if (!written) {
    services_.ShowMessage(&dialog, CouldNotWrite(path, written.error()),
                          QStringLiteral("Save Error"));
  }
}

void ExportCommands::CopyPictureListing(ListingFormat format, bool align) {
  const QByteArray name = PictureName(editor_);
  PutOnClipboard(
      PictureClipboardText(ViewOf(editor_.State().Document.Picture), AsView(name), format, align));
}

void ExportCommands::CopySelectionListing(ListingFormat format, bool align) {
  const QByteArray name = PictureName(editor_);
  PutOnClipboard(
      BuildListing(ViewOf(editor_.State().Selection.SelectionBuffer), AsView(name), format, align));
}

void ExportCommands::PutOnClipboard(const std::string& text) {
  services_.SetClipboardText(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

void ExportCommands::SaveListingFile(bool append) {
  FileDialogRequest request;
  request.filter = QLatin1String(kSaveDialog1Filter);
  request.filter_index = 0;
  request.file_name = last_file_name_;
  request.confirm_overwrite = false;
  const QString path = services_.SaveFileName(parent_, request);
  if (path.isEmpty()) return;
  last_file_name_ = path;

  const QByteArray name = PictureName(editor_);
  const std::string text = AsmFileListing(ViewOf(editor_.State().Document.Picture), AsView(name));
  const std::filesystem::path target = LocalPath(path);
  // "Save" replaces the file whole or not at all; "Save to end" never cuts
  // what the file already holds.
  const std::expected<void, Error> written =
      append ? AppendToFile(target, text) : WriteFileAtomically(target, text);
  if (!written) {
    services_.ShowMessage(parent_, CouldNotWrite(path, written.error()),
                          QStringLiteral("Save Error"));
  }
}

}  // namespace pictavo
