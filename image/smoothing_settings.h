#pragma once
#include "image/display.h"
#include "image/thermal_image.h"

// The values behind the smoothing settings dialog. Its three trackbars give
// whole positions: the half-width in hundredths, the radius in tenths, the
// preview temperature in degrees. The image's own settings are shown as they
// are until a trackbar moves; from then on every value is its trackbar's.
class SmoothingSettings {
 public:
  static constexpr int kStartTemperature = 80;

  // The image's half-width and radius, the trackbars at the nearest
  // positions, the preview temperature at 80.
  void Take(const ThermalImage& image);
  // A trackbar moved: all three values are read from the positions.
  void MoveTo(int halfWidthPosition, int radiusPosition, int temperaturePosition);
  // "OK": the half-width and the whole part of the radius become the image's,
  // its kernel and smoothed pictures are rebuilt, and then the layer map,
  // whose hidden margin of the smoothed pictures depends on the radius.
  void ApplyTo(ThermalImage& image, DisplayData& display) const;

  int HalfWidthPosition() const { return halfWidthPosition_; }
  int RadiusPosition() const { return radiusPosition_; }
  double HalfWidth() const { return halfWidth_; }
  double Radius() const { return radius_; }
  int Temperature() const { return temperature_; }  // also its trackbar's position

 private:
  int halfWidthPosition_ = 0;
  int radiusPosition_ = 0;
  double halfWidth_ = 0.0;
  double radius_ = 0.0;
  int temperature_ = 0;
};
