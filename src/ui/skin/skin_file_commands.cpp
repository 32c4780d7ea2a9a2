// "OpenSkin..." and "SaveSkin...": the file side of SkinCommands.
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <variant>

#include <QDir>
#include <QFileInfo>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/formats/skin_file.h"
#include "core/platform/safe_file.h"
#include "ui/dialogs/font_import_dialog.h"
#include "ui/services/file_access.h"
#include "ui/services/name_box.h"
#include "ui/services/platform_services.h"
#include "ui/skin/skin_commands.h"

namespace pictavo {

void SkinCommands::OpenSkin1Click() {
  const QString path = services_.OpenFileName(parent_, SkinDialogRequest(last_open_path_));
  if (path.isEmpty()) return;
  last_open_path_ = path;
  auto read = ReadWindowDocument(path, Taking(SkinFiles));
  if (!read) {
    // A file that cannot be read changes nothing: the skin, its lists, the
    // mode and the name stay as they were.
    const RefusalMessage message = MessageFor(OpenCommand::OpenSkin, path, read.error());
    Report(message.text, message.title);
    return;
  }
  OpenSkinDocument(path, std::move(std::get<SkinDocument>(read->content)));
}

bool SkinCommands::OpenSkinDocument(const QString& path, SkinDocument skin) {
  last_open_path_ = path;
  if (!OpenSkinIntoEditor(editor_, std::move(skin.skin), std::move(skin.name))) return false;
  editor_.SetFilePath(path.toStdString());
  editor_.MarkSaved();
  RefillIconLists();
  return true;
}

// The skin's name, in the folder it was last saved to or opened from, as
// Save Picture offers the picture's; without a name, the last file saved.
QString SkinCommands::OfferedSkinFile(const QByteArray& name) const {
  if (name.isEmpty()) return last_save_path_;
  const QString file = QString::fromLatin1(name);
  const QString& near = !last_save_path_.isEmpty() ? last_save_path_ : last_open_path_;
  return near.isEmpty() ? file : QFileInfo(near).dir().filePath(file);
}

void SkinCommands::SaveSkin1Click() { SaveSkinFile(); }

bool SkinCommands::SaveSkinFile() {
  const Skin& skin = editor_.Skin();
  // Compressed before the dialog, so nothing is asked of the user for a skin
  // that cannot be saved.
  if (const auto stream = BuildSkinStream(skin); !stream) {
    Report(ReasonText(AsSentence(stream.error().message)), Latin1Text(CompressionErrorTitle));
    return false;
  }
  const QByteArray name = PictureName(editor_);
  const auto file = WriteSkinFile(skin, AsView(name));
  if (!file) {
    editor_.Render();
    Report(Latin1Text(CompressionErrorText), Latin1Text(CompressionErrorTitle));
    return false;
  }

  const QString path = services_.SaveFileName(parent_, SkinDialogRequest(OfferedSkinFile(name)));
  if (path.isEmpty()) return false;
  last_save_path_ = path;
  // Skin files are binary: written as they are, whole or not at all.
  if (const auto written =
          WriteFileAtomically(LocalPath(path), std::span<const std::uint8_t>(*file));
      !written) {
    Report(CouldNotWrite(path, written.error()), Latin1Text(CompressionErrorTitle));
    return false;
  }
  if (editor_.State().Document.SkinMode) editor_.SetFilePath(path.toStdString());
  editor_.MarkSkinSaved();
  return true;
}

void SkinCommands::ImportFontClick() {
  font_dialog_->SetZoom(editor_.State().View.PixelSize);
  font_dialog_->setResult(QDialog::Rejected);
  if (services_.ExecDialog(*font_dialog_) != QDialog::Accepted) return;
  const auto& imported = font_dialog_->Imported();
  if (!imported) return;
  // Refused when the work it would replace could not be kept and the user cancelled.
  if (!OpenFontSkinIntoEditor(editor_, imported->skin, font_dialog_->SkinName())) return;
  RefillIconLists();
}

}  // namespace pictavo
