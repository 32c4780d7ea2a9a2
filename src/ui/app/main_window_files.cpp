// Files given to the program: named on its command line or dropped on the
// main window. Each is opened by its menu command, so the checks and messages
// are those of the menu.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "ui/app/file_arguments.h"
#include "ui/app/main_window.h"
#include "ui/dialogs/bitmap_import_window.h"

namespace pictavo {

namespace {

// The first local file among the dropped items; other items are not files
// the program could open.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

void TForm1::OpenFile(const QString& path) {
  if (files_ == nullptr || skins_ == nullptr) return;
  file_services_->PresetOpenAnswer(path);
  switch (KindOfFile(path)) {
    case OpenedFileKind::Picture:
      files_->OpenPicture1Click();
      break;
    case OpenedFileKind::Skin:
      skins_->OpenSkin1Click();
      break;
    case OpenedFileKind::Image:
      // "Open BMP" with the file, then the window as "Open BMP file..." shows
      // it; a file it cannot read is reported as there.
      files_->BitmapImportWindow()->OpenImage();
      files_->OpenBMPfile1Click();
      break;
  }
  file_services_->ClearPreset();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop has finished: the import window is modal, and the program
  // that started the drag must not wait for it.
  QMetaObject::invokeMethod(
      this, [this, path] { OpenFile(path); }, Qt::QueuedConnection);
}

}  // namespace pictavo
