#include "headsim/scene.h"

#include <algorithm>
#include <cmath>

namespace headsim {
namespace {

constexpr int kTiltBase = 16;

// A spot falls off linearly from its centre to its edge and ends there.
bool Inside(const Spot& spot, int column, int row, int* celsius) {
  const double distance = std::hypot(column - spot.column, row - spot.row);
  if (distance > spot.radius) {
    return false;
  }
  const double share = distance / spot.radius;
  *celsius = static_cast<int>(std::lround(spot.centreCelsius + share * (spot.edgeCelsius - spot.centreCelsius)));
  return true;
}

}  // namespace

int ExpectedReading(int column, int row) {
  int celsius = kRoomCelsius;
  for (const Spot& spot : {kMug, kHotSpot, kColdSpot}) {
    if (Inside(spot, column, row, &celsius)) {
      break;
    }
  }
  return std::clamp(celsius, 1, 255);
}

int PixelReading(int moduleAddress, int panPosition, int tiltPosition, int pixelRegister) {
  const int pan = std::clamp(panPosition, 0, 30);
  const int column = (moduleAddress & 0xFE) == 0xD0 ? pan : pan + 31;
  const int offset = std::clamp(tiltPosition - kTiltBase, 0, 3);
  const int row = std::clamp(offset + 4 * (pixelRegister - 2), 0, 31);
  return ExpectedReading(column, row);
}

}  // namespace headsim
