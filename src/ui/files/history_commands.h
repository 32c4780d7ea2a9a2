#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>
#include <QString>
#include <QTimer>

#include "core/documents/history_store.h"
#include "core/editing/document_keeper.h"

class QAction;
class QLabel;
class QStatusBar;
class QWidget;

namespace pictavo {

class Editor;
class PlatformServices;
class RecoverWindow;

// The local history in the window: keeps what the commands discard (and
// asks what to do with work that cannot be kept), keeps the window's own
// recovery file up to date while work is unsaved, files those left by
// windows that ended without Exit, shows the document's state in the status
// bar and carries out "Recover Unsaved Work...".
class HistoryCommands : public QObject {
  Q_OBJECT

 public:
  // `open_file` opens a picture or skin file as its menu command would, and
  // says whether it did; `save_as` saves the picture or the skin as its
  // menu command would, and says whether it did.
  HistoryCommands(Editor& editor, PlatformServices& services, QAction* recover_action,
                  QStatusBar* status_bar, std::function<bool(const QString&)> open_file,
                  std::function<bool(DocumentKind)> save_as, QWidget* parent);
  ~HistoryCommands() override;

  HistoryStore& Store() { return *store_; }
  // Whether this start found work a run that ended without Exit left
  // unsaved, and kept it in the history.
  bool KeptLeftWork() const { return kept_left_work_; }

  // The document changed, was saved or comes from another file: the status
  // bar follows and the recovery write waits for a quiet moment again. Once
  // nothing is left unsaved the recovery file goes at once, so a save is
  // never reported as lost work later.
  void DocumentStateChanged();
  // What the recovery timer runs: the document into the recovery file while
  // it holds unkept work, the file removed once it does not. Never during a
  // stroke; it waits for the stroke's end.
  void WriteRecoveryNow();
  // Exit and the close box: the document is kept and the recovery file
  // goes. False when the work could not be kept and the user chose to stay.
  bool Closing();
  void RecoverUnsavedWorkClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowDocumentState();
  void ShowFailure(const std::string& message);
  // Work a command would discard could not be filed: "Save As...",
  // "Discard" or "Cancel". True when the command may go on.
  bool AskAboutUnkeptWork(DiscardingCommand command, DocumentKind kind, const std::string& reason);

  Editor& editor_;
  PlatformServices& services_;
  QStatusBar* status_bar_;
  std::function<bool(const QString&)> open_file_;
  std::function<bool(DocumentKind)> save_as_;
  std::unique_ptr<HistoryStore> store_;
  std::unique_ptr<HistoryKeeper> keeper_;
  QTimer recovery_timer_;
  QLabel* document_state_ = nullptr;
  RecoverWindow* window_ = nullptr;
  bool recovery_written_ = false;
  bool kept_left_work_ = false;
  struct ShownState {
    std::string path;
    bool skin = false;
    bool unsaved = false;
  };
  std::optional<ShownState> shown_;
};

}  // namespace pictavo
