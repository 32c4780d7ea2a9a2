#include "ui/files/file_commands.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QAction>
#include <QByteArray>
#include <QDir>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/formats/file_kind.h"
#include "core/formats/picture_file.h"
#include "core/formats/source_text/reader.h"
#include "core/platform/safe_file.h"
#include "ui/dialogs/bitmap_import_window.h"
#include "ui/services/file_access.h"
#include "ui/services/name_box.h"
#include "ui/services/platform_services.h"
#include "ui/services/window_placement.h"

namespace pictavo {

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

struct OpenedRecord {
  PictureRecord record;
  std::string notes;  // to tell the user, one per line
};

// A picture file, or a source text the program wrote; on failure the rest of
// a sentence that starts with the file's name.
expected<OpenedRecord, Error> ReadPictureOrText(const std::vector<std::uint8_t>& stored) {
  if (!stored.empty() && LooksLikeText(stored)) {
    auto text = ReadSourceText(
        std::string_view(reinterpret_cast<const char*>(stored.data()), stored.size()));
    if (!text) {
      return unexpected(Error{"is not a source text Pictavo can read.\n" + text.error().message});
    }
    OpenedRecord opened{std::move(text->picture), {}};
    for (const std::string& note : text->notes) {
      opened.notes += (opened.notes.empty() ? "" : "\n") + note;
    }
    return opened;
  }
  auto record = ReadPictureFile(stored);
  if (record) return OpenedRecord{std::move(*record), {}};
  const FileKind kind = SniffFileKind(stored);
  if (kind != FileKind::PictureFile && kind != FileKind::Unknown) {
    const bool image = kind == FileKind::PngImage || kind == FileKind::GifImage ||
                       kind == FileKind::JpegImage || kind == FileKind::BmpImage;
    return unexpected(Error{"is " + std::string(FileKindName(kind)) + ", not a picture file." +
                            (image ? " \"Open BMP file...\" makes a picture of it." : "")});
  }
  return unexpected(
      Error{"is not a picture file Pictavo can open.\n" + AsSentence(record.error().message)});
}

}  // namespace

FileCommands::FileCommands(Editor& editor, PlatformServices& services, const FileActions& actions,
                           QWidget* parent)
    : QObject(parent), editor_(editor), services_(services), parent_(parent) {
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

void FileCommands::SavePictureFile() {
  FileDialogRequest request = PictureDialogRequest();
  const QByteArray name = PictureName(editor_);
  request.file_name = QString::fromLatin1(name);
  const QString path = services_.SaveFileName(parent_, request);
  if (path.isEmpty()) return;

  const EditorState& state = editor_.State();
  const std::vector<std::uint8_t> bytes = WritePictureFile(
      ViewOf(state.Document.Picture), AsView(name), state.Document.PictureFileVersion);
  if (auto written = WriteFileAtomically(LocalPath(path), bytes); !written) {
    services_.ShowMessage(
        parent_,
        QStringLiteral("The picture could not be saved to \"%1\": %2.\nThe file was not changed.")
            .arg(Shown(path), ReasonText(written.error())),
        QStringLiteral("Save Picture"));
    return;
  }
  // In skin mode the skin is the document; a picture saved from it is a copy.
  if (!state.Document.SkinMode) {
    editor_.SetFilePath(path.toStdString());
    editor_.MarkSaved();
  }
}

void FileCommands::OpenPictureFile() {
  const QString path = services_.OpenFileName(parent_, OpenPictureDialogRequest());
  const bool opened = !path.isEmpty() && LoadPicture(path);
  // In every case, the file read or not. Skin mode ends last, so an opened
  // picture is still written into the current icon where the two overlap.
  editor_.LeaveSkinMode();
  if (opened) {
    editor_.SetFilePath(path.toStdString());
    editor_.MarkSaved();
  }
}

bool FileCommands::LoadPicture(const QString& path) {
  const auto stored = ReadLocalFile(path, PictureReadLimit);
  if (!stored) {
    services_.ShowMessage(parent_,
                          QStringLiteral("\"%1\" %2.")
                              .arg(Shown(path), ReasonText(CouldNotReadReason(stored.error()))),
                          QStringLiteral("Open Picture"));
    return false;
  }
  const auto opened = ReadPictureOrText(*stored);
  if (!opened) {
    services_.ShowMessage(parent_,
                          QStringLiteral("\"%1\" %2\nThe picture was not changed.")
                              .arg(Shown(path), ReasonText(opened.error())),
                          QStringLiteral("Open Picture"));
    return false;
  }
  OpenPictureRecord(editor_, opened->record);
  if (!opened->notes.empty()) {
    services_.ShowMessage(parent_, ReasonText(opened->notes), QStringLiteral("Open Picture"));
  }
  return true;
}

}  // namespace pictavo
