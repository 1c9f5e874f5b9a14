// The values behind the smoothing settings dialog: trackbar positions to
// half-width and radius, and what "OK" does to the image.
#include "image/smoothing_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "image/composer.h"

TEST(SmoothingSettings, ImageSettingsShowAsTheyAreUntilATrackbarMovesThenEveryValueIsItsTrackbars) {
  ThermalImage image;
  image.kernelHalfWidth = 1.2345;  // between two trackbar steps
  image.kernelRadius = 4;
  SmoothingSettings settings;
  settings.Take(image);
  EXPECT_EQ(std::tuple(settings.HalfWidth(), settings.HalfWidthPosition(), settings.RadiusPosition(),
                       settings.Temperature()), std::tuple(1.2345, 123, 40, 80));

  settings.MoveTo(settings.HalfWidthPosition(), 45, 30);
  EXPECT_EQ(std::tuple(settings.HalfWidth(), settings.Radius(), settings.Temperature()), std::tuple(1.23, 4.5, 30));

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
  EXPECT_TRUE(image.kernelHalfWidth == 1.25 && image.kernelRadius == 4);
  ThermalImage fresh;  // the same reading stored into an image that had these settings from the start
  std::tie(fresh.kernelHalfWidth, fresh.kernelRadius) = std::tuple(1.25, 4);
  fresh.ComputeKernel();
  fresh.StoreReading(5, 10, 100);
  EXPECT_TRUE(std::equal(image.smoothedLeft.Bits(), image.smoothedLeft.Bits() + 640 * 480, fresh.smoothedLeft.Bits()));
  DisplayData freshDisplay;
  SetDisplayMode(freshDisplay, fresh, kSmoothed);
  ASSERT_NE(freshDisplay.layerMap, layerMapBefore);  // the hidden margin follows the radius
  EXPECT_EQ(display.layerMap, freshDisplay.layerMap);
}
