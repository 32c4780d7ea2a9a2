#pragma once

#include <functional>
#include <memory>

class QTimer;

namespace pictavo {

// What drives frame playback: calls on_tick once per interval while started.
// The window uses a timer; tests put in a clock whose ticks they call.
class FrameClock {
 public:
  virtual ~FrameClock() = default;
  virtual void Start(int interval_ms) = 0;
  virtual void Stop() = 0;

  std::function<void()> on_tick;
};

// The clock of the running program: a repeating QTimer.
class TimerFrameClock : public FrameClock {
 public:
  TimerFrameClock();
  ~TimerFrameClock() override;
  void Start(int interval_ms) override;
  void Stop() override;

 private:
  std::unique_ptr<QTimer> timer_;
};

}  // namespace pictavo
