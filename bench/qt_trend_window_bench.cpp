// The plot window's responsiveness: how long an event posted to the UI
// thread waits while a visible "Temperaturverlauf" redraws an hour of four
// points at 100 readings per second each, with new readings arriving, and
// what one refresh costs. Part of torvak_bench_qt (its main is in
// qt_ui_latency_bench.cpp).
#include <QApplication>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "bench/qt_event_delay.h"
#include "trend/trend_recorder.h"
#include "ui/trend_window.h"

namespace {

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
      const int celsius = 20 + point * 10 + static_cast<int>(round * 7 % 13);
      recorder.Record({10 + point, 5, celsius, false, false, now, static_cast<std::uint64_t>(round)});
    }
  }
  double now = 0.0;
  long round = 0;
  TrendRecorder recorder{[this] { return now; }};
};

// Ten seconds of events (forty refreshes of the window) while readings arrive
// in the UI thread as the scan would deliver them.
void BM_TrendWindowEventDelay(benchmark::State& state) {
  constexpr int kSamples = 1000;
  HourRecording recording;
  for (auto _ : state) {
    TrendWindow window(recording.recorder, [] { return std::optional<int>(21); });
    window.show();
    QTimer readings;
    QObject::connect(&readings, &QTimer::timeout, [&] { recording.RecordOneRound(); });
    readings.start(10);

    event_delay::Measure(state, kSamples);
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
