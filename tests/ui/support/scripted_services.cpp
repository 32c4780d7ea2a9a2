#include "support/scripted_services.h"

#include <QDialog>

namespace pictavo::testing {

QString ScriptedServices::SaveFileName(QWidget*, const FileDialogRequest& request) {
  file_requests << request;
  return file_answers.isEmpty() ? QString() : file_answers.takeFirst();
}

QString ScriptedServices::OpenFileName(QWidget*, const FileDialogRequest& request) {
  file_requests << request;
  return file_answers.isEmpty() ? QString() : file_answers.takeFirst();
}

void ScriptedServices::ShowMessage(QWidget*, const QString& text, const QString& title) {
  messages << Message{text, title};
}

int ScriptedServices::AskQuestion(QWidget*, const QString& text, const QString& title,
                                  const QStringList& buttons) {
  questions << Question{text, title, buttons};
  const qsizetype chosen = answers.isEmpty() ? -1 : buttons.indexOf(answers.takeFirst());
  return static_cast<int>(chosen >= 0 ? chosen : buttons.size() - 1);
}

void ScriptedServices::SetClipboardText(const QByteArray& latin1) { clipboard = latin1; }

int ScriptedServices::ExecDialog(QDialog& dialog) {
  shown_dialogs << dialog.objectName();
  if (!dialog_handler) return QDialog::Rejected;
  return dialog_handler(dialog);
}

}  // namespace pictavo::testing
