#pragma once
// What the end-to-end tests share: the settings store that maps a "Com"
// slot to the emulator, a clock that lets the scan run without waiting but
// can hold it between steps, and the readings collected from the scan.
#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <QString>
#include <array>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <vector>

#include "headsim/scene.h"
#include "scan/clock.h"
#include "scan/qt/scan_service.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline constexpr auto kOrganisation = "Vom lokalen Anwendungs-Assistenten generierte Anwendungen";
inline constexpr auto kApplication = "Torvak";

// The settings store holds only "COMn" = device and "COMPORT" = number.
inline void UseOnlyPort(int number, const QString& device) {
  QSettings store(kOrganisation, kApplication);
  store.clear();
  store.setValue(QStringLiteral("SETTINGS/COM%1").arg(number), device);
  store.setValue(QStringLiteral("SETTINGS/COMPORT"), number);
  store.sync();
}

inline void ClearSettings() {
  QSettings store(kOrganisation, kApplication);
  store.clear();
  store.sync();
}

// Lets the scan's steps through without waiting. After Allow(n) it lets n
// more steps through and holds the next one once it has read its column,
// until Open. A hold ends by itself after a minute, so a failed test cannot
// hang the worker.
class StepGate {
 public:
  void Allow(int steps) {
    std::lock_guard lock(mutex_);
    limited_ = true;
    allowed_ = steps;
  }
  void Open() {
    std::lock_guard lock(mutex_);
    limited_ = false;
    changed_.notify_all();
  }
  bool Holding() const {
    std::lock_guard lock(mutex_);
    return holding_;
  }
  // On the worker, once per step.
  void PassStep() {
    std::unique_lock lock(mutex_);
    if (limited_ && allowed_ == 0) {
      holding_ = true;
      changed_.wait_for(lock, std::chrono::minutes(1), [this] { return !limited_; });
      holding_ = false;
    }
    if (limited_) --allowed_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool limited_ = false;
  int allowed_ = 0;
  bool holding_ = false;
};

class GatedClock : public Clock {
 public:
  explicit GatedClock(std::shared_ptr<StepGate> gate) : gate_(std::move(gate)) {}
  void Wait(int) override {}
  // Called once in every scan step, after the column has been read.
  void YieldOnce() override { gate_->PassStep(); }

 private:
  std::shared_ptr<StepGate> gate_;
};

inline ScanService::ClockFactory GatedClocks(const std::shared_ptr<StepGate>& gate) {
  return [gate] { return std::make_unique<GatedClock>(gate); };
}

struct Reading {
  int column = 0;
  int row = 0;
  int value = 0;
  friend bool operator==(const Reading&, const Reading&) = default;
};
inline void PrintTo(const Reading& r, std::ostream* out) {
  *out << "(" << r.column << ", " << r.row << ") = " << r.value;
}

// The readings of a readingStored spy from index `from` on, in order.
inline std::vector<Reading> Readings(const QSignalSpy& spy, qsizetype from = 0) {
  std::vector<Reading> readings;
  for (qsizetype i = from; i < spy.size(); ++i) {
    readings.push_back({spy.at(i).at(0).toInt(), spy.at(i).at(1).toInt(), spy.at(i).at(2).toInt()});
  }
  return readings;
}

// What the scene shows at a cell, as a reading of that cell.
inline Reading SceneReading(int column, int row) {
  return {column, row, headsim::ExpectedReading(column, row)};
}

inline constexpr int kColumns = 62;
inline constexpr int kRows = 32;
using Grid = std::array<std::array<int, kRows>, kColumns>;

// The last reading of every cell; -1 where none came.
inline Grid GridOf(const std::vector<Reading>& readings) {
  Grid grid;
  for (auto& column : grid) column.fill(-1);
  for (const Reading& r : readings) {
    if (r.column >= 0 && r.column < kColumns && r.row >= 0 && r.row < kRows) {
      grid[r.column][r.row] = r.value;
    } else {
      ADD_FAILURE() << "reading outside the grid: " << ::testing::PrintToString(r);
    }
  }
  return grid;
}

// Reports the first few cells that differ from the scene.
inline void ExpectSceneInEveryCell(const Grid& grid) {
  int wrong = 0;
  for (int column = 0; column < kColumns && wrong < 10; ++column) {
    for (int row = 0; row < kRows && wrong < 10; ++row) {
      if (grid[column][row] != headsim::ExpectedReading(column, row)) {
        ++wrong;
        ADD_FAILURE() << "cell (" << column << ", " << row << ") holds " << grid[column][row]
                      << " instead of " << headsim::ExpectedReading(column, row);
      }
    }
  }
}

// Substitutes for missing answers lie in 20..147.
inline bool IsSubstitute(int value) { return value >= 20 && value <= 147; }
