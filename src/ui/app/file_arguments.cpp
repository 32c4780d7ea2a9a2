#include "ui/app/file_arguments.h"

#include <QFileInfo>

#include "core/formats/skin_file.h"
#include "image_io/image_loading.h"
#include "ui/services/file_access.h"

namespace pictavo {

OpenedFileKind KindOfFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("ptv")) return OpenedFileKind::Picture;
  if (suffix == QLatin1String("skin")) return OpenedFileKind::Skin;
  static const QStringList images = {QStringLiteral("bmp"), QStringLiteral("dib"),
                                     QStringLiteral("png"), QStringLiteral("gif"),
                                     QStringLiteral("jpg"), QStringLiteral("jpeg")};
  if (images.contains(suffix)) return OpenedFileKind::Image;
  // Only a regular file is looked into, opened so that a pipe cannot keep the
  // window waiting; one that cannot be read goes to Open Picture, which says why.
  const auto start = ReadFileStart(path, 8);
  if (!start) return OpenedFileKind::Picture;
  if (AsView(*start).starts_with(SkinFileMagic)) return OpenedFileKind::Skin;
  if (StartsLikeImage(*start)) return OpenedFileKind::Image;
  return OpenedFileKind::Picture;
}

QString PresetOpenServices::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
  return inner_.SaveFileName(parent, request);
}

QString PresetOpenServices::OpenFileName(QWidget* parent, const FileDialogRequest& request) {
  if (preset_) {
    const QString path = *preset_;
    preset_.reset();
    return path;
  }
  return inner_.OpenFileName(parent, request);
}

void PresetOpenServices::ShowMessage(QWidget* parent, const QString& text, const QString& title) {
  inner_.ShowMessage(parent, text, title);
}

void PresetOpenServices::SetClipboardText(const QByteArray& latin1) {
  inner_.SetClipboardText(latin1);
}

int PresetOpenServices::ExecDialog(QDialog& dialog) { return inner_.ExecDialog(dialog); }

}  // namespace pictavo
