#include "core/editing/frame_player.h"

#include <algorithm>

#include "core/editing/editor.h"

namespace pictavo {

bool FramePlayer::CanPlay(const Editor& editor) {
  const TSkinIcon* icon = editor.CurrentIcon();
  return editor.State().Document.SkinMode && icon != nullptr && icon->SubIcons >= 2 &&
         icon->Data.size() == icon->ExpectedDataSize();
}

bool FramePlayer::Start(const Editor& editor) {
  playing_ = CanPlay(editor);
  if (!playing_) return false;
  const DocumentState& document = editor.State().Document;
  icon_index_ = document.CurrentIconIndex;
  sub_icon_index_ = document.CurrentSubIconIndex;
  icon_ = *editor.CurrentIcon();
  frame_ = std::clamp(sub_icon_index_, 0, icon_.SubIcons - 1);
  return true;
}

void FramePlayer::Stop() {
  playing_ = false;
  icon_ = {};
}

bool FramePlayer::Tick(const Editor& editor) {
  if (!playing_ || StopIfChanged(editor)) return false;
  frame_ = (frame_ + 1) % icon_.SubIcons;
  return true;
}

bool FramePlayer::StopIfChanged(const Editor& editor) {
  if (!playing_ || Unchanged(editor)) return false;
  Stop();
  return true;
}

void FramePlayer::SetIntervalMs(int ms) {
  interval_ms_ = std::clamp(ms, MinIntervalMs, MaxIntervalMs);
}

bool FramePlayer::Unchanged(const Editor& editor) const {
  const DocumentState& document = editor.State().Document;
  const TSkinIcon* icon = editor.CurrentIcon();
  return document.SkinMode && document.CurrentIconIndex == icon_index_ &&
         document.CurrentSubIconIndex == sub_icon_index_ && icon != nullptr && *icon == icon_;
}

}  // namespace pictavo
