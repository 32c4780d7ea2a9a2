#pragma once

#include <cstdint>
#include <cstdio>

#include <QString>

#include "core/documents/read_document.h"
#include "core/model/expected.h"

namespace pictavo {

// The file at `path`, read as far as the hints need and opened through
// ReadDocument: the one way in for the window and the command line alike.
// A file that cannot be read is refused with "could not be read: <reason>".
expected<Document, DocumentRefusal> ReadDocumentFile(const QString& path, const ReadHints& hints);

// What `stream` (standard input) holds, read to its end and opened through
// ReadDocument by its content alone. Only as much as the hints need is kept;
// past that the length is counted, to StreamCountLimit at most.
expected<Document, DocumentRefusal> ReadDocumentStream(std::FILE* stream, const ReadHints& hints);

// No file a reader takes is longer: a longer stream is counted this far.
inline constexpr std::uint64_t StreamCountLimit = std::uint64_t{256} << 20;

}  // namespace pictavo
