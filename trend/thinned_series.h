#pragma once
#include <cstddef>
#include <vector>

#include "trend/trend_series.h"

// A series thinned for drawing its line, kept up to date as the series grows.
// While the series has at most maxPoints (at least 2) samples, all of them;
// beyond that, its time from the first sample on is cut into buckets, and
// each bucket keeps its lowest and its highest reading in their order, so
// peaks and dips still show however long the recording. The buckets are
// 10 ms times a power of two wide, the narrowest that needs at most
// maxPoints / 2 of them: they stay put while the series grows, so an update
// reads only the new samples (and all of them when the width doubles).
class ThinnedSeries {
 public:
  explicit ThinnedSeries(std::size_t maxPoints) : maxPoints_(maxPoints) {}
  // The samples to draw, in time order. series is the one of the last
  // update, grown; a recording begun anew takes a new ThinnedSeries.
  const std::vector<TrendSample>& Update(const TrendSeries& series);
  // The samples to draw as of the last update.
  const std::vector<TrendSample>& Shown() const { return shown_; }

 private:
  void KeepExtremes(TrendSeries::Iterator begin, TrendSeries::Iterator end);

  std::size_t maxPoints_;
  double width_ = 0.0;       // seconds per bucket; 0 while every sample is kept
  double first_ = 0.0;       // seconds of the series' first sample
  std::size_t finished_ = 0; // samples before the newest, unfinished bucket
  std::size_t kept_ = 0;     // shown_'s points of the finished buckets
  std::vector<TrendSample> shown_;
};
