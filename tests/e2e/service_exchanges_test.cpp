// The scan's service on the real serial link, talking to the emulated head:
// the frames of start-up, "Start", the steps and "Stopp" as the head logs
// them, and a whole pass that reads the scene.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "tests/e2e/service_on_head.h"

namespace {

QStringList FirstSweepStepLog(int pan) {
  QStringList lines;
  for (const Reading& r : FirstSweepStep(pan)) {
    const int address = r.column >= 31 ? kPanModule + 1 : kTiltModule + 1;
    lines << ReadLine(address, r.row / 4 + 2, r.value);
  }
  lines << WriteLine(kPanModule, 0, pan + 1);
  return lines;
}

TEST_F(ServiceOnHead, StartUpStartStepsAndStopSendTheFramesInOrderAndStopParksTheTilt) {
  ASSERT_NO_FATAL_FAILURE(Begin());
  ASSERT_NO_FATAL_FAILURE(StartUp());
  const QString ambientRead = ReadLine(kTiltModule + 1, 1, headsim::kAmbientCelsius);
  // Servo ranges (pan module first), then "Reset": pan to 0, two ambient
  // reads; then one more ambient read.
  const QStringList startUp{WriteLine(kPanModule, 1, 20),
                            WriteLine(kTiltModule, 1, 20),
                            WriteLine(kPanModule, 0, 0),
                            ambientRead,
                            ambientRead,
                            ambientRead};
  ASSERT_TRUE(head.WaitForLogSize(startUp.size()));
  EXPECT_EQ(head.Log(), startUp);
  EXPECT_EQ(ambient->last().at(0).toInt(), headsim::kAmbientCelsius);

  // Three whole steps, then the fourth is held after its reads; "Stopp"
  // given now must take effect right after that step.
  constexpr int kSteps = 4;
  gate->Allow(kSteps - 1);
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return gate->Holding(); }));
  service->Stop();
  gate->Open();
  const QString park = WriteLine(kTiltModule, 0, 15);
  ASSERT_TRUE(head.WaitForLine(park));
  QTest::qWait(200);  // no step may follow the park position

  QStringList expected = startUp;
  expected << WriteLine(kTiltModule, 0, 16);  // "Start": tilt base + offset 0
  std::vector<Reading> expectedReadings;
  for (int pan = 0; pan < kSteps; ++pan) {
    expected << FirstSweepStepLog(pan);
    const std::vector<Reading> step = FirstSweepStep(pan);
    expectedReadings.insert(expectedReadings.end(), step.begin(), step.end());
  }
  expected << park;
  EXPECT_EQ(head.Log(), expected);
  ASSERT_TRUE(WaitFor([&] { return readings->size() >= kSteps * 16; }));
  EXPECT_EQ(Readings(*readings), expectedReadings);
  EXPECT_EQ(scanning->last().at(0).toBool(), false);
}

TEST_F(ServiceOnHead, FullPassWithBothOptionsSweepsThereAndBackFillsEveryCellWithTheSceneAndParks) {
  ASSERT_NO_FATAL_FAILURE(Begin());
  ASSERT_NO_FATAL_FAILURE(StartUp());
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return scanning->size() == 2; }, 60000));  // on, then off after the pass
  EXPECT_EQ(scanning->at(0).at(0).toBool(), true);
  EXPECT_EQ(scanning->at(1).at(0).toBool(), false);
  ASSERT_TRUE(head.WaitForLine(WriteLine(kTiltModule, 0, 15)));

  // 4 sweeps of 31 steps, 16 readings each: in every step the right column
  // (module 0xD2) before the left one, the rows of each from the bottom up.
  const std::vector<Reading> got = Readings(*readings);
  EXPECT_EQ(got.size(), 124u * 16u);
  for (std::size_t i = 0; i + 1 < got.size(); ++i) {
    const bool sameColumn = i % 16 != 7 && i % 16 != 15;
    const Reading& next = got[i + 1];
    if (sameColumn ? next.column != got[i].column || next.row != got[i].row + 4
                   : i % 16 == 7 && next.column != got[i].column - 31) {
      ADD_FAILURE() << "reading " << i + 1 << " out of order: " << ::testing::PrintToString(next);
      break;
    }
  }
  ExpectSceneInEveryCell(GridOf(got));

  // The moves: forward at offset 0, backward at 1, forward at 2, backward
  // at 3, each sweep ended by a tilt step; the pass ends at pan 0 with the
  // tilt at its base, and the next tick parks it.
  QStringList moves{WriteLine(kTiltModule, 0, 16)};
  for (int sweep = 0; sweep < 4; ++sweep) {
    for (int step = 1; step <= 30; ++step)
      moves << WriteLine(kPanModule, 0, sweep % 2 == 0 ? step : 30 - step);
    moves << WriteLine(kTiltModule, 0, sweep < 3 ? 17 + sweep : 16);
  }
  moves << WriteLine(kTiltModule, 0, 15);
  const QStringList log = head.Log();
  EXPECT_EQ(log.filter(QRegularExpression("^write")).mid(3), moves);  // after the start-up's three
}

}  // namespace
