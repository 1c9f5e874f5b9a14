#pragma once
#include <string_view>
#include <variant>

#include "image/colour.h"
#include "image/colour_span.h"
#include "image/display.h"
#include "image/thermal_image.h"

// An isotherm: the cells whose reading lies in a band of whole degrees, or
// at or above, or at or below a value, drawn over the picture in a colour
// that neither colour scale uses.
enum class IsothermKind { Band, AtOrAbove, AtOrBelow };

struct Isotherm {
  IsothermKind kind = IsothermKind::Band;
  int low = 0;   // the band's lowest degree, or the value of the other kinds
  int high = 0;  // the band's highest degree
  bool Holds(int celsius) const;
};

// Cyan: off the temperature scale (blue to green runs through darker
// blue-greens) and off the difference scale (blue to white keeps red and
// green equal).
inline constexpr Colour kIsothermColour = Rgb(0, 255, 255);

// The real readings (neither missing nor made up) and those of them the isotherm holds.
struct IsothermCount {
  int held = 0;
  int measured = 0;
};
IsothermCount CountIsotherm(const ThermalImage::CellGrid& grid, const SubstituteMask& substituted,
                            const Isotherm& isotherm);

// Paints the places of the cells the isotherm holds, as the measured pixels
// place them (the left picture's where both pictures lie), over the composite.
void DrawIsotherm(DisplayData& display, const ThermalImage::CellGrid& grid, const SubstituteMask& substituted,
                  const Isotherm& isotherm);

// An isotherm typed into its fields (the band's lowest and highest; the
// other kinds read the first only): whole degrees of the head, a band's
// highest not below its lowest; else which field is wrong and why.
std::variant<Isotherm, SpanRefusal> ParseIsotherm(IsothermKind kind, std::string_view low, std::string_view high);
