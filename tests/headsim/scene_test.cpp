// With --cooling the mug's centre follows Newton's law towards the room,
// T(t) = 21 + (T0 - 21) exp(-t / TAU), from above and from below; the rest of
// the mug scales with it and every other cell stays as it was.
#include "headsim/scene.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(MugCourse, CentreCoolsAndWarmsByNewtonsLawAsPixelsSeeIt) {
  for (const double start : {80.0, 5.0}) {
    for (const double taus : {0.0, 1.0, 3.0}) {
      const double law = 21 + (start - 21) * std::exp(-taus);
      const double centre = headsim::MugCentreCelsius({start, 10.0}, taus * 10.0);
      // Register 5 of the left module, pan 12, tilt 16: cell (12, 12), the mug's centre.
      EXPECT_NEAR(headsim::PixelReading(0xD1, 12, 16, 5, centre), law, 0.5) << start << " after " << taus;
    }
  }
}

TEST(MugCourse, EdgeScalesWithCentreAndCellsOutsideTheMugStay) {
  // Halfway from the room to 60 °C, the 35 °C edge (14 above the room) is 7 above it.
  EXPECT_EQ(headsim::ExpectedReading(16, 12, 40.5), 28);
  int changedOutside = 0;
  for (int cell = 0; cell < 62 * 32; ++cell) {
    const int column = cell / 32, row = cell % 32;
    changedOutside += std::hypot(column - 12, row - 12) > 4 &&
                      headsim::ExpectedReading(column, row, 150.0) != headsim::ExpectedReading(column, row);
  }
  EXPECT_EQ(changedOutside, 0);
}
