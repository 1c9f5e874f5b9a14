#include "trend/trend_series.h"

#include <cmath>

void TrendSeries::Append(std::uint32_t millis, double celsius, std::uint64_t round) {
  if (size_ == blocks_.size() * kBlockSamples) blocks_.push_back(std::make_unique_for_overwrite<Packed[]>(kBlockSamples));
  Packed& p = blocks_[size_ / kBlockSamples][size_ % kBlockSamples];
  p = {millis, static_cast<std::int16_t>(std::lround(celsius * 100.0)), static_cast<std::uint16_t>(round)};
  ++size_;
}

void TrendSeries::Clear() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  size_ = 0;
}
