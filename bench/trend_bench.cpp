#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "trend/cooling_fit.h"
#include "trend/trend_recorder.h"

namespace {

// Four points set, as the recorder starts a lesson.
std::unique_ptr<TrendRecorder> FourPoints() {
  auto recorder = std::make_unique<TrendRecorder>([] { return 0.0; });  // readings stamped from 0 s on
  for (int p = 0; p < 4; ++p) recorder->AddPoint({10 * p, 5});
  return recorder;
}

// One reading of a marked cell appended to its series, with the real clocks.
// Every hour's worth of readings at 100 per second a fresh recorder starts
// (untimed), so the growth of the series is measured but memory stays bounded.
void BM_TrendRecord(benchmark::State& state) {
  constexpr int kHour = 360000;
  auto recorder = FourPoints();
  int count = 0;
  for (auto _ : state) {
    recorder->Record({30, 5, 20 + count % 70, false, false, count / 100.0, static_cast<std::uint64_t>(count)});
    if (++count == kHour) {
      state.PauseTiming();
      recorder = FourPoints();
      count = 0;
      state.ResumeTiming();
    }
  }
  benchmark::DoNotOptimize(recorder->Series(3).size());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrendRecord);

// Newton's law fitted to an hour of one point's readings at 100 per second
// (whole degrees), Tu fitted too: the plot window runs it off its thread.
void BM_FitHourOfReadings(benchmark::State& state) {
  std::vector<TrendSample> series;
  for (int i = 0; i < 360000; ++i) {
    const double t = i / 100.0;
    series.push_back({t, static_cast<int>(std::lround(21 + 59 * std::exp(-t / 900)))});
  }
  for (auto _ : state) benchmark::DoNotOptimize(FitCooling(series, std::nullopt));
}
BENCHMARK(BM_FitHourOfReadings)->Unit(benchmark::kMillisecond);

}  // namespace
