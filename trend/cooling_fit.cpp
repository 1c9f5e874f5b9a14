#include "trend/cooling_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

// Variable projection: for a fixed rate k = 1/tau the law is linear in the
// remaining parameters, T(t) = Tu + B * exp(-k * (t - tr)), with tr the
// first sample time so the basis starts at 1 and cannot underflow as a
// whole. The linear part is solved in closed form; the residual sum is then
// a function of tau alone, scanned on a logarithmic grid spanning 1e-3 to
// 1e3 times the series' duration and refined by golden-section search.
// T0, the law's value at tr, is Tu + B.
//
// The uncertainties come from the residuals as they are, not from their
// spread alone: readings in whole degrees of a smooth curve are off by the
// same rounding for as long as the curve stays within one degree, seconds
// to minutes at a few hundred readings a second, so neighbouring residuals
// are anything but independent. Each sample's influence on a parameter (the
// sandwich estimate's linearisation) is summed with those of every sample
// whose fitted temperature lies within one step of the series' resolution
// (a degree for a point, a hundredth for an area's mean) of it, weighted
// down linearly with that distance (a Bartlett window, which keeps the
// variance positive). Sensor noise that is independent from reading to
// reading adds only its own share.

namespace {

constexpr double kTauRange = 1e3;   // tau within span / kTauRange .. span * kTauRange
constexpr int kGridPoints = 56;     // about 28 % apart in tau
constexpr double kLogTolerance = 1e-10;
constexpr double kSingular = 1e-14;  // determinant of the normalised normal matrix
constexpr int kBinsPerWindow = 20;  // the window's resolution
constexpr double kMeasuredAmbientUncertainty = 0.5;  // a whole-degree reading

struct LinearFit {
  double rss = std::numeric_limits<double>::infinity();
  double ambient = 0.0;  // Tu
  double amplitude = 0.0;  // B, the deviation from Tu at tr
};

// Standard uncertainties of tau and of a fitted Tu.
struct Uncertainties {
  double tau = 0.0;
  double ambient = 0.0;
};

class Projection {
 public:
  // resolution: one period of the rounding error.
  Projection(std::span<const TrendSample> series, std::optional<double> ambient, double resolution)
      : ambient_(ambient), resolution_(resolution) {
    std::vector<std::pair<double, double>> samples;
    samples.reserve(series.size());
    for (const TrendSample& s : series) samples.emplace_back(s.seconds, s.celsius);
    std::ranges::sort(samples, {}, &std::pair<double, double>::first);
    first_ = samples.front().first;
    u_.reserve(samples.size());
    y_.reserve(samples.size());
    for (const auto& [seconds, celsius] : samples) {
      u_.push_back(seconds - first_);
      y_.push_back(celsius);
    }
    e_.resize(u_.size());
  }

  double First() const { return first_; }
  double Span() const { return u_.back(); }

  // The best linear parameters and their residual sum for this tau.
  LinearFit Solve(double tau) {
    const double n = static_cast<double>(u_.size());
    for (std::size_t i = 0; i < u_.size(); ++i) e_[i] = std::exp(-u_[i] / tau);
    LinearFit fit;
    if (ambient_) {
      // Only B: y - Tu = B * e. The sample at tr has e = 1, so sum e^2 >= 1.
      double see = 0.0, sey = 0.0;
      for (std::size_t i = 0; i < u_.size(); ++i) {
        see += e_[i] * e_[i];
        sey += e_[i] * (y_[i] - *ambient_);
      }
      fit.ambient = *ambient_;
      fit.amplitude = sey / see;
    } else {
      // Straight-line regression of y on e, centred for accuracy.
      double me = 0.0, my = 0.0;
      for (std::size_t i = 0; i < u_.size(); ++i) me += e_[i], my += y_[i];
      me /= n, my /= n;
      double see = 0.0, sey = 0.0;
      for (std::size_t i = 0; i < u_.size(); ++i) {
        see += (e_[i] - me) * (e_[i] - me);
        sey += (e_[i] - me) * (y_[i] - my);
      }
      // A basis without spread can only give the mean; keep that fit.
      fit.amplitude = see > 0.0 ? sey / see : 0.0;
      fit.ambient = my - fit.amplitude * me;
    }
    double rss = 0.0;
    for (std::size_t i = 0; i < u_.size(); ++i) {
      const double r = y_[i] - fit.ambient - fit.amplitude * e_[i];
      rss += r * r;
    }
    fit.rss = std::isfinite(rss) ? rss : std::numeric_limits<double>::infinity();
    return fit;
  }

  // Sandwich estimate: with J the Jacobian in (Tu, B, tau) or (B, tau) and
  // A = J^T J, a parameter's change is row q of A^-1 J^T times the
  // residuals, a sum of one influence per sample. Its variance is the
  // windowed sum of products of these influences (see the top). nullopt
  // when the parameters are not determined (A is singular).
  std::optional<Uncertainties> Uncertainty(double tau, const LinearFit& fit) const {
    const int p = ambient_ ? 2 : 3;
    const auto row = [&](std::size_t i) {
      const double e = std::exp(-u_[i] / tau);
      std::array<double, 3> r{};
      int c = 0;
      if (!ambient_) r[c++] = 1.0;
      r[c++] = e;
      r[c++] = fit.amplitude * e * u_[i] / (tau * tau);
      return r;
    };
    std::array<std::array<double, 3>, 3> a{};
    for (std::size_t i = 0; i < u_.size(); ++i) {
      const auto r = row(i);
      for (int j = 0; j < p; ++j)
        for (int k = 0; k < p; ++k) a[j][k] += r[j] * r[k];
    }
    const std::optional<std::array<std::array<double, 3>, 3>> inverse = Invert(a, p);
    if (!inverse) return std::nullopt;
    const auto variance = [&](const std::array<double, 3>& weights) {
      return WindowedVariance([&](std::size_t i) {
        const auto r = row(i);
        double influence = 0.0;
        for (int j = 0; j < p; ++j) influence += weights[j] * r[j];
        return influence * (y_[i] - fit.ambient - fit.amplitude * r[p - 2]);
      }, tau, fit);
    };
    Uncertainties result;
    result.tau = std::sqrt(variance((*inverse)[p - 1]));
    if (!ambient_) result.ambient = std::sqrt(variance((*inverse)[0]));
    return result;
  }

 private:
  // The inverse of the leading p x p block, judged singular on the matrix
  // scaled to unit diagonal.
  static std::optional<std::array<std::array<double, 3>, 3>> Invert(const std::array<std::array<double, 3>, 3>& m,
                                                                     int p) {
    std::array<double, 3> d{};
    for (int j = 0; j < p; ++j) {
      if (!(m[j][j] > 0.0)) return std::nullopt;
      d[j] = 1.0 / std::sqrt(m[j][j]);
    }
    // Gauss-Jordan on [C | I], C the scaled matrix, which is positive definite when regular.
    std::array<std::array<double, 6>, 3> g{};
    for (int j = 0; j < p; ++j) {
      for (int k = 0; k < p; ++k) g[j][k] = m[j][k] * d[j] * d[k];
      g[j][p + j] = 1.0;
    }
    double determinant = 1.0;
    for (int j = 0; j < p; ++j) {
      const double pivot = g[j][j];
      determinant *= pivot;
      if (!(pivot > 0.0)) return std::nullopt;
      for (int k = 0; k < 2 * p; ++k) g[j][k] /= pivot;
      for (int i = 0; i < p; ++i) {
        if (i == j) continue;
        const double factor = g[i][j];
        for (int k = 0; k < 2 * p; ++k) g[i][k] -= factor * g[j][k];
      }
    }
    if (!(determinant > kSingular)) return std::nullopt;
    std::array<std::array<double, 3>, 3> inverse{};
    for (int j = 0; j < p; ++j)
      for (int k = 0; k < p; ++k) inverse[j][k] = g[j][p + k] * d[j] * d[k];
    return inverse;
  }

  // Sum over pairs of samples of influence(i) * influence(j), weighted by
  // 1 - |distance| / window for fitted temperatures closer than the window.
  // The fitted curve is monotonic, so its fall since the first sample
  // orders the samples as time does; the influences are summed in bins of
  // that fall first, and only bins that hold samples are kept.
  template <typename Influence>
  double WindowedVariance(Influence influence, double tau, const LinearFit& fit) const {
    const double bin = resolution_ / kBinsPerWindow;
    std::vector<std::pair<double, double>> bins;  // bin number, sum of influences
    for (std::size_t i = 0; i < u_.size(); ++i) {
      const double number = std::floor(std::abs(fit.amplitude) * -std::expm1(-u_[i] / tau) / bin);
      if (bins.empty() || bins.back().first != number) bins.emplace_back(number, 0.0);
      bins.back().second += influence(i);
    }
    double variance = 0.0;
    for (std::size_t k = 0; k < bins.size(); ++k) {
      variance += bins[k].second * bins[k].second;
      for (std::size_t l = k + 1; l < bins.size() && bins[l].first - bins[k].first < kBinsPerWindow; ++l)
        variance += 2.0 * (1.0 - (bins[l].first - bins[k].first) / kBinsPerWindow) * bins[k].second * bins[l].second;
    }
    return variance;
  }

  std::optional<double> ambient_;
  double resolution_;
  double first_ = 0.0;
  std::vector<double> u_, y_, e_;
};

CoolingFit Failed(FitProblem problem, std::optional<double> ambient) {
  CoolingFit fit;
  fit.problem = problem;
  fit.ambientFitted = !ambient;
  return fit;
}

}  // namespace

double CoolingFit::At(double seconds) const {
  if (!(tau > 0.0)) return startCelsius;
  return ambientCelsius + (startCelsius - ambientCelsius) * std::exp(-(seconds - startSeconds) / tau);
}

CoolingFit FitCooling(std::span<const TrendSample> series, std::optional<double> ambient, double resolution) {
  const std::size_t parameters = ambient ? 2 : 3;
  if (series.size() < parameters + 1) return Failed(FitProblem::kTooFewSamples, ambient);
  const double value = series.front().celsius;
  if (std::all_of(series.begin(), series.end(), [value](const TrendSample& s) { return s.celsius == value; }))
    return Failed(FitProblem::kConstant, ambient);
  if (ambient && !std::isfinite(*ambient)) return Failed(FitProblem::kNoConvergence, ambient);

  Projection projection(series, ambient, resolution);
  const double span = projection.Span();
  if (!(span > 0.0) || !std::isfinite(span)) return Failed(FitProblem::kNoConvergence, ambient);

  // Coarse scan over log tau; a best value on the edge means the residual
  // keeps falling towards tau = 0 or infinity: no finite time constant.
  const double low = std::log(span / kTauRange), high = std::log(span * kTauRange);
  const double step = (high - low) / (kGridPoints - 1);
  int best = 0;
  double bestRss = std::numeric_limits<double>::infinity();
  for (int i = 0; i < kGridPoints; ++i) {
    const double rss = projection.Solve(std::exp(low + i * step)).rss;
    if (rss < bestRss) best = i, bestRss = rss;
  }
  if (best == 0 || best == kGridPoints - 1 || !std::isfinite(bestRss))
    return Failed(FitProblem::kNoConvergence, ambient);

  // Golden section between the neighbours of the best grid point.
  const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
  double a = low + (best - 1) * step, b = low + (best + 1) * step;
  double x1 = b - ratio * (b - a), x2 = a + ratio * (b - a);
  double f1 = projection.Solve(std::exp(x1)).rss, f2 = projection.Solve(std::exp(x2)).rss;
  while (b - a > kLogTolerance) {
    if (f1 <= f2) {
      b = x2, x2 = x1, f2 = f1;
      x1 = b - ratio * (b - a);
      f1 = projection.Solve(std::exp(x1)).rss;
    } else {
      a = x1, x1 = x2, f1 = f2;
      x2 = a + ratio * (b - a);
      f2 = projection.Solve(std::exp(x2)).rss;
    }
  }
  const double tau = std::exp(f1 <= f2 ? x1 : x2);
  const LinearFit linear = projection.Solve(tau);
  const std::optional<Uncertainties> uncertainty = projection.Uncertainty(tau, linear);
  if (!uncertainty) return Failed(FitProblem::kNoConvergence, ambient);

  CoolingFit fit;
  fit.tau = tau;
  fit.tauUncertainty = uncertainty->tau;
  fit.ambientCelsius = linear.ambient;
  fit.ambientUncertainty = uncertainty->ambient;
  fit.ambientFitted = !ambient;
  fit.startSeconds = projection.First();
  fit.startCelsius = linear.ambient + linear.amplitude;
  fit.residualSpread = std::sqrt(linear.rss / static_cast<double>(series.size() - parameters));
  const bool finite = std::isfinite(fit.tau) && std::isfinite(fit.tauUncertainty) &&
                      std::isfinite(fit.ambientCelsius) && std::isfinite(fit.ambientUncertainty) &&
                      std::isfinite(fit.startCelsius) && std::isfinite(fit.residualSpread);
  if (!finite) return Failed(FitProblem::kNoConvergence, ambient);
  return fit;
}

CoolingFit FitCoolingAmbientWhenDetermined(std::span<const TrendSample> series, std::optional<double> measured,
                                           double resolution) {
  const CoolingFit fitted = FitCooling(series, std::nullopt, resolution);
  if (!measured) return fitted;
  const double last = std::ranges::max(series, {}, &TrendSample::seconds).seconds;
  const bool determined = fitted.problem == FitProblem::kNone && last - fitted.startSeconds >= fitted.tau;
  return determined ? fitted : FitCooling(series, measured, resolution);
}

bool AmbientDisagrees(const CoolingFit& fit, double measured) {
  return fit.ambientFitted &&
         std::abs(fit.ambientCelsius - measured) > std::hypot(fit.ambientUncertainty, kMeasuredAmbientUncertainty);
}
