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
  preview.previewSigma = 2.0;
  preview.previewRadius = 48;
  for (auto _ : state) {
    preview.ComputePreviewKernel();
    preview.DrawPreview(image, 80);
    benchmark::DoNotOptimize(preview.smoothedPreview.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PreviewRedrawRadius48)->Unit(benchmark::kMillisecond);

}  // namespace
