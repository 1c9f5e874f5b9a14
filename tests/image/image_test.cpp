// The thermal image from grid to screen, and the temperature read back under the mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "image/composer.h"
#include "image/readout.h"
#include "image/smoothing_preview.h"
#include "image/thermal_image.h"

namespace {

// The weight of both smoothings: the two-dimensional normal density of standard deviation sigma cells
// (kMinKernelHalfWidth if less or not a number), cells 8 pixels apart, at pixel offset (i, j); 0 from
// the radius on.
double NormalDensity(int i, int j, double sigma, int radius) {
  const double s = sigma >= kMinKernelHalfWidth ? sigma : kMinKernelHalfWidth, d2 = (i * i + j * j) / 64.0;
  return i * i + j * j < radius * radius ? std::exp(-d2 / (2 * s * s)) / (2 * std::numbers::pi * s * s) : 0.0;
}

int ColouredPixels(const MemoryPicture& p) {
  return static_cast<int>(std::count_if(p.Bits(), p.Bits() + 640 * 480, [](Colour c) { return c != kNoReadingGrey; }));
}

// A new image has the start settings. Each channel of the scale moves (B - A) / 30 per entry from one
// anchor to the next, truncated; value v shows entry (v - 10) / 150 * 180, truncated.
TEST(ThermalImage, StartSettingsAndAColourScaleThroughTheAnchorsWithBlackBelowAndWhiteAbove) {
  const ThermalImage image;
  EXPECT_TRUE(image.KernelRadius() == 20 && image.KernelHalfWidth() == 0.6 && image.ScaleMin() == 10 &&
              image.ScaleMax() == 160 && image.Ambient() == 10);
  const std::pair<int, Colour> entries[] = {
      {0, Rgb(0, 0, 255)},    {1, Rgb(0, 8, 246)},    {30, Rgb(0, 255, 0)},    {45, Rgb(127, 255, 0)},
      {75, Rgb(255, 210, 0)}, {105, Rgb(255, 82, 0)}, {165, Rgb(191, 0, 191)}, {179, Rgb(132, 0, 132)},
      {180, Rgb(128, 0, 128)}};
  for (const auto& [index, colour] : entries) EXPECT_EQ(image.Palette()[index], colour) << "entry " << index;
  const std::pair<int, Colour> values[] = {{-1, kNoReadingGrey},    {0, kBlack},   {9, kBlack},
                                           {10, image.Palette()[0]},   {11, image.Palette()[1]},
                                           {101, image.Palette()[109]}, {160, image.Palette()[180]}, {161, kWhite}};
  for (const auto& [value, colour] : values) EXPECT_EQ(image.ScaleColour(value), colour) << value;
}

// Readings at both halves' inner edges, after a clearing, stored with the kernel and scale in use or
// rebuilt for them. A smoothed sum is the readings weighted by the normal density from their cell centres
// (R + 8 x, R + 8 (31 - row)), -1 where that is 0; its pixel the colour of the truncated sum.
TEST(ThermalImage, ReadingsShowAsMeasuredPixelsAndAsSumsWeightedByTheNormalDensity) {
  const std::tuple<double, int, int, bool> cases[] = {{0.6, 20, 160, false}, {0.3, 20, 160, true},
                                                      {2.0, 48, 100, false}, {1.3, 31, 120, true},
                                                      {0.6, 0, 160, false},  {std::nan(""), 20, 160, false}};
  const int readings[][3] = {{30, 31, 250}, {29, 30, 70}, {31, 0, 120}};  // column, row, value
  for (const auto& [halfWidth, radius, scaleMax, rebuild] : cases) {
    ThermalImage image;
    const auto configure = [&, halfWidth = halfWidth, radius = radius, scaleMax = scaleMax] {
      image.SetSmoothing(halfWidth, radius);
      image.SetScale(10, scaleMax);
    };
    if (!rebuild) configure();
    image.StoreReading(31, 0, 200);   // stored anew after the clearing
    image.StoreReading(40, 20, 200);  // gone for good
    image.ClearImage();
    image.StoreReading(29, 30, 150);  // replaced
    image.StoreReading(5, 5, 90);     // removed
    for (const auto& [c, r, v] : readings) image.StoreReading(c, r, v);
    image.StoreReading(5, 5, -1);
    if (rebuild) configure();
    image.StoreReading(29, 30, 70);  // stored twice
    ThermalImage loaded;  // the grid loaded at once shows the same pictures
    loaded.SetSmoothing(halfWidth, radius);
    loaded.SetScale(10, scaleMax);
    loaded.LoadGrid(image.Grid());
    for (const Half half : {Half::Left, Half::Right})
      EXPECT_TRUE(std::equal(image.Smoothed(half).Bits(), image.Smoothed(half).Bits() + 640 * 480, loaded.Smoothed(half).Bits()) &&
                  std::equal(image.Measured(half).Bits(), image.Measured(half).Bits() + 640 * 480, loaded.Measured(half).Bits()));
    for (int i = -radius - 1; i <= radius; ++i)  // the kernel's offsets are -R..R-1 each way
      for (int j = -radius - 1; j <= radius; ++j)
        ASSERT_NEAR(image.Weight(i, j), NormalDensity(i, j, halfWidth, radius), 1e-9) << i << "," << j;
    for (const auto& [c, r, v] : readings)
      EXPECT_EQ(image.Measured(c < 31 ? Half::Left : Half::Right).Pixel(c % 31, 31 - r), image.ScaleColour(v));
    EXPECT_TRUE(ColouredPixels(image.Measured(Half::Left)) == 2 && ColouredPixels(image.Measured(Half::Right)) == 1);
    for (int k = 0; k < 2 * 640 * 480; ++k) {
      const Half half = k < 640 * 480 ? Half::Left : Half::Right;
      const int x = k % 640, y = k / 640 % 480;
      double expected = 0.0;
      for (const auto& [c, r, v] : readings)
        if ((c < 31) == (half == Half::Left))
          expected += v * NormalDensity(x - radius - 8 * (c % 31), y - radius - 8 * (31 - r), halfWidth, radius);
      const double sum = image.Sum(half, x, y);
      ASSERT_TRUE(expected == 0 ? sum == -1.0 : std::abs(sum - expected) <= 1e-9 * (1 + expected))
          << x << "," << y << " R " << radius << ": " << sum << " for " << expected;
      ASSERT_EQ(image.Smoothed(half).Pixel(x, y),
                image.ScaleColour(static_cast<int>(sum)));
    }
  }
}

// The preview: a 5 x 5 block of cells 8 pixels apart around (50, 50), measured (pixels 30..69 each way)
// and smoothed as the image smooths; a fractional radius counts by its integer part.
TEST(SmoothingPreview, ShowsTheBlockMeasuredAndWeightedByTheNormalDensity) {
  const ThermalImage image;
  SmoothingPreview preview;
  preview.Redraw(1.25, 20.7, image, 100);
  for (int k = 0; k < 100 * 100; ++k) {
    const int x = k % 100, y = k / 100;
    double sum = 0.0;
    for (int c = 0; c < 25; ++c) sum += NormalDensity(x - 34 - c / 5 * 8, y - 34 - c % 5 * 8, 1.25, 20);
    const bool block = x >= 30 && x < 70 && y >= 30 && y < 70;
    ASSERT_TRUE(preview.smoothedPreview.Pixel(x, y) == image.ScaleColour(static_cast<int>(sum * 100)) &&
                preview.measuredPreview.Pixel(x, y) == (block ? image.ScaleColour(100) : kBlack))
        << x << "," << y;
  }
}

constexpr Colour kBlue = Rgb(0, 0, 255), kPurple = Rgb(128, 0, 128);            // 10 and 160 degrees
constexpr Area kPictureArea{280, 10, 920, 490}, kScaleArea{940, 70, 970, 370};  // as the window places them

bool Inside(int v, int low, int high) { return low <= v && v <= high; }

// After start-up: pictures of 31 x 32 cells of 8 x 6 pixels at (36, 144) and (356, 144), mode 0,
// transparency 50, the scale bar drawn, over a background that never holds white or grey.
class PictureArea : public ::testing::Test {
 protected:
  PictureArea() {
    for (int k = 0; k < 640 * 480; ++k) display.backgroundSurface.Bits()[k] = Rgb(k % 97, 101 + k / 640 % 113, k % 211);
    DrawScaleLegend(display, image);
    BuildLayerMap(display, image);
  }
  // Composes; then the pixels that differ from `expected` (nullopt: the background).
  using Expected = std::function<std::optional<Colour>(int, int)>;
  int Mismatches(const Expected& expected = [](int, int) { return std::nullopt; }) {
    ComposePicture(display, image);
    int count = 0;
    for (int k = 0; k < 640 * 480; ++k)
      count += display.compositeSurface.Bits()[k] !=
               expected(k % 640, k / 640).value_or(display.backgroundSurface.Bits()[k]);
    return count;
  }
  void Place(const PictureRect& left, const PictureRect& right) {
    PlacePictures(display, image, left, right);
  }
  // Composes; then the readout's text for the pointer at (x, y) of the window.
  std::string TextAt(int x, int y) {
    ComposePicture(display, image);
    return x < kScaleArea.left ? ReadoutText(display, image, ReadoutArea::Picture, x - kPictureArea.left, y - kPictureArea.top)
                               : ReadoutText(display, image, ReadoutArea::Scale, x - kScaleArea.left, y - kScaleArea.top);
  }

  ThermalImage image;
  DisplayData display;
};

// Pixel (x, y) of a picture w x h shows cell column (x * 31 / w), row 31 - (y * 32 / h), truncated:
// enlarged or reduced, never blended, also where the picture reaches past the edges of the area.
TEST_F(PictureArea, MeasuredCellsCoverTheirPixelsUpToTheEdgesOfTheArea) {
  for (int c = 0; c < 31 * 32; ++c) image.StoreReading(c / 32, c % 32, c == 31 ? 160 : 10);  // top-left purple
  image.StoreReading(61, 0, 10);
  SetTransparency(display, 0);
  const auto cell = [](const PictureRect& p, int x, int y) {  // column and row from the top, if inside
    return Inside(x - p.x, 0, p.width - 1) && Inside(y - p.y, 0, p.height - 1)
               ? std::optional(std::pair((x - p.x) * 31 / p.width, (y - p.y) * 32 / p.height))
               : std::nullopt;
  };
  const std::pair<PictureRect, PictureRect> layouts[] = {
      {kStartLeftPicture, kStartRightPicture},
      {{400, 300, 248, 192, 8, 6}, {-100, -50, 248, 192, 8, 6}},
      {{30, 20, 100, 70, 100 / 31.0, 70 / 32.0}, {500, 400, 40, 25, 40 / 31.0, 25 / 32.0}}};
  for (const auto& [l, r] : layouts) {
    Place(l, r);
    EXPECT_EQ(Mismatches([&cell, &l = l, &r = r](int x, int y) -> std::optional<Colour> {
                if (const auto c = cell(l, x, y)) return *c == std::pair(0, 0) ? kPurple : kBlue;
                return cell(r, x, y) == std::pair(30, 31) ? std::optional(kBlue) : std::nullopt;
              }),
              0)
        << l.x;
  }
}

// Smoothed, a picture covers its rectangle less a margin of half a cell plus 31 R / (30 * 8) across and
// 32 R / (31 * 8) down, truncated: at R 23, 6 and 5 pixels, so x 42..277 and y 149..330.
TEST_F(PictureArea, SmoothedPictureShowsOnlyBetweenTheOuterCellCentres) {
  image.SetScale(0, 1000);  // every reading and every sum of 1 is blue
  image.SetSmoothing(0.6, 23);
  for (int c = 0; c < 31 * 32; ++c) image.StoreReading(c / 32, c % 32, 1);
  SetTransparency(display, 0);
  SetDisplayMode(display, image, DisplayMode::Smoothed);
  EXPECT_EQ(Mismatches([](int x, int y) {
              return Inside(x, 42, 277) && Inside(y, 149, 330) ? std::optional(kBlue) : std::nullopt;
            }),
            0);
}

// Where both pictures lie, their colours mix (truncated mean) before the background, each channel
// (1 - w) thermal + w background, truncated; the readout averages, but not with black or white.
TEST_F(PictureArea, OverlappingPicturesMixTheirColoursAndTheirReadings) {
  display.backgroundSurface.Fill(Rgb(0, 0, 2));
  Place(kStartLeftPicture, kStartLeftPicture);  // left column c on right column c + 31
  const std::tuple<int, int, const char*, Colour> cells[] = {
      {10, -1, "10 ° C", kBlue}, {-1, 160, "160 ° C", kPurple}, {10, 160, "85 ° C", Rgb(64, 0, 191)},
      {-1, -1, "", Rgb(0, 0, 2)}, {9, 51, "", 0},               {40, 161, "", 0}};  // 0: not checked
  SetTransparency(display, 0);
  for (int c = 0; const auto& [l, r, text, colour] : cells) {
    image.StoreReading(c, 31, l);
    image.StoreReading(c + 31, 31, r);
    EXPECT_EQ(TextAt(320 + 8 * c, 157), text) << l << " and " << r;  // the middle of cell (c, 31)
    EXPECT_TRUE(!colour || display.compositeSurface.Pixel(36 + 8 * c, 144) == colour) << c;
    ++c;
  }
  for (const auto& [transparency, colour] : {std::pair{50, Rgb(32, 0, 96)}, {100, Rgb(0, 0, 2)}}) {
    SetTransparency(display, transparency);
    ComposePicture(display, image);
    EXPECT_EQ(display.compositeSurface.Pixel(52, 144), colour) << transparency;
  }
}

// A reduced range is framed in white: column c starts at x + 8 c, row r at y + 6 (31 - r). Across both halves
// each frame is open towards the other picture but for its top pixel; an empty range has no frame.
TEST_F(PictureArea, ReducedScanRangesAreFramed) {
  using Frame = std::function<bool(int, int)>;
  const auto frame = [](int l, int t, int r, int b, int openSide = -1) -> Frame {
    return [=](int x, int y) {
      return Inside(x, l, r - 1) && Inside(y, t, b - 1) && (x == l || x == r - 1 || y == t || y == b - 1) &&
             !(x == openSide && y > t);
    };
  };
  const auto both = [](Frame a, Frame b) -> Frame { return [=](int x, int y) { return a(x, y) || b(x, y); }; };
  const std::tuple<int, int, int, int, Frame> cases[] = {
      {0, 30, 0, 31, frame(36, 144, 284, 336)},
      {2, 5, 10, 20, frame(52, 210, 84, 276)},
      {31, 61, 0, 31, frame(356, 144, 604, 336)},
      {33, 40, 3, 5, frame(372, 300, 436, 318)},
      {20, 40, 0, 31, both(frame(196, 144, 284, 336, 283), frame(356, 144, 436, 336, 356))},
      {25, 31, 7, 9, both(frame(236, 276, 284, 294, 283), frame(356, 276, 364, 294, 356))},
      {0, 61, 0, 31, [](int, int) { return false; }}};  // the full range: the old frame is painted over
  const auto setRange = [this](int c0, int c1, int r0, int r1) {
    image.SetRange(ScanRange{static_cast<std::uint8_t>(c0), static_cast<std::uint8_t>(c1),
                             static_cast<std::uint8_t>(r0), static_cast<std::uint8_t>(r1)});
  };
  for (const auto& [c0, c1, r0, r1, white] : cases) {
    setRange(c0, c1, r0, r1);
    EXPECT_EQ(Mismatches([&w = white](int x, int y) { return w(x, y) ? std::optional(kWhite) : std::nullopt; }), 0)
        << c0 << ".." << c1 << ", " << r0 << ".." << r1;
  }
  for (const auto& [width, height, column, row] : {std::tuple{20, 192, 0, 0}, {248, 20, 30, 31}}) {
    Place({36, 144, width, height, width / 31.0, height / 32.0}, kStartRightPicture);
    setRange(column, column, row, row);
    EXPECT_EQ(Mismatches(), 0) << width << " x " << height;
  }
}

// The readout takes the layers before the mix, only strictly inside the areas; a colour reads back within a
// degree: 31 shows entry 25 = (0, 212, 42), green 212 / 255 of the first of six 25-degree segments, 30.8.
TEST_F(PictureArea, ReadingsAndTheScaleBarReadBackAtTheResolutionOfTheScale) {
  SetTransparency(display, 100);
  Place({0, 0, 248, 192, 8, 6}, {392, 288, 248, 192, 8, 6});  // corner cells at the area's corners
  const std::pair<int, const char*> cells[] = {  // the top row of the left picture from the left
      {31, "30 \xC2\xB0 C"}, {9, "< 10 ° C"}, {10, "10 ° C"}, {160, "160 ° C"}, {161, "> 160 ° C"}};
  for (int c = 0; const auto& [value, text] : cells) {
    image.StoreReading(c, 31, value);
    EXPECT_EQ(TextAt(281 + 8 * c++, 11), text) << value;
  }
  image.StoreReading(61, 0, 31);
  const std::tuple<int, int, const char*> points[] = {  // (671, 400) and (700, 297) lie just beside a picture
      {919, 489, "30 ° C"}, {280, 11, ""}, {281, 10, ""}, {920, 489, ""}, {919, 490, ""}, {930, 200, ""},
      {580, 110, ""}, {321, 11, ""}, {671, 400, ""}, {700, 297, ""}, {955, 72, "> 160 ° C"}, {955, 75, "160 ° C"},
      {955, 364, "10 ° C"}, {955, 367, "< 10 ° C"}, {955, 70, ""}, {955, 370, ""}, {940, 220, ""}, {970, 220, ""}};
  for (const auto& [x, y, text] : points) EXPECT_EQ(TextAt(x, y), text) << x << "," << y;
  for (int y = 363, below = 10; y >= 75; --y) {  // up the scale every row reads a degree, none lower
    const int degrees = std::stoi(TextAt(955, y));
    ASSERT_TRUE(degrees >= below && degrees <= 160) << y;
    below = degrees;
  }
  EXPECT_TRUE(ReadTemperatureAt(display, image, 0, 0) == 30 && ReadTemperatureAt(display, image, 639, 479) == 30);
  EXPECT_TRUE(!ReadTemperatureAt(display, image, 640, 0) && !ReadTemperatureAt(display, image, 0, -1));
  EXPECT_EQ(SurfacePixel(display.legendSurface, 640, 0), kNoReadingGrey);
  EXPECT_TRUE(!ColourToTemperature(image, kNoReadingGrey) && ColourToTemperature(image, Rgb(0, 0, 1)) == kOffScale &&
              ColourToTemperature(image, Rgb(0, 204, 204)) == kOffScale);  // green says 0.8, blue 0.2
  for (int k = 0; k < kPaletteSize; ++k)  // entry k stands for 10 + 150 k / 180 degrees
    ASSERT_LT(std::abs(ColourToTemperature(image, image.Palette()[k]).value_or(-9) - (10 + 150.0 * k / 180)), 1) << k;
}

// A cell's place in its picture follows the picture when it is moved or resized: the cell under a
// point is the one whose place holds it, the left picture's where both lie, none beside both.
TEST_F(PictureArea, CellsUnderAPointAndTheMiddleOfTheirPlaceFollowThePictures) {
  Place({30, 20, 100, 70, 100 / 31.0, 70 / 32.0}, {60, 40, 310, 320, 10, 10});
  EXPECT_EQ(CellAt(display, 30, 20), (GridCell{0, 31}));
  EXPECT_EQ(CellAt(display, 129, 89), (GridCell{30, 0}));
  EXPECT_EQ(CellAt(display, 130, 89), (GridCell{38, 27}));  // beside the left picture, in the right one
  EXPECT_EQ(CellAt(display, 369, 359), (GridCell{61, 0}));
  EXPECT_EQ(CellAt(display, 370, 20), std::nullopt);
  for (const GridCell cell : {GridCell{0, 31}, {17, 4}, {30, 0}, {31, 0}, {45, 12}, {61, 0}}) {
    const CellPoint centre = CellCentre(display, cell);
    EXPECT_EQ(CellAt(display, static_cast<int>(centre.x), static_cast<int>(centre.y)), cell) << cell.column;
  }
  const CellPoint middle = CellCentre(display, {45, 12});
  EXPECT_TRUE(middle.x == 60 + 14.5 * 10 && middle.y == 40 + 19.5 * 10);
}

}  // namespace
