#pragma once

#include <optional>

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace pictavo {

// How a file dialog is preset before it is shown. The filter uses the
// "caption|pattern|caption|pattern" form of the program's own filter texts.
struct FileDialogRequest {
  QString filter;
  int filter_index = 0;  // 0-based entry chosen when the dialog opens
  QString default_suffix;
  QString file_name;
  bool confirm_overwrite = false;
};

// File dialogs, message boxes, modal dialogs and the clipboard, reached only
// through this interface: the real one uses Qt, tests install a scripted one
// so that no test ever blocks on a modal window.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // The chosen path, or an empty string when the user cancelled.
  virtual QString SaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual QString OpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  // A modal box with a text, a title and one OK button.
  virtual void ShowMessage(QWidget* parent, const QString& text, const QString& title) = 0;
  // A modal question with a button for each of `buttons`, the first the
  // default and the last the one Escape presses: the index of the button
  // chosen.
  virtual int AskQuestion(QWidget* parent, const QString& text, const QString& title,
                          const QStringList& buttons) = 0;
  // Replaces the clipboard's content with 8-bit Latin-1 text, line ends intact.
  virtual void SetClipboardText(const QByteArray& latin1) = 0;
  // Shows a dialog modally and returns its result (QDialog::Accepted or Rejected).
  virtual int ExecDialog(QDialog& dialog) = 0;
  // Shows a folder in the desktop's file manager.
  virtual void ShowFolder(const QString& path) = 0;
  // A colour chosen in the desktop's colour dialog, starting at `initial`;
  // nothing when the user cancelled.
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial,
                                            const QString& title) = 0;
};

// "(Pictavo *.ptv)|*.ptv|(Skin *.skin)|*.skin" as Qt name filters.
QStringList QtNameFilters(const QString& pipe_filter);

class QtPlatformServices : public PlatformServices {
 public:
  QString SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  QString OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  void ShowMessage(QWidget* parent, const QString& text, const QString& title) override;
  int AskQuestion(QWidget* parent, const QString& text, const QString& title,
                  const QStringList& buttons) override;
  void SetClipboardText(const QByteArray& latin1) override;
  int ExecDialog(QDialog& dialog) override;
  void ShowFolder(const QString& path) override;
  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial,
                                    const QString& title) override;
};

}  // namespace pictavo
