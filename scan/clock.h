#pragma once

// The waits of a scan. The real clock sleeps on the scan's worker thread;
// tests use a virtual clock that only adds up the time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Wait(int milliseconds) = 0;
  // Gives the processor away once (a zero-length sleep).
  virtual void YieldOnce() = 0;
  // Monotonic seconds, the time stamps of readings; callable from any thread.
  virtual double Seconds() const = 0;
};
