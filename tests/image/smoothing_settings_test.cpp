// The values behind the smoothing settings dialog: trackbar positions to
// half-width and radius, and what "OK" does to the image.
#include "image/smoothing_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "image/composer.h"

namespace {

bool SamePixels(const MemoryPicture& a, const MemoryPicture& b) {
  return std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits());
}

}  // namespace

TEST(SmoothingSettings, ImageSettingsShowAsTheyAreUntilATrackbarMovesThenEveryValueIsItsTrackbars) {
  ThermalImage image;
  image.kernelHalfWidth = 1.2345;  // between two trackbar steps
  image.kernelRadius = 4;
  SmoothingSettings settings;
  settings.Take(image);
  EXPECT_EQ(settings.HalfWidth(), 1.2345);
  EXPECT_EQ(settings.HalfWidthPosition(), 123);
  EXPECT_EQ(settings.RadiusPosition(), 40);
  EXPECT_EQ(settings.Temperature(), 80);

  settings.MoveTo(settings.HalfWidthPosition(), 45, 30);
  EXPECT_EQ(settings.HalfWidth(), 1.23);
  EXPECT_EQ(settings.Radius(), 4.5);
  EXPECT_EQ(settings.Temperature(), 30);

  image.kernelHalfWidth = 0.29;  // 0.29 * 100 lies just below 29
  settings.Take(image);
  EXPECT_EQ(settings.HalfWidthPosition(), 29);
}

TEST(SmoothingSettings, OkAppliesTheWholeRadiusAndRebuildsPicturesAndLayerMap) {
  ThermalImage image;
  DisplayData display;
  SetDisplayMode(display, image, kSmoothed);
  image.StoreReading(5, 10, 100);
  const std::vector<std::int32_t> layerMapBefore = display.layerMap;
  SmoothingSettings settings;
  settings.MoveTo(125, 45, 80);
  settings.ApplyTo(image, display);
  EXPECT_EQ(image.kernelHalfWidth, 1.25);
  EXPECT_EQ(image.kernelRadius, 4);

  // The same reading stored into an image that had these settings from the start.
  ThermalImage fresh;
  fresh.kernelHalfWidth = 1.25;
  fresh.kernelRadius = 4;
  fresh.ComputeKernel();
  fresh.StoreReading(5, 10, 100);
  EXPECT_TRUE(SamePixels(image.smoothedLeft, fresh.smoothedLeft));
  DisplayData freshDisplay;
  SetDisplayMode(freshDisplay, fresh, kSmoothed);
  ASSERT_NE(freshDisplay.layerMap, layerMapBefore);  // the hidden margin follows the radius
  EXPECT_EQ(display.layerMap, freshDisplay.layerMap);
}
