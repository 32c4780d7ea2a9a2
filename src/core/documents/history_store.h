#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/platform/safe_file.h"

namespace pictavo {

// What the history keeps of a document: a picture file or a skin file, the
// very bytes a save would write.
enum class DocumentKind { Picture, Skin };

struct FiledDocument {
  DocumentKind kind = DocumentKind::Picture;
  std::vector<std::uint8_t> bytes;
};

// The record beside each filed document.
struct HistoryRecord {
  std::string time;     // when it was filed, as shown to the user
  std::string command;  // the command that was about to discard it
  std::string name;     // `PictureName`, Latin-1 bytes
  std::string source;   // the file it was opened from or saved to, if any
  friend bool operator==(const HistoryRecord&, const HistoryRecord&) = default;
};

struct HistoryEntry {
  // The file name without its extension; ids sort oldest first.
  std::string id;
  DocumentKind kind = DocumentKind::Picture;
  HistoryRecord record;
  std::filesystem::path document;
  // The document and its record together.
  std::uintmax_t bytes = 0;
};

// The newest entries kept: at most this many, and at most this many bytes
// together. An entry larger than all of it is refused.
struct HistoryBounds {
  std::size_t max_entries = 100;
  std::uintmax_t max_bytes = std::uintmax_t{64} << 20;
};

// One folder of filed documents, each a .ptv or .skin file with a .record
// text beside it, plus the recovery files of the running windows. The
// folder is the program's own (mode 0700) and is checked before every write;
// files are replaced whole through a temporary file and never written
// through a symbolic link. Only entries whose names and records the store
// writes are listed, counted, trimmed and read; anything else in the folder
// is left alone.
class HistoryStore {
 public:
  // `write_call` stands in for the system's write (tests fail it as a full
  // disk would).
  explicit HistoryStore(std::filesystem::path folder, HistoryBounds bounds = {},
                        WriteCall write_call = {});

  const std::filesystem::path& Folder() const { return folder_; }
  const HistoryBounds& Bounds() const { return bounds_; }

  // Files a document under an id made from `stamp` ("20261208-103756-123",
  // the form HistoryStamp checks), then drops the oldest entries beyond the
  // bounds, never the one just filed.
  expected<HistoryEntry, Error> File(const FiledDocument& document, const HistoryRecord& record,
                                     std::string_view stamp);
  // Newest first.
  std::vector<HistoryEntry> List() const;
  expected<void, Error> Remove(const HistoryEntry& entry);
  // The whole document, or why not (a file grown past the bounds is
  // refused); the reason does not name the file.
  expected<std::vector<std::uint8_t>, Error> Read(const HistoryEntry& entry) const;

  // The file layer the recovery files share: the folder made or checked,
  // then `name` in it replaced whole; read whole up to `limit` bytes.
  expected<void, Error> MakeFolder() const;
  expected<void, Error> WriteFile(const std::string& name,
                                  std::span<const std::uint8_t> bytes) const;
  expected<std::vector<std::uint8_t>, Error> ReadFile(const std::string& name,
                                                      std::size_t limit) const;

 private:
  void Trim(const std::string& filed_id);

  std::filesystem::path folder_;
  HistoryBounds bounds_;
  WriteCall write_call_;
};

// Whether `stamp` is a filing's time as the store names entries by it:
// "yyyymmdd-hhmmss-mmm".
bool IsHistoryStamp(std::string_view stamp);

// The record as the .record file holds it, and back; unknown lines are
// ignored so later versions can add to it. A text without the record's
// first line is none.
std::string WriteHistoryRecord(const HistoryRecord& record);
std::optional<HistoryRecord> ReadHistoryRecord(std::string_view text);

// The most a record the store writes can take.
inline constexpr std::size_t MaxRecordBytes = std::size_t{1} << 16;

std::string_view DocumentExtension(DocumentKind kind);
// "picture" or "skin".
std::string_view DocumentWord(DocumentKind kind);

}  // namespace pictavo
