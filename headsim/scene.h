#pragma once

#include <limits>

// The scene the emulated head looks at, described once per grid cell:
// a room at 21 °C with a warm mug, a hot spot above the top of the colour
// scale and a cold spot below its bottom.
namespace headsim {

// The modules' own sensors sit in a cool corner: 19 °C lies below every
// substitute the program makes up for a missing answer (20..147), so an
// ambient reading tells a real answer from a substitute.
inline constexpr int kAmbientCelsius = 19;
inline constexpr int kRoomCelsius = 21;

struct Spot {
  const char* name;
  int column;  // centre cell of the grid (0..61)
  int row;     // 0 is the lowest row
  int radius;  // in cells
  int centreCelsius;
  int edgeCelsius;
};

// The fixed places: the mug in the left half, the hot and cold spots in the right half.
inline constexpr Spot kMug{"mug", 12, 12, 4, 60, 35};
inline constexpr Spot kHotSpot{"hot spot", 44, 22, 2, 220, 200};
inline constexpr Spot kColdSpot{"cold spot", 53, 7, 2, 4, 6};

// How the mug's centre changes over time: it starts at startCelsius and follows
// Newton's law towards the room, T(t) = room + (start - room) * exp(-t / tau),
// cooling from above the room and warming from below it. The default course
// never moves: exp(-t / infinity) is exactly 1, so the mug stays as in kMug.
struct MugCourse {
  double startCelsius = kMug.centreCelsius;
  double tauSeconds = std::numeric_limits<double>::infinity();
};

// The mug centre's temperature in °C, seconds after the course began.
double MugCentreCelsius(const MugCourse& course, double seconds);

// Degrees that grid cell (column, row) reads in a full scan while the mug's
// centre is at mugCentreCelsius. Every mug cell's excess over the room scales
// with the centre's, so at kMug's own centre temperature the scene is the
// fixed one; the rest of the scene never changes.
int ExpectedReading(int column, int row, double mugCentreCelsius = kMug.centreCelsius);

// Degrees that a pixel register (2..9) of a module (0xD0 or 0xD2) sees with
// the pan servo at panPosition and the tilt servo at tiltPosition. The tilt
// servo stands at 16 + sub-row offset while scanning; other positions look
// at the nearest row. The mug's centre is at mugCentreCelsius.
int PixelReading(int moduleAddress, int panPosition, int tiltPosition, int pixelRegister,
                 double mugCentreCelsius = kMug.centreCelsius);

}  // namespace headsim
