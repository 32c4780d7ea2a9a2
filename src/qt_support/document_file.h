#pragma once

#include <QString>

#include "core/documents/read_document.h"
#include "core/model/expected.h"

namespace pictavo {

// The file at `path`, read as far as the hints need and opened through
// ReadDocument: the one way in for the window and the command line alike.
// A file that cannot be read is refused with "could not be read: <reason>".
expected<Document, DocumentRefusal> ReadDocumentFile(const QString& path, const ReadHints& hints);

}  // namespace pictavo
