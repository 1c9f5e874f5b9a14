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

// A school day of spot measurement (8 h at 400 readings a second, four
// points in turn): the memory the recording takes per reading, and what is
// left after "Neu beginnen".
void BM_SchoolDayRecording(benchmark::State& state) {
  constexpr long kReadings = 8L * 3600 * 400;
  for (auto _ : state) {
    auto recorder = FourPoints();
    for (long i = 0; i < kReadings; ++i) {
      const auto round = static_cast<std::uint64_t>(i / 4);
      recorder->Record({10 * static_cast<int>(i % 4), 5, 20 + static_cast<int>(round % 50), false, false,
                        static_cast<double>(i) / 400.0, round});
    }
    std::size_t bytes = 0;
    for (std::size_t p = 0; p < 4; ++p) bytes += recorder->Series(p).MemoryBytes();
    state.counters["bytes_per_reading"] = static_cast<double>(bytes) / kReadings;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    recorder->Restart();
    bytes = 0;
    for (std::size_t p = 0; p < 4; ++p) bytes += recorder->Series(p).MemoryBytes();
    state.counters["bytes_after_restart"] = static_cast<double>(bytes);
  }
}
BENCHMARK(BM_SchoolDayRecording)->Iterations(1)->Unit(benchmark::kMillisecond);

// A school day of spot measurement with four points and four areas of 5 x 5
// cells (as "Messfeld hier setzen" frames them): each round reads the 104
// cells in turn at the spot measurement's 400 readings a second, so each
// point has a reading and each area a mean about four times a second. The
// recorder's bytes are its series' (the areas' bookkeeping of their cells
// adds 16 bytes a cell).
void BM_SchoolDayPointsAndAreas(benchmark::State& state) {
  constexpr long kReadings = 8L * 3600 * 400;
  std::vector<GridCell> round;
  for (int p = 0; p < 4; ++p) round.push_back({10 * p, 5});
  for (int a = 0; a < 4; ++a) {
    for (int c = 0; c < 5; ++c)
      for (int r = 0; r < 5; ++r) round.push_back({10 * a + c, 20 + r});
  }
  for (auto _ : state) {
    auto recorder = FourPoints();
    for (int a = 0; a < 4; ++a) recorder->AddArea({{10 * a, 20}, {10 * a + 4, 24}});
    for (long i = 0; i < kReadings; ++i) {
      const GridCell cell = round[static_cast<std::size_t>(i) % round.size()];
      const auto number = static_cast<std::uint64_t>(i) / round.size();
      recorder->Record({cell.column, cell.row, 20 + static_cast<int>(number % 50), false, false,
                        static_cast<double>(i) / 400.0, number});
    }
    std::size_t bytes = 0;
    std::size_t samples = 0;
    for (std::size_t s = 0; s < recorder->SeriesCount(); ++s) {
      bytes += recorder->Series(s).MemoryBytes();
      samples += recorder->Series(s).size();
    }
    state.counters["samples"] = static_cast<double>(samples);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
  }
}
BENCHMARK(BM_SchoolDayPointsAndAreas)->Iterations(1)->Unit(benchmark::kMillisecond);

// Newton's law fitted to one point's readings at 100 per second (whole
// degrees), as the plot window runs it off its thread by default: an hour,
// four time constants, where Tu is fitted too; and a quarter of an hour, not
// yet one time constant, where Tu is fitted, found undetermined and held at
// the head's reading in a second fit.
void BM_FitReadings(benchmark::State& state) {
  const double tau = static_cast<double>(state.range(1));
  std::vector<TrendSample> series;
  for (int i = 0; i < state.range(0); ++i) {
    const double t = i / 100.0;
    series.push_back({t, std::round(21 + 59 * std::exp(-t / tau))});
  }
  for (auto _ : state) benchmark::DoNotOptimize(FitCoolingAmbientWhenDetermined(series, 19.0));
}
BENCHMARK(BM_FitReadings)->Args({360000, 900})->Args({90000, 1200})->Unit(benchmark::kMillisecond);

}  // namespace
