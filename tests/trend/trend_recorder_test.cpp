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
TEST(TrendRecorder, KeptFitGoesWithANewBeginningAndWithThePoints) {
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
  recorder.ClearPoints();
  EXPECT_FALSE(recorder.LastFit());
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

TEST_F(TrendCsvTest, AveragesOverIntervalsSayTheirIntervalAndLeaveEmptyIntervalsOut) {
  for (int i = 0; i < 40; ++i) recorder.Record(At(100 + 0.5 * i, 12, 12, 20 + i % 2, i + 1));
  recorder.Record(At(135, 3, 4, 30, 100));
  EXPECT_EQ(TrendCsvAveraged(recorder, 10),
            "# Temperaturverlauf ab 2026-12-07T14:05:09+01:00, Mittelwerte über je 10 s; Messpunkte: "
            "1 (Spalte 12, Zeile 12); 2 (Spalte 3, Zeile 4)\n0,000;20,50;\n10,000;20,50;\n30,000;;30,00\n");
}

}  // namespace
