#pragma once

#include <optional>

#include <QString>

#include "core/documents/read_document.h"
#include "core/model/error.h"
#include "qt_support/core_bridge.h"
#include "ui/services/platform_services.h"

namespace pictavo {

// The picture and skin dialogs share one filter, from the table of kinds;
// the skin commands choose its second entry.
FileDialogRequest PictureDialogRequest(const QString& file_name = {});
// Open Picture's: the shared filter and an entry for the source texts it reads.
FileDialogRequest OpenPictureDialogRequest();
FileDialogRequest SkinDialogRequest(const QString& file_name = {});
// The import window's "Open BMP": every image kind first, then bitmaps.
FileDialogRequest ImageDialogRequest();

// The file at `path` read for the window: its refusals name the window's
// commands.
expected<Document, DocumentRefusal> ReadWindowDocument(const QString& path, ReadHints hints);

// The command whose words a refused file is told in: Open Picture's for
// pictures and texts, OpenSkin's, or the import window's for images. A
// file of no known kind is told as Open Picture tells it.
enum class OpenCommand { OpenPicture, OpenSkin, OpenImage };
OpenCommand CommandFor(std::optional<FileKind> kind);

struct RefusalMessage {
  QString text;
  QString title;
};
// "<path>" and the reason, with the command's title and its own lines: a
// picture not changed, a skin's "Decompression Error!".
RefusalMessage MessageFor(OpenCommand command, const QString& path, const DocumentRefusal& refusal);

// "Could not write "<path>": <reason>."
QString CouldNotWrite(const QString& path, const Error& error);

}  // namespace pictavo
