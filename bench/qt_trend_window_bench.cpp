// The plot window's responsiveness: how long an event posted to the UI
// thread waits while a visible "Temperaturverlauf" redraws an hour of four
// points at 100 readings per second each, with new readings arriving, and
// what one refresh costs. Part of torvak_bench_qt (its main is in
// qt_ui_latency_bench.cpp).
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <vector>

#include "trend/trend_recorder.h"
#include "ui/trend_window.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr double kReadingInterval = 0.01;  // seconds: 100 readings per second and point
constexpr int kHourOfReadings = 360000;

// A recorder on a clock of its own, filled with an hour of four points.
struct HourRecording {
  HourRecording() {
    for (int point = 0; point < 4; ++point) recorder.AddPoint({10 + point, 5});
    for (int i = 0; i < kHourOfReadings; ++i) RecordOneRound();
  }
  // One reading of every point, kReadingInterval after the last round.
  void RecordOneRound() {
    now += kReadingInterval;
    ++round;
    for (int point = 0; point < 4; ++point) {
      recorder.Record(10 + point, 5, 20 + point * 10 + static_cast<int>(round * 7 % 13), false);
    }
  }
  double now = 0.0;
  long round = 0;
  TrendRecorder recorder{[this] { return now; }};
};

// An event that carries the moment it was posted.
class StampEvent : public QEvent {
 public:
  static inline const QEvent::Type kType = static_cast<QEvent::Type>(QEvent::registerEventType());
  StampEvent() : QEvent(kType), posted(SteadyClock::now()) {}
  SteadyClock::time_point posted;
};

// Takes the stamped events in the UI thread; ends the loop at the last one.
class DelayProbe : public QObject {
 public:
  DelayProbe(QEventLoop& loop, std::size_t samples) : loop_(loop), samples_(samples) {}
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

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// Posts a stamped event every 10 ms from a thread of its own for ten seconds
// (forty refreshes of the window) while readings arrive in the UI thread as
// the scan would deliver them.
void BM_TrendWindowEventDelay(benchmark::State& state) {
  constexpr int kSamples = 1000;
  HourRecording recording;
  for (auto _ : state) {
    TrendWindow window(recording.recorder, [] { return std::optional<int>(21); });
    window.show();
    QTimer readings;
    QObject::connect(&readings, &QTimer::timeout, [&] { recording.RecordOneRound(); });
    readings.start(10);

    QEventLoop loop;
    DelayProbe probe(loop, kSamples);
    const auto begin = SteadyClock::now();
    std::thread poster([&] {
      for (int i = 0; i < kSamples; ++i) {
        QCoreApplication::postEvent(&probe, new StampEvent);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
    loop.exec();
    poster.join();

    state.SetIterationTime(std::chrono::duration<double>(SteadyClock::now() - begin).count());
    state.counters["p50_ms"] = Percentile(probe.delaysMs, 0.50);
    state.counters["p99_ms"] = Percentile(probe.delaysMs, 0.99);
    state.counters["max_ms"] = Percentile(probe.delaysMs, 1.0);
    state.counters["samples"] = static_cast<double>(probe.delaysMs.size());
    window.close();
  }
}
BENCHMARK(BM_TrendWindowEventDelay)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// One refresh after a tenth of a second of new readings, and its repaint.
void BM_TrendWindowRefresh(benchmark::State& state) {
  HourRecording recording;
  TrendWindow window(recording.recorder, [] { return std::optional<int>(21); });
  window.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i) recording.RecordOneRound();
    window.Refresh();
    window.repaint();
  }
}
BENCHMARK(BM_TrendWindowRefresh)->Unit(benchmark::kMillisecond);

}  // namespace
