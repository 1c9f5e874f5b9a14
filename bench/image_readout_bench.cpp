#include <benchmark/benchmark.h>

#include "image/composer.h"
#include "image/readout.h"

namespace {

constexpr Area kPictureArea{280, 10, 920, 490};
constexpr Area kScaleArea{940, 70, 970, 370};

// Both pictures on the same place, both measured hot: a point there reads two
// layer colours, each found only on the last segment of the scale.
struct Scene {
  Scene() {
    image.InitThermalImage();
    for (int c = 0; c < kGridColumns; ++c) {
      for (int r = 0; r < kGridRows; ++r) image.StoreReading(c, r, 150 + (c + r) % 10);
    }
    display.rightPicture = display.leftPicture;
    BuildLayerMap(display, image);
    ComposePicture(display, image);
    DrawScaleLegend(display.legendSurface, image);
  }
  ThermalImage image;
  DisplayData display;
};

void BM_MouseReadoutOverlap(benchmark::State& state) {
  Scene scene;
  const int px = kPictureArea.left + 100;
  const int py = kPictureArea.top + 200;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        MouseTemperatureText(scene.display, scene.image, kPictureArea, kScaleArea, px, py));
  }
}
BENCHMARK(BM_MouseReadoutOverlap);

void BM_MouseReadoutScaleBar(benchmark::State& state) {
  Scene scene;
  const int px = kScaleArea.left + 15;
  const int py = kScaleArea.top + 20;  // near the top: the last segment
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        MouseTemperatureText(scene.display, scene.image, kPictureArea, kScaleArea, px, py));
  }
}
BENCHMARK(BM_MouseReadoutScaleBar);

}  // namespace
