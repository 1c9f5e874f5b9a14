#pragma once
#include <chrono>
#include <cstddef>
#include <deque>
#include <vector>

#include "image/colour_span.h"
#include "image/grid_cell.h"
#include "image/line_profile.h"
#include "image/thermal_image.h"
#include "trend/recording_clocks.h"

// A profile along the line and when it was taken, in seconds since the line was drawn.
struct TimedProfile {
  double seconds = 0.0;
  LineProfile values;
};

// The earlier profiles a line keeps; older ones go.
inline constexpr std::size_t kKeptProfiles = 12;

// A line across the picture and its profiles over time: the live one, taken
// anew from the picture whenever it changes, and up to kKeptProfiles earlier
// ones, kept when a pass completes or at intervals of the spot measurement.
// A line's recording begins when it is drawn; a new line ends it.
class ProfileHistory {
 public:
  // Empty clocks: std::chrono::steady_clock and std::chrono::system_clock.
  explicit ProfileHistory(SecondsClock monotonic = {}, WallClock wall = {});

  // A new line from the centre of one cell to the centre of another (drawing
  // the same line again begins it anew): the earlier profiles go, the live
  // one has no values yet, and the recording's time begins. False, and
  // nothing changes, when no cell of the line lies in the grid.
  bool SetLine(GridCell from, GridCell to);
  // No line: every profile goes.
  void ClearLine();
  bool HasLine() const { return !cells_.empty(); }
  // The ends as drawn (they may lie beyond the grid), the cells within it and their places along it.
  GridCell From() const { return from_; }
  GridCell To() const { return to_; }
  const std::vector<GridCell>& Cells() const { return cells_; }
  const std::vector<double>& Positions() const { return positions_; }

  // The live profile taken from the picture now.
  void Update(const ThermalImage::CellGrid& grid, const SubstituteMask& substituted);
  const TimedProfile& Live() const { return live_; }
  // Keeps the live profile, at the time it was taken, as the latest earlier
  // one; the oldest goes beyond kKeptProfiles. False, and nothing is kept,
  // when the live profile has no value at all.
  bool KeepLive();
  // Earliest first.
  const std::deque<TimedProfile>& Earlier() const { return earlier_; }

  // Earlier profiles kept since the profiles were last saved (or the line drawn).
  // The live one does not count: the picture still holds it.
  bool HasUnsavedProfiles() const { return unsaved_; }
  void MarkSaved() { unsaved_ = false; }
  std::chrono::system_clock::time_point WallClockStart() const { return wallStart_; }
  // Seconds since the line was drawn.
  double Elapsed() const { return monotonic_() - start_; }

 private:
  SecondsClock monotonic_;
  WallClock wall_;
  double start_ = 0.0;
  std::chrono::system_clock::time_point wallStart_;
  GridCell from_;
  GridCell to_;
  std::vector<GridCell> cells_;
  std::vector<double> positions_;
  TimedProfile live_;
  std::deque<TimedProfile> earlier_;
  bool unsaved_ = false;
};
