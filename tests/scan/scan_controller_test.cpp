#include "scan/scan_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "tests/support/scan_fakes.h"
#include "tests/support/frames.h"

using namespace scan_fakes;

namespace {

constexpr std::uint8_t kTilt = kTiltAddress, kPan = kPanAddress;
constexpr int kReading = 37;  // the rig's default answer

// What a step at (pan, offset) must store: the pan module's column first,
// rows ascending, only cells inside the range.
std::vector<Reading> ExpectedReadings(const ScanState& s, int pan, int offset) {
  std::vector<Reading> readings;
  for (int column : {pan + 31, pan}) {
    if (column < s.range.firstColumn || column > s.range.lastColumn) continue;
    for (int row = offset; row <= 31; row += 4)
      if (row >= s.range.firstRow && row <= s.range.lastRow) readings.push_back({column, row, kReading});
  }
  return readings;
}

struct Step {
  int pan;
  int offset;
  std::vector<Reading> readings;
  std::vector<ServoWrite> writes;
  long long ms;
};

Step TickOnce(ScanRig& rig) {
  const std::size_t readings = rig.image.readings.size();
  const std::size_t frames = rig.link.frames.size();
  const long long ms = rig.clock.elapsedMs;
  Step step{rig.State().panPosition, rig.State().tiltOffset, {}, {}, 0};
  rig.controller.Tick();
  step.readings.assign(rig.image.readings.begin() + readings, rig.image.readings.end());
  step.writes = WritesIn(rig.link.frames, frames);
  step.ms = rig.clock.elapsedMs - ms;
  return step;
}

std::vector<Step> Ticks(ScanRig& rig, int count) {
  std::vector<Step> steps;
  for (int i = 0; i < count; ++i) steps.push_back(TickOnce(rig));
  return steps;
}

// Starts the scan and ticks until a step ends the pass.
std::vector<Step> RunPass(ScanRig& rig) {
  rig.controller.Start();
  std::vector<Step> steps;
  while (rig.controller.Scanning() && steps.size() < 2000) steps.push_back(TickOnce(rig));
  return steps;
}

// The head after start-up: options as given, "Reset" brought it to pan 0.
void StartUp(ScanRig& rig, bool stopAfterPass, bool bothDirections) {
  rig.controller.SetOptions(stopAfterPass, bothDirections);
  rig.controller.Reset();
}

using Position = std::pair<int, int>;  // pan, tilt offset

std::vector<Position> Positions(const std::vector<Step>& steps) {
  std::vector<Position> positions;
  for (const Step& step : steps) positions.push_back({step.pan, step.offset});
  return positions;
}

// Sweeps of pans first..last at the given offsets, alternating direction or not.
std::vector<Position> Sweeps(int first, int last, std::vector<int> offsets, bool alternate) {
  std::vector<Position> positions;
  for (std::size_t s = 0; s < offsets.size(); ++s)
    for (int i = 0; i <= last - first; ++i)
      positions.push_back({alternate && s % 2 == 1 ? last - i : first + i, offsets[s]});
  return positions;
}

void ExpectReadingsMatchRange(const std::vector<Step>& steps, const ScanState& s) {
  for (std::size_t i = 0; i < steps.size(); ++i)
    ASSERT_EQ(steps[i].readings, ExpectedReadings(s, steps[i].pan, steps[i].offset)) << "step " << i;
}

// As many cells as the range holds are stored in a pass, each exactly once.
void ExpectEachCellOfRangeOnce(const std::vector<Step>& steps, const ScanState& s) {
  std::map<Position, int> count;
  for (const Step& step : steps)
    for (const Reading& r : step.readings) ++count[{r.column, r.row}];
  const std::size_t cells = (s.range.lastColumn - s.range.firstColumn + 1) * (s.range.lastRow - s.range.firstRow + 1);
  EXPECT_EQ(count.size(), cells);
  for (const auto& [cell, n] : count) EXPECT_EQ(n, 1) << cell.first << "," << cell.second;
}

TEST(ScanDefaults, FullRangeCopiedToImageAndServoRangesWrittenPanModuleFirst) {
  ScanRig rig;
  EXPECT_EQ(rig.image.ranges, (std::vector<ScanRange>{{0, 61, 0, 31}}));
  rig.controller.WriteServoRanges();
  EXPECT_EQ(rig.link.frames, (std::vector<Frame>{RangeWrite(kPan), RangeWrite(kTilt)}));
  EXPECT_EQ(rig.link.reads, 2);
}

TEST(ScanPass, BothDirectionsTakes124StepsThenNextTickStopsAndParks) {
  ScanRig rig;
  StartUp(rig, true, true);
  const long long before = rig.clock.elapsedMs;
  const std::vector<Step> steps = RunPass(rig);

  ASSERT_EQ(steps.size(), 124u);
  EXPECT_EQ(Positions(steps), Sweeps(0, 30, {0, 1, 2, 3}, true));
  ExpectReadingsMatchRange(steps, rig.State());
  ExpectEachCellOfRangeOnce(steps, rig.State());
  // 16 reads of 2 ms and 300 ms settling per step, 120 pan moves, ResetTilt from offset 3.
  EXPECT_EQ(rig.clock.elapsedMs - before, 124 * (300 + 16 * 2) + 120 * 100 + 3 * 10);
  EXPECT_EQ(rig.clock.yields, 124);
  EXPECT_EQ(steps.back().writes, (std::vector<ServoWrite>{{kTilt, 0, 16}}));
  EXPECT_EQ(rig.State().panPosition, 0);
  EXPECT_FALSE(rig.State().running);
  EXPECT_TRUE(rig.window.timerRunning);
  EXPECT_EQ(rig.window.repaints, 124);

  const Step last = TickOnce(rig);
  EXPECT_FALSE(rig.window.timerRunning);
  EXPECT_EQ(last.writes, (std::vector<ServoWrite>{{kTilt, 0, 15}}));
  EXPECT_TRUE(last.readings.empty());
}

TEST(ScanPass, OneDirectionReturnsPanAndTiltsInTheSameStep) {
  ScanRig rig;
  StartUp(rig, true, false);
  const std::vector<Step> steps = RunPass(rig);

  ASSERT_EQ(steps.size(), 124u);
  EXPECT_EQ(Positions(steps), Sweeps(0, 30, {0, 1, 2, 3}, false));
  ExpectEachCellOfRangeOnce(steps, rig.State());
  for (int s = 0; s < 4; ++s) {
    const Step& end = steps[31 * s + 30];
    const std::uint8_t tilt = s < 3 ? 16 + s + 1 : 16;
    EXPECT_EQ(end.writes, (std::vector<ServoWrite>{{kPan, 0, 0}, {kTilt, 0, tilt}})) << s;
    EXPECT_EQ(end.ms, 332 + 300 + (s < 3 ? 0 : 30)) << s;
  }
  long long total = 0;
  for (const Step& step : steps) total += step.ms;
  EXPECT_EQ(total, 124 * 332 + 120 * 100 + 4 * 300 + 30);
}

TEST(ScanPass, WithoutStopAfterPassTheNextFrameStartsAtFirstPan) {
  ScanRig rig;
  StartUp(rig, false, true);
  rig.controller.Start();
  const std::vector<Step> steps = Ticks(rig, 126);
  EXPECT_TRUE(rig.controller.Scanning());
  EXPECT_TRUE(rig.window.timerRunning);
  EXPECT_EQ(steps[124].pan, 0);
  EXPECT_EQ(steps[124].offset, 0);
  EXPECT_EQ(steps[124].writes, (std::vector<ServoWrite>{{kPan, 0, 1}}));
  EXPECT_EQ(steps[125].pan, 1);
}

struct RangeCase {
  const char* name;
  std::vector<std::pair<RangeEdge, int>> edges;
  std::uint8_t readAddress;  // 0: both modules
  int lastPan;
  friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class NarrowRange : public testing::TestWithParam<RangeCase> {};

TEST_P(NarrowRange, AddressesOnlyItsModuleAndSweepsExactlyItsColumns) {
  ScanRig rig;
  StartUp(rig, true, true);
  for (const auto& [edge, value] : GetParam().edges) ASSERT_TRUE(rig.controller.ChangeEdge(edge, value));
  const std::size_t frames = rig.link.frames.size();
  const std::vector<Step> steps = RunPass(rig);

  EXPECT_EQ(Positions(steps), Sweeps(0, GetParam().lastPan, {0, 1, 2, 3}, true));
  ExpectReadingsMatchRange(steps, rig.State());
  ExpectEachCellOfRangeOnce(steps, rig.State());
  for (std::size_t i = frames; i < rig.link.frames.size() && GetParam().readAddress != 0; ++i) {
    if (rig.link.frames[i].size() == 4) {
      ASSERT_EQ(rig.link.frames[i][1], GetParam().readAddress);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    ScanPass, NarrowRange,
    testing::Values(RangeCase{"LeftHalf", {{RangeEdge::Right, 4}}, 0xD1, 4},
                    RangeCase{"RightHalf", {{RangeEdge::Right, 35}, {RangeEdge::Left, 31}}, 0xD3, 4},
                    RangeCase{"RowsNarrowedToo",
                              {{RangeEdge::Right, 2}, {RangeEdge::Top, 13}, {RangeEdge::Bottom, 6}},
                              0xD1, 2},
                    RangeCase{"AcrossBothHalves", {{RangeEdge::Left, 25}, {RangeEdge::Right, 40}}, 0, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScanPass, OnePositionSweepTiltsWithoutPanMoves) {
  for (bool both : {false, true}) {
    SCOPED_TRACE(both);
    ScanRig rig;
    StartUp(rig, true, both);
    ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Right, 0));
    const std::vector<Step> steps = RunPass(rig);

    // A tilt step lands in state 2, whose next step only turns back to
    // sweeping forward, so every offset after the first is read twice.
    EXPECT_EQ(Positions(steps),
              (std::vector<Position>{{0, 0}, {0, 1}, {0, 1}, {0, 2}, {0, 2}, {0, 3}, {0, 3}}));
    std::vector<ServoWrite> returnPan;
    if (!both) returnPan.push_back({kPan, 0, 0});
    for (std::size_t i = 0; i < steps.size(); ++i) {
      std::vector<ServoWrite> expected;
      if (i % 2 == 0) {
        expected = returnPan;
        expected.push_back({kTilt, 0, static_cast<std::uint8_t>(i < 6 ? 17 + i / 2 : 16)});
      }
      EXPECT_EQ(steps[i].writes, expected) << i;
      EXPECT_EQ(steps[i].ms, 300 + 8 * 2 + (i == 6 ? 30 : 0)) << i;  // ReturnPan waits 0 ms
    }
  }
}

TEST(RangeEdges, RefusedChangesLeaveEveryFieldAsItWas) {
  ScanRig rig;  // head at 30
  ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Bottom, 4));
  ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Top, 12));
  EXPECT_TRUE(rig.State().firstRegister == 3 && rig.State().lastRegister == 5);  // rows 4..12
  ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Left, 20));
  const ScanState before = rig.State();
  const std::size_t ranges = rig.image.ranges.size();
  const int repaints = rig.window.repaints;
  const std::pair<RangeEdge, int> refused[] = {
      {RangeEdge::Right, 29},  {RangeEdge::Right, 62}, {RangeEdge::Right, 19}, {RangeEdge::Left, 62},
      {RangeEdge::Left, -1}, {RangeEdge::Top, 3},   {RangeEdge::Top, 32},   {RangeEdge::Top, -1},
      {RangeEdge::Bottom, 13}, {RangeEdge::Bottom, -1}};
  for (const auto& [edge, value] : refused) {
    EXPECT_FALSE(rig.controller.ChangeEdge(edge, value)) << static_cast<int>(edge) << " " << value;
    EXPECT_EQ(rig.State(), before) << static_cast<int>(edge) << " " << value;
  }
  EXPECT_EQ(rig.image.ranges.size(), ranges);
  EXPECT_EQ(rig.window.repaints, repaints);

  rig.controller.ResetRange();
  EXPECT_EQ(rig.image.ranges.back(), ScanRange{});
  EXPECT_EQ(rig.State().firstRegister, 2);
  EXPECT_EQ(rig.State().lastRegister, 9);
}

TEST(RangeEdges, SweepFollowsTheEdgesOnlyWhileTheHeadStaysInside) {
  ScanRig rig;  // head at 30
  for (int right = 60; right >= 30; --right) ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Right, right));
  EXPECT_FALSE(rig.controller.ChangeEdge(RangeEdge::Right, 29));
  EXPECT_EQ(rig.State().range.lastColumn, 30);

  rig.controller.ResetRange();
  rig.controller.Reset();  // head to 0
  for (int right = 60; right >= 10; --right) {
    ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Right, right));
    EXPECT_EQ(rig.State().lastPan, std::min(right, 30));
    EXPECT_EQ(rig.image.ranges.back(), (ScanRange{0, static_cast<std::uint8_t>(right), 0, 31}));
  }
  rig.controller.ResetRange();
  EXPECT_TRUE(rig.controller.ChangeEdge(RangeEdge::Left, 31));
  EXPECT_EQ(rig.State().firstPan, 0);
  EXPECT_FALSE(rig.controller.ChangeEdge(RangeEdge::Left, 32));
  EXPECT_TRUE(rig.controller.ChangeEdge(RangeEdge::Right, 31));  // one column
  EXPECT_EQ(rig.State().lastPan, 0);
}

TEST(Commands, MiddlePositionKeepsPanPositionSoResetWaitsFromItBackToTheFirstPan) {
  for (int ticks : {0, 12}) {
    SCOPED_TRACE(ticks);
    ScanRig rig;
    const int firstPan = ticks > 0 ? 5 : 0;
    if (ticks > 0) {
      ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Right, 30));  // the left half alone: sweep 5..30
      ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Left, firstPan));
      StartUp(rig, true, true);
      rig.controller.Start();
      Ticks(rig, ticks);
    }
    const int pan = rig.State().panPosition;  // 30 after start-up defaults, 17 after the ticks
    std::size_t frames = rig.link.frames.size();
    rig.controller.MiddlePosition();
    EXPECT_EQ(WritesIn(rig.link.frames, frames), (std::vector<ServoWrite>{{kPan, 0, 15}, {kTilt, 0, 16}}));
    EXPECT_EQ(rig.State().panPosition, pan);
    EXPECT_EQ(rig.window.calls.back(), "start off");

    frames = rig.link.frames.size();
    rig.clock.waits.clear();
    rig.link.Answer(0xAA);  // reply to the pan write
    rig.link.Answer(21);
    rig.link.Answer(23);
    rig.controller.Reset();
    EXPECT_EQ(WritesIn(rig.link.frames, frames), (std::vector<ServoWrite>{{kPan, 0, static_cast<std::uint8_t>(firstPan)}}));
    EXPECT_EQ(rig.clock.waits, (std::vector<int>{10 * (pan - firstPan), 1, 1, 1, 1}));
    EXPECT_EQ(std::vector<Frame>(rig.link.frames.begin() + frames + 1, rig.link.frames.end()),
              std::vector<Frame>(2, kAmbientRead));  // after the write, all of Reset's frames
    EXPECT_EQ(rig.image.ambients.back(), 23);
    EXPECT_EQ(rig.window.calls.back(), "start on");
  }
}

TEST(Commands, PortOpenedLaterGetsServoRangesThenTheHeadPositionTheScanFilesUnder) {
  ScanRig rig;
  StartUp(rig, true, true);
  rig.controller.Start();
  Ticks(rig, 5);
  const std::vector<ServoWrite> ranges{{kPan, 1, 20}, {kTilt, 1, 20}};
  for (const int tilt : {16, 15}) {  // scanning: the sub-row's tilt; stopped: parked
    SCOPED_TRACE(tilt);
    std::vector<ServoWrite> expected = ranges;
    expected.insert(expected.end(), {{kPan, 0, 5}, {kTilt, 0, static_cast<std::uint8_t>(tilt)}});
    const std::size_t frames = rig.link.frames.size();
    rig.controller.ResendHeadPosition();
    EXPECT_EQ(WritesIn(rig.link.frames, frames), expected);
    rig.controller.Stop();
  }
}

TEST(Commands, ResetDuringScanRestartsTheFrameAndTheScanGoesOn) {
  ScanRig rig;
  StartUp(rig, true, true);
  rig.controller.Start();
  Ticks(rig, 40);  // forward sweep done, backward at offset 1 down to pan 21
  ASSERT_EQ(Position(rig.State().panPosition, rig.State().tiltOffset), Position(21, 1));
  const std::size_t frames = rig.link.frames.size();
  rig.clock.waits.clear();
  rig.controller.Reset();
  EXPECT_EQ(WritesIn(rig.link.frames, frames), (std::vector<ServoWrite>{{kPan, 0, 0}, {kTilt, 0, 16}}));
  EXPECT_EQ(rig.clock.waits, (std::vector<int>{210, 10, 1, 1, 1, 1}));
  const std::vector<Step> steps = Ticks(rig, 2);
  EXPECT_TRUE(rig.controller.Scanning());
  EXPECT_EQ(Positions(steps), (std::vector<Position>{{0, 0}, {1, 0}}));
}

TEST(Commands, StopAndPauseParkTheTiltAndResumeRestartsOnlyARunningScan) {
  ScanRig rig;
  rig.controller.Stop();  // no scan runs: parks all the same
  EXPECT_EQ(WritesIn(rig.link.frames), (std::vector<ServoWrite>{{kTilt, 0, 15}}));
  EXPECT_EQ(rig.window.calls, (std::vector<std::string>{"timer off"}));

  rig.controller.PauseScan();
  rig.controller.ResumeScan();
  EXPECT_TRUE(rig.link.frames.size() == 1 && rig.window.calls.size() == 1) << "nothing to pause or resume";

  rig.controller.Reset();  // head to 0
  rig.State().tiltBase = 255;
  rig.controller.PerformMove(HeadMove::kTiltStep);  // offset 1: 255 + 1 goes out as 0
  rig.controller.Start();
  rig.controller.Tick();  // to pan 1
  const std::size_t frames = rig.link.frames.size();
  rig.controller.PauseScan();
  EXPECT_FALSE(rig.controller.Scanning());
  EXPECT_FALSE(rig.State().running);
  EXPECT_FALSE(rig.window.timerRunning);
  rig.controller.ResumeScan();
  EXPECT_TRUE(rig.controller.Scanning());
  EXPECT_TRUE(rig.window.timerRunning);
  EXPECT_EQ(WritesIn(rig.link.frames, frames), (std::vector<ServoWrite>{{kTilt, 0, 15}, {kTilt, 0, 0}}));
  EXPECT_EQ(WritesIn(rig.link.frames)[3], (ServoWrite{kTilt, 0, 0}));  // Start: park, pan, tilt step, Start
  rig.controller.Stop();
  rig.controller.ResumeScan();  // what was paused is resumed once
  EXPECT_FALSE(rig.controller.Scanning());
}

TEST(ScanStep, CountsTheReadsThatGotNoAnswer) {
  ScanRig rig;
  rig.controller.Start();
  rig.link.script.clear();
  for (int i = 0; i < 16; ++i) {
    if (i == 0 || i == 7 || i == 15) rig.link.Answer(0);
    else if (i == 3 || i == 8) rig.link.NoAnswer();
    else rig.link.Answer(50);
  }
  rig.controller.Tick();
  EXPECT_EQ(rig.controller.SubstitutesInLastStep(), 5);
  EXPECT_EQ(rig.controller.ReadsInLastStep(), 16);
  for (std::size_t i = 0; i < rig.image.readings.size(); ++i) {
    EXPECT_GE(rig.image.readings[i].value, 20);
    EXPECT_EQ(rig.image.readings[i].substituted, i == 0 || i == 3 || i == 7 || i == 8 || i == 15) << i;
  }
  rig.link.NoAnswer();
  rig.controller.ReadAmbient();  // outside a step: not counted
  EXPECT_EQ(rig.controller.SubstitutesInLastStep(), 5);
  rig.controller.Tick();
  EXPECT_EQ(rig.controller.SubstitutesInLastStep(), 0);
  // Rows 2..2 hold no pixel row at offset 1: the step reads nothing at all.
  ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Top, 2));
  ASSERT_TRUE(rig.controller.ChangeEdge(RangeEdge::Bottom, 2));
  ASSERT_EQ(rig.State().tiltOffset, 1);
  rig.controller.Tick();
  EXPECT_EQ(rig.controller.ReadsInLastStep(), 0);
  EXPECT_EQ(rig.controller.SubstitutesInLastStep(), 0);
}

// The frames sent since `from`.
std::vector<Frame> FramesFrom(const ScanRig& rig, std::size_t from) {
  return {rig.link.frames.begin() + static_cast<std::ptrdiff_t>(from), rig.link.frames.end()};
}

// Cells seen from one head position (pan 9, sub-row 1: (40, 13) and (9, 21)) are read there
// tick after tick without a move or a settling wait. Stopp parks the tilt; Start then begins a
// pass at the range's edge, not at the spot's column.
TEST(SpotMeasurement, CellsInViewOfOnePositionAreReadWithoutMovesAndStartBeginsAtTheRangesEdge) {
  ScanRig rig;
  StartUp(rig, true, true);  // head at pan 0
  const std::size_t frames = rig.link.frames.size();
  rig.clock.waits.clear();
  ASSERT_TRUE(rig.controller.StartSpot({{40, 13}, {9, 21}}).empty());
  EXPECT_EQ(WritesIn(rig.link.frames, frames), (std::vector<ServoWrite>{{kPan, 0, 9}, {kTilt, 0, 17}}));
  EXPECT_EQ(rig.clock.waits, (std::vector<int>{90, 300}));
  const std::size_t before = rig.link.frames.size();
  const std::vector<Step> steps = Ticks(rig, 3);
  const Frame right = ReadFrame(kPan, 5), left = ReadFrame(kTilt, 7);  // 13 = 1 + 4 * 3, 21 = 1 + 4 * 5
  EXPECT_EQ(FramesFrom(rig, before), (std::vector<Frame>{right, left, right, left, right, left}));
  for (const Step& step : steps) EXPECT_EQ(step.ms, 2 * 2);
  EXPECT_EQ(steps[0].readings, (std::vector<Reading>{{40, 13, kReading}, {9, 21, kReading}}));
  EXPECT_TRUE(rig.window.timerRunning && rig.controller.Scanning());
  const std::size_t atStop = rig.link.frames.size();
  rig.controller.Stop();
  EXPECT_EQ(WritesIn(rig.link.frames, atStop), (std::vector<ServoWrite>{{kTilt, 0, 15}}));
  EXPECT_FALSE(rig.controller.Spotting() || rig.window.timerRunning);
  rig.clock.waits.clear();
  rig.controller.Start();
  EXPECT_EQ(WritesIn(rig.link.frames, atStop + 1), (std::vector<ServoWrite>{{kPan, 0, 0}, {kTilt, 0, 16}}));
  EXPECT_EQ(rig.clock.waits, (std::vector<int>{90}));
  const Step pass = TickOnce(rig);
  EXPECT_EQ(pass.readings, ExpectedReadings(rig.State(), 0, 0)) << "an ordinary first step of a pass";
}

// Points seen from different head positions are visited in turn, one per tick, each with one
// move and one settling wait; a round of visits is one round of readings.
TEST(SpotMeasurement, PointsOutOfViewAreVisitedInTurnWithOneMoveAndSettleEach) {
  ScanRig rig;
  StartUp(rig, true, true);
  ASSERT_TRUE(rig.controller.StartSpot({{40, 13}, {9, 22}, {12, 13}, {9, 21}}).empty());
  const std::size_t before = rig.link.frames.size();
  rig.clock.waits.clear();
  const std::vector<Step> steps = Ticks(rig, 4);
  EXPECT_EQ(FramesFrom(rig, before),
            (std::vector<Frame>{ReadFrame(kPan, 5), ReadFrame(kTilt, 7),                       // (40, 13), (9, 21)
                                PanWrite(9), TiltWrite(18), ReadFrame(kTilt, 7),             // (9, 22)
                                PanWrite(12), TiltWrite(17), ReadFrame(kTilt, 5),            // (12, 13)
                                PanWrite(9), TiltWrite(17), ReadFrame(kPan, 5), ReadFrame(kTilt, 7)}));
  EXPECT_EQ(rig.clock.waits, (std::vector<int>{1, 1, 1, 1, 0, 300, 1, 1, 30, 300, 1, 1, 30, 300, 1, 1, 1, 1}));
  std::vector<std::uint64_t> rounds;
  for (const CellReading& reading : rig.image.stamped) rounds.push_back(reading.round);
  const std::uint64_t first = rounds.front();
  EXPECT_EQ(rounds, (std::vector<std::uint64_t>{first, first, first, first, first + 1, first + 1}));
  EXPECT_FALSE(rig.controller.ChangeEdge(RangeEdge::Right, 10)) << "pan 12 is still to be visited";
}

// Every cell is checked against the scan range, up to each edge; a refused spot measurement
// names the cells outside (by number) and sends nothing.
TEST(SpotMeasurement, AnyCellOutsideTheRangeRefusesItWithoutAFrame) {
  ScanRig rig;
  StartUp(rig, true, true);
  const std::size_t frames = rig.link.frames.size();
  struct Case {
    RangeEdge edge;
    int value;
    std::vector<GridCell> cells;  // the last one just outside the edge
  };
  for (const Case& c : {Case{RangeEdge::Right, 16, {{16, 3}, {45, 12}, {17, 3}}},
                        Case{RangeEdge::Left, 31, {{31, 12}, {5, 12}, {30, 12}}},
                        Case{RangeEdge::Top, 21, {{40, 21}, {45, 28}, {40, 22}}},
                        Case{RangeEdge::Bottom, 2, {{40, 2}, {9, 0}, {40, 1}}}}) {
    ASSERT_TRUE(rig.controller.ChangeEdge(c.edge, c.value));
    EXPECT_EQ(rig.controller.StartSpot(c.cells), (std::vector<int>{2, 3})) << static_cast<int>(c.edge);
    rig.controller.ResetRange();
  }
  EXPECT_TRUE(rig.controller.StartSpot({}).empty());
  EXPECT_FALSE(rig.controller.Spotting() || rig.controller.Scanning());
  EXPECT_EQ(rig.link.frames.size(), frames);
}

// A head that answers after the time-out: in a spot measurement the line falls quiet before
// the next request (the late answer is read and dropped), so the late byte of a servo write or
// of a read is never taken as a temperature.
TEST(SpotMeasurement, LateAnswersAreDroppedBeforeTheNextRequest) {
  ScanRig rig;
  StartUp(rig, true, true);
  for (const auto& answer : std::vector<std::optional<std::uint8_t>>{
           std::nullopt, 1, std::nullopt,  // the pan write's reply comes late, then the line is quiet
           1,                              // the tilt write's reply
           std::nullopt, 60, std::nullopt,  // the read times out, its answer comes late
           21})
    rig.link.script.push_back(answer);
  rig.timeline.clear();
  ASSERT_TRUE(rig.controller.StartSpot({{40, 13}}).empty());
  Ticks(rig, 1);
  EXPECT_EQ(rig.controller.DroppedInLastStep(), 1);
  Ticks(rig, 1);
  ASSERT_EQ(rig.image.stamped.size(), 2u);
  EXPECT_TRUE(rig.image.stamped[0].substituted);
  EXPECT_EQ(rig.image.readings[1], (Reading{40, 13, 21}));
  EXPECT_FALSE(rig.image.stamped[1].doubtful);
  EXPECT_EQ(std::count(rig.timeline.begin(), rig.timeline.end(), "read"), 8);
}

// In a pass, whose timing stays as it is, a time-out leaves the rest of its step and the next
// step in doubt: the picture gets the readings, marked doubtful.
TEST(ScanStepReadings, ATimeOutMarksTheRestOfItsStepAndTheNextStepDoubtful) {
  ScanRig rig;
  StartUp(rig, true, true);
  rig.controller.Start();
  for (int i = 0; i < 3; ++i) rig.link.Answer(kReading);
  rig.link.NoAnswer();
  const std::vector<Step> steps = Ticks(rig, 3);
  std::vector<bool> doubtful;
  for (const CellReading& reading : rig.image.stamped) doubtful.push_back(reading.doubtful);
  const std::size_t perStep = steps[0].readings.size();
  std::vector<bool> expected(3 * perStep, false);
  std::fill(expected.begin() + 4, expected.begin() + 2 * static_cast<std::ptrdiff_t>(perStep), true);
  EXPECT_EQ(doubtful, expected);
  EXPECT_TRUE(rig.image.stamped[3].substituted && !rig.image.stamped[3].doubtful);
}

// In 1-row mode each sweep is a whole frame at the first sub-row; with both
// directions on the head turns at each end instead of re-reading the last column forever.
TEST(OneRowMode, BothDirectionsSweepsBackAfterEachFrame) {
  ScanRig rig;
  rig.controller.SetOneRowMode();
  StartUp(rig, false, true);
  rig.controller.Start();
  const std::vector<Step> steps = Ticks(rig, 93);
  EXPECT_EQ(Positions(steps), Sweeps(0, 30, {0, 0, 0}, true));
  ExpectReadingsMatchRange(steps, rig.State());  // rows 0, 4, .., 28 of both halves
  for (const ServoWrite& w : WritesIn(rig.link.frames)) EXPECT_TRUE(w.address != kTilt || w.value == 16);
}

}  // namespace
