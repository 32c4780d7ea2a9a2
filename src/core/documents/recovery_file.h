#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/documents/history_store.h"
#include "core/model/error.h"
#include "core/model/expected.h"
#include "core/platform/private_folder.h"

namespace pictavo {

// The recovery file of one running window, in the history's folder: its
// document (a picture or skin file) and record, named after a lock file the
// window holds for as long as it runs ("recovery-PID.lock"), so that no other
// window files, replaces or removes its work. Several windows each have
// their own.
class RecoveryFile {
 public:
  explicit RecoveryFile(const HistoryStore& store) : store_(store) {}

  // Takes a lock file of its own, unless it holds one still in place.
  expected<void, Error> Claim();
  // Replaces the document and the record whole; claims first when needed.
  expected<void, Error> Write(const FiledDocument& document, const HistoryRecord& record);
  // Removes the document and the record; the lock stays held.
  void Remove();
  // The window ends: its files go, the lock file with them.
  void Release();
  // "recovery-PID", or empty before the first claim.
  const std::string& Name() const { return name_; }

 private:
  const HistoryStore& store_;
  std::string name_;
  FileLock lock_;
};

struct LeftRecovery {
  int filed = 0;
  // The first recovery file that could not be filed; it is left in place.
  std::optional<Error> failure;
};

// Files the recovery files of windows that are gone (their lock free, or no
// lock at all) as entries by `command`, their records keeping the name, the
// source and the time of the last write; their files then go. Those of
// running windows are not touched.
LeftRecovery FileLeftRecovery(HistoryStore& store, std::string_view command,
                              std::string_view stamp);

}  // namespace pictavo
