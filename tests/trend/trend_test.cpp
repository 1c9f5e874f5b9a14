// Newton's cooling fit.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <random>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

#include "trend/cooling_fit.h"
#include "trend/trend_csv.h"
#include "trend/trend_recorder.h"

namespace {

struct Newton {
  double t0, tu, tau;
};

// Newton's law read from `from` to `to` seconds of its course about `perSecond` times a second, at
// times irregular by up to half an interval, with normal sensor noise of `noise` degrees, rounded
// to whole degrees as the head reports them; the readings' times count from `start` seconds of
// the recording.
std::vector<TrendSample> Readings(Newton law, double from, double to, double perSecond, double noise,
                                  std::mt19937& random, double start = 0.0) {
  std::uniform_real_distribution<double> interval(0.5 / perSecond, 1.5 / perSecond);
  std::normal_distribution<double> sensor(0.0, 1.0);
  std::vector<TrendSample> series;
  for (double t = from; t <= to; t += interval(random)) {
    const double exact = law.tu + (law.t0 - law.tu) * std::exp(-t / law.tau) + noise * sensor(random);
    series.push_back({start + t - from, std::round(exact)});
  }
  return series;
}

// A reading every 2 s or so for 3 tau. Rounding alone leaves residuals of spread 1/sqrt(12) = 0.29
// degrees, with noise of that size sqrt(2/12) = 0.41. About 180 samples over 3 tau pin tau down
// to well under 2 %, tighter still when Tu is known. T0 is the temperature at the first sample,
// also for a point set an hour into the recording.
TEST(CoolingFit, RoundedAndNoisyCoolingAndWarmingGiveTauWithinThreeUncertaintiesOfUnderTwoPercent) {
  struct Case { Newton law; double noise, start; };
  for (const Case c : {Case{{80, 20, 120}, 0, 0}, Case{{80, 20, 120}, 0.29, 0}, Case{{15, 60, 90}, 0.29, 3600}}) {
    SCOPED_TRACE(testing::Message() << c.law.t0 << " noise " << c.noise);
    std::mt19937 random(7);
    const auto series = Readings(c.law, 0, 3 * c.law.tau, 0.5, c.noise, random, c.start);
    const CoolingFit fitted = FitCooling(series, std::nullopt);
    const CoolingFit given = FitCooling(series, c.law.tu);
    for (const CoolingFit& f : {fitted, given}) {
      ASSERT_EQ(f.problem, FitProblem::kNone);
      EXPECT_NEAR(f.tau, c.law.tau, 3 * f.tauUncertainty);
      EXPECT_GT(f.tauUncertainty, 0.0);
      EXPECT_LT(f.tauUncertainty, 0.02 * c.law.tau);
      EXPECT_NEAR(f.startCelsius, c.law.t0, 1.0);
      EXPECT_NEAR(f.residualSpread, c.noise > 0 ? 0.41 : 0.29, 0.08);
      EXPECT_NEAR(f.At(c.start + c.law.tau), c.law.tu + (c.law.t0 - c.law.tu) / std::exp(1.0), 0.3);
    }
    EXPECT_TRUE(fitted.ambientFitted);
    EXPECT_NEAR(fitted.ambientCelsius, c.law.tu, 1.0);
    EXPECT_FALSE(given.ambientFitted);
    EXPECT_EQ(given.ambientCelsius, c.law.tu);
    EXPECT_LT(given.tauUncertainty, fitted.tauUncertainty);
  }
}

// Whole degrees of a law a million degrees high leave only rounding of a millionth: tau comes out
// to that precision, whether Tu is given or fitted.
TEST(CoolingFit, FineSeriesGiveTauToTheirPrecision) {
  std::mt19937 random(7);
  const auto series = Readings({1e6, 0, 50}, 0, 150, 0.5, 0, random);
  for (const CoolingFit& f : {FitCooling(series, 0.0), FitCooling(series, std::nullopt)})
    EXPECT_NEAR(f.tau, 50, 50e-5);
}

// An area's mean falling by a third of a degree, kept to the hundredth with the noise a mean of whole
// degrees has: taken for whole degrees, all of its fall would lie within one degree's alike
// rounding errors, whose sum the fit itself makes vanish, and the stated uncertainty would shrink
// far below the true one.
TEST(CoolingFit, AMeansHundredthsGiveTheUncertaintyOfItsOwnResolution) {
  std::mt19937 random(1);
  std::normal_distribution<double> sensor(0.0, 0.02);
  std::vector<TrendSample> means;
  for (double t = 0; t <= 900; t += 2.0)
    means.push_back({t, std::round((20.5 + 0.3 * std::exp(-t / 300) + sensor(random)) * 100) / 100});
  const CoolingFit own = FitCooling(means, std::nullopt, 0.01), whole = FitCooling(means, std::nullopt, 1.0);
  EXPECT_NEAR(own.tau, 300, 3 * own.tauUncertainty);
  EXPECT_LT(whole.tauUncertainty, own.tauUncertainty / 2);
}

// How often the truth lies within one and within three stated standard uncertainties.
struct Coverage {
  int series = 0, withinOne = 0, withinThree = 0;
  void Add(double error, double uncertainty) {
    ++series;
    withinOne += std::abs(error) <= uncertainty;
    withinThree += std::abs(error) <= 3 * uncertainty;
  }
};

// Series as the emulated head gives them in a spot measurement: a mug cooling (one in five:
// a cold drink warming) from a random moment of its course on, tau from 30 s to 20 min, 1 to 3
// tau of data, whole degrees, half of them with a little sensor noise. A few hundred readings a
// second, but no more than 10,000 a series to keep the test quick: even then a degree's step
// lasts dozens of readings, so the rounding's errors run as alike as in a denser series. The
// stated uncertainties of tau (Tu given and fitted) and of Tu must cover the truth as standard
// uncertainties do: about two thirds within one, nearly all within three.
TEST(CoolingFit, TrueTauAndTuLieWithinOneStatedUncertaintyInTwoThirdsOfHeadSeriesAndWithinThreeInNearlyAll) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Coverage tauGiven, tauFitted, ambient;
  for (int i = 0; i < 100; ++i) {
    const double tau = 30.0 * std::pow(40.0, unit(random));
    const Newton law{unit(random) < 0.2 ? 2 + 10 * unit(random) : 30 + 60 * unit(random), 18 + 6 * unit(random), tau};
    const double from = 0.1 * tau * unit(random), seconds = tau * (1 + 2 * unit(random));
    const double perSecond = std::min(100 + 300 * unit(random), 10000 / seconds);
    const double noise = unit(random) < 0.5 ? 0.0 : 0.05 + 0.25 * unit(random);
    const auto series = Readings(law, from, from + seconds, perSecond, noise, random, 10.0);
    const CoolingFit given = FitCooling(series, law.tu), fitted = FitCooling(series, std::nullopt);
    ASSERT_EQ(given.problem, FitProblem::kNone);
    ASSERT_EQ(fitted.problem, FitProblem::kNone);
    tauGiven.Add(given.tau - tau, given.tauUncertainty);
    tauFitted.Add(fitted.tau - tau, fitted.tauUncertainty);
    ambient.Add(fitted.ambientCelsius - law.tu, fitted.ambientUncertainty);
  }
  for (const auto& [what, coverage] : {std::pair{"tau, Tu given", tauGiven}, {"tau, Tu fitted", tauFitted},
                                       {"Tu", ambient}}) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(coverage.withinOne / 100.0, 0.7, 0.2);
    EXPECT_GE(coverage.withinThree, 97);
  }
}

// The emulated head's own sensor reads 19 degrees in a room of 21. From one time constant of data
// on, Tu is fitted, which gives the mug's true tau (held at 19 it comes out over 20 s too long)
// and tells the reading apart from the room; before that, the fit keeps to the reading.
TEST(CoolingFit, AmbientIsFittedOnceTheSeriesSpansATimeConstantAndThenShowsTheHeadSensorIsOff) {
  std::mt19937 random(3);
  const Newton mug{80, 21, 300};
  const CoolingFit longer = FitCoolingAmbientWhenDetermined(Readings(mug, 0, 450, 200, 0, random), 19.0);
  ASSERT_EQ(longer.problem, FitProblem::kNone);
  EXPECT_TRUE(longer.ambientFitted);
  EXPECT_NEAR(longer.tau, mug.tau, 3 * longer.tauUncertainty);
  EXPECT_TRUE(AmbientDisagrees(longer, 19.0));
  EXPECT_FALSE(AmbientDisagrees(longer, 21.0));

  const auto shorter = Readings(mug, 0, 200, 200, 0, random);
  const CoolingFit held = FitCoolingAmbientWhenDetermined(shorter, 19.0);
  EXPECT_FALSE(held.ambientFitted);
  EXPECT_EQ(held.ambientCelsius, 19.0);
  EXPECT_TRUE(FitCoolingAmbientWhenDetermined(shorter, std::nullopt).ambientFitted);
}

TEST(CoolingFit, TooFewConstantOrLinearSeriesAreRefusedWithFiniteValues) {
  const std::vector<TrendSample> three = {{0, 50}, {1, 40}, {2, 34}};
  EXPECT_EQ(FitCooling(std::span(three).first(2), 20.0).problem, FitProblem::kTooFewSamples);
  EXPECT_EQ(FitCooling(three, std::nullopt).problem, FitProblem::kTooFewSamples);
  EXPECT_EQ(FitCooling(three, 20.0).problem, FitProblem::kNone);
  const std::vector<TrendSample> constant = {{0, 25}, {1, 25}, {2, 25}, {3, 25}};
  EXPECT_EQ(FitCooling(constant, std::nullopt).problem, FitProblem::kConstant);
  // A straight rising line: fitted Tu lets tau run off to infinity; with Tu
  // held at 0 no decay towards it can rise at all.
  std::vector<TrendSample> line;
  for (int t = 0; t <= 40; ++t) line.push_back({double(t), 20.0 + t});
  for (const CoolingFit& f : {FitCooling(line, std::nullopt), FitCooling(line, 0.0)}) {
    EXPECT_EQ(f.problem, FitProblem::kNoConvergence);
    for (double v : {f.tau, f.tauUncertainty, f.startCelsius, f.ambientCelsius, f.residualSpread})
      EXPECT_TRUE(std::isfinite(v));
  }
}

}  // namespace
