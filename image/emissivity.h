#pragma once
#include <optional>
#include <string_view>
#include <variant>

#include "image/colour_span.h"
#include "image/thermal_image.h"

// The head's thermopiles read every surface as if it were black. A grey
// surface of emissivity eps radiates only eps of a black body's power and
// reflects the rest from its surroundings at the reflected temperature Tr,
// so the head sees Tm^4 = eps T^4 + (1 - eps) Tr^4 (kelvin).
inline constexpr double kLowestEmissivity = 0.10;
inline constexpr double kHighestEmissivity = 1.00;

// The surface's temperature in degrees Celsius from the measured one,
// solving the balance above for T; nothing where it has no solution (the
// surroundings alone would give more than was measured) or eps lies outside
// kLowestEmissivity..kHighestEmissivity.
std::optional<double> CorrectedCelsius(double measuredCelsius, double emissivity, double reflectedCelsius);

// How the readings of a surface are corrected: its emissivity and the
// temperature of the surroundings it reflects. At emissivity 1 nothing is.
struct Correction {
  double emissivity = kHighestEmissivity;
  double reflectedCelsius = 0.0;
  bool Corrects() const { return emissivity != kHighestEmissivity; }
  friend bool operator==(const Correction&, const Correction&) = default;
};
// A reading as the correction gives it: unchanged at emissivity 1, else as
// CorrectedCelsius (nothing where it is not determinable).
std::optional<double> Corrected(double measuredCelsius, const Correction& correction);
// A cell's reading corrected for a picture: whole degrees within the head's
// (so that a scale can span it and it is never taken for kNoReading), one
// beyond the highest for more, so that it shows and reads as above any
// scale; kNoReading where nothing was read or nothing is determinable.
inline constexpr int kBeyondTheHighestReading = kHighestReading + 1;
int CorrectedCell(int reading, const Correction& correction);
void FillCorrected(const ThermalImage::CellGrid& readings, const Correction& correction,
                   ThermalImage::CellGrid& corrected);

// Why a typed number was refused.
enum class NumberFault { NotANumber, TooManyDecimals, OutOfRange };
// An emissivity typed into a field: decimal comma or point, blanks around
// allowed, at most two decimals, kLowestEmissivity..kHighestEmissivity.
std::variant<double, NumberFault> ParseEmissivity(std::string_view text);
// The reflected temperature typed into a field: whole or decimal degrees
// Celsius (comma or point) within the head's degrees.
std::variant<double, NumberFault> ParseReflectedCelsius(std::string_view text);
