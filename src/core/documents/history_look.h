#pragma once

#include <optional>
#include <string>

#include "core/documents/history_store.h"
#include "core/model/skin.h"

namespace pictavo {

// What the list of kept work shows of an entry: the icon its small picture
// is drawn from (a picture as one icon, a skin by its first icon) and its
// size in words ("16 x 16", "3 icons", "damaged").
struct HistoryLook {
  std::optional<TSkinIcon> icon;
  std::string size;
};

HistoryLook LookOf(const HistoryStore& store, const HistoryEntry& entry);

}  // namespace pictavo
