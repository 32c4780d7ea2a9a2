#include "ui/files/history_commands.h"

#include <QAction>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QWidget>

#include "core/editing/editor.h"
#include "qt_support/history_folder.h"
#include "ui/dialogs/recover_window.h"
#include "ui/services/platform_services.h"

namespace pictavo {

namespace {

// A burst of edits is written once, this long after its last change.
constexpr int RecoveryDelayMs = 1500;
constexpr int StatusMessageMs = 15000;

HistoryTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  return {now.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")).toStdString(),
          now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString()};
}

}  // namespace

HistoryCommands::HistoryCommands(Editor& editor, PlatformServices& services,
                                 QAction* recover_action, QStatusBar* status_bar,
                                 std::function<bool(const QString&)> open_file, QWidget* parent)
    : QObject(parent),
      editor_(editor),
      services_(services),
      status_bar_(status_bar),
      open_file_(std::move(open_file)),
      store_(std::make_unique<HistoryStore>(HistoryFolder().toStdString())),
      keeper_(std::make_unique<HistoryKeeper>(
          *store_, Now, [this](const std::string& message) { ShowFailure(message); })) {
  window_ = new RecoverWindow(*store_, services_, parent);
  document_state_ = new QLabel(status_bar);
  document_state_->setObjectName(QStringLiteral("DocumentState"));
  document_state_->setToolTip(
      QStringLiteral("The open file; * when it has changes that are not saved"));
  status_bar->addPermanentWidget(document_state_);

  recovery_timer_.setObjectName(QStringLiteral("RecoveryTimer"));
  recovery_timer_.setSingleShot(true);
  recovery_timer_.setInterval(RecoveryDelayMs);
  connect(&recovery_timer_, &QTimer::timeout, this, &HistoryCommands::WriteRecoveryNow);
  connect(recover_action, &QAction::triggered, this, &HistoryCommands::RecoverUnsavedWorkClick);
  recover_action->setEnabled(true);
  parent->installEventFilter(this);
  editor_.SetKeeper(keeper_.get());

  // A recovery file here was left by a run that ended without Exit.
  if (const auto left = store_->FileLeftRecovery("Unexpected end", Now().stamp); !left) {
    ShowFailure("Could not keep the work left unsaved by the last run: " + left.error().message);
  } else {
    kept_left_work_ = *left;
  }
  ShowDocumentState();
}

HistoryCommands::~HistoryCommands() { editor_.SetKeeper(nullptr); }

void HistoryCommands::DocumentStateChanged() {
  ShowDocumentState();
  if (recovery_written_ && !editor_.HoldsUnkeptWork()) {
    store_->RemoveRecovery();
    recovery_written_ = false;
  }
  recovery_timer_.start();
}

void HistoryCommands::WriteRecoveryNow() {
  const PointerState& pointer = editor_.State().Pointer;
  if (pointer.LeftButtonHeld || pointer.RightButtonHeld) {
    recovery_timer_.start();
    return;
  }
  if (editor_.HoldsUnkeptWork()) {
    recovery_written_ = keeper_->WriteRecovery(editor_);
  } else if (recovery_written_) {
    store_->RemoveRecovery();
    recovery_written_ = false;
  }
}

void HistoryCommands::Closing() {
  recovery_timer_.stop();
  editor_.KeepBeforeDiscard(DiscardingCommand::Exit);
  // Kept in the history now; if keeping failed the recovery file stays, so
  // the next start still finds the work.
  if (!editor_.HoldsUnkeptWork()) store_->RemoveRecovery();
}

bool HistoryCommands::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && watched == parent()) Closing();
  return QObject::eventFilter(watched, event);
}

void HistoryCommands::RecoverUnsavedWorkClick() {
  window_->Refill();
  if (services_.ExecDialog(*window_) != QDialog::Accepted) return;
  const auto chosen = window_->Chosen();
  if (!chosen) return;
  // Kept under this command's name before the entry replaces it.
  editor_.KeepBeforeDiscard(DiscardingCommand::RecoverEntry);
  const QString path = QString::fromStdString(chosen->document.string());
  if (!open_file_(path)) return;
  // Back as it was: from its own file, and not saved there.
  editor_.SetFilePath(chosen->record.source);
  editor_.MarkRecovered();
}

void HistoryCommands::ShowDocumentState() {
  const DocumentState& document = editor_.State().Document;
  const bool unsaved = editor_.HasUnsavedChanges();
  // Called for every square a stroke paints: only a new state is shown.
  if (shown_ && shown_->path == document.FilePath && shown_->skin == document.SkinMode &&
      shown_->unsaved == unsaved) {
    return;
  }
  shown_ = ShownState{document.FilePath, document.SkinMode, unsaved};
  QString text =
      document.FilePath.empty()
          ? (document.SkinMode ? QStringLiteral("new skin") : QStringLiteral("new picture"))
          : QFileInfo(QString::fromStdString(document.FilePath)).fileName();
  if (unsaved) text += QStringLiteral(" *");
  document_state_->setText(text);
}

void HistoryCommands::ShowFailure(const std::string& message) {
  status_bar_->showMessage(QString::fromStdString(message), StatusMessageMs);
}

}  // namespace pictavo
