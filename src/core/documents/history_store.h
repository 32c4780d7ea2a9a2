#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/error.h"
#include "core/model/expected.h"

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
// together (the newest entry is kept whatever its size).
struct HistoryBounds {
  std::size_t max_entries = 100;
  std::uintmax_t max_bytes = std::uintmax_t{64} << 20;
};

// One folder of filed documents, each a .ptv or .skin file with a .record
// text beside it, plus the recovery file the running program keeps up to
// date. Every file is written by the safe save, so an interrupted write
// leaves the folder as it was.
class HistoryStore {
 public:
  explicit HistoryStore(std::filesystem::path folder, HistoryBounds bounds = {});

  const std::filesystem::path& Folder() const { return folder_; }

  // Files a document under an id made from `stamp` (sortable text such as
  // "20261208-103756-123"), then drops the oldest entries beyond the bounds.
  expected<HistoryEntry, Error> File(const FiledDocument& document, const HistoryRecord& record,
                                     std::string_view stamp);
  // Newest first; a record without its document is not listed.
  std::vector<HistoryEntry> List() const;
  expected<void, Error> Remove(const HistoryEntry& entry);
  expected<std::vector<std::uint8_t>, Error> Read(const HistoryEntry& entry) const;

  // The recovery file: replaced whole by each write, removed when nothing is
  // left unsaved.
  expected<void, Error> WriteRecovery(const FiledDocument& document, const HistoryRecord& record);
  void RemoveRecovery();
  // A recovery file left by a run that did not end normally becomes an
  // entry filed by `command`, its record keeping the name, the source and
  // the time of the last write. Gives whether there was one.
  expected<bool, Error> FileLeftRecovery(std::string_view command, std::string_view stamp);

 private:
  expected<void, Error> MakeFolder() const;
  void Trim();

  std::filesystem::path folder_;
  HistoryBounds bounds_;
};

// The record as the .record file holds it, and back; unknown lines are
// ignored so later versions can add to it.
std::string WriteHistoryRecord(const HistoryRecord& record);
HistoryRecord ReadHistoryRecord(std::string_view text);

std::string_view DocumentExtension(DocumentKind kind);

}  // namespace pictavo
