#include "qt_support/document_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

expected<Document, DocumentRefusal> ReadDocumentStream(std::FILE* stream, const ReadHints& hints) {
  const std::size_t limit = DocumentReadLimit(hints);
  std::vector<std::uint8_t> bytes;
  std::uint64_t size = 0;
  // In parts: one read of the whole limit would reserve all of it at once.
  std::vector<std::uint8_t> part(std::size_t{1} << 16);
  while (size <= StreamCountLimit) {
    const std::size_t got = std::fread(part.data(), 1, part.size(), stream);
    if (got == 0) break;
    size += got;
    const std::size_t room = limit - std::min(limit, bytes.size());
    bytes.insert(bytes.end(), part.begin(),
                 part.begin() + static_cast<std::ptrdiff_t>(std::min(room, got)));
  }
  if (std::ferror(stream)) {
    return unexpected(DocumentRefusal{DocumentRefusal::Cause::Unreadable, std::nullopt,
                                      CouldNotReadReason(Error{std::strerror(errno)})});
  }
  return ReadDocument(StoredFile{{}, bytes, size}, hints);
}

}  // namespace pictavo
