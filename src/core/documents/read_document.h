#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/documents/file_kinds.h"
#include "core/documents/image_decoder.h"
#include "core/formats/picture_file.h"
#include "core/formats/source_text/reader.h"
#include "core/imaging/image_conversion.h"
#include "core/model/expected.h"
#include "core/model/skin.h"

namespace pictavo {

// Whose commands a refusal points the user to.
enum class Front { Window, CommandLine };

// What the caller opens and how.
struct ReadHints {
  KindSet takes = AnyDocument;
  // How a source text is read where it does not say.
  ReadTextOptions text;
  // Images are opened only through a decoder; without one they are kinds
  // the caller does not take.
  const ImageDecoder* images = nullptr;
  bool all_frames = true;
  Front front = Front::Window;
};

// The hints of a caller that takes `takes`, decoding images with `images`.
inline ReadHints Taking(KindSet takes, const ImageDecoder* images = nullptr) {
  ReadHints hints;
  hints.takes = takes;
  hints.images = images;
  return hints;
}

// A file as it was read.
struct StoredFile {
  std::string_view name;  // its name or path: the suffix settles what the content leaves open
  std::span<const std::uint8_t> bytes;  // its first DocumentReadLimit bytes, or all of it
  std::uint64_t size = 0;               // the length of the whole file
};

// A picture file, or a source text with the reader's notes (sentences to
// pass on to the user).
struct PictureDocument {
  PictureRecord record;
  std::vector<std::string> notes;
};
struct SkinDocument {
  Skin skin;
  std::string name;  // the name field
  // Sentences to pass on to the user (a skin table's name that was cut).
  std::vector<std::string> notes = {};
};
struct ImageDocument {
  std::vector<RgbImage> frames;  // at least one
};

struct Document {
  FileKind kind;
  std::uint64_t file_size = 0;
  std::variant<PictureDocument, SkinDocument, ImageDocument> content;
};

// Why a file was not opened, in words that follow its name.
struct DocumentRefusal {
  enum class Cause {
    Unreadable,  // the file could not be read at all
    OtherKind,   // of a kind the caller does not take, or of none
    Damaged,     // of a kind taken, which its reader refused
  };
  Cause cause = Cause::Damaged;
  // The kind found or read as; for an unreadable file, the kind its name says.
  std::optional<FileKind> kind;
  // "is a PNG image, not a picture file. ...", "cannot be read as a GIF image: ...".
  std::string reason;
  // A source text whose array gives no size: it reads once the caller's
  // hints give one (ReadTextOptions::size).
  bool wants_size = false;
};

// How much of a file to read for these hints: enough for every kind taken.
std::size_t DocumentReadLimit(const ReadHints& hints);

// The one door every file opened passes, in the window and on the command
// line: what the file is, then its reader, or one refusal that names the
// kind found. A file whose content tells nothing is read as its name's kind
// when that is taken, else as a picture file when that is taken (the one
// kind with no signature to speak of), else as the one kind taken.
expected<Document, DocumentRefusal> ReadDocument(const StoredFile& file, const ReadHints& hints);

}  // namespace pictavo
