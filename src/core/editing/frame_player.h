#pragma once

#include "core/model/skin.h"

namespace pictavo {

class Editor;

// Plays the sub-icons of the current icon in turn, as frames. It keeps no
// clock of its own: whatever drives it calls Tick once per frame time, so
// playback can be driven by a timer in the window and by a test alike.
// Playing never changes the editor; it stops as soon as the icon it plays is
// edited or another icon or sub-icon becomes current.
class FramePlayer {
 public:
  static constexpr int DefaultIntervalMs = 100;
  static constexpr int MinIntervalMs = 20;
  static constexpr int MaxIntervalMs = 5000;

  // A current icon in skin mode with at least two sub-icons.
  static bool CanPlay(const Editor& editor);

  // Starts at the current sub-icon; false (and not playing) when CanPlay is false.
  bool Start(const Editor& editor);
  void Stop();
  bool Playing() const { return playing_; }
  // The sub-icon shown now, while playing.
  int Frame() const { return frame_; }

  // One frame time has passed: the next sub-icon, after the last the first.
  // Stops first if the icon changed; returns whether it still plays.
  bool Tick(const Editor& editor);
  // Stops when what it plays is no longer what the editor holds; returns
  // true when it stopped now.
  bool StopIfChanged(const Editor& editor);

  int IntervalMs() const { return interval_ms_; }
  // Clamped to MinIntervalMs..MaxIntervalMs.
  void SetIntervalMs(int ms);

 private:
  bool Unchanged(const Editor& editor) const;

  bool playing_ = false;
  int frame_ = 0;
  int interval_ms_ = DefaultIntervalMs;
  // What was current when playing started.
  int icon_index_ = 0;
  int sub_icon_index_ = 0;
  TSkinIcon icon_;
};

}  // namespace pictavo
