#pragma once
#include <optional>
#include <string_view>
#include <variant>

#include "image/thermal_image.h"

// The degrees the colour scale spans: its lowest and highest.
struct ColourSpan {
  int lowest = 10;
  int highest = 160;
  friend bool operator==(const ColourSpan&, const ColourSpan&) = default;
};

inline constexpr ColourSpan kStandardSpan{kStandardScaleMin, kStandardScaleMax};
// The degrees a head reports.
inline constexpr int kLowestReading = 0;
inline constexpr int kHighestReading = 255;
// An automatic span is never narrower, so single degrees stay apart in colour
// without noise of a degree filling the whole scale.
inline constexpr int kNarrowestAutomaticSpan = 5;

// Cells whose reading was made up for a missing answer.
using SubstituteMask = bool[kGridColumns][kGridRows];

// The span of the real readings (substitutes and cells without a reading
// left out), widened about its middle to at least kNarrowestAutomaticSpan
// and kept within the head's degrees; nothing when there is no real reading.
std::optional<ColourSpan> ReadingsSpan(const ThermalImage::CellGrid& grid, const SubstituteMask& substituted);

// The smallest span holding both.
ColourSpan Union(const ColourSpan& a, const ColourSpan& b);

// A fixed span typed into two fields: whole degrees of the head, the highest
// above the lowest; else which field is wrong and why.
enum class SpanField { Lowest, Highest };
enum class SpanFault { NotAWholeNumber, OutsideTheHeadsDegrees, NotAboveTheLowest, BelowTheLowest };
struct SpanRefusal {
  SpanField field;
  SpanFault fault;
};
// Whole degrees of the head typed into one field (blanks around allowed), or why not.
std::variant<int, SpanFault> ParseDegrees(std::string_view text);
std::variant<ColourSpan, SpanRefusal> ParseFixedSpan(std::string_view lowest, std::string_view highest);
