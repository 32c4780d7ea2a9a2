#include "ui/services/file_access.h"

#include <QDir>

#include "core/formats/skin_file.h"
#include "qt_support/document_file.h"

namespace pictavo {

namespace {

QString Filter(const std::string& filter) { return QString::fromStdString(filter); }

}  // namespace

FileDialogRequest PictureDialogRequest(const QString& file_name) {
  FileDialogRequest request;
  request.filter = Filter(DialogFilter({FileKind::PictureFile, FileKind::SkinFile}));
  request.filter_index = 0;
  request.default_suffix = Latin1Text(KindInfo(FileKind::PictureFile).suffixes[0]);
  request.file_name = file_name;
  return request;
}

FileDialogRequest OpenPictureDialogRequest() {
  FileDialogRequest request = PictureDialogRequest();
  // What Open Picture reads, all in one entry first.
  request.filter =
      Filter(AllReadFilter(PictureFiles | SourceTexts) + "|" +
             DialogFilter({FileKind::PictureFile, FileKind::SkinFile, FileKind::SourceText}));
  return request;
}

FileDialogRequest SkinDialogRequest(const QString& file_name) {
  FileDialogRequest request = PictureDialogRequest(file_name);
  request.filter_index = 1;  // the "(Skin *.skin)" entry
  request.default_suffix = Latin1Text(KindInfo(FileKind::SkinFile).suffixes[0]);
  return request;
}

FileDialogRequest ImageDialogRequest() {
  FileDialogRequest request;
  request.filter = Filter(AllImagesFilter() + "|" + DialogFilter({FileKind::BmpImage}));
  request.filter_index = 0;
  request.default_suffix = Latin1Text(KindInfo(FileKind::BmpImage).suffixes[0]);
  return request;
}

expected<Document, DocumentRefusal> ReadWindowDocument(const QString& path, ReadHints hints) {
  hints.front = Front::Window;
  return ReadDocumentFile(path, hints);
}

OpenCommand CommandFor(std::optional<FileKind> kind) {
  if (kind == FileKind::SkinFile) return OpenCommand::OpenSkin;
  if (kind && IsImage(*kind)) return OpenCommand::OpenImage;
  return OpenCommand::OpenPicture;
}

RefusalMessage MessageFor(OpenCommand command, const QString& path,
                          const DocumentRefusal& refusal) {
  QString text =
      QStringLiteral("\"%1\" %2").arg(QDir::toNativeSeparators(path), ReasonText(refusal.reason));
  // A file that could not be read at all: what the system said, as a sentence.
  if (refusal.cause == DocumentRefusal::Cause::Unreadable) text += QLatin1Char('.');
  switch (command) {
    case OpenCommand::OpenPicture:
      if (refusal.cause != DocumentRefusal::Cause::Unreadable) {
        text += QStringLiteral("\nThe picture was not changed.");
      }
      return {text, QStringLiteral("Open Picture")};
    case OpenCommand::OpenSkin:
      if (refusal.cause != DocumentRefusal::Cause::Unreadable) {
        text = Latin1Text(DecompressionErrorText) + QLatin1Char('\n') + text;
      }
      return {text, Latin1Text(DecompressionErrorTitle)};
    case OpenCommand::OpenImage:
      break;
  }
  return {text, QStringLiteral("Open BMP")};
}

QString CouldNotWrite(const QString& path, const Error& error) {
  return QStringLiteral("Could not write \"%1\": %2.")
      .arg(QDir::toNativeSeparators(path), ReasonText(error));
}

}  // namespace pictavo
