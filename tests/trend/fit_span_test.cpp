// The span the cooling fit works on, chosen by a drag over the plot, and the fit's residuals.
#include "trend/fit_span.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A plot whose area runs from pixel 100 to 500 and shows 10 to 50 seconds: ten pixels a second.
constexpr TimeAxisPlace kAxis{100.0, 500.0, 10.0, 50.0};

}  // namespace

// Either direction gives the same span; a drag beyond the plot's edges ends at them.
TEST(FitSpan, ADragChoosesTheSecondsUnderItWithinThePlot) {
  EXPECT_EQ(DraggedSpan(kAxis, 200.0, 300.0), (TimeSpan{20.0, 30.0}));
  EXPECT_EQ(DraggedSpan(kAxis, 300.0, 200.0), (TimeSpan{20.0, 30.0}));
  EXPECT_EQ(DraggedSpan(kAxis, 20.0, 140.0), (TimeSpan{10.0, 14.0}));
  EXPECT_EQ(DraggedSpan(kAxis, 450.0, 900.0), (TimeSpan{45.0, 50.0}));
}

TEST(FitSpan, AClickWithoutDraggingChoosesEverything) {
  EXPECT_EQ(DraggedSpan(kAxis, 200.0, 200.0), std::nullopt);
  EXPECT_EQ(DraggedSpan(kAxis, 200.0, 202.0), std::nullopt);
  EXPECT_TRUE(DraggedSpan(kAxis, 200.0, 200.0 + kClickPixels).has_value());
  EXPECT_EQ(DraggedSpan({100.0, 100.0, 0.0, 10.0}, 100.0, 300.0), std::nullopt);  // no plot area yet
}

// The ends belong to the span; samples outside it on either side are left out.
TEST(FitSpan, OnlyTheSamplesWithinTheSpanAreTaken) {
  const std::vector<TrendSample> samples{{1.0, 80}, {2.0, 70}, {3.0, 62}, {4.0, 55}, {5.0, 50}};
  const auto seconds = [](std::span<const TrendSample> taken) {
    std::vector<double> times;
    for (const TrendSample& sample : taken) times.push_back(sample.seconds);
    return times;
  };
  EXPECT_EQ(seconds(SamplesWithin(samples, std::nullopt)), (std::vector<double>{1, 2, 3, 4, 5}));
  EXPECT_EQ(seconds(SamplesWithin(samples, TimeSpan{2.0, 4.0})), (std::vector<double>{2, 3, 4}));
  EXPECT_EQ(seconds(SamplesWithin(samples, TimeSpan{1.5, 3.5})), (std::vector<double>{2, 3}));
  EXPECT_TRUE(SamplesWithin(samples, TimeSpan{5.5, 9.0}).empty());
  EXPECT_TRUE(SamplesWithin(samples, TimeSpan{2.2, 2.8}).empty());
}

// A reading above the curve has a positive residual.
TEST(FitSpan, ResidualsAreTheReadingsMinusTheFittedCurve) {
  CoolingFit fit;
  fit.tau = 10.0, fit.startSeconds = 5.0, fit.startCelsius = 80.0, fit.ambientCelsius = 20.0;
  const std::vector<Residual> residuals = Residuals(std::vector<TrendSample>{{5.0, 82}, {15.0, 40}}, fit);
  ASSERT_EQ(residuals.size(), 2u);
  EXPECT_EQ(residuals[0].seconds, 5.0);
  EXPECT_NEAR(residuals[0].kelvin, 2.0, 1e-12);
  EXPECT_EQ(residuals[1].seconds, 15.0);
  EXPECT_NEAR(residuals[1].kelvin, 40.0 - (20.0 + 60.0 * std::exp(-1.0)), 1e-12);
}
