#include "headsim/scene.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

namespace headsim {
namespace {

constexpr int kTiltBase = 16;

// A spot falls off linearly from its centre to its edge and ends there.
bool Inside(const Spot& spot, int column, int row, double* celsius) {
  const double distance = std::hypot(column - spot.column, row - spot.row);
  if (distance > spot.radius) {
    return false;
  }
  const double share = distance / spot.radius;
  *celsius = spot.centreCelsius + share * (spot.edgeCelsius - spot.centreCelsius);
  return true;
}

// The hand print in the left picture, seen from above with its top row
// first: each digit is a cell's excess over the table in whole degrees when
// the hand has just been lifted, 3 where it lay, less at its soft edge; a dot
// is the bare table.
constexpr const char* kHandPrint[] = {
    "..........11........",
    "......11.1331.......",
    ".....13311331.11....",
    ".....133113311331...",
    ".....133113311331...",
    "..11.133113311331...",
    ".1331133113311331...",
    ".1231133113311331...",
    "..231133113311331...",
    "..231133113311331...",
    "..231133113311331...",
    "..232133113311331...",
    "..232233333322331121",
    "..123333333333211232",
    "..233333333333322321",
    ".123333333333332331.",
    ".13333333333333332..",
    ".1233333333333332...",
    "..233333333333321...",
    "..23333333333332....",
    ".1333333333333331...",
    "..23333333333332....",
    "..23333333333332....",
    "...233333333332.....",
    "....1222222221......",
};
constexpr int kHandPrintLeftColumn = 5;
constexpr int kHandPrintTopRow = 28;
constexpr int kHandPrintExcess = kHandCelsius - kRoomCelsius;

// The hand print's excess over the table at cell (column, row) just after the hand was lifted.
int HandPrintExcess(int column, int row) {
  const int line = kHandPrintTopRow - row;
  const int offset = column - kHandPrintLeftColumn;
  if (line < 0 || line >= static_cast<int>(std::size(kHandPrint)) || offset < 0 ||
      offset >= static_cast<int>(std::strlen(kHandPrint[line])) || kHandPrint[line][offset] == '.') {
    return 0;
  }
  return kHandPrint[line][offset] - '0';
}

// The mug scene's temperature at a cell while the mug's centre is at mugCentreCelsius.
double MugSceneCelsius(int column, int row, double mugCentreCelsius) {
  double celsius = kRoomCelsius;
  if (Inside(kMug, column, row, &celsius)) {
    // A mug cell's excess over the room scales with the centre's; at kMug's
    // own centre temperature the scale is exactly 1, the fixed scene.
    const double mugScale = (mugCentreCelsius - kRoomCelsius) / (kMug.centreCelsius - kRoomCelsius);
    return kRoomCelsius + (celsius - kRoomCelsius) * mugScale;
  }
  for (const Spot& spot : {kHotSpot, kColdSpot}) {
    if (Inside(spot, column, row, &celsius)) {
      break;
    }
  }
  return celsius;
}

// The hand scene's at a cell while the print's warmest cells are at handCelsius:
// every cell keeps its share of their excess over the table.
double HandSceneCelsius(int column, int row, double handCelsius) {
  const double handScale = (handCelsius - kRoomCelsius) / kHandPrintExcess;
  return kRoomCelsius + HandPrintExcess(column, row) * handScale;
}

constexpr double kZeroCelsiusInKelvin = 273.15;

// What a thermopile reads of a grey body at celsius with that emissivity,
// the room being what it reflects: the broadband radiation balance in kelvin.
double ApparentCelsius(double celsius, double emissivity) {
  const double body = std::pow(celsius + kZeroCelsiusInKelvin, 4);
  const double room = std::pow(kRoomCelsius + kZeroCelsiusInKelvin, 4);
  return std::pow(emissivity * body + (1 - emissivity) * room, 0.25) - kZeroCelsiusInKelvin;
}

// The cube scene's temperature at a cell while the water is at waterCelsius.
double CubeSceneCelsius(int column, int row, double waterCelsius) {
  for (const CubeFace& face : kCubeFaces) {
    if (column >= face.firstColumn && column <= face.lastColumn && row >= face.firstRow && row <= face.lastRow) {
      return ApparentCelsius(waterCelsius, face.emissivity);
    }
  }
  return kRoomCelsius;
}

double RodSceneCelsius(int column, int row, const SceneMoment& moment) {
  if (row != kRodRow || column < kRodFirstColumn || column > kRodLastColumn) {
    return kRoomCelsius;
  }
  return RodCelsius(column - kRodFirstColumn, moment);
}

double SceneCelsius(int column, int row, const SceneMoment& moment) {
  switch (moment.scene) {
    case Scene::kHand:
      return HandSceneCelsius(column, row, moment.warmestCelsius);
    case Scene::kCube:
      return CubeSceneCelsius(column, row, moment.warmestCelsius);
    case Scene::kRod:
      return RodSceneCelsius(column, row, moment);
    case Scene::kMug:
      break;
  }
  return MugSceneCelsius(column, row, moment.warmestCelsius);
}

}  // namespace

double RodCelsius(double cells, const SceneMoment& moment) {
  const double length = kRodLastColumn - kRodFirstColumn;
  const double spread = moment.rodSpreadCells;
  if (spread <= 0) {
    return cells <= 0 ? moment.warmestCelsius : kRoomCelsius;
  }
  // Far beyond the rod's length the whole rod is at the heater: its slowest
  // mode's remaining share, exp(-pi^2 spread^2 / (4 length^2)), is below
  // 1e-100, and the images below would need ever more terms.
  if (spread > 10 * length) {
    return moment.warmestCelsius;
  }
  // The heater's step mirrored at the insulated end and back at the heated
  // one. The terms alternate and shrink, so the sum stops once the smaller
  // argument reaches 6, where erfc is below 1e-16.
  double share = 0;
  for (int k = 0; (2 * k * length + cells) / (2 * spread) < 6; ++k) {
    const double sign = k % 2 == 0 ? 1 : -1;
    share += sign * (std::erfc((2 * k * length + cells) / (2 * spread)) +
                     std::erfc((2 * (k + 1) * length - cells) / (2 * spread)));
  }
  return kRoomCelsius + (moment.warmestCelsius - kRoomCelsius) * share;
}

double WarmestCelsius(const Course& course, double seconds) {
  return kRoomCelsius + (course.startCelsius - kRoomCelsius) * std::exp(-seconds / course.tauSeconds);
}

int ExpectedReading(int column, int row, SceneMoment moment) {
  const double celsius = SceneCelsius(column, row, moment);
  // The sensors round to whole degrees and answer in one byte. Clamping
  // before rounding gives the same reading and keeps a mug started far
  // outside that byte within what std::lround can represent.
  return static_cast<int>(std::lround(std::clamp(celsius, 1.0, 255.0)));
}

int PixelReading(int moduleAddress, int panPosition, int tiltPosition, int pixelRegister, SceneMoment moment) {
  const int pan = std::clamp(panPosition, 0, 30);
  const int column = (moduleAddress & 0xFE) == 0xD0 ? pan : pan + 31;
  const int offset = std::clamp(tiltPosition - kTiltBase, 0, 3);
  const int row = std::clamp(offset + 4 * (pixelRegister - 2), 0, 31);
  return ExpectedReading(column, row, moment);
}

}  // namespace headsim
