#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <span>
#include <string_view>

#include <QByteArray>
#include <QString>

#include "core/model/error.h"
#include "ui/services/platform_services.h"

namespace pictavo {

// The picture and skin dialogs share one filter; the skin commands choose its
// second entry.
inline constexpr char kPictureAndSkinFilter[] = "(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin";
FileDialogRequest PictureDialogRequest(const QString& file_name = {});
FileDialogRequest SkinDialogRequest(const QString& file_name = {});

// A path as the core's file functions take it.
std::filesystem::path LocalPath(const QString& path);
// At most the first limit bytes of a regular file, or why it could not be
// read; a named pipe or a device is refused without being opened.
std::expected<QByteArray, QString> ReadFileStart(const QString& path, qint64 limit);
// "Could not write "<path>": <reason>."
QString CouldNotWrite(const QString& path, const Error& error);

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
