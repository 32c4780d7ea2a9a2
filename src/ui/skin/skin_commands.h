#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QListWidget;

namespace pictavo {

class Editor;
class IconPreview;
class TAddIconForm;
class TForm1;

// The skin commands: "OpenSkin..." and "SaveSkin...", the icon bar `Panel3`,
// the "Icons ID" list `ListBox1`, the preview `Image3` with its zoom buttons
// and the Add Icon dialog `TAddIconForm`. Created by the main window at
// start-up, after the file commands, in the fixed window order.
class SkinCommands : public QObject {
  Q_OBJECT

 public:
  explicit SkinCommands(TForm1& form);

  TAddIconForm* AddIconForm() const { return add_icon_form_; }
  IconPreview* Preview() const { return preview_; }
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
  void WireIconBar();
  // ComboBox1 and ListBox1 list the skin's icons in skin order, the current
  // one selected; neither change runs a command.
  void RefillIconLists();
  void SelectCurrentInLists();
  void ShowBppRefused(bool refused);
  void Report(const QString& text, const QString& title);

  TForm1& form_;
  Editor& editor_;
  QComboBox* combo_box1_;
  QListWidget* list_box1_;
  IconPreview* preview_;
  TAddIconForm* add_icon_form_;
  QString last_open_path_;
  QString last_save_path_;
};

}  // namespace pictavo
