#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "image/cell_reading.h"
#include "image/grid_cell.h"
#include "trend/fit_span.h"
#include "trend/recording_clocks.h"
#include "trend/trend_series.h"

// A grid cell whose temperature is followed over time.
using MeasuringPoint = GridCell;

inline constexpr std::size_t kMaxMeasuringPoints = 4;

// Up to four measuring points and, for each, the course of its real
// readings. Substituted and doubtful readings are no measurements and leave
// a gap. Recording begins when the first point is set into an empty set,
// and again at Restart. Readings carry their own time stamps, on the same
// monotonic clock as the recorder's. Two counters tell a viewer what
// changed since it last looked, however close together the changes came.
class TrendRecorder {
 public:
  using SecondsClock = ::SecondsClock;  // monotonic seconds, the readings' clock
  using WallClock = ::WallClock;
  // Empty clocks: std::chrono::steady_clock and std::chrono::system_clock.
  explicit TrendRecorder(SecondsClock monotonic = {}, WallClock wall = {});

  // Adds a point (its number is its index + 1); false when four are set,
  // the cell already has one or lies outside the 62 x 32 grid.
  bool AddPoint(MeasuringPoint point);
  // Removes every point and its series; the recording ends.
  void ClearPoints();
  const std::vector<MeasuringPoint>& Points() const { return points_; }
  // The index of the point at that cell, if one is set there.
  std::optional<std::size_t> PointAt(int column, int row) const;

  // A reading the scan took of a cell: appended to the series of the point
  // at that cell, unless it was substituted or doubtful, no point is there,
  // or it was taken before recording began.
  void Record(const CellReading& reading);
  // Empties every series, gives their memory back and begins recording
  // anew; the points stay.
  void Restart();
  // Grows whenever the series are emptied (Restart, ClearPoints, the first
  // point set into an empty set): what was read of them before is gone.
  std::uint64_t Generation() const { return generation_; }
  // Grows whenever a point is set or the points are cleared.
  std::uint64_t PointChanges() const { return pointChanges_; }

  const TrendSeries& Series(std::size_t point) const { return series_[point]; }
  // Readings recorded since the recording was last saved (or began).
  bool HasUnsavedReadings() const { return unsaved_; }
  void MarkSaved() { unsaved_ = false; }
  std::chrono::system_clock::time_point WallClockStart() const { return wallStart_; }
  // Seconds since recording began.
  double Elapsed() const;

  // The last cooling fit made of a point's readings, over the span it
  // worked on, kept for whoever reports it; gone with the series it fitted.
  struct KeptFit {
    std::size_t point = 0;
    CoolingFit fit;
    TimeSpan span;
  };
  void KeepFit(const std::optional<KeptFit>& fit) { lastFit_ = fit; }
  const std::optional<KeptFit>& LastFit() const { return lastFit_; }

 private:
  SecondsClock monotonic_;
  WallClock wall_;
  double start_ = 0.0;
  std::chrono::system_clock::time_point wallStart_;
  std::vector<MeasuringPoint> points_;
  std::vector<TrendSeries> series_;
  bool unsaved_ = false;
  std::uint64_t generation_ = 0;
  std::uint64_t pointChanges_ = 0;
  std::optional<KeptFit> lastFit_;
};
