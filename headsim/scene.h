#pragma once

#include <limits>

// The scenes the emulated head looks at, described once per grid cell:
// a room at 21 °C with a warm mug, a hot spot above the top of the colour
// scale and a cold spot below its bottom; or a table at the room's 21 °C
// with the print a hand left on it, for a narrow colour scale.
namespace headsim {

// Which of the two: --scene mug (the default) or --scene hand.
enum class Scene { kMug, kHand };

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

// The hand print's warmest cells just after the hand was lifted, 3 K above
// the table, and how long the print takes to fade by default.
inline constexpr int kHandCelsius = 24;
inline constexpr double kHandFadeSeconds = 60;

// How the warmest cell of a scene's warm part (the mug's centre, the hand
// print's palm) changes over time: it starts at startCelsius and follows
// Newton's law towards the room, T(t) = room + (start - room) * exp(-t / tau),
// cooling from above the room and warming from below it.
struct Course {
  double startCelsius;
  double tauSeconds;
};

// The mug never moves by default: exp(-t / infinity) is exactly 1, so it
// stays as in kMug. The hand print fades.
inline constexpr Course kStillMug{kMug.centreCelsius, std::numeric_limits<double>::infinity()};
inline constexpr Course kFadingHand{kHandCelsius, kHandFadeSeconds};

// The warmest cell's temperature in °C, seconds after the course began.
double WarmestCelsius(const Course& course, double seconds);

// A scene as it is at one moment: which one, and how warm the warmest cell
// of its warm part is.
struct SceneMoment {
  Scene scene = Scene::kMug;
  double warmestCelsius = kMug.centreCelsius;
};

// Degrees that grid cell (column, row) reads in a full scan at that moment.
// Every cell of the warm part keeps its share of the warmest cell's excess
// over the room, so at kMug's own centre temperature the mug scene is the
// fixed one; the rest of a scene never changes.
int ExpectedReading(int column, int row, SceneMoment moment = {});

// Degrees that a pixel register (2..9) of a module (0xD0 or 0xD2) sees with
// the pan servo at panPosition and the tilt servo at tiltPosition. The tilt
// servo stands at 16 + sub-row offset while scanning; other positions look
// at the nearest row.
int PixelReading(int moduleAddress, int panPosition, int tiltPosition, int pixelRegister, SceneMoment moment = {});

}  // namespace headsim
