#include "trend/profile_history.h"

#include <algorithm>
#include <utility>

ProfileHistory::ProfileHistory(SecondsClock monotonic, WallClock wall)
    : monotonic_(SteadyUnlessGiven(std::move(monotonic))), wall_(SystemUnlessGiven(std::move(wall))) {
  start_ = monotonic_();
  wallStart_ = wall_();
}

bool ProfileHistory::SetLine(GridCell from, GridCell to) {
  std::vector<GridCell> cells = LineCells(from, to);
  if (cells.empty()) return false;
  ClearLine();
  from_ = from;
  to_ = to;
  cells_ = std::move(cells);
  positions_ = LinePositions(cells_);
  live_.values.assign(cells_.size(), std::nullopt);
  start_ = monotonic_();
  wallStart_ = wall_();
  return true;
}

void ProfileHistory::ClearLine() {
  cells_.clear();
  positions_.clear();
  live_ = {};
  earlier_.clear();
  unsaved_ = false;
}

void ProfileHistory::Update(const ThermalImage::CellGrid& grid, const SubstituteMask& substituted) {
  live_ = {Elapsed(), ProfileAlong(cells_, grid, substituted)};
}

bool ProfileHistory::KeepLive() {
  const auto hasValue = [](const std::optional<int>& value) { return value.has_value(); };
  if (std::none_of(live_.values.begin(), live_.values.end(), hasValue)) return false;
  earlier_.push_back(live_);
  if (earlier_.size() > kKeptProfiles) earlier_.pop_front();
  unsaved_ = true;
  return true;
}
