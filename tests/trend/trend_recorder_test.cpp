// The recorder of measuring points and its spreadsheet text.
#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "support/time_zone.h"
#include "trend/trend_csv.h"
#include "trend/trend_recorder.h"

namespace {

struct Clocks {
  double now = 100.0;
  int wallMinutes = 0;
  TrendRecorder Recorder() {
    return TrendRecorder([this] { return now; }, [this] {
      using namespace std::chrono;
      return sys_time<seconds>(sys_days(2026y / 12 / 7) + 13h + 5min + 9s) + minutes(wallMinutes);
    });
  }
};

CellReading At(double seconds, int column, int row, int celsius, std::uint64_t round = 1) {
  return {column, row, celsius, false, false, seconds, round};
}

TEST(TrendRecorder, KeepsOnlySureReadingsOfMarkedCellsAtTheirOwnTimeAndRefusesBadPoints) {
  Clocks clocks;
  TrendRecorder recorder = clocks.Recorder();
  ASSERT_TRUE(recorder.AddPoint({3, 4}));  // recording begins at 100 s
  clocks.now = 107.0;  // the readings arrive late; their stamps count
  recorder.Record(At(101.5, 3, 4, 30));
  CellReading substituted = At(102, 3, 4, 99), doubtful = At(103, 3, 4, 98);
  substituted.substituted = true;
  doubtful.doubtful = true;
  recorder.Record(substituted);
  recorder.Record(doubtful);
  recorder.Record(At(104, 4, 3, 97));  // no point there
  recorder.Record(At(99.9, 3, 4, 96));  // taken before recording began
  EXPECT_TRUE(recorder.AddPoint({61, 31}));  // a second point does not restart
  EXPECT_FALSE(recorder.AddPoint({3, 4}));
  EXPECT_FALSE(recorder.AddPoint({62, 0}));
  EXPECT_FALSE(recorder.AddPoint({0, 32}));
  EXPECT_FALSE(recorder.AddPoint({-1, 0}));
  EXPECT_TRUE(recorder.AddPoint({0, 0}) && recorder.AddPoint({7, 7}));
  EXPECT_FALSE(recorder.AddPoint({8, 8}));
  EXPECT_EQ(recorder.PointAt(0, 0), 2u);
  ASSERT_EQ(recorder.Series(0).size(), 1u);
  EXPECT_EQ(recorder.Series(0)[0].seconds, 1.5);
  EXPECT_EQ(recorder.Series(0)[0].celsius, 30);
  EXPECT_TRUE(recorder.HasUnsavedReadings());
  recorder.MarkSaved();
  EXPECT_FALSE(recorder.HasUnsavedReadings());

  const auto firstWall = recorder.WallClockStart();
  clocks.now = 110.0;
  clocks.wallMinutes = 1;
  recorder.Record(At(108, 3, 4, 31));
  recorder.Restart();
  EXPECT_FALSE(recorder.HasUnsavedReadings());
  recorder.Record(At(109, 3, 4, 32));  // in flight when the recording began anew
  EXPECT_TRUE(recorder.Series(0).empty());
  EXPECT_EQ(recorder.Series(0).MemoryBytes(), 0u) << "a new beginning gives the memory back";
  EXPECT_EQ(recorder.Points().size(), 4u);
  EXPECT_EQ(recorder.Elapsed(), 0.0);
  EXPECT_EQ(recorder.WallClockStart() - firstWall, std::chrono::minutes(1));

  recorder.ClearPoints();
  EXPECT_FALSE(recorder.PointAt(3, 4));
  clocks.now = 120.0;
  ASSERT_TRUE(recorder.AddPoint({5, 5}));  // a new first point restarts the clock
  EXPECT_EQ(recorder.Elapsed(), 0.0);
}

// The last fit outlives new readings but not the series it was made of.
TEST(TrendRecorder, KeptFitGoesWithANewBeginningAndWithItsSeries) {
  Clocks clocks;
  TrendRecorder recorder = clocks.Recorder();
  ASSERT_TRUE(recorder.AddPoint({3, 4}));
  const auto keep = [&] { recorder.KeepFit(TrendRecorder::KeptFit{0, {.tau = 60.0}, {1.0, 9.0}}); };
  keep();
  recorder.Record(At(101, 3, 4, 30));
  ASSERT_TRUE(recorder.LastFit());
  EXPECT_EQ(recorder.LastFit()->fit.tau, 60.0);
  recorder.Restart();
  EXPECT_FALSE(recorder.LastFit());
  keep();
  ASSERT_TRUE(recorder.AddPoint({5, 5}));
  EXPECT_EQ(recorder.LastFit()->series, 0u);  // a point's fit stays with its point
  recorder.ClearPoints();
  EXPECT_FALSE(recorder.LastFit());
  // An area's fit follows its series as a point is set before it, and goes with its correction.
  ASSERT_TRUE(recorder.AddArea({{1, 1}, {2, 2}}));
  recorder.KeepFit(TrendRecorder::KeptFit{0, {.tau = 60.0}, {1.0, 9.0}});
  ASSERT_TRUE(recorder.AddPoint({3, 4}));
  ASSERT_TRUE(recorder.LastFit());
  EXPECT_EQ(recorder.LastFit()->series, 1u);
  recorder.SetCorrection(0, {0.5, 20.0});
  EXPECT_TRUE(recorder.LastFit());
  recorder.SetCorrection(1, {0.5, 20.0});
  EXPECT_FALSE(recorder.LastFit());
}

// An area's mean waits for every cell inside the scan range; a doubtful reading counts as read
// but not into the mean, which is kept to the hundredth at its readings' mean time.
TEST(TrendRecorder, AreaMeanComesOnceEveryCellInsideTheRangeWasReadAndLeavesThePointsBe) {
  Clocks clocks;
  TrendRecorder recorder = clocks.Recorder();
  ASSERT_TRUE(recorder.AddPoint({3, 4}));
  recorder.Record(At(100.5, 3, 4, 30));
  const auto generation = recorder.Generation(), changes = recorder.PointChanges();
  ASSERT_TRUE(recorder.AddArea({{29, 10}, {31, 11}}));
  EXPECT_FALSE(recorder.AddArea({{29, 10}, {31, 11}}));
  EXPECT_EQ(recorder.Generation(), generation);
  EXPECT_GT(recorder.PointChanges(), changes);
  ASSERT_EQ(recorder.SeriesCount(), 2u);
  EXPECT_EQ(recorder.Series(0).size(), 1u);
  ScanRange range;
  range.lastColumn = 30;  // column 31 is not scanned
  recorder.SetScanRange(range);
  CellReading doubtful = At(103, 30, 10, 90, 7);
  doubtful.doubtful = true;
  for (const CellReading& reading : {At(101, 29, 10, 20, 5), At(102, 29, 11, 21, 6), doubtful})
    recorder.Record(reading);
  EXPECT_TRUE(recorder.Series(1).empty());
  recorder.Record(At(105, 30, 11, 21, 8));
  ASSERT_EQ(recorder.Series(1).size(), 1u);
  EXPECT_EQ(recorder.Series(1)[0].seconds, 2.667);
  EXPECT_DOUBLE_EQ(recorder.Series(1)[0].celsius, 20.67);
  EXPECT_EQ(recorder.Series(1).RoundTag(0), 8u);
  EXPECT_EQ(recorder.Series(1).Resolution(), 0.01);
  recorder.ClearAreas();
  EXPECT_EQ(recorder.SeriesCount(), 1u);
  EXPECT_EQ(recorder.Series(0).size(), 1u);
  EXPECT_EQ(recorder.Generation(), generation);
}

TEST(TrendSeries, KeepsEightBytesAReadingInBlocksAcrossBlockBoundaries) {
  TrendSeries series;
  constexpr std::size_t kReadings = 20000;  // more than two blocks
  for (std::size_t i = 0; i < kReadings; ++i) series.Append(static_cast<std::uint32_t>(i), 20 + i % 100, i);
  ASSERT_EQ(series.size(), kReadings);
  EXPECT_EQ(series[8192].seconds, 8.192);
  EXPECT_EQ(series.back().celsius, 20 + (kReadings - 1) % 100);
  EXPECT_EQ(series.RoundTag(kReadings - 1), (kReadings - 1) % 65536);
  EXPECT_LE(series.MemoryBytes(), kReadings * 8 + 8192 * 8 + 64);
}

class TrendCsvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder.AddPoint({12, 12});
    recorder.AddPoint({3, 4});
  }
  TimeZone zone{"CET-1CEST,M3.5.0,M10.5.0/3"};
  Clocks clocks;
  TrendRecorder recorder = clocks.Recorder();
};

// A round's readings share a line at the time of its first one; a point without a reading in
// a round leaves its field empty.
TEST_F(TrendCsvTest, WritesOneLineARoundWithEmptyFieldsAndADecimalCommaUnderAnIsoHeader) {
  for (const auto& [t, column, celsius, round] : {std::tuple{100.5, 12, 22, 1}, {100.503, 3, 30, 1},
                                                  {101.25, 12, 23, 2}, {1334.5678, 3, 31, 3}}) {
    recorder.Record(At(t, column, column == 3 ? 4 : 12, celsius, round));
  }
  EXPECT_EQ(TrendCsv(recorder),
            "# Temperaturverlauf ab 2026-12-07T14:05:09+01:00; Messpunkte: 1 (Spalte 12, Zeile 12); "
            "2 (Spalte 3, Zeile 4)\n0,500;22;30\n1,250;23;\n1234,568;;31\n");
  EXPECT_EQ(TrendCsvLines(recorder), 4u);
}

// Rounds 65536 apart carry the same tag; they still get lines of their own.
TEST_F(TrendCsvTest, EqualRoundTagsFarApartAreDifferentRounds) {
  recorder.Record(At(101, 12, 12, 22, 7));
  recorder.Record(At(301, 3, 4, 30, 7 + 65536));
  EXPECT_EQ(TrendCsvLines(recorder), 3u);
}

// Areas' means follow the points' readings; once a series corrects, every series' emissivity and
// reflected temperature are stated, and a value not determinable leaves its field empty.
TEST_F(TrendCsvTest, CorrectedSeriesAreStatedInTheHeaderAndWrittenToTheHundredth) {
  recorder.AddArea({{12, 12}, {13, 12}});
  recorder.SetCorrection(0, {0.95, 20.0});
  recorder.SetCorrection(1, {0.50, 100.0});
  for (const CellReading& reading : {At(100.5, 12, 12, 22, 1), At(100.503, 3, 4, 30, 1), At(101, 13, 12, 19, 2)})
    recorder.Record(reading);
  EXPECT_EQ(TrendCsv(recorder),
            "# Temperaturverlauf ab 2026-12-07T14:05:09+01:00; Messpunkte: 1 (Spalte 12, Zeile 12); "
            "2 (Spalte 3, Zeile 4); Messfelder: 1 (Spalte 12–13, Zeile 12–12); Korrektur: Messpunkt 1 "
            "ε = 0,95, Tr = 20,00 °C; Messpunkt 2 ε = 0,50, Tr = 100,00 °C; Messfeld 1 ε = 1,00, Tr = 0,00 °C\n"
            "0,500;22,10;;\n0,750;;;20,50\n");
}

TEST_F(TrendCsvTest, AveragesOverIntervalsSayTheirIntervalAndLeaveEmptyIntervalsOut) {
  for (int i = 0; i < 40; ++i) recorder.Record(At(100 + 0.5 * i, 12, 12, 20 + i % 2, i + 1));
  recorder.Record(At(135, 3, 4, 30, 100));
  EXPECT_EQ(TrendCsvAveraged(recorder, 10),
            "# Temperaturverlauf ab 2026-12-07T14:05:09+01:00, Mittelwerte über je 10 s; Messpunkte: "
            "1 (Spalte 12, Zeile 12); 2 (Spalte 3, Zeile 4)\n0,000;20,50;\n10,000;20,50;\n30,000;;30,00\n");
}

}  // namespace
