#include "ui/app/file_access.h"

#include <algorithm>

#include <QDir>
#include <QFile>

namespace pictavo {

FileDialogRequest PictureDialogRequest(const QString& file_name) {
  FileDialogRequest request;
  request.filter = QLatin1String(kPictureAndSkinFilter);
  request.filter_index = 0;
  request.default_suffix = QStringLiteral("ptv");
  request.file_name = file_name;
  return request;
}

FileDialogRequest SkinDialogRequest(const QString& file_name) {
  FileDialogRequest request = PictureDialogRequest(file_name);
  request.filter_index = 1;  // the "(Skin *.skin)" entry
  request.default_suffix = QStringLiteral("skin");
  return request;
}

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::expected<QByteArray, QString> ReadFileStart(const QString& path, qint64 limit) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::unexpected(file.errorString());
  QByteArray bytes;
  // In parts: a device may hand its bytes over piecemeal, and nothing is
  // reserved for a limit the file never reaches.
  while (bytes.size() < limit) {
    const QByteArray part = file.read(std::min<qint64>(limit - bytes.size(), qint64{1} << 16));
    if (part.isEmpty()) break;
    bytes += part;
  }
  if (file.error() != QFileDevice::NoError) return std::unexpected(file.errorString());
  return bytes;
}

QString CouldNotWrite(const QString& path, const Error& error) {
  return QStringLiteral("Could not write \"%1\": %2.")
      .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(error.message.c_str()));
}

}  // namespace pictavo
