// "OpenSkin..." and "SaveSkin...": the file side of SkinCommands.
#include <cstdint>
#include <expected>
#include <filesystem>
#include <span>
#include <string_view>
#include <utility>

#include <QDir>
#include <QFile>

#include "core/files/safe_file.h"
#include "core/skin/skin_file.h"
#include "ui/app/main_window.h"
#include "ui/app/platform_services.h"
#include "ui/skin/skin_commands.h"

namespace pictavo {

namespace {

constexpr char kSkinFilter[] = "(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin";
constexpr int kSkinFilterIndex = 1;  // the "(Skin *.skin)" entry

QString Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

FileDialogRequest SkinDialogRequest(const QString& preset) {
  FileDialogRequest request;
  request.filter = QLatin1String(kSkinFilter);
  request.filter_index = kSkinFilterIndex;
  request.default_suffix = QStringLiteral("skin");
  request.file_name = preset;
  request.confirm_overwrite = false;
  return request;
}

// The first SkinReadLimit bytes of the file, or why they cannot be read.
std::expected<QByteArray, QString> ReadSkinHead(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::unexpected(file.errorString());
  QByteArray bytes;
  while (bytes.size() < static_cast<qsizetype>(SkinReadLimit)) {
    const QByteArray part = file.read(static_cast<qint64>(SkinReadLimit) - bytes.size());
    if (part.isEmpty()) break;
    bytes += part;
  }
  if (file.error() != QFileDevice::NoError) return std::unexpected(file.errorString());
  return bytes;
}

// The core's reasons are written to follow a colon; a message box starts
// them with a capital and ends them with a full stop.
QString AsSentence(const std::string& reason) {
  QString text = QString::fromStdString(reason);
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
  return text;
}

}  // namespace

void SkinCommands::OpenSkin1Click() {
  const QString path = form_.Services().OpenFileName(&form_, SkinDialogRequest(last_open_path_));
  if (path.isEmpty()) return;
  last_open_path_ = path;

  const std::expected<QByteArray, QString> bytes = ReadSkinHead(path);
  if (!bytes) {
    Report(QStringLiteral("Could not read \"%1\": %2.")
               .arg(QDir::toNativeSeparators(path), bytes.error()),
           Text(DecompressionErrorTitle));
    return;
  }
  SkinFileRead read = ReadSkinFile(
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                    static_cast<std::size_t>(bytes->size())));
  // The name is taken even from a file whose icons are refused.
  form_.SetPictureName(QByteArray(read.name.data(), static_cast<qsizetype>(read.name.size())));
  if (!read.skin) {
    // The old skin and its lists stay; only the icon controls go away.
    editor_.LeaveSkinMode();
    Report(Text(DecompressionErrorText), Text(DecompressionErrorTitle));
    return;
  }
  OpenSkinIntoEditor(editor_, std::move(*read.skin));
  RefillIconLists();
}

void SkinCommands::SaveSkin1Click() {
  const Skin& skin = editor_.Skin();
  // Compressed before the dialog, so nothing is asked of the user for a skin
  // that cannot be saved.
  if (const auto stream = BuildSkinStream(skin); !stream) {
    Report(AsSentence(stream.error().message), Text(CompressionErrorTitle));
    return;
  }
  const QByteArray name = form_.PictureName();
  const auto file = WriteSkinFile(
      skin, std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
  if (!file) {
    editor_.Render();
    Report(Text(CompressionErrorText), Text(CompressionErrorTitle));
    return;
  }

  const QString path = form_.Services().SaveFileName(&form_, SkinDialogRequest(last_save_path_));
  if (path.isEmpty()) return;
  last_save_path_ = path;
  // Skin files are binary: written as they are, whole or not at all.
  const std::filesystem::path target(QFile::encodeName(path).toStdString());
  if (const auto written = WriteFileAtomically(target, std::span<const std::uint8_t>(*file));
      !written) {
    Report(QStringLiteral("Could not write \"%1\": %2.")
               .arg(QDir::toNativeSeparators(path),
                    QString::fromLocal8Bit(written.error().message.c_str())),
           Text(CompressionErrorTitle));
  }
}

}  // namespace pictavo
