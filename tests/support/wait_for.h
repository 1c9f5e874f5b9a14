#pragma once
#include <QDeadlineTimer>
#include <QTest>
#include <functional>

// Lets the event loop run until condition holds; false after timeoutMs.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(5);
  }
  return true;
}
