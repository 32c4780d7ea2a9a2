#pragma once

// Where Qt's strings meet the core's paths, bytes and reasons: one crossing
// for the window and the command line alike. Qt Core only.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo {

// A path as the core's file functions take it.
std::filesystem::path LocalPath(const QString& path);

// At most the first `limit` bytes of a regular file, or why it could not be
// read; a named pipe, a device or a folder is refused without being waited on.
expected<std::vector<std::uint8_t>, Error> ReadLocalFile(const QString& path, std::size_t limit);

// A reason of the core (or of the system) as text to show.
QString ReasonText(std::string_view reason);
inline QString ReasonText(const Error& error) { return ReasonText(error.message); }

// Names and file contents cross to the core as 8-bit bytes, unchanged.
inline std::string_view AsView(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}
inline std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
          static_cast<std::size_t>(bytes.size())};
}
inline QString Latin1Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace pictavo
