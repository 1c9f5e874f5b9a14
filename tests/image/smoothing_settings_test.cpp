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
  image.SetSmoothing(1.2345, 4);  // between two trackbar steps
  SmoothingSettings settings;
  settings.Take(image);
  EXPECT_EQ(std::tuple(settings.HalfWidth(), settings.HalfWidthPosition(), settings.RadiusPosition(),
                       settings.Temperature()), std::tuple(1.2345, 123, 40, 80));

  settings.MoveTo(settings.HalfWidthPosition(), 45, 30);
  EXPECT_EQ(std::tuple(settings.HalfWidth(), settings.Radius(), settings.Temperature()), std::tuple(1.23, 4.5, 30));

  image.SetSmoothing(0.29, 4);  // 0.29 * 100 lies just below 29
  settings.Take(image);
  EXPECT_EQ(settings.HalfWidthPosition(), 29);
}

TEST(SmoothingSettings, OkAppliesTheWholeRadiusAndRebuildsPicturesAndLayerMap) {
  ThermalImage image;
  DisplayData display;
  SetDisplayMode(display, image, DisplayMode::Smoothed);
  image.StoreReading(5, 10, 100);
  const std::vector<std::int32_t> layerMapBefore = display.layerMap;
  SmoothingSettings settings;
  settings.MoveTo(125, 45, 80);
  settings.ApplyTo(image, display);
  EXPECT_TRUE(image.KernelHalfWidth() == 1.25 && image.KernelRadius() == 4);
  ThermalImage fresh;  // the same reading stored into an image that had these settings from the start
  fresh.SetSmoothing(1.25, 4);
  fresh.StoreReading(5, 10, 100);
  EXPECT_TRUE(std::equal(image.Smoothed(Half::Left).Bits(), image.Smoothed(Half::Left).Bits() + 640 * 480, fresh.Smoothed(Half::Left).Bits()));
  DisplayData freshDisplay;
  SetDisplayMode(freshDisplay, fresh, DisplayMode::Smoothed);
  ASSERT_NE(freshDisplay.layerMap, layerMapBefore);  // the hidden margin follows the radius
  EXPECT_EQ(display.layerMap, freshDisplay.layerMap);
}
