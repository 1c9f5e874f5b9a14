#pragma once
#include <optional>
#include <span>

#include "trend/trend_series.h"

// Why a series could not be fitted.
enum class FitProblem { kNone, kTooFewSamples, kConstant, kNoConvergence };

// Newton's law of cooling, T(t) = Tu + (T0 - Tu) * exp(-(t - t0) / tau),
// fitted by least squares, t0 the time of the series' first sample (a point
// may be set long after recording began). The same law describes warming (T0 below Tu). Every number
// is finite whenever problem is kNone.
struct CoolingFit {
  FitProblem problem = FitProblem::kNone;
  double tau = 0.0;             // seconds
  double tauUncertainty = 0.0;  // standard uncertainty of tau, seconds
  double startSeconds = 0.0;    // t0
  double startCelsius = 0.0;    // T0, at t0
  double ambientCelsius = 0.0;  // Tu, given or fitted
  double ambientUncertainty = 0.0;  // standard uncertainty of a fitted Tu; 0 when given
  bool ambientFitted = false;
  double residualSpread = 0.0;  // standard deviation of the residuals, degrees
  // The fitted curve at t seconds.
  double At(double seconds) const;
};

// Fits the series; ambient holds Tu at that value, nullopt fits Tu too.
// Needs at least three samples (four when Tu is fitted too) and a series
// that is not constant. The uncertainties allow for readings rounded to
// `resolution` degrees (the series' own: whole degrees for a point), whose
// rounding errors are alike over each step of that size along the fall.
CoolingFit FitCooling(std::span<const TrendSample> series, std::optional<double> ambient, double resolution = 1.0);

// Tu fitted once the series spans a time constant of that fit, when the
// curve has bent enough to tell where it levels out; before that, Tu held at
// the measured value (fitted anyway when there is none).
CoolingFit FitCoolingAmbientWhenDetermined(std::span<const TrendSample> series, std::optional<double> measured,
                                           double resolution = 1.0);

// Whether a fitted Tu and a measured one (whole degrees from a sensor, so
// good to half a degree) differ by more than their combined uncertainty.
bool AmbientDisagrees(const CoolingFit& fit, double measured);
