// With --cooling the mug's centre follows Newton's law towards the room,
// T(t) = 21 + (T0 - 21) exp(-t / TAU), from above and from below; the rest of
// the mug scales with it and every other cell stays as it was. The hand
// print's excess over the table fades by the same law. The Leslie cube's
// faces read grey-body apparent temperatures; the heated rod follows the
// heat equation.
#include "headsim/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

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

// What a thermopile reads of a grey body at celsius reflecting the 21 °C room, computed here on its own.
long ApparentReading(double celsius, double emissivity) {
  const double body = celsius + 273.15, room = 21 + 273.15;
  return std::lround(std::pow(emissivity * std::pow(body, 4) + (1 - emissivity) * std::pow(room, 4), 0.25) - 273.15);
}

bool Within(int column, int row, const headsim::CubeFace& face) {
  return column >= face.firstColumn && column <= face.lastColumn && row >= face.firstRow && row <= face.lastRow;
}

TEST(LeslieCube, EachFaceReadsItsApparentTemperatureAndTheRoomAroundThem) {
  EXPECT_EQ(ApparentReading(70, 1.0), 70);  // the formula here: a black body reads its true temperature
  for (const double water : {headsim::kCubeCelsius, 95.5, 5.0}) {
    int wrongCells = 0;
    for (int cell = 0; cell < 62 * 32; ++cell) {
      const int column = cell / 32, row = cell % 32;
      long expected = 21;
      for (const headsim::CubeFace& face : headsim::kCubeFaces) {
        if (Within(column, row, face)) expected = ApparentReading(water, face.emissivity);
      }
      wrongCells += headsim::ExpectedReading(column, row, {headsim::Scene::kCube, water}) != expected;
    }
    EXPECT_EQ(wrongCells, 0) << water;
  }
  // At 70 °C matt black reads nearly the water, polished aluminium nearly the room.
  const headsim::CubeFace &black = headsim::kCubeFaces[0], &polished = headsim::kCubeFaces[3];
  EXPECT_GE(headsim::ExpectedReading(black.firstColumn, black.firstRow, {headsim::Scene::kCube, 70}), 67);
  EXPECT_LE(headsim::ExpectedReading(polished.lastColumn, polished.lastRow, {headsim::Scene::kCube, 70}), 27);
}

constexpr double kRodLength = headsim::kRodLastColumn - headsim::kRodFirstColumn;

// The rod's profile from its heated end to its insulated one, heated to 90 °C.
std::vector<double> RodProfile(double spreadCells) {
  std::vector<double> profile;
  for (int cells = 0; cells <= kRodLength; ++cells) {
    profile.push_back(headsim::RodCelsius(cells, {headsim::Scene::kRod, 90, spreadCells}));
  }
  return profile;
}

TEST(HeatedRod, StartsAtTheRoomExceptItsHeatedEndAndWarmsOnlyItself) {
  int warmCells = 0;
  for (int cell = 0; cell < 62 * 32; ++cell) {
    warmCells += headsim::ExpectedReading(cell / 32, cell % 32, {headsim::Scene::kRod, 95.4, 0}) != 21;
  }
  EXPECT_EQ(warmCells, 1);
  EXPECT_EQ(headsim::ExpectedReading(headsim::kRodFirstColumn, headsim::kRodRow, {headsim::Scene::kRod, 95.4, 0}), 95);
  // Long after, the whole rod is at the heater and the cells beyond its ends still at the room.
  for (const int column : {headsim::kRodFirstColumn - 1, headsim::kRodLastColumn, headsim::kRodLastColumn + 1}) {
    const bool onRod = column == headsim::kRodLastColumn;
    const int reading = headsim::ExpectedReading(column, headsim::kRodRow, {headsim::Scene::kRod, 90, 1000});
    EXPECT_EQ(reading, onRod ? 90 : 21) << column;
  }
}

TEST(HeatedRod, FallsFromTheHeaterWarmsOverTimeAndMeetsItsLimits) {
  std::vector<double> earlier = RodProfile(0);
  for (const double spread : {2.0, 10.0, 30.0, 60.0, 120.0}) {
    const std::vector<double> profile = RodProfile(spread);
    EXPECT_DOUBLE_EQ(profile.front(), 90) << spread;
    for (std::size_t cells = 1; cells < profile.size(); ++cells) {
      EXPECT_LE(profile[cells], profile[cells - 1]) << spread << " at " << cells;
      EXPECT_GE(profile[cells], earlier[cells]) << spread << " at " << cells;
    }
    EXPECT_GT(profile[10], earlier[10]) << spread;
    earlier = profile;
  }
  // Long before the heat reaches the far end the rod is a semi-infinite one: 21 + 69 erfc(x / (2 sqrt(a t))).
  const std::vector<double> early = RodProfile(2);
  for (std::size_t cells = 0; cells < early.size(); ++cells) {
    EXPECT_NEAR(early[cells], 21 + 69 * std::erfc(cells / 4.0), 1e-9) << cells;
  }
  // Long after, the far end's lack is all in the slowest mode: 69 (4 / pi) exp(-pi^2 a t / (4 L^2)).
  const double slowestMode = std::exp(-M_PI * M_PI * 120 * 120 / (4 * kRodLength * kRodLength));
  EXPECT_NEAR(90 - earlier.back(), 69 * 4 / M_PI * slowestMode, 1e-9);
}

TEST(HeatedRod, FarEndIsInsulatedSoItsSlopeIsFlatWhileItWarms) {
  for (const double heater : {90.0, 5.0}) {
    const headsim::SceneMoment moment{headsim::Scene::kRod, heater, kRodLength};
    const double end = headsim::RodCelsius(kRodLength, moment);
    EXPECT_GT(std::abs(end - 21), 5) << heater << ": the far end is warming (or cooling)";
    EXPECT_NEAR(end - headsim::RodCelsius(kRodLength - 0.01, moment), 0, 1e-4) << heater;
  }
}
