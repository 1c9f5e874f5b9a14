// The faults of real hardware, one emulator option each, through the scan's
// service: answers of 0, line noise, slow answers, and a cable pulled in
// the middle of a scan and plugged in again.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/e2e/service_on_head.h"
#include "tests/support/process_cpu.h"

namespace {

constexpr auto kNoSensor = "Kein Sensor antwortet – Ersatzwerte";

bool InSpot(int column, int row) {
  for (const headsim::Spot& spot : {headsim::kMug, headsim::kHotSpot, headsim::kColdSpot}) {
    if (std::hypot(column - spot.column, row - spot.row) <= spot.radius) return true;
  }
  return false;
}

TEST_F(ServiceOnHead, HeadAnsweringZerosGivesSubstitutesAndTheStatusSaysNoSensorAnswers) {
  ASSERT_NO_FATAL_FAILURE(Begin({"--zeros"}));
  ASSERT_NO_FATAL_FAILURE(StartUp());
  EXPECT_TRUE(IsSubstitute(ambient->last().at(0).toInt()));

  // Two whole steps, and the reads of the third.
  gate->Allow(2);
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return readings->size() == 48 && StatusTexts().contains(kNoSensor); }));
  const std::vector<Reading> got = Readings(*readings);
  bool differsFromScene = false;
  for (const Reading& r : got) {
    EXPECT_TRUE(IsSubstitute(r.value)) << ::testing::PrintToString(r);
    differsFromScene |= r != SceneReading(r.column, r.row);
  }
  EXPECT_TRUE(differsFromScene);
  EXPECT_EQ(StatusTexts(), (QStringList{OpenedText(), kNoSensor}));
}

TEST_F(ServiceOnHead, LineNoiseDisturbsFewReadingsAndThePassCompletesInStepWithTheHead) {
  // A random byte before about one reply in eight.
  ASSERT_NO_FATAL_FAILURE(Begin({"--garbage", "8"}));
  ASSERT_NO_FATAL_FAILURE(StartUp());
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return scanning->size() == 2; }, 60000));  // on, and off after one pass

  const std::vector<Reading> got = Readings(*readings);
  EXPECT_EQ(got.size(), 124u * 16u);
  for (const Reading& r : got) EXPECT_TRUE(r.value >= 1 && r.value <= 255) << ::testing::PrintToString(r);
  // A stray byte may spoil the reply it comes before (about one in eight),
  // but the exchanges after it stay in step: most cells of the spots read
  // their own values. Out of step, replies would land on later cells and
  // the spots would show the room's 21 degrees.
  const Grid grid = GridOf(got);
  int spotCells = 0;
  int right = 0;
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      if (!InSpot(column, row)) continue;
      ++spotCells;
      right += grid[column][row] == headsim::ExpectedReading(column, row);
    }
  }
  EXPECT_GE(right, spotCells / 2) << "of " << spotCells;
}

TEST_F(ServiceOnHead, AnswersDelayedBelowTheTimeOutStillGiveTheRightReadings) {
  ASSERT_NO_FATAL_FAILURE(Begin({"--delay", "600"}));
  ASSERT_NO_FATAL_FAILURE(StartUp(20000));
  EXPECT_EQ(ambient->last().at(0).toInt(), headsim::kAmbientCelsius);

  // Column 0 and rows 0..7 only: registers 2 and 3 of module 0xD0 per step.
  service->ChangeEdge(RangeEdge::Right, 0);
  service->ChangeEdge(RangeEdge::Top, 7);
  gate->Allow(0);
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return gate->Holding() && readings->size() >= 2; }, 20000));
  EXPECT_EQ(Readings(*readings), (std::vector<Reading>{SceneReading(0, 0), SceneReading(0, 4)}));
  EXPECT_FALSE(StatusTexts().contains(kNoSensor));
}

TEST_F(ServiceOnHead, HangUpIsReportedScanGoesOnIdlyWithSubstitutesAndTheReturnedHeadIsReadAgain) {
  // Start-up sends 6 frames and "Start" one; a step has 17: the head hangs
  // up during the reads of the second step. Real waits, so that an idle
  // scan uses next to no processor time.
  ASSERT_NO_FATAL_FAILURE(Begin({"--hangup-after", "30"}, true));
  ASSERT_NO_FATAL_FAILURE(StartUp());
  service->Start();
  const QString lost = QStringLiteral("Verbindung zu Com 1 (%1) verloren – Ersatzwerte").arg(head.Link());
  ASSERT_TRUE(WaitFor([&] { return StatusTexts().contains(lost); }, 15000));
  EXPECT_TRUE(head.WaitForLine(QStringLiteral("hangup")));

  const qsizetype atLoss = readings->size();
  const double cpuBefore = ProcessCpuSeconds();
  QTest::qWait(1500);
  const double cpuSeconds = ProcessCpuSeconds() - cpuBefore;
  EXPECT_LT(cpuSeconds, 0.75) << "a thread keeps the processor busy after the loss";
  ASSERT_GE(readings->size(), atLoss + 16) << "the scan stopped after the loss";
  for (const Reading& r : Readings(*readings, atLoss))
    EXPECT_TRUE(IsSubstitute(r.value)) << ::testing::PrintToString(r);

  // The head comes back on the same link; the port is selected again and
  // "Reset" brings the head to the start of the frame.
  ASSERT_TRUE(head.Start());
  service->SelectPort(1);
  ASSERT_TRUE(WaitFor([&] { return StatusTexts().endsWith(OpenedText()); }));
  qsizetype afterReset = -1;
  const QMetaObject::Connection marker = QObject::connect(
      service.get(), &ScanService::ambientChanged, service.get(), [&] { afterReset = readings->size(); });
  service->Reset();
  const bool stepAfterReset = WaitFor([&] { return afterReset >= 0 && readings->size() >= afterReset + 16; });
  QObject::disconnect(marker);
  ASSERT_TRUE(stepAfterReset);
  const std::vector<Reading> again = Readings(*readings, afterReset);
  EXPECT_EQ(std::vector<Reading>(again.begin(), again.begin() + 16), FirstSweepStep(0));
  EXPECT_EQ(ambient->last().at(0).toInt(), headsim::kAmbientCelsius);
  EXPECT_EQ(StatusTexts().last(), OpenedText());
}

}  // namespace
