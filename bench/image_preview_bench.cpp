#include <benchmark/benchmark.h>

#include "image/smoothing_preview.h"
#include "image/thermal_image.h"

namespace {

// One full redraw of the smoothing settings preview, as every trackbar move
// and every paint does it: kernel, measured block and smoothed picture.
void BM_PreviewRedrawRadius48(benchmark::State& state) {
  ThermalImage image;
  image.InitThermalImage();
  SmoothingPreview preview;
  for (auto _ : state) {
    preview.Redraw(2.0, 48.0, image, 80);
    benchmark::DoNotOptimize(preview.smoothedPreview.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PreviewRedrawRadius48)->Unit(benchmark::kMillisecond);

}  // namespace
