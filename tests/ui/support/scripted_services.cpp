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

void ScriptedServices::SetClipboardText(const QByteArray& latin1) { clipboard = latin1; }

int ScriptedServices::ExecDialog(QDialog& dialog) {
  shown_dialogs << dialog.objectName();
  if (!dialog_handler) return QDialog::Rejected;
  return dialog_handler(dialog);
}

}  // namespace pictavo::testing
