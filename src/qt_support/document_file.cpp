#include "qt_support/document_file.h"

#include <filesystem>
#include <system_error>

#include <QFile>

#include "qt_support/core_bridge.h"

namespace pictavo {

expected<Document, DocumentRefusal> ReadDocumentFile(const QString& path, const ReadHints& hints) {
  const QByteArray name = QFile::encodeName(path);
  const std::size_t limit = DocumentReadLimit(hints);
  const auto bytes = ReadLocalFile(path, limit);
  if (!bytes) {
    return unexpected(DocumentRefusal{DocumentRefusal::Cause::Unreadable, KindOfName(AsView(name)),
                                      CouldNotReadReason(bytes.error())});
  }
  // Only a file that fills the part read can be longer: the image decoder
  // refuses one whose image does not end within that part.
  std::uint64_t size = bytes->size();
  if (bytes->size() >= limit) {
    std::error_code failed;
    const auto whole = std::filesystem::file_size(LocalPath(path), failed);
    if (!failed) size = whole;
  }
  return ReadDocument(StoredFile{AsView(name), *bytes, size}, hints);
}

}  // namespace pictavo
