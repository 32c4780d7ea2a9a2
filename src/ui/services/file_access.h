#pragma once

#include <expected>

#include <QByteArray>
#include <QString>

#include "core/model/error.h"
#include "qt_support/core_bridge.h"
#include "ui/services/platform_services.h"

namespace pictavo {

// The picture and skin dialogs share one filter; the skin commands choose its
// second entry.
inline constexpr char kPictureAndSkinFilter[] = "(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin";
FileDialogRequest PictureDialogRequest(const QString& file_name = {});
// Open Picture's: the shared filter and an entry for the source texts it reads.
FileDialogRequest OpenPictureDialogRequest();
FileDialogRequest SkinDialogRequest(const QString& file_name = {});

// At most the first limit bytes of a regular file, or why it could not be
// read; a named pipe or a device is refused without being opened.
std::expected<QByteArray, QString> ReadFileStart(const QString& path, qint64 limit);
// "Could not write "<path>": <reason>."
QString CouldNotWrite(const QString& path, const Error& error);

}  // namespace pictavo
