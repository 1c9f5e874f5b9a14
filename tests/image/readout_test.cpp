#include "image/readout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "image/composer.h"

namespace {

// The window's areas in client coordinates.
constexpr Area kPictureArea{280, 10, 920, 490};
constexpr Area kScaleArea{940, 70, 970, 370};

// The picture and the scale bar as the window shows them after start-up,
// filled through the same steps as a scan and a paint.
class ReadoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image.InitThermalImage();
    DrawScaleLegend(display.legendSurface, image);
    BuildLayerMap(display, image);
  }
  void Store(int column, int row, int value) {
    image.StoreReading(column, row, value);
    ComposePicture(display, image);
  }
  void Place(PictureRect& picture, PictureRect placed) {
    picture = placed;
    BuildLayerMap(display, image);
  }
  std::string TextAt(int px, int py) const {
    return MouseTemperatureText(display, image, kPictureArea, kScaleArea, px, py);
  }
  // Over the middle of a cell in "Mess-Pixel" mode: cells of 8 x 6 pixels, row 31 on top.
  std::string TextOverCell(int column, int row) const {
    const PictureRect& p = column < 31 ? display.leftPicture : display.rightPicture;
    return TextAt(kPictureArea.left + p.x + 8 * (column % 31) + 4,
                  kPictureArea.top + p.y + 6 * (31 - row) + 3);
  }

  ThermalImage image;
  DisplayData display;
};

TEST_F(ReadoutTest, ReadingsReadBackAtTheResolutionOfTheScaleWhateverTheBackground) {
  display.transparency = 100;  // the readout takes the layers before the mix
  display.backgroundSurface.Fill(kWhite);
  BuildLayerMap(display, image);
  // Palette colours are truncated toward the colder end, so many read one degree low.
  // The degree sign is UTF-8 (spelt out once).
  const std::pair<int, const char*> cases[] = {{30, "30 ° C"},   {31, "30 \xC2\xB0 C"}, {115, "114 ° C"},
                                               {10, "10 ° C"},   {160, "160 ° C"},      {9, "< 10 ° C"},
                                               {161, "> 160 ° C"}};
  int column = 0;
  for (const auto& [value, text] : cases) {
    Store(column, 10, value);
    EXPECT_EQ(TextOverCell(column, 10), text) << "reading " << value;
    column += 3;
  }
  EXPECT_EQ(TextOverCell(1, 10), "") << "an unmeasured cell is grey";
  Store(40, 0, 31);
  EXPECT_EQ(TextOverCell(40, 0), "30 ° C") << "right picture";
}

TEST_F(ReadoutTest, ScaleBarShowsItsBandsItsEndsAndRisesInBetween) {
  auto row = [&](int r) { return TextAt(kScaleArea.left + 15, kScaleArea.top + r); };
  EXPECT_EQ(row(1), "> 160 ° C");
  EXPECT_EQ(row(4), "> 160 ° C");
  EXPECT_EQ(row(5), "160 ° C");  // the highest entry, rows 5 and 6
  EXPECT_EQ(row(6), "160 ° C");
  EXPECT_EQ(row(294), "10 ° C");
  EXPECT_EQ(row(295), "< 10 ° C");
  EXPECT_EQ(row(299), "< 10 ° C");
  for (int r : {0, 300}) EXPECT_EQ(row(r), "") << "border row " << r;
  EXPECT_EQ(TextAt(kScaleArea.left, kScaleArea.top + 150), "");
  EXPECT_EQ(TextAt(kScaleArea.right, kScaleArea.top + 150), "");

  int previous = 10;
  for (int r = 293; r >= 5; --r) {  // every palette row is a degree of the scale, rising upward
    const auto t = ColourToTemperature(image, SurfacePixel(display.legendSurface, 1, r));
    ASSERT_TRUE(t && *t >= previous && *t <= 160) << "row " << r;
    previous = *t;
  }
}

TEST_F(ReadoutTest, BordersOfThePictureAreaReadNothing) {
  Place(display.leftPicture, {0, 0, 248, 192, 8.0, 6.0});  // top-left cell at the corner
  Place(display.rightPicture, {392, 288, 248, 192, 8.0, 6.0});  // bottom-right cell at the corner
  Store(0, 31, 30);
  Store(61, 0, 30);
  EXPECT_EQ(TextAt(281, 11), "30 ° C");
  EXPECT_EQ(TextAt(280, 11), "");
  EXPECT_EQ(TextAt(281, 10), "");
  // The last column and row of the area still belong to it and read the layer.
  EXPECT_EQ(TextAt(919, 489), "30 ° C");
  EXPECT_EQ(TextAt(920, 489), "");
  EXPECT_EQ(TextAt(919, 490), "");
  EXPECT_EQ(TextAt(kPictureArea.left + 300, kPictureArea.top + 100), "") << "no picture there";
  EXPECT_EQ(TextAt(930, 200), "") << "outside both areas";
}

TEST_F(ReadoutTest, OverlappingPicturesAverageTheirReadBackValues) {
  Place(display.rightPicture, display.leftPicture);  // left column c and right column c + 31 coincide
  auto pair = [&](int column, int l, int r) {
    if (l != kNoReading) Store(column, 12, l);
    if (r != kNoReading) Store(column + 31, 12, r);
    return TextOverCell(column, 12);
  };
  EXPECT_EQ(pair(2, 40, 51), "45 ° C");  // read back as 40 and 50
  EXPECT_EQ(pair(4, kNoReading, 51), "50 ° C");
  EXPECT_EQ(pair(6, 40, kNoReading), "40 ° C");
  EXPECT_EQ(pair(8, kNoReading, kNoReading), "");
  EXPECT_EQ(pair(10, 9, 51), "") << "black on one side";
  EXPECT_EQ(pair(12, 40, 161), "") << "white on one side";

  // A colour off the scale counts as 1111 like any value.
  const int x = display.leftPicture.x + 8 * 2 + 4;
  const int y = display.leftPicture.y + 6 * (31 - 12) + 3;
  display.leftLayer.SetPixel(x, y, Rgb(10, 20, 30));
  EXPECT_EQ(ReadTemperatureAt(display, image, x, y), (kOffScale + 50) / 2);
  display.rightLayer.SetPixel(x, y, kNoReadingGrey);
  EXPECT_EQ(TextAt(kPictureArea.left + x, kPictureArea.top + y), "1111 ° C");
}

TEST_F(ReadoutTest, SmoothedModeHidesTheMarginOfThePicture) {
  for (int c = 0; c < 31; ++c) {
    for (int r = 0; r < 32; ++r) image.StoreReading(c, r, 50);
  }
  SetDisplayMode(display, image, kSmoothed);
  ComposePicture(display, image);
  // Shown: x 42..277 and y 149..330. The layer holds colour from x 40 on, but the map leaves it out.
  ASSERT_NE(SurfacePixel(display.leftLayer, 41, 240), kNoReadingGrey);
  auto at = [&](int x, int y) { return TextAt(kPictureArea.left + x, kPictureArea.top + y); };
  EXPECT_EQ(at(41, 240), "");
  EXPECT_NE(at(42, 240), "");
  EXPECT_NE(at(277, 240), "");
  EXPECT_EQ(at(278, 240), "");
  EXPECT_EQ(at(100, 148), "");
  EXPECT_NE(at(100, 149), "");
}

TEST_F(ReadoutTest, PointsBeyondThePicturesReadNothingInsteadOfStrayMemory) {
  EXPECT_EQ(ReadTemperatureAt(display, image, 640, 0), std::nullopt);
  EXPECT_EQ(ReadTemperatureAt(display, image, 0, -1), std::nullopt);
  EXPECT_EQ(SurfacePixel(display.legendSurface, 640, 0), kNoReadingGrey);
  EXPECT_EQ(MouseTemperatureText(display, image, kPictureArea, {940, 0, 1700, 900}, 1650, 850), "");
}

TEST(SegmentPosition, FirstChangingChannelDecidesAndOthersAgreeWithinOneHalf) {
  const Colour a = Rgb(0, 0, 0);
  const Colour b = Rgb(200, 200, 0);
  EXPECT_EQ(SegmentPosition(Rgb(100, 150, 0), a, b), 0.5);  // red decides; green 0.75 agrees
  EXPECT_EQ(SegmentPosition(Rgb(50, 150, 0), a, b), 0.25);  // green exactly one half above
  EXPECT_EQ(SegmentPosition(Rgb(150, 50, 0), a, b), 0.75);  // green exactly one half below
  EXPECT_EQ(SegmentPosition(Rgb(48, 150, 0), a, b), std::nullopt);
  EXPECT_EQ(SegmentPosition(Rgb(150, 48, 0), a, b), std::nullopt);
  EXPECT_EQ(SegmentPosition(Rgb(100, 100, 1), a, b), std::nullopt) << "an unchanging channel must match";
  EXPECT_EQ(SegmentPosition(Rgb(220, 220, 0), b, a), std::nullopt) << "beyond the segment's end";
  EXPECT_EQ(SegmentPosition(Rgb(9, 9, 9), Rgb(9, 9, 9), Rgb(9, 9, 9)), std::nullopt) << "no changing channel";
}

TEST(ColourToTemperature, SpecialColoursAnchorsAndColoursOffTheScale) {
  ThermalImage image;
  image.InitThermalImage();
  EXPECT_EQ(ColourToTemperature(image, kNoReadingGrey), std::nullopt);
  EXPECT_EQ(ColourToTemperature(image, kBlack), kBelowScale);
  EXPECT_EQ(ColourToTemperature(image, kWhite), kAboveScale);
  EXPECT_EQ(ColourToTemperature(image, Rgb(100, 100, 101)), kOffScale);
  EXPECT_EQ(ColourToTemperature(image, Rgb(0, 204, 204)), kOffScale);  // green says 0.8, blue 0.2
  EXPECT_EQ(ColourToTemperature(image, Rgb(0, 204, 153)), 30);         // blue 0.4 is close enough
  // Anchors: blue starts the first of six segments, green ends it, red ends the fourth.
  EXPECT_EQ(ColourToTemperature(image, Rgb(0, 0, 255)), 10);
  EXPECT_EQ(ColourToTemperature(image, Rgb(0, 255, 0)), 35);
  EXPECT_EQ(ColourToTemperature(image, Rgb(255, 0, 0)), 110);
}

}  // namespace
