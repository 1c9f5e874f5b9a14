#include "image/difference.h"

#include <algorithm>
#include <cstdlib>

int CodedDifference(int reading, int reference) {
  if (reading == kNoReading || reference == kNoReading) return kNoReading;
  return kDifferenceZero + reading - reference;
}

void FillDifferences(const ThermalImage::CellGrid& readings, const SubstituteMask& substituted,
                     const ThermalImage::CellGrid& reference, ThermalImage::CellGrid& differences) {
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) {
      differences[c][r] = CodedDifference(substituted[c][r] ? kNoReading : readings[c][r], reference[c][r]);
    }
  }
}

int LargestDifference(const ThermalImage::CellGrid& differences) {
  int largest = 0;
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) {
      if (differences[c][r] != kNoReading) largest = std::max(largest, std::abs(differences[c][r] - kDifferenceZero));
    }
  }
  return largest;
}

ColourSpan SymmetricSpan(int kelvin) { return {kDifferenceZero - kelvin, kDifferenceZero + kelvin}; }

std::string DifferenceText(int coded) {
  const int kelvin = coded - kDifferenceZero;
  return (kelvin > 0 ? "+" : "") + std::to_string(kelvin) + " K";
}

std::variant<int, SpanFault> ParseDifferenceReach(std::string_view text) {
  const auto parsed = ParseDegrees(text);
  if (std::holds_alternative<SpanFault>(parsed)) return parsed;
  if (std::get<int>(parsed) < 1) return SpanFault::OutsideTheHeadsDegrees;
  return parsed;
}
