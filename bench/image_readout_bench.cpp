#include <benchmark/benchmark.h>

#include "image/composer.h"
#include "image/readout.h"

namespace {


// Both pictures on the same place, both measured hot: a point there reads two
// layer colours, each found only on the last segment of the scale.
struct Scene {
  Scene() {
    image.InitThermalImage();
    for (int c = 0; c < kGridColumns; ++c) {
      for (int r = 0; r < kGridRows; ++r) image.StoreReading(c, r, 150 + (c + r) % 10);
    }
    PlacePictures(display, image, display.leftPicture, display.leftPicture);
    ComposePicture(display, image);
    DrawScaleLegend(display, image);
  }
  ThermalImage image;
  DisplayData display;
};

void BM_MouseReadoutOverlap(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadoutText(scene.display, scene.image, ReadoutArea::Picture, 100, 200));
  }
}
BENCHMARK(BM_MouseReadoutOverlap);

void BM_MouseReadoutScaleBar(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {  // near the top: the last segment
    benchmark::DoNotOptimize(ReadoutText(scene.display, scene.image, ReadoutArea::Scale, 15, 20));
  }
}
BENCHMARK(BM_MouseReadoutScaleBar);

}  // namespace
