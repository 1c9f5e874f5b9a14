#include "trend/trend_recorder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

TrendRecorder::TrendRecorder(SecondsClock monotonic, WallClock wall)
    : monotonic_(SteadyUnlessGiven(std::move(monotonic))), wall_(SystemUnlessGiven(std::move(wall))) {
  // Until the first point is set, times count from construction so that
  // Elapsed() is never meaningless.
  start_ = monotonic_();
  wallStart_ = wall_();
  points_.reserve(kMaxMeasuringPoints);
  series_.reserve(kMaxMeasuringPoints);
}

bool TrendRecorder::AddPoint(MeasuringPoint point) {
  if (points_.size() >= kMaxMeasuringPoints || point.column < 0 || point.column >= kGridColumns ||
      point.row < 0 || point.row >= kGridRows || PointAt(point.column, point.row)) {
    return false;
  }
  const bool first = points_.empty();
  points_.push_back(point);
  series_.emplace_back();
  ++pointChanges_;
  if (first) {
    Restart();
  }
  return true;
}

void TrendRecorder::ClearPoints() {
  points_.clear();
  series_.clear();
  unsaved_ = false;
  lastFit_.reset();
  ++pointChanges_;
  ++generation_;
}

std::optional<std::size_t> TrendRecorder::PointAt(int column, int row) const {
  const auto it = std::find(points_.begin(), points_.end(), MeasuringPoint{column, row});
  if (it == points_.end()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(it - points_.begin());
}

void TrendRecorder::Record(const CellReading& reading) {
  if (reading.substituted || reading.doubtful) return;
  const auto index = PointAt(reading.column, reading.row);
  const double millis = std::round((reading.seconds - start_) * 1000.0);
  // A reading taken before a new beginning belongs to the recording before.
  if (!index || !(millis >= 0.0) || millis > std::numeric_limits<std::uint32_t>::max()) return;
  series_[*index].Append(static_cast<std::uint32_t>(millis), reading.value, reading.round);
  unsaved_ = true;
}

void TrendRecorder::Restart() {
  for (auto& series : series_) series.Clear();
  unsaved_ = false;
  lastFit_.reset();
  ++generation_;
  start_ = monotonic_();
  wallStart_ = wall_();
}

double TrendRecorder::Elapsed() const { return monotonic_() - start_; }
