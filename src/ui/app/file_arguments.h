#pragma once

#include <optional>

#include <QString>

#include "ui/services/platform_services.h"

namespace pictavo {

// The kinds of file the program opens when it is given one (on its command
// line or dropped on the main window), each through its menu command.
enum class OpenedFileKind { Picture, Skin, Image };

// By the name's extension (.ptv, .skin, and the image types the import window
// reads: .bmp, .png, .gif, .jpg); any other file by its first bytes ("PVSK" a
// skin, the signature of one of those image types), and otherwise as a
// picture, whose reader then says what is wrong with it.
OpenedFileKind KindOfFile(const QString& path);

// Platform services that answer the next open-file dialog with a path given
// beforehand and pass everything else on. A file given to the program is
// opened by the very command the menu runs, with the same checks and
// messages.
class PresetOpenServices : public PlatformServices {
 public:
  explicit PresetOpenServices(PlatformServices& inner) : inner_(inner) {}

  void PresetOpenAnswer(const QString& path) { preset_ = path; }
  void ClearPreset() { preset_.reset(); }

  QString SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  QString OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  void ShowMessage(QWidget* parent, const QString& text, const QString& title) override;
  void SetClipboardText(const QByteArray& latin1) override;
  int ExecDialog(QDialog& dialog) override;
  void ShowFolder(const QString& path) override { inner_.ShowFolder(path); }

 private:
  PlatformServices& inner_;
  std::optional<QString> preset_;
};

}  // namespace pictavo
