#include "trend/thinned_series.h"

#include <algorithm>
#include <cmath>
#include <iterator>

const std::vector<TrendSample>& ThinnedSeries::Update(const TrendSeries& series) {
  if (series.size() <= maxPoints_) {
    width_ = 0.0;
    shown_.assign(series.begin(), series.end());
    return shown_;
  }
  const double span = series.back().seconds - series.front().seconds;
  const std::size_t buckets = std::max<std::size_t>(maxPoints_ / 2, 1);
  double width = 0.01;
  while (span / width >= static_cast<double>(buckets)) {
    width *= 2.0;
  }
  if (width != width_) {
    width_ = width;
    first_ = series.front().seconds;
    finished_ = kept_ = 0;
  }
  shown_.resize(kept_);
  // Finishes the buckets before the newest one; a bucket ends where a sample
  // first lies past it, which a binary search finds in the time order.
  auto begin = series.begin() + static_cast<std::ptrdiff_t>(finished_);
  for (;;) {
    const double next = std::floor(((*begin).seconds - first_) / width_) + 1.0;
    const auto inBucket = [&](const TrendSample& sample) { return (sample.seconds - first_) / width_ < next; };
    const auto end = std::max(std::next(begin), std::ranges::partition_point(begin, series.end(), inBucket));
    if (end == series.end()) {
      break;
    }
    KeepExtremes(begin, end);
    begin = end;
  }
  finished_ = static_cast<std::size_t>(begin - series.begin());
  kept_ = shown_.size();
  KeepExtremes(begin, series.end());
  return shown_;
}

void ThinnedSeries::KeepExtremes(TrendSeries::Iterator begin, TrendSeries::Iterator end) {
  const auto [lowest, highest] = std::ranges::minmax_element(begin, end, {}, &TrendSample::celsius);
  shown_.push_back(*std::min(lowest, highest));
  if (lowest != highest) {
    shown_.push_back(*std::max(lowest, highest));
  }
}
