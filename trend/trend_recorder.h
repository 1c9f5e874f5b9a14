#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "image/cell_area.h"
#include "image/cell_reading.h"
#include "image/emissivity.h"
#include "image/grid_cell.h"
#include "image/scan_range.h"
#include "trend/fit_span.h"
#include "trend/recording_clocks.h"
#include "trend/trend_series.h"

// The samples (of a series, or some of them) as the correction gives them,
// those not determinable left out.
template <typename Samples>
std::vector<TrendSample> CorrectedSamples(const Samples& samples, const Correction& correction) {
  std::vector<TrendSample> corrected;
  for (const TrendSample sample : samples) {
    if (const std::optional<double> celsius = Corrected(sample.celsius, correction))
      corrected.push_back({sample.seconds, *celsius});
  }
  return corrected;
}

// A grid cell whose temperature is followed over time.
using MeasuringPoint = GridCell;

inline constexpr std::size_t kMaxMeasuringPoints = 4;

// Up to four measuring points and four measuring areas and, for each, the
// course of its real readings: a point's readings, an area's means.
// Substituted and doubtful readings are no measurements and leave a gap.
// Recording begins when the first point or area is set into an empty
// recorder, and again at Restart. Readings carry their own time stamps, on
// the same monotonic clock as the recorder's. Two counters tell a viewer
// what changed since it last looked, however close together the changes
// came. Each series may be corrected by an emissivity; the recorder keeps
// the readings as measured, so a changed correction applies to all of them.
class TrendRecorder {
 public:
  using SecondsClock = ::SecondsClock;  // monotonic seconds, the readings' clock
  using WallClock = ::WallClock;
  // Empty clocks: std::chrono::steady_clock and std::chrono::system_clock.
  explicit TrendRecorder(SecondsClock monotonic = {}, WallClock wall = {});

  // Adds a point (its number is its index + 1); false when four are set,
  // the cell already has one or lies outside the 62 x 32 grid.
  bool AddPoint(MeasuringPoint point);
  // Removes every point and its series (the areas' stay); the recording of
  // the points ends.
  void ClearPoints();
  const std::vector<MeasuringPoint>& Points() const { return points_; }
  // The index of the point at that cell, if one is set there.
  std::optional<std::size_t> PointAt(int column, int row) const;

  // Adds an area (its number is its index + 1); false when four are set or
  // the same one is. Setting or clearing areas leaves the points' series be.
  bool AddArea(const CellArea& area);
  // Removes every area and its series.
  void ClearAreas();
  const std::vector<CellArea>& Areas() const { return areas_; }
  // The cells the scan reads now: an area's mean waits for those of its
  // cells that lie inside.
  void SetScanRange(const ScanRange& range) { range_ = range; }

  // A reading the scan took of a cell, unless taken before recording began:
  // appended to the series of the point at that cell, unless it was
  // substituted or doubtful; and, for each area holding the cell, counted as
  // read. Once every cell of an area inside the scan range has been read
  // since its last mean, the mean of their sure readings is appended to the
  // area's series, at the mean of their time stamps and in the round of
  // this reading (none when none of them was sure).
  void Record(const CellReading& reading);
  // Empties every series, gives their memory back and begins recording
  // anew; the points and areas stay.
  void Restart();
  // Grows whenever the series are emptied (Restart, ClearPoints, the first
  // point or area set into an empty recorder): what was read of them
  // before is gone.
  std::uint64_t Generation() const { return generation_; }
  // Grows whenever a point or an area is set, or either is cleared: the
  // series and their numbering changed.
  std::uint64_t PointChanges() const { return pointChanges_; }

  // The series: the points' (index = point index), then the areas'.
  std::size_t SeriesCount() const { return courses_.size(); }
  const TrendSeries& Series(std::size_t index) const { return courses_[index].series; }
  // How a series' readings are shown, fitted and saved; none by default.
  // A kept fit of the series goes when its correction changes.
  void SetCorrection(std::size_t index, const Correction& correction);
  const Correction& CorrectionOf(std::size_t index) const { return courses_[index].correction; }
  // Readings recorded since the recording was last saved (or began).
  bool HasUnsavedReadings() const { return unsaved_; }
  void MarkSaved() { unsaved_ = false; }
  std::chrono::system_clock::time_point WallClockStart() const { return wallStart_; }
  // Seconds since recording began.
  double Elapsed() const;

  // The last cooling fit made of a series, over the span it worked on, kept
  // for whoever reports it; gone with the series it fitted or its correction.
  struct KeptFit {
    std::size_t series = 0;
    CoolingFit fit;
    TimeSpan span;
  };
  void KeepFit(const std::optional<KeptFit>& fit) { lastFit_ = fit; }
  const std::optional<KeptFit>& LastFit() const { return lastFit_; }

 private:
  struct Course {
    TrendSeries series;
    Correction correction;
  };
  // What an area's cells read since its last mean, cell by cell (columns first).
  struct CellVisit {
    bool read = false;
    bool sure = false;
    int value = 0;
    double seconds = 0.0;
  };
  bool Empty() const { return courses_.empty(); }
  // After series went: readings are unsaved only while any are left.
  void KeepUnsavedOnlyIfAnyLeft();
  void FollowAreas(const CellReading& reading);
  // The area's mean, when each of its cells inside the scan range was read.
  void TakeMeanIfComplete(std::size_t area, std::uint64_t round);

  SecondsClock monotonic_;
  WallClock wall_;
  double start_ = 0.0;
  std::chrono::system_clock::time_point wallStart_;
  std::vector<MeasuringPoint> points_;
  std::vector<CellArea> areas_;
  std::vector<std::vector<CellVisit>> visits_;  // per area
  std::vector<Course> courses_;
  ScanRange range_;
  bool unsaved_ = false;
  std::uint64_t generation_ = 0;
  std::uint64_t pointChanges_ = 0;
  std::optional<KeptFit> lastFit_;
};
