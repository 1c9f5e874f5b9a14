#pragma once
#include <array>
#include <optional>
#include <string_view>
#include <variant>

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

// Why a typed number was refused.
enum class NumberFault { NotANumber, TooManyDecimals, OutOfRange };
// An emissivity typed into a field: decimal comma or point, blanks around
// allowed, at most two decimals, kLowestEmissivity..kHighestEmissivity.
std::variant<double, NumberFault> ParseEmissivity(std::string_view text);
// The reflected temperature typed into a field: whole or decimal degrees
// Celsius (comma or point) within the head's degrees.
std::variant<double, NumberFault> ParseReflectedCelsius(std::string_view text);

// Typical emissivities for a choice in a dialog, named in German as the
// program's texts are (the interface translates them). Broadband values
// over the thermopiles' range: an approximation, as a surface's emissivity
// depends on wavelength, angle and finish.
struct TypicalEmissivity {
  std::string_view name;
  double emissivity;
};
inline constexpr std::array<TypicalEmissivity, 10> kTypicalEmissivities{{
    {"Mattschwarzer Lack", 0.95},
    {"Menschliche Haut", 0.98},
    {"Glas", 0.92},
    {"Wasser", 0.96},
    {"Holz", 0.90},
    {"Weißer Lack", 0.90},
    {"Papier", 0.93},
    {"Ziegel", 0.93},
    {"Oxidierter Stahl", 0.80},
    {"Gebürstetes Aluminium", 0.10},
}};
