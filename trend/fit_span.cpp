#include "trend/fit_span.h"

#include <algorithm>
#include <cmath>

std::optional<TimeSpan> DraggedSpan(const TimeAxisPlace& axis, double pressed, double released) {
  if (std::abs(released - pressed) < kClickPixels || !(axis.right > axis.left)) return std::nullopt;
  const auto seconds = [&](double x) {
    const double share = std::clamp((x - axis.left) / (axis.right - axis.left), 0.0, 1.0);
    return axis.leftSeconds + share * (axis.rightSeconds - axis.leftSeconds);
  };
  return TimeSpan{seconds(std::min(pressed, released)), seconds(std::max(pressed, released))};
}

std::span<const TrendSample> SamplesWithin(std::span<const TrendSample> samples, std::optional<TimeSpan> span) {
  if (!span) return samples;
  const auto first = std::ranges::partition_point(samples, [&](const TrendSample& s) { return s.seconds < span->from; });
  const auto end = std::ranges::partition_point(samples, [&](const TrendSample& s) { return s.seconds <= span->to; });
  return {first, end};
}

std::vector<Residual> Residuals(std::span<const TrendSample> samples, const CoolingFit& fit) {
  std::vector<Residual> residuals;
  residuals.reserve(samples.size());
  for (const TrendSample& sample : samples) residuals.push_back({sample.seconds, sample.celsius - fit.At(sample.seconds)});
  return residuals;
}
