#include "ui/services/file_access.h"

#include <algorithm>

#include <QDir>

namespace pictavo {

FileDialogRequest PictureDialogRequest(const QString& file_name) {
  FileDialogRequest request;
  request.filter = QLatin1String(kPictureAndSkinFilter);
  request.filter_index = 0;
  request.default_suffix = QStringLiteral("ptv");
  request.file_name = file_name;
  return request;
}

FileDialogRequest OpenPictureDialogRequest() {
  FileDialogRequest request = PictureDialogRequest();
  request.filter +=
      QStringLiteral("|(Source texts *.h *.s *.S *.inc *.txt *.xbm)|*.h;*.s;*.S;*.inc;*.txt;*.xbm");
  return request;
}

FileDialogRequest SkinDialogRequest(const QString& file_name) {
  FileDialogRequest request = PictureDialogRequest(file_name);
  request.filter_index = 1;  // the "(Skin *.skin)" entry
  request.default_suffix = QStringLiteral("skin");
  return request;
}

std::expected<QByteArray, QString> ReadFileStart(const QString& path, qint64 limit) {
  // Only a regular file is read, opened so that nothing can block: a named
  // pipe chosen by mistake would otherwise freeze the window.
  const auto bytes = ReadLocalFile(path, static_cast<std::size_t>(std::max<qint64>(limit, 0)));
  if (!bytes) return std::unexpected(ReasonText(bytes.error()));
  return QByteArray(reinterpret_cast<const char*>(bytes->data()),
                    static_cast<qsizetype>(bytes->size()));
}

QString CouldNotWrite(const QString& path, const Error& error) {
  return QStringLiteral("Could not write \"%1\": %2.")
      .arg(QDir::toNativeSeparators(path), ReasonText(error));
}

}  // namespace pictavo
