#include "ui/files/history_commands.h"

#include <QAction>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QWidget>

#include "core/editing/editor.h"
#include "qt_support/core_bridge.h"
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
                                 std::function<bool(const QString&)> open_file,
                                 std::function<bool(DocumentKind)> save_as, QWidget* parent)
    : QObject(parent),
      editor_(editor),
      services_(services),
      status_bar_(status_bar),
      open_file_(std::move(open_file)),
      save_as_(std::move(save_as)),
      store_(std::make_unique<HistoryStore>(HistoryFolder().toStdString())),
      keeper_(std::make_unique<HistoryKeeper>(
          *store_, Now, [this](const std::string& message) { ShowFailure(message); },
          [this](DiscardingCommand command, DocumentKind kind, const std::string& reason) {
            return AskAboutUnkeptWork(command, kind, reason);
          })) {
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

  // This window's recovery file is its own from the start; those of windows
  // that ended without Exit are filed, those of running ones left to them.
  // A folder that cannot be written yet is tried again at the first write.
  (void)keeper_->Recovery().Claim();
  if (const LeftRecovery left = FileLeftRecovery(*store_, "Unexpected end", Now().stamp);
      left.failure) {
    ShowFailure("Could not keep the work left unsaved by the last run: " + left.failure->message);
  } else {
    kept_left_work_ = left.filed > 0;
  }
  ShowDocumentState();
}

HistoryCommands::~HistoryCommands() { editor_.SetKeeper(nullptr); }

void HistoryCommands::DocumentStateChanged() {
  ShowDocumentState();
  if (recovery_written_ && !editor_.HoldsUnkeptWork()) {
    keeper_->Recovery().Remove();
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
    keeper_->Recovery().Remove();
    recovery_written_ = false;
  }
}

bool HistoryCommands::Closing() {
  recovery_timer_.stop();
  if (!editor_.KeepBeforeDiscard(DiscardingCommand::Exit)) {
    // Still open, and still kept in the recovery file meanwhile.
    if (editor_.HoldsUnkeptWork()) recovery_timer_.start();
    return false;
  }
  // Kept in the history, saved or let go: the window's files go.
  keeper_->Recovery().Release();
  recovery_written_ = false;
  return true;
}

bool HistoryCommands::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && watched == parent() && !Closing()) {
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void HistoryCommands::RecoverUnsavedWorkClick() {
  window_->Refill();
  if (services_.ExecDialog(*window_) != QDialog::Accepted) return;
  const auto chosen = window_->Chosen();
  if (!chosen) return;
  // Kept under this command's name before the entry replaces it.
  if (!editor_.KeepBeforeDiscard(DiscardingCommand::RecoverEntry)) return;
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
  status_bar_->showMessage(ReasonText(message), StatusMessageMs);
}

bool HistoryCommands::AskAboutUnkeptWork(DiscardingCommand command, DocumentKind kind,
                                         const std::string& reason) {
  QString text = QStringLiteral("Your unsaved work could not be kept in the history: %1")
                     .arg(ReasonText(reason));
  if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
  const QStringList buttons = {QStringLiteral("Save As..."), QStringLiteral("Discard"),
                               QStringLiteral("Cancel")};
  auto* window = qobject_cast<QWidget*>(parent());
  switch (services_.AskQuestion(window, text, Latin1Text(CommandText(command)), buttons)) {
    case 0:  // saved, the command goes on; not saved, nothing changes
      return save_as_(kind);
    case 1:
      return true;
    default:
      return false;
  }
}

}  // namespace pictavo
