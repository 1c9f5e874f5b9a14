#include "image/composer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "image/stretch.h"

namespace {

constexpr Colour kBlue = Rgb(0, 0, 255);      // 10 degrees, palette entry 0
constexpr Colour kRed = Rgb(255, 0, 0);       // 110 degrees, entry 120
constexpr Colour kPurple = Rgb(128, 0, 128);  // 160 degrees, entry 180

// A composer at start-up: start arrangement, mode 0, transparency 50, no
// readings, over a patterned background that never holds white or grey.
class ComposerTest : public ::testing::Test {
 protected:
  ComposerTest() {
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) {
        display.backgroundSurface.SetPixel(x, y, Rgb(x % 97, 101 + y % 113, (x * y) % 211));
      }
    }
    BuildLayerMap(display, image);
  }

  Colour Shown(int x, int y) const { return display.compositeSurface.Pixel(x, y); }
  Colour Background(int x, int y) const { return display.backgroundSurface.Pixel(x, y); }

  // Number of pixels of the area that differ from `expected` (nullopt: the background).
  int Mismatches(const std::function<std::optional<Colour>(int, int)>& expected) const {
    int count = 0;
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) {
        count += Shown(x, y) != expected(x, y).value_or(Background(x, y));
      }
    }
    return count;
  }
  int MismatchesOfFrame(const std::function<bool(int, int)>& white) const {
    return Mismatches([&](int x, int y) { return white(x, y) ? std::optional(kWhite) : std::nullopt; });
  }
  void StoreHalf(int firstColumn, int value) {
    for (int c = firstColumn; c < firstColumn + kHalfColumns; ++c) {
      for (int r = 0; r < kGridRows; ++r) image.StoreReading(c, r, value);
    }
  }
  void SetRange(int c0, int c1, int r0, int r1) {
    image.rangeFirstColumn = c0;
    image.rangeLastColumn = c1;
    image.rangeFirstRow = r0;
    image.rangeLastRow = r1;
  }

  ThermalImage image;
  DisplayData display;
};

bool Inside(int v, int low, int high) { return low <= v && v <= high; }

TEST_F(ComposerTest, WithoutReadingsBackgroundShowsEverywhereInBothModesAtEveryTransparency) {
  for (const int mode : {kMeasuredPixels, kSmoothed}) {
    for (const int transparency : {0, 50, 100}) {
      display.compositeSurface.Fill(kWhite);
      SetDisplayMode(display, image, mode);
      display.transparency = transparency;
      ComposePicture(display, image);
      EXPECT_EQ(Mismatches([](int, int) { return std::nullopt; }), 0) << mode << " " << transparency;
    }
  }
}

TEST_F(ComposerTest, MeasuredCornerCellsCoverTheirEightBySixBlocks) {
  display.transparency = 0;
  image.StoreReading(0, 31, 10);
  image.StoreReading(61, 0, 160);
  ComposePicture(display, image);
  EXPECT_EQ(Mismatches([](int x, int y) -> std::optional<Colour> {
              if (Inside(x, 36, 43) && Inside(y, 144, 149)) return kBlue;
              if (Inside(x, 596, 603) && Inside(y, 330, 335)) return kPurple;
              return std::nullopt;
            }),
            0);
}

TEST_F(ComposerTest, SmoothedPictureShowsOnlyBetweenTheOuterCellCentres) {
  image.smoothedLeft.Fill(kRed);  // a smoothed picture coloured everywhere
  display.transparency = 0;
  SetDisplayMode(display, image, kSmoothed);
  ComposePicture(display, image);
  EXPECT_EQ(display.displayMode, kSmoothed);
  EXPECT_EQ(Mismatches([](int x, int y) {
              return Inside(x, 42, 277) && Inside(y, 149, 330) ? std::optional(kRed) : std::nullopt;
            }),
            0);

  SetDisplayMode(display, image, kMeasuredPixels);
  EXPECT_EQ(display.LayerAt(36, 144), kLeftLayer);
  EXPECT_EQ(display.LayerAt(283, 335), kLeftLayer);
  EXPECT_EQ(display.LayerAt(284, 335), kNoLayer);
}

// Checkerboards of two scale colours: any blending of neighbours would show another colour.
TEST_F(ComposerTest, StretchedPicturesKeepTheColoursOfTheScale) {
  for (MemoryPicture* picture : {&image.measuredLeft, &image.smoothedLeft}) {
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) picture->SetPixel(x, y, (x + y) % 2 ? kBlue : kPurple);
    }
  }
  display.transparency = 0;
  display.rightPicture.x = 700;  // out of the way
  const PictureRect reduced{36, 144, 100, 64, 100 / 31.0, 2.0};
  const PictureRect enlarged{0, 0, 1280, 960, 1280 / 31.0, 30.0};
  for (const auto& [placement, mode] :
       {std::pair{reduced, kSmoothed}, std::pair{enlarged, kMeasuredPixels}}) {
    display.leftPicture = placement;
    SetDisplayMode(display, image, mode);
    ComposePicture(display, image);
    std::set<Colour> shown;
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) {
        if (display.LayerAt(x, y) != kNoLayer) shown.insert(Shown(x, y));
      }
    }
    EXPECT_EQ(shown, (std::set{kBlue, kPurple})) << mode;
  }
  // Enlarged 1280 / 31 times, each cell is 41 or 42 pixels wide and starts where the last one ended.
  std::vector<int> runs{1};
  for (int x = 1; x < kPictureWidth; ++x) {
    if (Shown(x, 0) == Shown(x - 1, 0)) ++runs.back(); else runs.push_back(1);
  }
  runs.pop_back();  // cut off by the edge
  EXPECT_EQ(runs.size(), 15u);
  for (const int run : runs) EXPECT_TRUE(run == 41 || run == 42) << run;
}

TEST(StretchPicture, EmptyOrOutsideRectanglesCopyNothing) {
  MemoryPicture source(4, 4), target(8, 8);
  source.Fill(kRed);
  StretchPicture(source, {0, 0, 4, 4}, target, {0, 0, 0, 8});
  StretchPicture(source, {0, 0, 0, 4}, target, {0, 0, 8, 8});
  StretchPicture(source, {0, 0, 4, 4}, target, {8, -8, 8, 8});
  StretchPicture(source, {2, 2, 4, 4}, target, {0, 0, 8, 8});  // half of it beyond the source
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(target.Pixel(x, y), x < 4 && y < 4 ? kRed : kBlack) << x << "," << y;
    }
  }
}

TEST(ColourMixes, ThermalColourOverBackgroundByTransparency) {
  EXPECT_EQ(MixColours(kRed, kBlack, 0.5), Rgb(127, 0, 0));
  EXPECT_EQ(MixColours(Rgb(10, 20, 30), Rgb(200, 150, 100), 0.0), Rgb(10, 20, 30));
  EXPECT_EQ(MixColours(Rgb(10, 20, 30), Rgb(200, 150, 100), 1.0), Rgb(200, 150, 100));
  EXPECT_EQ(MixColours(Rgb(11, 20, 30), Rgb(200, 151, 100), 0.5), Rgb(105, 85, 65));
}

TEST(ColourMixes, LayersGiveTruncatedMeanUnlessTheFirstIsGrey) {
  EXPECT_EQ(MixLayers(kNoReadingGrey, kBlue), kBlue);
  EXPECT_EQ(MixLayers(kBlue, kPurple), Rgb(64, 0, 191));
  EXPECT_EQ(MixLayers(Rgb(200, 0, 0), kNoReadingGrey), Rgb(150, 50, 50));  // only the first is checked
}

TEST_F(ComposerTest, RedOverBlackAtHalfTransparencyIsDarkRed) {
  display.backgroundSurface.Fill(kBlack);
  BuildLayerMap(display, image);
  image.StoreReading(0, 31, 110);
  for (const auto& [transparency, expected] :
       {std::pair{50, Rgb(127, 0, 0)}, std::pair{0, kRed}, std::pair{100, kBlack}}) {
    display.transparency = transparency;
    ComposePicture(display, image);
    EXPECT_EQ(Shown(36, 144), expected) << transparency;
  }
}

TEST_F(ComposerTest, OverlappingPicturesMixTheirColoursBeforeTheBackground) {
  display.rightPicture = display.leftPicture;
  display.backgroundSurface.Fill(kBlack);
  BuildLayerMap(display, image);
  EXPECT_EQ(display.LayerAt(36, 144), kBothLayers);
  image.StoreReading(0, 31, 10);    // left only
  image.StoreReading(32, 31, 160);  // right only
  image.StoreReading(2, 31, 10);    // both
  image.StoreReading(33, 31, 160);
  const auto cell = [this](int column) { return Shown(36 + 8 * column, 144); };
  display.transparency = 0;
  ComposePicture(display, image);
  EXPECT_EQ(cell(0), kBlue);
  EXPECT_EQ(cell(1), kPurple);
  EXPECT_EQ(cell(2), Rgb(64, 0, 191));
  EXPECT_EQ(cell(3), kBlack);
  display.transparency = 50;
  ComposePicture(display, image);
  EXPECT_EQ(cell(2), Rgb(32, 0, 95));
}

TEST_F(ComposerTest, RangeInOneHalfIsFramedInsideItsRectangle) {
  const auto border = [](int l, int t, int r, int b) {
    return [=](int x, int y) {
      return Inside(x, l, r - 1) && Inside(y, t, b - 1) && (x == l || x == r - 1 || y == t || y == b - 1);
    };
  };
  SetRange(0, 30, 0, 31);
  ComposePicture(display, image);
  EXPECT_EQ(MismatchesOfFrame(border(36, 144, 284, 336)), 0);
  SetRange(2, 5, 10, 20);
  ComposePicture(display, image);
  EXPECT_EQ(MismatchesOfFrame(border(36 + 2 * 8, 144 + 11 * 6, 36 + 6 * 8, 144 + 22 * 6)), 0);
  SetRange(31, 61, 0, 31);
  ComposePicture(display, image);
  EXPECT_EQ(MismatchesOfFrame(border(356, 144, 604, 336)), 0);
  SetRange(0, 61, 0, 31);  // the full range again: the old frame is painted over
  ComposePicture(display, image);
  EXPECT_EQ(MismatchesOfFrame([](int, int) { return false; }), 0);
}

TEST_F(ComposerTest, RangeAcrossBothHalvesDrawsTwoFramesOpenTowardsEachOther) {
  SetRange(20, 40, 0, 31);
  ComposePicture(display, image);
  // Left: x 196..283, right: x 356..435, y 144..335; each line ends one pixel before its end point.
  EXPECT_EQ(MismatchesOfFrame([](int x, int y) {
              const bool left = (y == 144 && Inside(x, 196, 283)) || (x == 196 && Inside(y, 144, 334)) ||
                                (y == 335 && Inside(x, 196, 282));
              const bool right = (y == 144 && Inside(x, 356, 435)) || (x == 435 && Inside(y, 144, 334)) ||
                                 (y == 335 && Inside(x, 357, 435));
              return left || right;
            }),
            0);
  EXPECT_NE(Shown(283, 240), kWhite);
  EXPECT_NE(Shown(356, 240), kWhite);
}

TEST(ScaleLegend, PaletteRunsUpwardBetweenBlackAndWhiteBands) {
  const ThermalImage image;
  MemoryPicture legend(kPictureWidth, kPictureHeight);
  legend.Fill(Rgb(1, 2, 3));
  DrawScaleLegend(legend, image);
  const auto entry = [&](int row) {
    return static_cast<int>(std::find(image.palette.begin(), image.palette.end(), legend.Pixel(0, row)) -
                            image.palette.begin());
  };
  for (int row = 0; row < 300; ++row) {
    const Colour expected = row < 5 ? kWhite : row >= 295 ? kBlack : legend.Pixel(0, row);
    for (int x = 0; x < 30; ++x) EXPECT_EQ(legend.Pixel(x, row), expected) << x << "," << row;
    EXPECT_EQ(legend.Pixel(30, row), Rgb(1, 2, 3));
  }
  EXPECT_EQ(legend.Pixel(0, 300), Rgb(1, 2, 3));
  EXPECT_EQ(legend.Pixel(0, 294), kBlue);
  EXPECT_EQ(legend.Pixel(0, 6), kPurple);
  EXPECT_EQ(legend.Pixel(0, 5), kPurple);
  EXPECT_EQ(entry(7), 179);
  // Every entry in order, each on one or two rows, without gaps.
  for (int row = 293; row >= 5; --row) {
    EXPECT_TRUE(entry(row) == entry(row + 1) || entry(row) == entry(row + 1) + 1) << row;
    EXPECT_FALSE(entry(row) == entry(row + 1) && row + 2 <= 294 && entry(row + 2) == entry(row)) << row;
  }
}

TEST_F(ComposerTest, PicturesReachingPastTheEdgesComposeUpToTheLastColumnAndRow) {
  StoreHalf(0, 10);
  display.transparency = 0;
  display.rightPicture = {700, 500, 248, 192, 8.0, 6.0};  // wholly outside: composes nothing
  for (const auto& [x, y] : {std::pair{400, 300}, std::pair{-100, -50}}) {
    display.leftPicture = {x, y, 248, 192, 8.0, 6.0};
    BuildLayerMap(display, image);
    ComposePicture(display, image);
    EXPECT_EQ(Mismatches([x, y](int px, int py) {
                return Inside(px, x, x + 247) && Inside(py, y, y + 191) ? std::optional(kBlue) : std::nullopt;
              }),
              0)
        << x << "," << y;
  }
}

}  // namespace
