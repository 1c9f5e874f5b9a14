#include "headsim/scene.h"

#include <algorithm>
#include <cmath>

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

}  // namespace

double MugCentreCelsius(const MugCourse& course, double seconds) {
  return kRoomCelsius + (course.startCelsius - kRoomCelsius) * std::exp(-seconds / course.tauSeconds);
}

int ExpectedReading(int column, int row, double mugCentreCelsius) {
  double celsius = kRoomCelsius;
  if (Inside(kMug, column, row, &celsius)) {
    // A mug cell's excess over the room scales with the centre's; at kMug's
    // own centre temperature the scale is exactly 1, the fixed scene.
    const double mugScale = (mugCentreCelsius - kRoomCelsius) / (kMug.centreCelsius - kRoomCelsius);
    celsius = kRoomCelsius + (celsius - kRoomCelsius) * mugScale;
  } else {
    for (const Spot& spot : {kHotSpot, kColdSpot}) {
      if (Inside(spot, column, row, &celsius)) {
        break;
      }
    }
  }
  // The sensors round to whole degrees and answer in one byte. Clamping
  // before rounding gives the same reading and keeps a mug started far
  // outside that byte within what std::lround can represent.
  return static_cast<int>(std::lround(std::clamp(celsius, 1.0, 255.0)));
}

int PixelReading(int moduleAddress, int panPosition, int tiltPosition, int pixelRegister, double mugCentreCelsius) {
  const int pan = std::clamp(panPosition, 0, 30);
  const int column = (moduleAddress & 0xFE) == 0xD0 ? pan : pan + 31;
  const int offset = std::clamp(tiltPosition - kTiltBase, 0, 3);
  const int row = std::clamp(offset + 4 * (pixelRegister - 2), 0, 31);
  return ExpectedReading(column, row, mugCentreCelsius);
}

}  // namespace headsim
