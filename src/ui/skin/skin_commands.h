#pragma once

#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "core/documents/read_document.h"
#include "core/editing/frame_player.h"
#include "ui/skin/frame_clock.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QToolButton;
class QWidget;

namespace pictavo {

class Editor;
class IconPreview;
class PlatformServices;
class FontImportDialog;
class TAddIconForm;

// The skin commands' menu items.
struct SkinActions {
  QAction* NewSkin;
  QAction* OpenSkin1;
  QAction* SaveSkin1;
  QAction* ImportFont;  // "Import Font...": a font as a skin of glyph icons
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
  QLabel* BudgetLabel;      // the stream's bytes against a skin file's capacity
  QToolButton* PlayButton;  // plays the sub-icons in turn
  QSpinBox* FrameInterval;  // milliseconds a played frame is shown
};

// The skin commands: "OpenSkin..." and "SaveSkin...", the icon bar, the
// "Icons ID" list, the preview and the Add Icon dialog `TAddIconForm`, which
// it creates. `parent` is the main window: the parent of the dialog and of
// the message boxes and file dialogs.
class SkinCommands : public QObject {
  Q_OBJECT

 public:
  SkinCommands(Editor& editor, PlatformServices& services, const SkinActions& actions,
               const SkinControls& controls, QWidget* parent);

  TAddIconForm* AddIconDialog() const { return add_icon_dialog_; }
  FontImportDialog* FontDialog() const { return font_dialog_; }
  // Replaces the clock that drives playback (tests drive theirs by hand).
  void SetFrameClock(std::unique_ptr<FrameClock> clock);

  // What OpenSkin does once the file is read: the skin replaces the one in
  // the editor, under the file's name, and skin mode starts on it. False
  // when the work it would replace could not be kept and the user kept it.
  bool OpenSkinDocument(const QString& path, SkinDocument skin);
  // SaveSkin: true once the skin is written to the file the user chose.
  bool SaveSkinFile();

  // The window calls these: after every full redraw, and whenever the
  // preview must be drawn again. Playback stops when the icon it plays has
  // changed; the icon controls follow the current icon.
  void ShowIconState();
  void PreviewChanged();

 public slots:
  void NewSkin();
  void OpenSkin1Click();
  void SaveSkin1Click();
  // The work in hand is kept in the history, then the font opens as a skin.
  void ImportFontClick();
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
  void PlayButtonClick(bool checked);
  void FrameIntervalChange(int ms);

 private:
  void FrameClockTick();
  void StopPlayback();
  void ConnectControls();
  // ComboBox1 and ListBox1 list the skin's icons in skin order, the current
  // one selected; neither change runs a command.
  void RefillIconLists();
  void SelectCurrentInLists();
  void ShowBppRefused(bool refused);
  QString OfferedSkinFile(const QByteArray& name) const;
  void Report(const QString& text, const QString& title);

  Editor& editor_;
  PlatformServices& services_;
  SkinControls controls_;
  QWidget* parent_;
  TAddIconForm* add_icon_dialog_;
  FontImportDialog* font_dialog_;
  // The open dialog is preset with the last skin opened; the save dialog with
  // the skin's name in the folder of the last save or open (the last save
  // itself for a skin without a name).
  QString last_open_path_;
  QString last_save_path_;
  FramePlayer player_;
  std::unique_ptr<FrameClock> clock_;
};

}  // namespace pictavo
