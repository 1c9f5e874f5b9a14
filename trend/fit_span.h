#pragma once
#include <optional>
#include <span>
#include <vector>

#include "trend/cooling_fit.h"
#include "trend/trend_series.h"

// The span of time a fit works on, in seconds of the recording, ends
// included, from not after to.
struct TimeSpan {
  double from = 0.0;
  double to = 0.0;
  friend bool operator==(const TimeSpan&, const TimeSpan&) = default;
};

// Where the plot's time axis lies: the plot area's left and right edges in
// pixels and the seconds shown at them.
struct TimeAxisPlace {
  double left = 0.0, right = 0.0;
  double leftSeconds = 0.0, rightSeconds = 0.0;
};

// A press closer to its release than this is a click, not a drag.
inline constexpr double kClickPixels = 3.0;

// The span a drag over the plot from pixel x `pressed` to `released`
// chooses, in either direction, its ends kept within the plot; nothing
// (every reading) for a click.
std::optional<TimeSpan> DraggedSpan(const TimeAxisPlace& axis, double pressed, double released);

// The samples (in time order) within the span; all of them without one.
std::span<const TrendSample> SamplesWithin(std::span<const TrendSample> samples, std::optional<TimeSpan> span);

// Each sample's reading minus the fitted curve at its time, in kelvin.
struct Residual {
  double seconds = 0.0;
  double kelvin = 0.0;
};
std::vector<Residual> Residuals(std::span<const TrendSample> samples, const CoolingFit& fit);
