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
#include "core/formats/picture_file.h"
#include "core/platform/safe_file.h"
#include "ui/app/file_access.h"
#include "ui/app/main_window.h"
#include "ui/app/platform_services.h"
#include "ui/dialogs/bitmap_import_window.h"

namespace pictavo {

namespace {

// A picture record is at most a few tens of kilobytes plus its name; reading
// no further keeps a device or a huge file chosen by mistake from filling
// memory. Bytes after the record are ignored anyway.
constexpr qint64 kMaxPictureFileBytes = qint64{16} << 20;

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

FileCommands::FileCommands(TForm1& form) : QObject(&form), form_(form) {
  bmp_win_ = new TbmpWin(form.GetEditor(), form.Services(), &form);
  form.RegisterWindow(bmp_win_);

  // The tool-bar buttons repeat these items and follow their enabled state.
  const std::pair<const char*, void (FileCommands::*)()> actions[] = {
      {"OpenPicture1", &FileCommands::OpenPicture1Click},
      {"Savepicture1", &FileCommands::Savepicture1Click},
      {"OpenBMPfile1", &FileCommands::OpenBMPfile1Click},
  };
  for (const auto& [name, handler] : actions) {
    QAction* action = form.Action(QLatin1String(name));
    connect(action, &QAction::triggered, this, handler);
    action->setEnabled(true);
  }
}

void FileCommands::OpenPicture1Click() { OpenPictureFile(); }

void FileCommands::Savepicture1Click() { SavePictureFile(); }

void FileCommands::OpenBMPfile1Click() {
  // Skin mode ends last, whatever the answer: an accepted import is still
  // written into the current icon by its redraw, which is how a bitmap is
  // brought into a skin.
  form_.Services().ExecDialog(*bmp_win_);
  form_.GetEditor().LeaveSkinMode();
}

void FileCommands::SavePictureFile() {
  FileDialogRequest request = PictureDialogRequest();
  const QByteArray name = form_.PictureName();
  request.file_name = QString::fromLatin1(name);
  const QString path = form_.Services().SaveFileName(&form_, request);
  if (path.isEmpty()) return;

  const EditorState& state = form_.GetEditor().State();
  const std::vector<std::uint8_t> bytes =
      WritePictureFile(ViewOf(state.Document.Picture), AsView(name), state.Document.PictureFileVersion);
  if (auto written = WriteFileAtomically(LocalPath(path), bytes); !written) {
    form_.Services().ShowMessage(
        &form_,
        QStringLiteral("The picture could not be saved to \"%1\": %2.\nThe file was not changed.")
            .arg(Shown(path), QString::fromLocal8Bit(written.error().message)),
        QStringLiteral("Save Picture"));
  }
}

void FileCommands::OpenPictureFile() {
  const QString path = form_.Services().OpenFileName(&form_, PictureDialogRequest());
  if (!path.isEmpty()) LoadPicture(path);
  // In every case, the file read or not. Skin mode ends last, so an opened
  // picture is still written into the current icon where the two overlap.
  form_.GetEditor().LeaveSkinMode();
}

void FileCommands::LoadPicture(const QString& path) {
  const auto stored = ReadFileStart(path, kMaxPictureFileBytes);
  if (!stored) {
    form_.Services().ShowMessage(
        &form_, QStringLiteral("\"%1\" could not be read: %2.").arg(Shown(path), stored.error()),
        QStringLiteral("Open Picture"));
    return;
  }
  const auto record = ReadPictureFile(AsBytes(*stored));
  if (!record) {
    form_.Services().ShowMessage(
        &form_,
        QStringLiteral("\"%1\" is not a picture file Pictavo can open.\n%2\n"
                       "The picture was not changed.")
            .arg(Shown(path), QString::fromStdString(record.error().message)),
        QStringLiteral("Open Picture"));
    return;
  }
  form_.SetPictureName(
      QByteArray(record->name.data(), static_cast<qsizetype>(record->name.size())));
  OpenPictureRecord(form_.GetEditor(), *record);
}

}  // namespace pictavo
