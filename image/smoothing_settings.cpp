#include "image/smoothing_settings.h"

#include <cmath>

#include "image/composer.h"

void SmoothingSettings::Take(const ThermalImage& image) {
  halfWidth_ = image.KernelHalfWidth();
  radius_ = image.KernelRadius();
  // Rounded, not truncated: 0.29 * 100 comes out just below 29, and a
  // truncated position would lower the half-width at the next trackbar move.
  halfWidthPosition_ = static_cast<int>(std::lround(image.KernelHalfWidth() * 100));
  radiusPosition_ = image.KernelRadius() * 10;
  temperature_ = kStartTemperature;
}

void SmoothingSettings::MoveTo(int halfWidthPosition, int radiusPosition, int temperaturePosition) {
  halfWidthPosition_ = halfWidthPosition;
  radiusPosition_ = radiusPosition;
  temperature_ = temperaturePosition;
  halfWidth_ = halfWidthPosition / 100.0;
  radius_ = radiusPosition / 10.0;
}

void SmoothingSettings::ApplyTo(ThermalImage& image, DisplayData& display) const {
  image.SetSmoothing(halfWidth_, static_cast<int>(radius_));
  BuildLayerMap(display, image);
}
