#pragma once
#include <optional>
#include <string>

#include "image/colour.h"
#include "image/display.h"
#include "image/grid_cell.h"
#include "image/memory_picture.h"
#include "image/thermal_image.h"

// The temperature under the mouse, read back from the colour the picture
// shows by inverting the colour scale, so it follows the display mode, the
// arrangement and the smoothing, at the resolution of the scale.

// Special temperatures besides the degrees of the scale.
inline constexpr int kBelowScale = 0;     // the colour below the scale
inline constexpr int kAboveScale = 1000;  // the colour above it
inline constexpr int kOffScale = 1111;    // a colour on no segment of the scale

// Where colour c lies between anchor colours a and b, from 0 to 1, or
// nothing if it is not on that segment.
std::optional<double> SegmentPosition(Colour c, Colour a, Colour b);

// The temperature of a colour, one of the special values above, or nothing
// for the no-reading grey. On the standard scale (10 to 160 °C) the colour's
// place on the scale, truncated; on any other span the lowest whole degree
// drawn in that colour, so that a narrow span tells every degree apart.
std::optional<int> ColourToTemperature(const ThermalImage& image, Colour c);

// "%d ° C": the number, a space, the degree sign, a space and C (UTF-8).
std::string DegreesText(int celsius);

// Pixel (x, y) of a picture, (0, 0) top-left; grey (no reading) outside it.
Colour SurfacePixel(const MemoryPicture& picture, int x, int y);

// The temperature at point (x, y) of the 640 x 480 picture area, from the
// layer pictures before they are mixed with the background.
std::optional<int> ReadTemperatureAt(const DisplayData& display, const ThermalImage& image, int x, int y);

// The two places the mouse reads a temperature: the 640 x 480 picture area
// and the colour-scale bar (legendWidth x legendHeight).
enum class ReadoutArea { Picture, Scale };

// The text of the field under "Mausposition:" for point (x, y) of an area, in
// the area's own pixels: "%d ° C", "< %d ° C", "> %d ° C" (UTF-8), or empty
// on the area's edge, outside it or where nothing was read. A scale of
// other values (differences) writes them with its own `valueText`.
using ValueText = std::string (*)(int value);
std::string ReadoutText(const DisplayData& display, const ThermalImage& image, ReadoutArea area, int x, int y,
                        ValueText valueText = DegreesText);

// The grid cell whose place in its picture holds point (x, y) of the picture
// area, as the measured pixels show it (the left picture's where both lie);
// nothing outside both pictures.
std::optional<GridCell> CellAt(const DisplayData& display, int x, int y);

// The middle of a cell's place in its picture, in picture-area coordinates.
struct CellPoint {
  double x = 0.0;
  double y = 0.0;
};
CellPoint CellCentre(const DisplayData& display, GridCell cell);
