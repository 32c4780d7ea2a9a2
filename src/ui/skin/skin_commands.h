#pragma once

#include <QObject>
#include <QString>

class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

namespace pictavo {

class Editor;
class IconPreview;
class PlatformServices;
class TAddIconForm;

// The skin commands' menu items.
struct SkinActions {
  QAction* OpenSkin1;
  QAction* SaveSkin1;
};

// The main window's controls of skin mode: the icon bar `Panel3`, the
// "Icons ID" list and the preview with its zoom buttons.
struct SkinControls {
  QComboBox* ComboBox1;
  QToolButton* SpeedButton48;  // add icon
  QToolButton* SpeedButton49;  // delete icon
  QToolButton* SpeedButton45;  // BPP up
  QToolButton* SpeedButton44;  // BPP down
  QToolButton* SpeedButton46;  // next sub-icon
  QToolButton* SpeedButton47;  // previous sub-icon
  QToolButton* SpeedButton50;  // add sub-icon
  QToolButton* SpeedButton51;  // delete sub-icon
  QListWidget* ListBox1;
  QToolButton* SpeedButton52;  // zoom the preview in
  QToolButton* SpeedButton53;  // zoom the preview out
  IconPreview* Image3;
};

// The skin commands: "OpenSkin..." and "SaveSkin...", the icon bar, the
// "Icons ID" list, the preview and the Add Icon dialog `TAddIconForm`, which
// it creates. `parent` is the main window: the parent of the dialog and of
// the message boxes and file dialogs.
class SkinCommands : public QObject {
  Q_OBJECT

 public:
  SkinCommands(Editor& editor, PlatformServices& services, const SkinActions& actions,
               const SkinControls& controls, QLineEdit* name_box, QWidget* parent);

  TAddIconForm* AddIconForm() const { return add_icon_form_; }
  IconPreview* Preview() const { return controls_.Image3; }
  // The paths the skin's open and save dialogs are preset with: the last ones chosen.
  const QString& LastOpenPath() const { return last_open_path_; }
  const QString& LastSavePath() const { return last_save_path_; }

 public slots:
  void OpenSkin1Click();
  void SaveSkin1Click();
  void ComboBox1Change();
  void ListBox1Click();
  void SpeedButton45Click();
  void SpeedButton44Click();
  void SpeedButton46Click();
  void SpeedButton47Click();
  void Button1Click();
  void Button2Click();
  void SpeedButton50Click();
  void SpeedButton51Click();
  void SpeedButton52Click();
  void SpeedButton53Click();
  void Image3MouseUp(int x, int y);

 private:
  void ConnectControls();
  // ComboBox1 and ListBox1 list the skin's icons in skin order, the current
  // one selected; neither change runs a command.
  void RefillIconLists();
  void SelectCurrentInLists();
  void ShowBppRefused(bool refused);
  void Report(const QString& text, const QString& title);

  Editor& editor_;
  PlatformServices& services_;
  SkinControls controls_;
  QLineEdit* name_box_;
  QWidget* parent_;
  TAddIconForm* add_icon_form_;
  QString last_open_path_;
  QString last_save_path_;
};

}  // namespace pictavo
