#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/documents/history_store.h"
#include "core/documents/recovery_file.h"
#include "core/model/error.h"
#include "core/model/expected.h"

namespace pictavo {

class Editor;

// The commands that replace the picture or the skin wholesale.
enum class DiscardingCommand {
  NewPicture,
  ClearImage,
  OpenPicture,
  ImportImage,
  OpenSkin,
  NewSkin,
  ImportFont,
  Exit,
  RecoverEntry,
};

// The name the history shows for the command.
std::string_view CommandText(DiscardingCommand command);
// Whether the command replaces the skin in memory as well, even while a
// picture is edited.
bool DiscardsSkin(DiscardingCommand command);

// The editor hands a document about to be discarded to this before the
// command goes on; it answers whether the command may go on: the document
// was kept, or the user let it go. False stops the command, which then
// changes nothing.
class DocumentKeeper {
 public:
  virtual ~DocumentKeeper() = default;
  virtual bool Keep(const Editor& editor, DocumentKind kind, DiscardingCommand command) = 0;
};

// The bytes a save would write: the picture file with its name, or the skin
// file (which can fail for a skin no file can hold).
expected<FiledDocument, Error> MakeFiledDocument(const Editor& editor, DocumentKind kind);

// The moment of a filing: a sortable stamp for the file names and the time
// as shown.
struct HistoryTime {
  std::string stamp;
  std::string shown;
};

// Keeps discarded documents in a history store, and the window's work in
// its recovery file. The window supplies the clock, where a failed recovery
// write is shown, and what to do with work that could not be filed: `ask`
// gets the reason and answers whether the command may go on (once the work
// is saved, or when the user lets it go).
class HistoryKeeper : public DocumentKeeper {
 public:
  using Clock = std::function<HistoryTime()>;
  using Report = std::function<void(const std::string& message)>;
  using Ask =
      std::function<bool(DiscardingCommand command, DocumentKind kind, const std::string& reason)>;

  HistoryKeeper(HistoryStore& store, Clock clock, Report report_failure, Ask ask);

  bool Keep(const Editor& editor, DocumentKind kind, DiscardingCommand command) override;

  // The document as it is now into the recovery file; a failure is reported.
  bool WriteRecovery(const Editor& editor);
  RecoveryFile& Recovery() { return recovery_; }

 private:
  HistoryRecord RecordOf(const Editor& editor, std::string_view command,
                         const HistoryTime& time) const;

  HistoryStore& store_;
  RecoveryFile recovery_;
  Clock clock_;
  Report report_failure_;
  Ask ask_;
};

}  // namespace pictavo
