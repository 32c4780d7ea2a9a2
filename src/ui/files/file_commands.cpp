#include "ui/files/file_commands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include <QAction>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFileInfo>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/formats/picture_file.h"
#include "core/platform/safe_file.h"
#include "image_io/image_loading.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/dialogs/text_size_dialog.h"
#include "ui/services/file_access.h"
#include "ui/services/name_box.h"
#include "ui/services/platform_services.h"
#include "ui/services/window_placement.h"
#include "ui/skin/skin_commands.h"

namespace pictavo {

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

FileCommands::FileCommands(Editor& editor, PlatformServices& services, const FileActions& actions,
                           SkinCommands& skins, QWidget* parent)
    : QObject(parent), editor_(editor), services_(services), skins_(skins), parent_(parent) {
  bitmap_import_window_ = new TbmpWin(editor, services, parent);
  PlaceWhenFirstShown(*bitmap_import_window_, *parent->window(), QPoint(391, 152));
  connect(actions.OpenPicture1, &QAction::triggered, this, &FileCommands::OpenPicture1Click);
  connect(actions.Savepicture1, &QAction::triggered, this, &FileCommands::Savepicture1Click);
  connect(actions.OpenBMPfile1, &QAction::triggered, this, &FileCommands::OpenBMPfile1Click);
  for (QAction* action : {actions.OpenPicture1, actions.Savepicture1, actions.OpenBMPfile1}) {
    action->setEnabled(true);
  }
}

void FileCommands::OpenPicture1Click() { OpenPictureFile(); }

void FileCommands::Savepicture1Click() { SavePictureFile(); }

void FileCommands::OpenBMPfile1Click() {
  // Skin mode ends last, whatever the answer: an accepted import is still
  // written into the current icon by its redraw, which is how a bitmap is
  // brought into a skin. Frames imported as sub-icons belong to the skin
  // being edited, so it stays open for them.
  services_.ExecDialog(*bitmap_import_window_);
  if (!bitmap_import_window_->FramesImported()) editor_.LeaveSkinMode();
}

bool FileCommands::SavePictureFile() {
  FileDialogRequest request = PictureDialogRequest();
  const QByteArray name = PictureName(editor_);
  request.file_name = QString::fromLatin1(name);
  const QString path = services_.SaveFileName(parent_, request);
  if (path.isEmpty()) return false;

  const EditorState& state = editor_.State();
  const std::vector<std::uint8_t> bytes = WritePictureFile(
      ViewOf(state.Document.Picture), AsView(name), state.Document.PictureFileVersion);
  if (auto written = WriteFileAtomically(LocalPath(path), bytes); !written) {
    services_.ShowMessage(
        parent_,
        QStringLiteral("The picture could not be saved to \"%1\": %2.\nThe file was not changed.")
            .arg(Shown(path), ReasonText(written.error())),
        QStringLiteral("Save Picture"));
    return false;
  }
  // In skin mode the skin is the document; a picture saved from it is a copy.
  if (!state.Document.SkinMode) {
    editor_.SetFilePath(path.toStdString());
    editor_.MarkSaved();
  }
  return true;
}

void FileCommands::OpenPictureFile() {
  const QString path = services_.OpenFileName(parent_, OpenPictureDialogRequest());
  std::optional<PictureDocument> opened;
  if (!path.isEmpty()) {
    auto read = ReadAskingSize(path, Taking(PictureFiles | SourceTexts));
    if (read && *read) {
      opened = std::move(std::get<PictureDocument>((*read)->content));
    } else if (read) {
      Report(OpenCommand::OpenPicture, path, read->error());
    }
  }
  FinishOpenPicture(path, std::move(opened));
}

std::optional<expected<Document, DocumentRefusal>> FileCommands::ReadAskingSize(const QString& path,
                                                                                ReadHints hints) {
  auto read = ReadWindowDocument(path, hints);
  if (read || !read.error().wants_size) return read;
  TextSizeDialog dialog(QFileInfo(path).fileName(), parent_);
  if (services_.ExecDialog(dialog) != QDialog::Accepted) return std::nullopt;
  hints.text.size = dialog.Size();
  return ReadWindowDocument(path, hints);
}

bool FileCommands::Open(const QString& path) {
  const LoaderImageDecoder decoder;
  auto asked = ReadAskingSize(path, Taking(AnyDocument, &decoder));
  if (!asked) {
    // Cancelled as Open Picture's file dialog is: skin mode ends all the same.
    editor_.LeaveSkinMode();
    return false;
  }
  auto& read = *asked;
  if (!read) {
    const OpenCommand command = CommandFor(read.error().kind);
    Report(command, path, read.error());
    // Open Picture and "Open BMP file..." end skin mode whatever comes of them.
    if (command != OpenCommand::OpenSkin) editor_.LeaveSkinMode();
    return false;
  }
  switch (CommandFor(read->kind)) {
    case OpenCommand::OpenPicture:
      return FinishOpenPicture(path, std::move(std::get<PictureDocument>(read->content)));
    case OpenCommand::OpenSkin:
      return skins_.OpenSkinDocument(path, std::move(std::get<SkinDocument>(read->content)));
    case OpenCommand::OpenImage:
      break;
  }
  // The import window with the image open, then as "Open BMP file..." shows it.
  auto& frames = std::get<ImageDocument>(read->content).frames;
  if (!bitmap_import_window_->ShowFrames(path, std::move(frames))) {
    editor_.LeaveSkinMode();
    return false;
  }
  OpenBMPfile1Click();
  return true;
}

bool FileCommands::FinishOpenPicture(const QString& path, std::optional<PictureDocument> opened) {
  if (opened) {
    if (!OpenPictureRecord(editor_, opened->record)) return false;
    QString notes;
    for (const std::string& note : opened->notes) {
      notes += (notes.isEmpty() ? QString() : QStringLiteral("\n")) + ReasonText(note);
    }
    if (!notes.isEmpty()) services_.ShowMessage(parent_, notes, QStringLiteral("Open Picture"));
  }
  // In every case, the file read or not. Skin mode ends last, so an opened
  // picture is still written into the current icon where the two overlap.
  editor_.LeaveSkinMode();
  if (opened) {
    editor_.SetFilePath(path.toStdString());
    editor_.MarkSaved();
  }
  return opened.has_value();
}

void FileCommands::Report(OpenCommand command, const QString& path,
                          const DocumentRefusal& refusal) {
  const RefusalMessage message = MessageFor(command, path, refusal);
  services_.ShowMessage(parent_, message.text, message.title);
}

}  // namespace pictavo
