#pragma once
// How long events posted to the UI thread wait while it works: a thread of
// its own posts a time-stamped event every 10 ms, and the UI thread notes
// when each one is handled.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <vector>

namespace event_delay {

using SteadyClock = std::chrono::steady_clock;

// An event that carries the moment it was posted.
class StampEvent : public QEvent {
 public:
  static inline const QEvent::Type kType = static_cast<QEvent::Type>(QEvent::registerEventType());
  StampEvent() : QEvent(kType), posted(SteadyClock::now()) {}
  SteadyClock::time_point posted;
};

// Takes the stamped events in the UI thread; ends the loop at the last one.
class Probe : public QObject {
 public:
  Probe(QEventLoop& loop, std::size_t samples) : loop_(loop), samples_(samples) {}
  std::vector<double> delaysMs;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != StampEvent::kType) return QObject::event(event);
    const auto delay = SteadyClock::now() - static_cast<StampEvent*>(event)->posted;
    delaysMs.push_back(std::chrono::duration<double, std::milli>(delay).count());
    if (delaysMs.size() == samples_) loop_.quit();
    return true;
  }

 private:
  QEventLoop& loop_;
  std::size_t samples_;
};

inline double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// Posts `samples` stamped events, one every 10 ms, and runs a plain event
// loop until the last is handled (QTest's waits sleep between rounds and
// would add delay); the delays' median, 99th percentile and maximum become
// the benchmark's counters, the time taken its iteration time.
inline void Measure(benchmark::State& state, int samples) {
  QEventLoop loop;
  Probe probe(loop, static_cast<std::size_t>(samples));
  QElapsedTimer elapsed;
  elapsed.start();
  std::thread poster([&] {
    for (int i = 0; i < samples; ++i) {
      QCoreApplication::postEvent(&probe, new StampEvent);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  loop.exec();
  poster.join();
  state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
  state.counters["p50_ms"] = Percentile(probe.delaysMs, 0.50);
  state.counters["p99_ms"] = Percentile(probe.delaysMs, 0.99);
  state.counters["max_ms"] = Percentile(probe.delaysMs, 1.0);
  state.counters["samples"] = static_cast<double>(probe.delaysMs.size());
}

}  // namespace event_delay
