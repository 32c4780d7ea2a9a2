#pragma once

#include <array>
#include <optional>

#include "core/model/picture.h"
#include "core/model/skin.h"

namespace pictavo {

inline constexpr int UndoDepth = 50;

// One undo step: the Picture as it was and, beside it, the current icon as
// it was when the command changed the icon's size in skin mode.
struct UndoEntry {
  ::pictavo::Picture Picture;
  std::optional<TSkinIcon> Icon;
};

// The newest UndoDepth steps in a ring: a new step overwrites the oldest
// once the ring is full, and nothing is shifted on a press.
class UndoRing {
 public:
  void Push(UndoEntry entry) {
    newest_ = (newest_ + 1) % UndoDepth;
    entries_[static_cast<std::size_t>(newest_)] = std::move(entry);
    if (count_ < UndoDepth) ++count_;
  }
  // Moves the newest step out of the ring into entry; false when there is none.
  bool Pop(UndoEntry& entry) {
    if (count_ == 0) return false;
    UndoEntry& slot = entries_[static_cast<std::size_t>(newest_)];
    entry.Picture = slot.Picture;
    entry.Icon = std::move(slot.Icon);
    slot.Icon.reset();
    newest_ = (newest_ + UndoDepth - 1) % UndoDepth;
    --count_;
    return true;
  }
  void Clear() {
    for (UndoEntry& entry : entries_) entry.Icon.reset();
    count_ = 0;
  }
  int Count() const { return count_; }
  bool Available() const { return count_ > 0; }

 private:
  friend struct EditorTestDoor;

  std::array<UndoEntry, UndoDepth> entries_{};
  int newest_ = 0;
  int count_ = 0;
};

}  // namespace pictavo
