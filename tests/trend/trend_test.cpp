// Newton's cooling fit.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <random>
#include <tuple>
#include <vector>

#include "trend/cooling_fit.h"
#include "trend/trend_csv.h"
#include "trend/trend_recorder.h"

namespace {

// Newton's law sampled every 2 s for 3 tau, rounded to whole degrees as the
// head reports them, optionally with uniform noise of +-0.5 degrees first;
// the first sample at `start` seconds of the recording.
std::vector<TrendSample> Law(double t0, double tu, double tau, bool noise, double start, unsigned seed = 7) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> jitter(-0.5, 0.5);
  std::vector<TrendSample> series;
  for (double t = 0.0; t <= 3 * tau; t += 2.0) {
    const double exact = tu + (t0 - tu) * std::exp(-t / tau) + (noise ? jitter(random) : 0.0);
    series.push_back({start + t, static_cast<int>(std::lround(exact))});
  }
  return series;
}

// Rounding alone leaves residuals of spread 1/sqrt(12) = 0.29 degrees, with
// the noise sqrt(2/12) = 0.41. The true tau must then lie within three of the
// fit's standard uncertainties, and about 180 samples over 3 tau pin tau down
// to well under 2 %, tighter still when Tu is known. T0 is the temperature at
// the first sample, also for a point set an hour into the recording.
TEST(CoolingFit, RoundedAndNoisyCoolingAndWarmingGiveTauWithinThreeUncertaintiesOfUnderTwoPercent) {
  struct Case { double t0, tu, tau; bool noise; double start; };
  for (const Case c : {Case{80, 20, 120, false, 0}, Case{80, 20, 120, true, 0}, Case{15, 60, 90, true, 3600}}) {
    SCOPED_TRACE(testing::Message() << c.t0 << (c.noise ? " noisy" : " rounded"));
    const auto series = Law(c.t0, c.tu, c.tau, c.noise, c.start);
    const CoolingFit fitted = FitCooling(series, std::nullopt);
    const CoolingFit given = FitCooling(series, c.tu);
    for (const CoolingFit& f : {fitted, given}) {
      ASSERT_EQ(f.problem, FitProblem::kNone);
      EXPECT_NEAR(f.tau, c.tau, 3 * f.tauUncertainty);
      EXPECT_GT(f.tauUncertainty, 0.0);
      EXPECT_LT(f.tauUncertainty, 0.02 * c.tau);
      EXPECT_NEAR(f.startCelsius, c.t0, 1.0);
      EXPECT_NEAR(f.residualSpread, c.noise ? 0.41 : 0.29, 0.08);
      EXPECT_NEAR(f.At(c.start + c.tau), c.tu + (c.t0 - c.tu) / std::exp(1.0), 0.3);
    }
    EXPECT_TRUE(fitted.ambientFitted);
    EXPECT_NEAR(fitted.ambientCelsius, c.tu, 1.0);
    EXPECT_FALSE(given.ambientFitted);
    EXPECT_EQ(given.ambientCelsius, c.tu);
    EXPECT_LT(given.tauUncertainty, fitted.tauUncertainty);
  }
}

// Whole degrees of a law a million degrees high leave only rounding of a millionth: tau comes out
// to that precision, whether Tu is given or fitted.
TEST(CoolingFit, FineSeriesGiveTauToTheirPrecision) {
  const auto series = Law(1e6, 0, 50, false, 0);
  for (const CoolingFit& f : {FitCooling(series, 0.0), FitCooling(series, std::nullopt)})
    EXPECT_NEAR(f.tau, 50, 50e-5);
}

// The stated uncertainty of tau is its real scatter: over 200 noisy series the standard deviation
// of the fitted tau lies within 25 % of the mean stated uncertainty (the scatter's own estimate
// varies by about 5 % over 200 series; a wrong covariance is off by a factor of several).
TEST(CoolingFit, StatedUncertaintyMatchesTheScatterOfTau) {
  for (const std::optional<double> ambient : {std::optional(20.0), std::optional<double>()}) {
    double sum = 0.0, squares = 0.0, stated = 0.0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
      const CoolingFit f = FitCooling(Law(80, 20, 120, true, 0, seed), ambient);
      sum += f.tau, squares += f.tau * f.tau, stated += f.tauUncertainty / 200;
    }
    const double scatter = std::sqrt((squares - sum * sum / 200) / 199);
    EXPECT_NEAR(scatter / stated, 1.0, 0.25) << (ambient ? "Tu given" : "Tu fitted");
  }
}

TEST(CoolingFit, TooFewConstantOrLinearSeriesAreRefusedWithFiniteValues) {
  const std::vector<TrendSample> three = {{0, 50}, {1, 40}, {2, 34}};
  EXPECT_EQ(FitCooling({three.begin(), three.end() - 1}, 20.0).problem, FitProblem::kTooFewSamples);
  EXPECT_EQ(FitCooling(three, std::nullopt).problem, FitProblem::kTooFewSamples);
  EXPECT_EQ(FitCooling(three, 20.0).problem, FitProblem::kNone);
  EXPECT_EQ(FitCooling({{0, 25}, {1, 25}, {2, 25}, {3, 25}}, std::nullopt).problem, FitProblem::kConstant);
  // A straight rising line: fitted Tu lets tau run off to infinity; with Tu
  // held at 0 no decay towards it can rise at all.
  std::vector<TrendSample> line;
  for (int t = 0; t <= 40; ++t) line.push_back({double(t), 20 + t});
  for (const CoolingFit& f : {FitCooling(line, std::nullopt), FitCooling(line, 0.0)}) {
    EXPECT_EQ(f.problem, FitProblem::kNoConvergence);
    for (double v : {f.tau, f.tauUncertainty, f.startCelsius, f.ambientCelsius, f.residualSpread})
      EXPECT_TRUE(std::isfinite(v));
  }
}

}  // namespace
