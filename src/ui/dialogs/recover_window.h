#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "core/documents/history_store.h"

class QListWidget;
class QPushButton;

namespace pictavo {

class PlatformServices;

// "Recover Unsaved Work": the history, newest first, each entry with a small
// picture, when it was kept, by which command, its name and size. Open (or
// Enter) accepts the chosen entry; Delete removes it; Open Folder shows the
// history's folder.
class RecoverWindow : public QDialog {
  Q_OBJECT

 public:
  RecoverWindow(HistoryStore& store, PlatformServices& services, QWidget* parent = nullptr);

  // Lists the history again with the newest entry chosen.
  void Refill();
  // The entry chosen when the window was accepted.
  std::optional<HistoryEntry> Chosen() const;

 private:
  // Lists the history again with the entry at `row` (or the last) chosen.
  void Fill(int row);
  void DeleteChosen();
  void ShowChosenState();

  HistoryStore& store_;
  PlatformServices& services_;
  std::vector<HistoryEntry> entries_;
  QListWidget* list_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* delete_ = nullptr;
};

}  // namespace pictavo
