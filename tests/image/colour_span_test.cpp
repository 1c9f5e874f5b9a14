// The colour scale's span: the readings' span for the automatic choice, and two typed degrees for a fixed one.
#include "image/colour_span.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Scene {
  Scene() { std::fill_n(&grid[0][0], kGridColumns * kGridRows, kNoReading); }
  ThermalImage::CellGrid grid;
  SubstituteMask substituted{};
};

// Substitutes and empty cells are left out; a span narrower than 5 K grows about its middle (the odd
// degree upward) and stays within the head's 0..255, whatever the grid holds; only substitutes give nothing.
TEST(ColourSpan, AutomaticSpanFollowsTheRealReadingsAndIsAtLeastFiveDegreesWide) {
  Scene scene;
  EXPECT_EQ(ReadingsSpan(scene.grid, scene.substituted), std::nullopt);
  scene.grid[0][0] = 120, scene.substituted[0][0] = true;
  EXPECT_EQ(ReadingsSpan(scene.grid, scene.substituted), std::nullopt);
  scene.grid[5][6] = 21, scene.grid[61][31] = 24;
  EXPECT_EQ(ReadingsSpan(scene.grid, scene.substituted), (ColourSpan{20, 25}));
  scene.grid[7][7] = 26;
  EXPECT_EQ(ReadingsSpan(scene.grid, scene.substituted), (ColourSpan{21, 26}));  // just wide enough
  scene.grid[5][6] = 18;
  EXPECT_EQ(ReadingsSpan(scene.grid, scene.substituted), (ColourSpan{18, 26}));
  Scene edges;
  edges.grid[0][1] = 1;
  EXPECT_EQ(ReadingsSpan(edges.grid, edges.substituted), (ColourSpan{0, 5}));
  edges.grid[0][1] = 253;  // one degree past the top once widened
  EXPECT_EQ(ReadingsSpan(edges.grid, edges.substituted), (ColourSpan{250, 255}));
  edges.grid[0][2] = 200, edges.grid[0][3] = 256;  // a corrected value beyond the head's: the span ends at its top
  EXPECT_EQ(ReadingsSpan(edges.grid, edges.substituted), (ColourSpan{200, 255}));
  EXPECT_EQ(Union({18, 26}, {20, 30}), (ColourSpan{18, 30}));
}

// The 181 colours span the chosen degrees: its lowest is the first colour, its highest the last, one
// degree beyond either end black or white; within a span of 5 K every degree has a colour of its own.
TEST(ColourSpan, TheScaleSpansTheChosenDegrees) {
  ThermalImage image;
  image.SetScale(18, 23);
  EXPECT_TRUE(image.ScaleColour(18) == image.Palette().front() && image.ScaleColour(23) == image.Palette().back());
  EXPECT_TRUE(image.ScaleColour(17) == kBlack && image.ScaleColour(24) == kWhite);
  for (int degrees = 18; degrees < 23; ++degrees) EXPECT_NE(image.ScaleColour(degrees), image.ScaleColour(degrees + 1));
}

// Whole degrees of the head in both fields, the highest above the lowest; each refusal names its field.
TEST(ColourSpan, FixedSpanTakesWholeDegreesOfTheHeadAndNamesTheWrongField) {
  EXPECT_EQ(std::get<ColourSpan>(ParseFixedSpan(" 18", "26 ")), (ColourSpan{18, 26}));
  EXPECT_EQ(std::get<ColourSpan>(ParseFixedSpan("0", "255")), (ColourSpan{0, 255}));
  const auto refusal = [](const char* low, const char* high) {
    const SpanRefusal r = std::get<SpanRefusal>(ParseFixedSpan(low, high));
    return std::pair(r.field, r.fault);
  };
  EXPECT_EQ(refusal("", "26"), std::pair(SpanField::Lowest, SpanFault::NotAWholeNumber));
  EXPECT_EQ(refusal("18", "2x"), std::pair(SpanField::Highest, SpanFault::NotAWholeNumber));
  EXPECT_EQ(refusal("18.5", "26"), std::pair(SpanField::Lowest, SpanFault::NotAWholeNumber));
  EXPECT_EQ(refusal("-1", "26"), std::pair(SpanField::Lowest, SpanFault::OutsideTheHeadsDegrees));
  EXPECT_EQ(refusal("18", "256"), std::pair(SpanField::Highest, SpanFault::OutsideTheHeadsDegrees));
  EXPECT_EQ(refusal("18", "99999999999"), std::pair(SpanField::Highest, SpanFault::NotAWholeNumber));
  EXPECT_EQ(refusal("26", "26"), std::pair(SpanField::Highest, SpanFault::NotAboveTheLowest));
}

}  // namespace
