#include "scan/qt/interruptible_clock.h"

#include <chrono>
#include <thread>

void InterruptibleClock::Wait(int milliseconds) {
  std::unique_lock lock(mutex_);
  stopped_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stopping_; });
}

void InterruptibleClock::YieldOnce() { std::this_thread::yield(); }

double InterruptibleClock::Seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void InterruptibleClock::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
}
