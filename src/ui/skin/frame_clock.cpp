#include "ui/skin/frame_clock.h"

#include <QTimer>

namespace pictavo {

TimerFrameClock::TimerFrameClock() : timer_(std::make_unique<QTimer>()) {
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
    if (on_tick) on_tick();
  });
}

TimerFrameClock::~TimerFrameClock() = default;

void TimerFrameClock::Start(int interval_ms) { timer_->start(interval_ms); }

void TimerFrameClock::Stop() { timer_->stop(); }

}  // namespace pictavo
