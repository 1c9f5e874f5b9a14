#include "image/smoothing_preview.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "image/colour.h"
#include "image/thermal_image.h"

namespace {

// Two-dimensional normal density of standard deviation sigma cells, with a
// cell 8 pixels wide, at the pixel offset (i, j); 0 from the radius on.
double NormalDensity(int i, int j, double sigma, int radius) {
  if (i * i + j * j >= radius * radius) {
    return 0.0;
  }
  const double cellI = i / 8.0;
  const double cellJ = j / 8.0;
  return std::exp(-(cellI * cellI + cellJ * cellJ) / (2.0 * sigma * sigma)) /
         (2.0 * std::numbers::pi * sigma * sigma);
}

// The smoothed value at (x, y): the 5 x 5 block of cells 8 pixels apart
// around (50, 50), each weighted by the density at its distance.
int ExpectedSmoothed(int x, int y, int temperature, double sigma, int radius) {
  double sum = 0.0;
  for (int cx = 34; cx <= 66; cx += 8) {
    for (int cy = 34; cy <= 66; cy += 8) {
      sum += NormalDensity(x - cx, y - cy, sigma, radius);
    }
  }
  return static_cast<int>(sum * temperature);
}

class SmoothingPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override { image.InitThermalImage(); }

  void Draw(double sigma, int radius, int temperature) { preview.Redraw(sigma, radius, image, temperature); }

  ThermalImage image;
  SmoothingPreview preview;
};

TEST_F(SmoothingPreviewTest, KernelIsNormalDensityInsideCircleAndZeroFromRadiusOn) {
  for (const auto& [sigma, radius] : {std::pair{0.6, 20}, std::pair{1.25, 7}, std::pair{2.0, 48}}) {
    preview.previewSigma = sigma;
    preview.previewRadius = radius;
    preview.ComputePreviewKernel();
    for (int i = -radius; i < radius; ++i) {
      for (int j = -radius; j < radius; ++j) {
        const double expected = NormalDensity(i, j, sigma, radius);
        ASSERT_NEAR(preview.KernelEntry(i, j), expected, 1e-9 * (1.0 + expected))
            << "sigma " << sigma << " radius " << radius << " at (" << i << ", " << j << ")";
      }
    }
    EXPECT_EQ(preview.KernelEntry(-radius, 0), 0.0);  // on the circle itself
    EXPECT_EQ(preview.KernelEntry(0, -radius), 0.0);
    EXPECT_GT(preview.KernelEntry(-radius + 1, 0), 0.0);
  }
}

TEST_F(SmoothingPreviewTest, SmoothedPictureIsTheBlockWeightedByTheNormalDensityEverywhere) {
  for (const auto& [sigma, radius, temperature] :
       {std::tuple{0.6, 20, 100}, std::tuple{1.25, 48, 150}, std::tuple{0.3, 5, 60}, std::tuple{2.0, 13, 37}}) {
    Draw(sigma, radius, temperature);
    for (int x = 0; x < kPreviewSize; ++x) {
      for (int y = 0; y < kPreviewSize; ++y) {
        const int expected = ExpectedSmoothed(x, y, temperature, sigma, radius);
        ASSERT_EQ(preview.smoothedPreview.Pixel(x, y), image.ScaleColour(expected))
            << "sigma " << sigma << " radius " << radius << " at (" << x << ", " << y << "), expected "
            << expected;
      }
    }
  }
  // Start settings, 100 degrees: the centre sums to 100.34, shown as 100.
  Draw(0.6, 20, 100);
  EXPECT_EQ(preview.smoothedPreview.Pixel(50, 50), image.palette[108]);
}

TEST_F(SmoothingPreviewTest, MeasuredBlockCoversThirtyToSixtyNineAndLeavesTheRestAsItWas) {
  const Colour marker = Rgb(1, 2, 3);
  preview.measuredPreview.Fill(marker);
  Draw(0.6, 20, 30);
  for (int x = 0; x < kPreviewSize; ++x) {
    for (int y = 0; y < kPreviewSize; ++y) {
      const bool inBlock = x >= 30 && x <= 69 && y >= 30 && y <= 69;
      ASSERT_EQ(preview.measuredPreview.Pixel(x, y), inBlock ? Rgb(0, 204, 51) : marker) << x << ", " << y;
    }
  }
}

TEST_F(SmoothingPreviewTest, HalfWidthZeroIsDrawnAsTheSmallestStep) {
  Draw(0.01, 20, 80);
  const MemoryPicture smallest = preview.smoothedPreview;

  Draw(0.0, 20, 80);
  for (int i = -20; i < 20; ++i) {
    for (int j = -20; j < 20; ++j) {
      ASSERT_TRUE(std::isfinite(preview.KernelEntry(i, j))) << i << ", " << j;
    }
  }
  for (int x = 0; x < kPreviewSize; ++x) {
    for (int y = 0; y < kPreviewSize; ++y) {
      ASSERT_EQ(preview.smoothedPreview.Pixel(x, y), smallest.Pixel(x, y)) << x << ", " << y;
    }
  }
  // All the weight sits on the cell centres: white there, black between them.
  EXPECT_EQ(preview.smoothedPreview.Pixel(50, 50), kWhite);
  EXPECT_EQ(preview.smoothedPreview.Pixel(34, 66), kWhite);
  EXPECT_EQ(preview.smoothedPreview.Pixel(54, 54), kBlack);
}

}  // namespace
