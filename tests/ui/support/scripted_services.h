#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

#include "ui/services/platform_services.h"

namespace pictavo::testing {

// Platform services for window tests: file dialogs answer from a queue,
// message boxes and dialog requests are recorded, the clipboard is a byte
// array, and modal dialogs are driven by a test-supplied handler.
class ScriptedServices : public PlatformServices {
 public:
  struct Message {
    QString text;
    QString title;
  };

  QString SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  QString OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  void ShowMessage(QWidget* parent, const QString& text, const QString& title) override;
  int AskQuestion(QWidget* parent, const QString& text, const QString& title,
                  const QStringList& buttons) override;
  void SetClipboardText(const QByteArray& latin1) override;
  int ExecDialog(QDialog& dialog) override;
  void ShowFolder(const QString& path) override { shown_folders << path; }
  // The next of color_answers; nothing (cancelled) when none is left.
  std::optional<QColor> ChooseColor(QWidget*, const QColor&, const QString&) override {
    if (color_answers.isEmpty()) return std::nullopt;
    return color_answers.takeFirst();
  }

  // Answers of the next file dialogs, in order; an empty string cancels.
  QList<QString> file_answers;
  QList<FileDialogRequest> file_requests;
  QList<Message> messages;
  // Questions asked, with their buttons; each is answered by the next of
  // `answers` (a button's caption), or by its last button once none is left.
  struct Question {
    QString text;
    QString title;
    QStringList buttons;
  };
  QList<Question> questions;
  QList<QString> answers;
  std::optional<QByteArray> clipboard;
  // Drives a modal dialog and returns its result. When unset, dialogs are
  // rejected at once.
  std::function<int(QDialog&)> dialog_handler;
  QList<QString> shown_dialogs;
  QList<QString> shown_folders;
  QList<QColor> color_answers;
};

}  // namespace pictavo::testing
