// Seeing small differences: the isotherm's cells and count, and the difference to a reference picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "image/composer.h"
#include "image/difference.h"
#include "image/isotherm.h"
#include "image/readout.h"

namespace {

struct Scene {
  Scene() { std::fill_n(&grid[0][0], kGridColumns * kGridRows, kNoReading); }
  ThermalImage::CellGrid grid;
  SubstituteMask substituted{};
};

// A band holds both its ends; "ab" and "bis" hold their value; substitutes and empty cells are neither
// held nor measured.
TEST(Isotherm, CountsTheRealReadingsItHoldsIncludingTheBandsEnds) {
  Scene scene;
  EXPECT_EQ(CountIsotherm(scene.grid, scene.substituted, {IsothermKind::Band, 20, 22}).measured, 0);
  const int values[] = {19, 20, 21, 22, 23};
  for (int i = 0; i < 5; ++i) scene.grid[10 + i][i] = values[i];
  scene.grid[40][3] = 21, scene.substituted[40][3] = true;
  const auto count = [&](Isotherm isotherm) {
    const IsothermCount c = CountIsotherm(scene.grid, scene.substituted, isotherm);
    return std::pair(c.held, c.measured);
  };
  EXPECT_EQ(count({IsothermKind::Band, 20, 22}), std::pair(3, 5));
  EXPECT_EQ(count({IsothermKind::Band, 21, 21}), std::pair(1, 5));
  EXPECT_EQ(count({IsothermKind::AtOrAbove, 22, 0}), std::pair(2, 5));
  EXPECT_EQ(count({IsothermKind::AtOrBelow, 19, 99}), std::pair(1, 5));
}

// Over both pictures each held cell's place is cyan, as the measured pixels place it, and nothing else
// changes; a substitute inside the band stays as it was.
TEST(Isotherm, PaintsTheHeldCellsPlacesOnly) {
  Scene scene;
  scene.grid[0][31] = 21;  // left picture, top left, placed at the area's corner
  scene.grid[40][0] = 22;  // right picture, bottom row
  scene.grid[41][0] = 25;
  scene.grid[42][0] = 21, scene.substituted[42][0] = true;
  DisplayData display;
  display.leftPicture = PictureRect{0, 0, 248, 192, 8.0, 6.0};
  display.compositeSurface.Fill(kBlack);
  DrawIsotherm(display, scene.grid, scene.substituted, {IsothermKind::Band, 20, 22});
  int cyan = 0;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) cyan += display.compositeSurface.Pixel(x, y) == kIsothermColour;
  }
  const PictureRect& l = display.leftPicture;
  const PictureRect& r = display.rightPicture;
  EXPECT_EQ(cyan, 2 * 8 * 6);
  EXPECT_EQ(display.compositeSurface.Pixel(0, 0), kIsothermColour);
  EXPECT_EQ(display.compositeSurface.Pixel(l.x + 8 - 1, l.y + 6 - 1), kIsothermColour);
  EXPECT_EQ(display.compositeSurface.Pixel(r.x + 9 * 8 + 7, r.y + 31 * 6 + 5), kIsothermColour);
}

// A band's highest may equal its lowest but not lie below it; "ab" and "bis" read the first field only;
// a refusal names its field.
TEST(Isotherm, TypedFieldsAreWholeDegreesOfTheHeadAndARefusalNamesTheField) {
  const auto isotherm = [](IsothermKind kind, const char* low, const char* high) {
    const Isotherm i = std::get<Isotherm>(ParseIsotherm(kind, low, high));
    return std::tuple(i.kind, i.low, i.high);
  };
  EXPECT_EQ(isotherm(IsothermKind::Band, "21", " 21"), std::tuple(IsothermKind::Band, 21, 21));
  EXPECT_EQ(isotherm(IsothermKind::AtOrAbove, "30", "x"), std::tuple(IsothermKind::AtOrAbove, 30, 30));
  const auto refusal = [](IsothermKind kind, const char* low, const char* high) {
    const SpanRefusal r = std::get<SpanRefusal>(ParseIsotherm(kind, low, high));
    return std::pair(r.field, r.fault);
  };
  EXPECT_EQ(refusal(IsothermKind::Band, "22", "21"), std::pair(SpanField::Highest, SpanFault::BelowTheLowest));
  EXPECT_EQ(refusal(IsothermKind::Band, "20", ""), std::pair(SpanField::Highest, SpanFault::NotAWholeNumber));
  EXPECT_EQ(refusal(IsothermKind::AtOrBelow, "256", "1"), std::pair(SpanField::Lowest, SpanFault::OutsideTheHeadsDegrees));
}

// Neither scale draws a cell in the isotherm's colour.
TEST(Isotherm, ItsColourIsOnNeitherScale) {
  ThermalImage temperature, difference;
  difference.SetColours(kDifferenceColours);
  for (const ThermalImage* image : {&temperature, &difference}) {
    EXPECT_EQ(std::count(image->Palette().begin(), image->Palette().end(), kIsothermColour), 0);
  }
}

// Missing on either side, or made up, is no reading; the widest differences stay apart from "no reading"
// and reach the ends of a scale of their reach, zero is white.
TEST(Difference, EachCellIsTheReadingMinusTheReferenceMissingOnEitherSideNone) {
  Scene now, reference;
  now.grid[0][0] = 24, reference.grid[0][0] = 21;
  now.grid[1][0] = 21;
  reference.grid[2][0] = 21;
  now.grid[3][0] = 25, now.substituted[3][0] = true, reference.grid[3][0] = 21;
  now.grid[4][0] = 0, reference.grid[4][0] = 255;
  now.grid[5][0] = 255, reference.grid[5][0] = 0;
  ThermalImage::CellGrid differences;
  FillDifferences(now.grid, now.substituted, now.grid, differences);
  EXPECT_EQ(LargestDifference(differences), 0);
  FillDifferences(now.grid, now.substituted, reference.grid, differences);
  EXPECT_EQ(DifferenceText(differences[0][0]), "+3 K");
  EXPECT_TRUE(differences[1][0] == kNoReading && differences[2][0] == kNoReading && differences[3][0] == kNoReading);
  EXPECT_EQ(DifferenceText(differences[4][0]), "-255 K");
  EXPECT_EQ(LargestDifference(differences), kWidestDifference);
  differences[5][0] = differences[4][0] = kNoReading;
  EXPECT_EQ(LargestDifference(differences), 3);
  EXPECT_EQ(DifferenceText(kDifferenceZero), "0 K");

  ThermalImage image;
  image.SetColours(kDifferenceColours);
  const ColourSpan widest = SymmetricSpan(kWidestDifference);
  image.SetScale(widest.lowest, widest.highest);
  EXPECT_EQ(image.ScaleColour(CodedDifference(0, 255)), Rgb(0, 0, 255));
  EXPECT_EQ(image.ScaleColour(CodedDifference(255, 0)), Rgb(255, 0, 0));
  EXPECT_EQ(image.ScaleColour(kDifferenceZero), kWhite);
  image.SetScale(SymmetricSpan(3).lowest, SymmetricSpan(3).highest);
  EXPECT_TRUE(image.ScaleColour(kDifferenceZero + 4) == kDifferenceColours.above &&
              image.ScaleColour(kDifferenceZero - 4) == kDifferenceColours.below);
}

// A difference read back from the picture under the mouse is the kelvin it was drawn for; beyond the
// reach "<" and ">"; the scale bar's bands read as the ends.
TEST(Difference, ReadoutsGiveTheKelvinDrawn) {
  ThermalImage image;
  image.SetColours(kDifferenceColours);
  image.SetScale(SymmetricSpan(4).lowest, SymmetricSpan(4).highest);
  DisplayData display;
  BuildLayerMap(display, image);
  const PictureRect& p = display.leftPicture;
  for (int kelvin = -5; kelvin <= 5; ++kelvin) {
    image.StoreReading(0, kGridRows - 1, kDifferenceZero + kelvin);
    ComposePicture(display, image);
    const std::string expected = kelvin > 4    ? "> +4 K"
                                 : kelvin < -4 ? "< -4 K"
                                               : DifferenceText(kDifferenceZero + kelvin);
    EXPECT_EQ(ReadoutText(display, image, ReadoutArea::Picture, p.x + 3, p.y + 3, DifferenceText), expected);
  }
  DrawScaleLegend(display, image);
  EXPECT_EQ(ReadoutText(display, image, ReadoutArea::Scale, 5, 2, DifferenceText), "> +4 K");
  EXPECT_EQ(ReadoutText(display, image, ReadoutArea::Scale, 5, display.legendHeight - 2, DifferenceText), "< -4 K");
}

TEST(Difference, AFixedReachIsWholeKelvinFromOneTo255) {
  EXPECT_EQ(std::get<int>(ParseDifferenceReach(" 1")), 1);
  EXPECT_EQ(std::get<int>(ParseDifferenceReach("255")), kWidestDifference);
  for (const char* wrong : {"0", "256", "-3", "2,5", ""}) {
    EXPECT_TRUE(std::holds_alternative<SpanFault>(ParseDifferenceReach(wrong))) << wrong;
  }
}

}  // namespace
