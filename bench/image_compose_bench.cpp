#include <benchmark/benchmark.h>

#include "image/composer.h"

namespace {

// A fully measured image over a non-black background, so every composed pixel is mixed.
struct Scene {
  Scene() {
    for (int c = 0; c < kGridColumns; ++c) {
      for (int r = 0; r < kGridRows; ++r) image.StoreReading(c, r, 20 + (c * 7 + r * 3) % 130);
    }
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) {
        display.backgroundSurface.SetPixel(x, y, Rgb(x % 256, y % 256, 90));
      }
    }
  }
  ThermalImage image;
  DisplayData display;
};

// Both pictures 1280 x 960, centred on the area as the arrangement places them: they overlap everywhere.
void Enlarge(Scene& scene) {
  const PictureRect enlarged{-320, -240, 1280, 960, 1280 / 31.0, 960 / 32.0};
  PlacePictures(scene.display, scene.image, enlarged, enlarged);
}

void BM_ComposePictureAtStart(benchmark::State& state) {
  Scene scene;
  SetDisplayMode(scene.display, scene.image, static_cast<DisplayMode>(state.range(0)));
  for (auto _ : state) {
    ComposePicture(scene.display, scene.image);
    benchmark::DoNotOptimize(scene.display.compositeSurface.Bits());
  }
}
BENCHMARK(BM_ComposePictureAtStart)
    ->ArgName("mode")->Arg(static_cast<int>(DisplayMode::MeasuredPixels))->Arg(static_cast<int>(DisplayMode::Smoothed))->Unit(benchmark::kMicrosecond);

void BM_ComposePictureEnlarged(benchmark::State& state) {
  Scene scene;
  Enlarge(scene);
  SetDisplayMode(scene.display, scene.image, static_cast<DisplayMode>(state.range(0)));
  for (auto _ : state) {
    ComposePicture(scene.display, scene.image);
    benchmark::DoNotOptimize(scene.display.compositeSurface.Bits());
  }
}
BENCHMARK(BM_ComposePictureEnlarged)
    ->ArgName("mode")->Arg(static_cast<int>(DisplayMode::MeasuredPixels))->Arg(static_cast<int>(DisplayMode::Smoothed))->Unit(benchmark::kMicrosecond);

void BM_BuildLayerMap(benchmark::State& state) {
  Scene scene;
  SetDisplayMode(scene.display, scene.image, DisplayMode::Smoothed);
  for (auto _ : state) {
    BuildLayerMap(scene.display, scene.image);
    benchmark::DoNotOptimize(scene.display.layerMap.data());
  }
}
BENCHMARK(BM_BuildLayerMap)->Unit(benchmark::kMicrosecond);

// A new colour span for a full grid, smoothed: the pictures recoloured and composed anew.
void BM_ColourSpanChange(benchmark::State& state) {
  Scene scene;
  SetDisplayMode(scene.display, scene.image, DisplayMode::Smoothed);
  for (int i = 0; auto _ : state) {
    ++i % 2 == 0 ? scene.image.SetScale(18, 26) : scene.image.SetScale(10, 160);
    ComposePicture(scene.display, scene.image);
    benchmark::DoNotOptimize(scene.display.compositeSurface.Bits());
  }
}
BENCHMARK(BM_ColourSpanChange)->Unit(benchmark::kMillisecond);

}  // namespace
