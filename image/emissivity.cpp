#include "image/emissivity.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "image/colour_span.h"

namespace {

constexpr double kZeroCelsius = 273.15;  // kelvin

double Fourth(double value) { return value * value * value * value; }

// A typed decimal number: an optional minus, digits, and optionally a comma
// or point followed by digits; blanks around it allowed.
struct TypedDecimal {
  double value = 0.0;
  std::size_t decimals = 0;
};

std::optional<TypedDecimal> ReadDecimal(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string number(text);
  const std::size_t separator = number.find_first_of(",.");
  if (separator != std::string::npos) number[separator] = '.';
  const std::string_view whole = std::string_view(number).substr(0, separator).substr(number.starts_with('-') ? 1 : 0);
  const std::string_view fraction =
      separator == std::string::npos ? std::string_view() : std::string_view(number).substr(separator + 1);
  const auto digits = [](std::string_view part) { return std::ranges::all_of(part, [](char c) { return c >= '0' && c <= '9'; }); };
  if (whole.empty() || !digits(whole) || !digits(fraction) || (separator != std::string::npos && fraction.empty())) {
    return std::nullopt;
  }
  TypedDecimal read{0.0, fraction.size()};
  const char* const last = number.data() + number.size();
  if (std::from_chars(number.data(), last, read.value, std::chars_format::fixed).ec != std::errc()) {
    read.value = HUGE_VAL;  // too many digits for a double: out of any range
  }
  return read;
}

}  // namespace

std::optional<double> CorrectedCelsius(double measuredCelsius, double emissivity, double reflectedCelsius) {
  if (!(emissivity >= kLowestEmissivity && emissivity <= kHighestEmissivity)) return std::nullopt;
  const double own = Fourth(measuredCelsius + kZeroCelsius) - (1.0 - emissivity) * Fourth(reflectedCelsius + kZeroCelsius);
  if (!(own > 0.0)) return std::nullopt;
  return std::pow(own / emissivity, 0.25) - kZeroCelsius;
}

std::optional<double> Corrected(double measuredCelsius, const Correction& correction) {
  if (!correction.Corrects()) return measuredCelsius;
  return CorrectedCelsius(measuredCelsius, correction.emissivity, correction.reflectedCelsius);
}

int CorrectedCell(int reading, const Correction& correction) {
  if (reading == kNoReading) return kNoReading;
  const std::optional<double> corrected = Corrected(reading, correction);
  if (!corrected) return kNoReading;
  return std::clamp(static_cast<int>(std::lround(*corrected)), kLowestReading, kBeyondTheHighestReading);
}

void FillCorrected(const ThermalImage::CellGrid& readings, const Correction& correction,
                   ThermalImage::CellGrid& corrected) {
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) corrected[c][r] = CorrectedCell(readings[c][r], correction);
  }
}

std::variant<double, NumberFault> ParseEmissivity(std::string_view text) {
  const std::optional<TypedDecimal> read = ReadDecimal(text);
  if (!read) return NumberFault::NotANumber;
  if (read->decimals > 2) return NumberFault::TooManyDecimals;
  // In hundredths, so that both ends are taken exactly as typed.
  const double hundredths = std::round(read->value * 100.0);
  if (hundredths < std::round(kLowestEmissivity * 100.0) || hundredths > std::round(kHighestEmissivity * 100.0)) {
    return NumberFault::OutOfRange;
  }
  return hundredths / 100.0;
}

std::variant<double, NumberFault> ParseReflectedCelsius(std::string_view text) {
  const std::optional<TypedDecimal> read = ReadDecimal(text);
  if (!read) return NumberFault::NotANumber;
  if (!(read->value >= kLowestReading && read->value <= kHighestReading)) return NumberFault::OutOfRange;
  return read->value;
}
