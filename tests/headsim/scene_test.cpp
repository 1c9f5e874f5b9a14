// With --cooling the mug's centre follows Newton's law towards the room,
// T(t) = 21 + (T0 - 21) exp(-t / TAU), from above and from below; the rest of
// the mug scales with it and every other cell stays as it was. The hand
// print's excess over the table fades by the same law.
#include "headsim/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

TEST(MugCourse, CentreCoolsAndWarmsByNewtonsLawAsPixelsSeeIt) {
  for (const double start : {80.0, 5.0}) {
    for (const double taus : {0.0, 1.0, 3.0}) {
      const double law = 21 + (start - 21) * std::exp(-taus);
      const double centre = headsim::WarmestCelsius({start, 10.0}, taus * 10.0);
      // Register 5 of the left module, pan 12, tilt 16: cell (12, 12), the mug's centre.
      EXPECT_NEAR(headsim::PixelReading(0xD1, 12, 16, 5, {headsim::Scene::kMug, centre}), law, 0.5) << start << " after " << taus;
    }
  }
}

TEST(MugCourse, EdgeScalesWithCentreAndCellsOutsideTheMugStay) {
  // Halfway from the room to 60 °C, the 35 °C edge (14 above the room) is 7 above it.
  EXPECT_EQ(headsim::ExpectedReading(16, 12, {headsim::Scene::kMug, 40.5}), 28);
  int changedOutside = 0;
  for (int cell = 0; cell < 62 * 32; ++cell) {
    const int column = cell / 32, row = cell % 32;
    changedOutside += std::hypot(column - 12, row - 12) > 4 &&
                      headsim::ExpectedReading(column, row, {headsim::Scene::kMug, 150.0}) != headsim::ExpectedReading(column, row);
  }
  EXPECT_EQ(changedOutside, 0);
}

// The hand print, as a full scan of both modules sees it at a moment.
std::map<int, int> HandPrintCellsByReading(double seconds) {
  const headsim::SceneMoment moment{headsim::Scene::kHand, headsim::WarmestCelsius(headsim::kFadingHand, seconds)};
  std::map<int, int> cells;
  for (const int module : {0xD1, 0xD3}) {
    for (int pan = 0; pan <= 30; ++pan) {
      for (int tilt = 16; tilt <= 19; ++tilt) {
        for (int pixel = 2; pixel <= 9; ++pixel) ++cells[headsim::PixelReading(module, pan, tilt, pixel, moment)];
      }
    }
  }
  return cells;
}

TEST(HandPrint, StartsUpTo3KAboveTheTableAndFadesIntoItWithinAFewTimeConstants) {
  const std::map<int, int> lifted = HandPrintCellsByReading(0);
  EXPECT_EQ(lifted.begin()->first, 21);
  EXPECT_EQ(lifted.rbegin()->first, 24);
  EXPECT_GT(lifted.at(21), lifted.at(24)) << "more table than print";
  // After one time constant the warmest excess is 3/e, 1.1 K.
  EXPECT_EQ(HandPrintCellsByReading(headsim::kHandFadeSeconds).rbegin()->first, 22);
  EXPECT_EQ(HandPrintCellsByReading(3 * headsim::kHandFadeSeconds), (std::map<int, int>{{21, 62 * 32}}));
}
