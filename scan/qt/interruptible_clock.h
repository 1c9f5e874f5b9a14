#pragma once
#include <condition_variable>
#include <mutex>

#include "scan/clock.h"

// The scan's real waits, on the worker thread. Stop (from any thread) ends
// the current wait and makes every later one return at once, so that the
// window can close during a step.
class InterruptibleClock : public Clock {
 public:
  void Wait(int milliseconds) override;
  void YieldOnce() override;
  // std::chrono::steady_clock.
  double Seconds() const override;
  void Stop();

 private:
  std::mutex mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
};
