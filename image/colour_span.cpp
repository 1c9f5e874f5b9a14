#include "image/colour_span.h"

#include <algorithm>
#include <charconv>

std::optional<ColourSpan> ReadingsSpan(const ThermalImage::CellGrid& grid, const SubstituteMask& substituted) {
  std::optional<ColourSpan> span;
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) {
      if (grid[c][r] == kNoReading || substituted[c][r]) continue;
      // A corrected picture may hold more than the head reads: no span reaches further.
      const int value = std::clamp(grid[c][r], kLowestReading, kHighestReading);
      span = span ? ColourSpan{std::min(span->lowest, value), std::max(span->highest, value)} : ColourSpan{value, value};
    }
  }
  if (!span) return std::nullopt;
  const int missing = kNarrowestAutomaticSpan - (span->highest - span->lowest);
  if (missing > 0) {
    span->lowest -= missing / 2;
    span->highest += missing - missing / 2;
  }
  // Widened past an end of the head's degrees: shifted back inside.
  const int below = kLowestReading - span->lowest, above = span->highest - kHighestReading;
  if (below > 0) span = ColourSpan{kLowestReading, span->highest + below};
  if (above > 0) span = ColourSpan{span->lowest - above, kHighestReading};
  return span;
}

ColourSpan Union(const ColourSpan& a, const ColourSpan& b) {
  return {std::min(a.lowest, b.lowest), std::max(a.highest, b.highest)};
}

namespace {

std::optional<int> WholeDegrees(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::variant<int, SpanFault> ParseDegrees(std::string_view text) {
  const std::optional<int> degrees = WholeDegrees(text);
  if (!degrees) return SpanFault::NotAWholeNumber;
  if (*degrees < kLowestReading || *degrees > kHighestReading) return SpanFault::OutsideTheHeadsDegrees;
  return *degrees;
}

std::variant<ColourSpan, SpanRefusal> ParseFixedSpan(std::string_view lowest, std::string_view highest) {
  const auto low = ParseDegrees(lowest), high = ParseDegrees(highest);
  if (const auto* fault = std::get_if<SpanFault>(&low)) return SpanRefusal{SpanField::Lowest, *fault};
  if (const auto* fault = std::get_if<SpanFault>(&high)) return SpanRefusal{SpanField::Highest, *fault};
  if (std::get<int>(high) <= std::get<int>(low)) return SpanRefusal{SpanField::Highest, SpanFault::NotAboveTheLowest};
  return ColourSpan{std::get<int>(low), std::get<int>(high)};
}
