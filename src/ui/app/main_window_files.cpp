// Files dropped on the main window, opened as a file named on the command
// line is: by FileCommands::Open.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "ui/app/main_window.h"
#include "ui/files/file_commands.h"

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
      this, [this, path] { files_->Open(path); }, Qt::QueuedConnection);
}

}  // namespace pictavo
