#include <benchmark/benchmark.h>

#include <algorithm>

#include "image/thermal_image.h"

namespace {

// A reading for every cell, varied so that sums and colours differ.
int Reading(int column, int row, int round) { return 20 + (column * 7 + row * 13 + round * 29) % 130; }

void FillGrid(ThermalImage& image, int radius) {
  image.SetSmoothing(image.KernelHalfWidth(), radius);
  for (int c = 0; c < kGridColumns; ++c)
    for (int r = 0; r < kGridRows; ++r) image.StoreReading(c, r, Reading(c, r, 0));
}

// One reading into a full grid, cell after cell as a scan stores them.
void BM_StoreReading(benchmark::State& state) {
  ThermalImage image;
  FillGrid(image, static_cast<int>(state.range(0)));
  int cell = 0;
  int round = 1;
  for (auto _ : state) {
    const int c = cell / kGridRows, r = cell % kGridRows;
    image.StoreReading(c, r, Reading(c, r, round));
    if (++cell == kGridColumns * kGridRows) cell = 0, ++round;
  }
  benchmark::DoNotOptimize(image.Smoothed(Half::Left).Bits());
}
BENCHMARK(BM_StoreReading)->Arg(20)->Arg(48)->Unit(benchmark::kMicrosecond);

// Rebuilding a full grid after new smoothing settings.
void BM_RebuildImage(benchmark::State& state) {
  ThermalImage image;
  FillGrid(image, static_cast<int>(state.range(0)));
  ThermalImage::CellGrid values;
  std::copy_n(&image.Grid()[0][0], kGridColumns * kGridRows, &values[0][0]);
  for (auto _ : state) {
    image.LoadGrid(values);
    benchmark::DoNotOptimize(image.Smoothed(Half::Right).Bits());
  }
}
BENCHMARK(BM_RebuildImage)->Arg(20)->Arg(48)->Unit(benchmark::kMillisecond);

}  // namespace
