#pragma once

#include <limits>

// The scenes the emulated head looks at, described once per grid cell:
// a room at 21 °C with a warm mug, a hot spot above the top of the colour
// scale and a cold spot below its bottom; a table at the room's 21 °C with
// the print a hand left on it, for a narrow colour scale; and two for
// physics lessons: a Leslie cube's four faces of different emissivity, and
// a metal rod heated at one end.
namespace headsim {

// Which of them: --scene mug (the default), hand, cube or rod.
enum class Scene { kMug, kHand, kCube, kRod };

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

// A Leslie cube of hot water, seen with four faces side by side across
// both pictures, two in each, in the middle rows where a class looks first.
// A face's cells read what a thermopile sees of a grey body at the water's
// temperature reflecting the room: from the radiation balance in kelvin,
// (eps T^4 + (1 - eps) T_room^4)^(1/4).
struct CubeFace {
  const char* name;
  int firstColumn;
  int lastColumn;
  int firstRow;  // the lowest
  int lastRow;
  double emissivity;
};
inline constexpr CubeFace kCubeFaces[] = {
    {"matt black paint", 3, 12, 10, 21, 0.95},
    {"white paint", 17, 26, 10, 21, 0.90},
    {"dull metal", 34, 43, 10, 21, 0.60},
    {"polished aluminium", 48, 57, 10, 21, 0.10},
};
inline constexpr double kCubeCelsius = 70;

// A metal rod painted black, so it reads its true temperature, along one
// row; its first cell lies on a heater from the emulator's start on, its
// last is its insulated end.
inline constexpr int kRodRow = 15;
inline constexpr int kRodFirstColumn = 6;
inline constexpr int kRodLastColumn = 55;
inline constexpr double kHeaterCelsius = 90;
// In cells^2 per second: after 5 minutes the diffusion length 2 sqrt(a t),
// where the excess over the room has fallen to erfc(1) = 16 % of the
// heater's, is 20 cells, so the heat visibly creeps along during a lesson.
inline constexpr double kRodDiffusivity = 20.0 * 20.0 / (4 * 300.0);

// How the warmest cell of a scene's warm part (the mug's centre, the hand
// print's palm; the cube's water and the rod's heater, which stay as set)
// changes over time: it starts at startCelsius and follows Newton's law
// towards the room, T(t) = room + (start - room) * exp(-t / tau), cooling
// from above the room and warming from below it.
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

// A scene as it is at one moment: which one, how warm the warmest cell
// of its warm part is, and for the rod how far the heat has spread from
// the heater: sqrt(a t) in cells, a being the diffusivity and t the time
// since the emulator's start.
struct SceneMoment {
  Scene scene = Scene::kMug;
  double warmestCelsius = kMug.centreCelsius;
  double rodSpreadCells = 0;
};

// The rod's temperature in °C at cells along it from the heated end (0 up
// to its length) at that moment, by the one-dimensional heat equation.
double RodCelsius(double cells, const SceneMoment& moment);

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
