#include "trend/trend_recorder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kMeanResolution = 0.01;  // an area's mean, kept to the hundredth

// Milliseconds since start, if the reading belongs to the recording begun then.
std::optional<std::uint32_t> RecordingMillis(double seconds, double start) {
  const double millis = std::round((seconds - start) * 1000.0);
  if (!(millis >= 0.0) || millis > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(millis);
}

}  // namespace

TrendRecorder::TrendRecorder(SecondsClock monotonic, WallClock wall)
    : monotonic_(SteadyUnlessGiven(std::move(monotonic))), wall_(SystemUnlessGiven(std::move(wall))) {
  // Until the first point is set, times count from construction so that
  // Elapsed() is never meaningless.
  start_ = monotonic_();
  wallStart_ = wall_();
  points_.reserve(kMaxMeasuringPoints);
  areas_.reserve(kMaxAreas);
  courses_.reserve(kMaxMeasuringPoints + kMaxAreas);
}

bool TrendRecorder::AddPoint(MeasuringPoint point) {
  if (points_.size() >= kMaxMeasuringPoints || point.column < 0 || point.column >= kGridColumns ||
      point.row < 0 || point.row >= kGridRows || PointAt(point.column, point.row)) {
    return false;
  }
  const bool first = Empty();
  courses_.insert(courses_.begin() + static_cast<std::ptrdiff_t>(points_.size()), Course{});
  if (lastFit_ && lastFit_->series >= points_.size()) ++lastFit_->series;  // an area's series moved up by one
  points_.push_back(point);
  ++pointChanges_;
  if (first) Restart();
  return true;
}

void TrendRecorder::ClearPoints() {
  courses_.erase(courses_.begin(), courses_.begin() + static_cast<std::ptrdiff_t>(points_.size()));
  points_.clear();
  KeepUnsavedOnlyIfAnyLeft();
  lastFit_.reset();
  ++pointChanges_;
  ++generation_;
}

bool TrendRecorder::AddArea(const CellArea& area) {
  if (areas_.size() >= kMaxAreas || std::find(areas_.begin(), areas_.end(), area) != areas_.end()) return false;
  const bool first = Empty();
  areas_.push_back(area);
  visits_.emplace_back(static_cast<std::size_t>(area.Cells()));
  courses_.push_back({TrendSeries(kMeanResolution), {}});
  ++pointChanges_;
  if (first) Restart();
  return true;
}

void TrendRecorder::ClearAreas() {
  courses_.resize(points_.size());
  if (lastFit_ && lastFit_->series >= points_.size()) lastFit_.reset();
  areas_.clear();
  visits_.clear();
  KeepUnsavedOnlyIfAnyLeft();
  ++pointChanges_;
}

void TrendRecorder::SetCorrection(std::size_t index, const Correction& correction) {
  if (courses_[index].correction == correction) return;
  courses_[index].correction = correction;
  if (lastFit_ && lastFit_->series == index) lastFit_.reset();
}

void TrendRecorder::KeepUnsavedOnlyIfAnyLeft() {
  unsaved_ = unsaved_ && std::ranges::any_of(courses_, [](const Course& c) { return !c.series.empty(); });
}

std::optional<std::size_t> TrendRecorder::PointAt(int column, int row) const {
  const auto it = std::find(points_.begin(), points_.end(), MeasuringPoint{column, row});
  if (it == points_.end()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(it - points_.begin());
}

void TrendRecorder::Record(const CellReading& reading) {
  // A reading taken before a new beginning belongs to the recording before.
  const std::optional<std::uint32_t> millis = RecordingMillis(reading.seconds, start_);
  if (!millis) return;
  FollowAreas(reading);
  const auto index = PointAt(reading.column, reading.row);
  if (reading.substituted || reading.doubtful || !index) return;
  courses_[*index].series.Append(*millis, reading.value, reading.round);
  unsaved_ = true;
}

void TrendRecorder::FollowAreas(const CellReading& reading) {
  const GridCell cell{reading.column, reading.row};
  for (std::size_t a = 0; a < areas_.size(); ++a) {
    const CellArea& area = areas_[a];
    if (!area.Contains(cell)) continue;
    const int rows = area.last.row - area.first.row + 1;
    CellVisit& visit = visits_[a][static_cast<std::size_t>((cell.column - area.first.column) * rows + cell.row - area.first.row)];
    visit = {true, !reading.substituted && !reading.doubtful, reading.value, reading.seconds};
    TakeMeanIfComplete(a, reading.round);
  }
}

// Like the line's profile: complete once every cell inside the scan range was read anew.
void TrendRecorder::TakeMeanIfComplete(std::size_t a, std::uint64_t round) {
  const CellArea& area = areas_[a];
  std::vector<CellVisit>& visits = visits_[a];
  const int rows = area.last.row - area.first.row + 1;
  double degrees = 0.0, seconds = 0.0;
  int sure = 0;
  for (std::size_t i = 0; i < visits.size(); ++i) {
    const GridCell cell{area.first.column + static_cast<int>(i) / rows, area.first.row + static_cast<int>(i) % rows};
    if (!visits[i].read && range_.Contains(cell)) return;
    if (visits[i].read && visits[i].sure) degrees += visits[i].value, seconds += visits[i].seconds, ++sure;
  }
  visits.assign(visits.size(), {});
  const std::optional<std::uint32_t> millis = RecordingMillis(seconds / sure, start_);
  if (sure == 0 || !millis) return;
  courses_[points_.size() + a].series.Append(*millis, degrees / sure, round);
  unsaved_ = true;
}

void TrendRecorder::Restart() {
  for (Course& course : courses_) course.series.Clear();
  for (std::vector<CellVisit>& visits : visits_) visits.assign(visits.size(), {});
  unsaved_ = false;
  lastFit_.reset();
  ++generation_;
  start_ = monotonic_();
  wallStart_ = wall_();
}

double TrendRecorder::Elapsed() const { return monotonic_() - start_; }
