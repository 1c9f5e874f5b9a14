#pragma once
#include <string>
#include <string_view>
#include <variant>

#include "image/colour_span.h"
#include "image/thermal_image.h"

// The picture of each cell's reading minus a reference's. A thermal image
// shows it in its own scale; there a difference is kept as degrees above
// kDifferenceZero, so that one below zero is not taken for "no reading".
inline constexpr int kDifferenceZero = 256;
// The automatic span reaches at least this far to each side of zero.
inline constexpr int kNarrowestDifference = 3;
// The widest difference two readings of the head can have.
inline constexpr int kWidestDifference = kHighestReading - kLowestReading;

// Cold blue through white to warm red, evenly; dark blue below, dark red above.
inline constexpr ScaleColours kDifferenceColours{
    {Rgb(0, 0, 255), Rgb(85, 85, 255), Rgb(170, 170, 255), Rgb(255, 255, 255), Rgb(255, 170, 170), Rgb(255, 85, 85),
     Rgb(255, 0, 0)},
    Rgb(0, 0, 112),
    Rgb(112, 0, 0)};

// The coded difference of a reading to the reference's; kNoReading when either is missing.
int CodedDifference(int reading, int reference);

// Every cell's coded difference; a substitute counts as missing.
void FillDifferences(const ThermalImage::CellGrid& readings, const SubstituteMask& substituted,
                     const ThermalImage::CellGrid& reference, ThermalImage::CellGrid& differences);

// The largest difference of a coded grid to either side, in kelvin; 0 without any.
int LargestDifference(const ThermalImage::CellGrid& differences);

// The coded span reaching `kelvin` to each side of zero.
ColourSpan SymmetricSpan(int kelvin);

// "+3 K", "-2 K", "0 K" for a coded difference.
std::string DifferenceText(int coded);

// How far a fixed difference span reaches to each side, typed into a field:
// whole kelvin from 1 to kWidestDifference, or why not.
std::variant<int, SpanFault> ParseDifferenceReach(std::string_view text);
