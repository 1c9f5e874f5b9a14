#include "image/thermal_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

int ColouredPixels(const MemoryPicture& p) {
  return static_cast<int>(std::count_if(p.Bits(), p.Bits() + p.Width() * p.Height(),
                                        [](Colour c) { return c != kNoReadingGrey; }));
}

void ExpectEmpty(const ThermalImage& image) {
  for (int c = 0; c < kGridColumns; ++c)
    for (int r = 0; r < kGridRows; ++r) ASSERT_TRUE(image.grid[c][r] == -1 && image.previousGrid[c][r] == -1);
  for (Half half : {Half::Left, Half::Right})
    for (int y = 0; y < kPictureHeight; ++y)
      for (int x = 0; x < kPictureWidth; ++x) ASSERT_EQ(image.Sum(half, x, y), -1.0) << x << "," << y;
  for (auto* p : {&image.measuredLeft, &image.measuredRight, &image.smoothedLeft, &image.smoothedRight}) {
    ASSERT_TRUE(p->Width() == 640 && p->Height() == 480);
    EXPECT_EQ(ColouredPixels(*p), 0);
  }
}

}  // namespace

TEST(ThermalImageStart, StartClearAndRebuildOfEmptyGridLeaveEverythingEmptyAndGrey) {
  ThermalImage image;
  ExpectEmpty(image);
  for (int c = 0; c < kGridColumns; c += 5) image.StoreReading(c, c % 32, 40 + c);
  image.ClearImage();
  ExpectEmpty(image);
  image.RebuildImage();
  ExpectEmpty(image);
  image.StoreReading(3, 4, 90);
  image.kernelRadius = 7;
  image.InitThermalImage();
  ExpectEmpty(image);
  EXPECT_TRUE(image.kernelRadius == 20 && image.kernelHalfWidth == 0.6 && image.scaleMin == 10 &&
              image.scaleMax == 160);
}

TEST(Palette, TellingEntriesRunFromBlueToPurple) {
  const ThermalImage image;
  const std::pair<int, Colour> entries[] = {
      {0, Rgb(0, 0, 255)},     {1, Rgb(0, 8, 246)},     {15, Rgb(0, 127, 127)},  {29, Rgb(0, 246, 8)},
      {30, Rgb(0, 255, 0)},    {45, Rgb(127, 255, 0)},  {60, Rgb(255, 255, 0)},  {75, Rgb(255, 210, 0)},
      {90, Rgb(255, 165, 0)},  {105, Rgb(255, 82, 0)},  {120, Rgb(255, 0, 0)},   {135, Rgb(255, 0, 127)},
      {150, Rgb(255, 0, 255)}, {165, Rgb(191, 0, 191)}, {179, Rgb(132, 0, 132)}, {180, Rgb(128, 0, 128)}};
  for (const auto& [index, colour] : entries) EXPECT_EQ(image.palette[index], colour) << "entry " << index;
}

TEST(ScaleColour, LimitsGiveBlackBelowWhiteAboveAndGreyForNoReading) {
  const ThermalImage image;
  const std::pair<int, Colour> cases[] = {
      {-1, kNoReadingGrey},    {0, kBlack},           {9, kBlack},
      {10, Rgb(0, 0, 255)},    {30, Rgb(0, 204, 51)}, {115, Rgb(255, 0, 42)},
      {160, Rgb(128, 0, 128)}, {161, kWhite},         {255, kWhite}};
  for (const auto& [value, colour] : cases) EXPECT_EQ(image.ScaleColour(value), colour) << value;
  // Index 1.2 (v - 10) rounded down, except 115 whose quotient falls just short of 126.
  for (int v = 10; v <= 160; ++v)
    EXPECT_EQ(image.ScaleColour(v), image.palette[v == 115 ? 125 : 12 * (v - 10) / 10]) << v;
}

TEST(StoreReading, CellsLandOnTheirHalfsPixelWithRowZeroAtTheBottom) {
  const struct {
    int column, row, x, y;
  } cases[] = {{30, 31, 30, 0}, {0, 0, 0, 31}, {31, 0, 0, 31}, {61, 31, 30, 0}};
  for (const auto& k : cases) {
    ThermalImage image;
    image.StoreReading(k.column, k.row, 50);
    EXPECT_TRUE(image.grid[k.column][k.row] == 50 && image.previousGrid[k.column][k.row] == 50);
    const bool left = k.column <= 30;
    const MemoryPicture& hit = left ? image.measuredLeft : image.measuredRight;
    EXPECT_EQ(hit.Pixel(k.x, k.y), image.palette[48]) << k.column << "," << k.row;
    EXPECT_EQ(ColouredPixels(hit), 1);
    EXPECT_EQ(ColouredPixels(left ? image.measuredRight : image.measuredLeft), 0);
    EXPECT_EQ(ColouredPixels(left ? image.smoothedRight : image.smoothedLeft), 0);
  }
}

TEST(StoreReading, ReplacedAndRemovedValuesTakeOutExactlyWhatTheyPutIn) {
  ThermalImage image, reference;
  reference.StoreReading(10, 10, 70);
  image.StoreReading(10, 10, 70);
  for (int value : {150, 150, 30, -1}) image.StoreReading(11, 10, value);
  for (int y = 0; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureWidth; ++x)
      ASSERT_NEAR(image.Sum(Half::Left, x, y), reference.Sum(Half::Left, x, y), 1e-9) << x << "," << y;
  EXPECT_EQ(image.measuredLeft.Pixel(11, 21), kNoReadingGrey);
  reference.StoreReading(10, 10, -1);
  ExpectEmpty(reference);  // sums back at exactly 0 are empty again
}
