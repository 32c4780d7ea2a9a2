#include "qt_support/core_bridge.h"

#include <QFile>

#include "core/platform/safe_file.h"

namespace pictavo {

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

expected<std::vector<std::uint8_t>, Error> ReadLocalFile(const QString& path, std::size_t limit) {
  return ReadRegularFile(LocalPath(path), limit);
}

QString ReasonText(std::string_view reason) {
  return QString::fromLocal8Bit(reason.data(), static_cast<qsizetype>(reason.size()));
}

}  // namespace pictavo
