#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "image/thermal_image.h"

namespace {

// Centre of the cell in picture column x, grid row r of either half.
int CentreX(const ThermalImage& image, int x) { return image.kernelRadius + 8 * x; }
int CentreY(const ThermalImage& image, int r) { return image.kernelRadius + 8 * (31 - r); }

void StoreField(ThermalImage& image, int value) {
  for (int c = 0; c < kGridColumns; ++c)
    for (int r = 0; r < kGridRows; ++r) image.StoreReading(c, r, value);
}

void SetKernel(ThermalImage& image, double halfWidth, int radius) {
  image.kernelHalfWidth = halfWidth;
  image.kernelRadius = radius;
  image.ComputeKernel();
}

template <typename Check>
void ForEverySum(const ThermalImage& image, Check check) {
  for (Half half : {Half::Left, Half::Right})
    for (int y = 0; y < kPictureHeight; ++y)
      for (int x = 0; x < kPictureWidth; ++x) check(half, x, y, image.Sum(half, x, y));
}

}  // namespace

TEST(Kernel, StartSettingsGiveGaussianOfKnownWeightsCutAtRadius) {
  const ThermalImage image;
  EXPECT_NEAR(image.Weight(0, 0), 0.4420971, 5e-8);
  EXPECT_NEAR(image.Weight(8, 0), 0.1102379, 5e-8);
  EXPECT_DOUBLE_EQ(image.Weight(0, -8), image.Weight(8, 0));
  EXPECT_TRUE(image.Weight(-19, 0) > 0 && image.Weight(-15, -13) > 0);    // distances 19 and 19.85
  EXPECT_TRUE(image.Weight(-20, 0) == 0 && image.Weight(-16, -12) == 0);  // distance 20
  double total = 0.0;
  for (int i = -20; i < 20; ++i)
    for (int j = -20; j < 20; ++j) total += image.Weight(i, j);
  EXPECT_NEAR(total, 63.988, 5e-4);
}

TEST(SmoothedSpot, SingleReadingSpreadsOverCircleAroundCellCentreOnly) {
  ThermalImage image;
  image.StoreReading(36, 10, 100);  // right half, picture column 5
  const int cx = CentreX(image, 5), cy = CentreY(image, 10);
  EXPECT_NEAR(image.Sum(Half::Right, cx, cy), 44.20971, 5e-6);
  EXPECT_EQ(image.smoothedRight.Pixel(cx, cy), image.palette[40]);  // 44
  ForEverySum(image, [&](Half half, int x, int y, double sum) {
    const int i = x - cx, j = y - cy;
    if (half == Half::Right && i * i + j * j < 400) {
      ASSERT_NEAR(sum, 100 * image.Weight(i, j), 1e-9);
      ASSERT_NE(image.smoothedRight.Pixel(x, y), kNoReadingGrey);
    } else {
      ASSERT_EQ(sum, -1.0) << x << "," << y;
      ASSERT_EQ((half == Half::Left ? image.smoothedLeft : image.smoothedRight).Pixel(x, y), kNoReadingGrey);
    }
  });
}

TEST(SmoothedField, UniformHundredShowsHundredAtCentresAndNinetyNineBetween) {
  ThermalImage image;
  StoreField(image, 100);
  for (Half half : {Half::Left, Half::Right}) {
    const MemoryPicture& picture = half == Half::Left ? image.smoothedLeft : image.smoothedRight;
    for (const auto& [x0, row] : {std::pair{15, 16}, std::pair{8, 24}, std::pair{22, 5}}) {
      const int x = CentreX(image, x0), y = CentreY(image, row);
      EXPECT_NEAR(image.Sum(half, x, y), 100.32, 0.005);
      EXPECT_EQ(picture.Pixel(x, y), image.palette[108]);
      EXPECT_NEAR(image.Sum(half, x + 4, y + 4), 99.63, 0.005);
      EXPECT_EQ(picture.Pixel(x + 4, y + 4), image.palette[106]);
    }
  }
}

TEST(SmoothingRadius, ZeroRadiusKeepsSmoothedPicturesEmpty) {
  ThermalImage image;
  SetKernel(image, 0.6, 0);
  StoreField(image, 80);
  image.RebuildImage();
  ForEverySum(image, [](Half, int, int, double sum) { ASSERT_EQ(sum, -1.0); });
  EXPECT_EQ(image.smoothedLeft.Pixel(20, 20), kNoReadingGrey);
  EXPECT_EQ(image.measuredLeft.Pixel(0, 0), image.palette[84]);
}

TEST(SmoothingRadius, LargestRadiusSpreadsWholeCircleInsidePicture) {
  ThermalImage image;
  SetKernel(image, 0.6, 48);
  image.StoreReading(0, 31, 200);  // top-left cell: centre (48, 48)
  image.StoreReading(61, 0, 200);  // bottom-right cell of the right half
  EXPECT_TRUE(image.Sum(Half::Left, 1, 48) > 0 && image.Sum(Half::Left, 48, 1) > 0);
  EXPECT_EQ(image.Sum(Half::Left, 0, 48), -1.0);
  const int cx = 48 + 240, cy = 48 + 248;
  EXPECT_TRUE(image.Sum(Half::Right, cx + 47, cy) > 0 && image.Sum(Half::Right, cx, cy + 47) > 0);
  EXPECT_EQ(image.Sum(Half::Right, cx + 48, cy), -1.0);
  StoreField(image, 255);
  image.RebuildImage();
  EXPECT_EQ(image.smoothedRight.Pixel(cx, cy), kWhite);
}

TEST(KernelHalfWidth, BelowSmallestActsAsSmallestAndStaysFinite) {
  ThermalImage smallest;
  SetKernel(smallest, kMinKernelHalfWidth, 20);
  for (double h : {0.0, 0.005, -2.0, std::nan("")}) {
    ThermalImage image;
    SetKernel(image, h, 20);
    StoreField(image, 120);
    image.StoreReading(5, 5, 17);
    for (int i = -20; i < 20; ++i)
      for (int j = -20; j < 20; ++j) ASSERT_EQ(image.Weight(i, j), smallest.Weight(i, j)) << h;
    ForEverySum(image, [h](Half, int, int, double sum) { ASSERT_TRUE(std::isfinite(sum)) << h; });
    EXPECT_TRUE(std::isfinite(ThermalImage::KernelWeight(h, 20, 8, 8, 0, 0)));
  }
}

TEST(RebuildImage, NewKernelGivesSamePicturesAsStoringTheGridAfresh) {
  ThermalImage rebuilt, fresh;
  for (int c = kGridColumns - 1; c >= 0; c -= 3)
    for (int r = 0; r < kGridRows; r += 2) rebuilt.StoreReading(c, r, 5 + (c * 7 + r * 13) % 170);
  rebuilt.StoreReading(4, 6, -1);
  SetKernel(rebuilt, 1.3, 31);
  rebuilt.RebuildImage();
  SetKernel(fresh, 1.3, 31);
  for (int c = 0; c < kGridColumns; ++c)
    for (int r = 0; r < kGridRows; ++r) fresh.StoreReading(c, r, rebuilt.grid[c][r]);
  ForEverySum(rebuilt, [&](Half half, int x, int y, double sum) { ASSERT_EQ(sum, fresh.Sum(half, x, y)); });
  for (auto picture : {&ThermalImage::measuredLeft, &ThermalImage::measuredRight, &ThermalImage::smoothedLeft,
                       &ThermalImage::smoothedRight}) {
    const MemoryPicture &a = rebuilt.*picture, &b = fresh.*picture;
    EXPECT_TRUE(std::equal(a.Bits(), a.Bits() + 640 * 480, b.Bits()));
  }
  EXPECT_TRUE(rebuilt.grid[4][6] == -1 && rebuilt.previousGrid[61][0] == rebuilt.grid[61][0]);
}
