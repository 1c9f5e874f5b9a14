#include "trend/cooling_fit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

// Variable projection: for a fixed rate k = 1/tau the law is linear in the
// remaining parameters, T(t) = Tu + B * exp(-k * (t - tr)), with tr the
// first sample time so the basis starts at 1 and cannot underflow as a
// whole. The linear part is solved in closed form; the residual sum is then
// a function of tau alone, scanned on a logarithmic grid spanning 1e-3 to
// 1e3 times the series' duration and refined by golden-section search.
// T0, the law's value at tr, is Tu + B.

namespace {

constexpr double kTauRange = 1e3;   // tau within span / kTauRange .. span * kTauRange
constexpr int kGridPoints = 56;     // about 28 % apart in tau
constexpr double kLogTolerance = 1e-10;
constexpr double kSingular = 1e-14;  // determinant of the normalised normal matrix

struct LinearFit {
  double rss = std::numeric_limits<double>::infinity();
  double ambient = 0.0;  // Tu
  double amplitude = 0.0;  // B, the deviation from Tu at tr
};

class Projection {
 public:
  Projection(const std::vector<TrendSample>& series, std::optional<double> ambient) : ambient_(ambient) {
    first_ = series.front().seconds;
    for (const TrendSample& s : series) first_ = std::min(first_, s.seconds);
    u_.reserve(series.size());
    y_.reserve(series.size());
    for (const TrendSample& s : series) {
      u_.push_back(s.seconds - first_);
      y_.push_back(s.celsius);
    }
    e_.resize(u_.size());
  }

  double First() const { return first_; }
  double Span() const { return *std::max_element(u_.begin(), u_.end()); }

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

  // Var(tau) / s^2: the tau element of the inverse of J^T J, J the Jacobian
  // in (Tu, B, tau) or (B, tau). Tau's variance does not depend on how the
  // other parameters are expressed, so B stands in for T0. NaN if singular.
  double TauVarianceFactor(double tau, const LinearFit& fit) const {
    double m[3][3] = {};
    const int p = ambient_ ? 2 : 3;
    for (std::size_t i = 0; i < u_.size(); ++i) {
      const double e = std::exp(-u_[i] / tau);
      double row[3];
      int c = 0;
      if (!ambient_) row[c++] = 1.0;
      row[c++] = e;
      row[c++] = fit.amplitude * e * u_[i] / (tau * tau);
      for (int a = 0; a < p; ++a)
        for (int b = 0; b < p; ++b) m[a][b] += row[a] * row[b];
    }
    // Judge singularity on the matrix scaled to unit diagonal.
    double d[3];
    for (int a = 0; a < p; ++a) {
      if (!(m[a][a] > 0.0)) return std::numeric_limits<double>::quiet_NaN();
      d[a] = 1.0 / std::sqrt(m[a][a]);
    }
    double c[3][3];
    for (int a = 0; a < p; ++a)
      for (int b = 0; b < p; ++b) c[a][b] = m[a][b] * d[a] * d[b];
    double det = 0.0, minor = 0.0;  // minor: cofactor of the tau element (last)
    if (p == 2) {
      det = c[0][0] * c[1][1] - c[0][1] * c[1][0];
      minor = c[0][0];
    } else {
      det = c[0][0] * (c[1][1] * c[2][2] - c[1][2] * c[2][1]) - c[0][1] * (c[1][0] * c[2][2] - c[1][2] * c[2][0]) +
            c[0][2] * (c[1][0] * c[2][1] - c[1][1] * c[2][0]);
      minor = c[0][0] * c[1][1] - c[0][1] * c[1][0];
    }
    if (!(det > kSingular)) return std::numeric_limits<double>::quiet_NaN();
    return minor / det * d[p - 1] * d[p - 1];
  }

 private:
  std::optional<double> ambient_;
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

CoolingFit FitCooling(const std::vector<TrendSample>& series, std::optional<double> ambient) {
  const std::size_t parameters = ambient ? 2 : 3;
  if (series.size() < parameters + 1) return Failed(FitProblem::kTooFewSamples, ambient);
  const int value = series.front().celsius;
  if (std::all_of(series.begin(), series.end(), [value](const TrendSample& s) { return s.celsius == value; }))
    return Failed(FitProblem::kConstant, ambient);
  if (ambient && !std::isfinite(*ambient)) return Failed(FitProblem::kNoConvergence, ambient);

  Projection projection(series, ambient);
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

  const double dof = static_cast<double>(series.size() - parameters);
  const double variance = linear.rss / dof;
  const double factor = projection.TauVarianceFactor(tau, linear);

  CoolingFit fit;
  fit.tau = tau;
  fit.tauUncertainty = std::sqrt(variance * factor);
  fit.ambientCelsius = linear.ambient;
  fit.ambientFitted = !ambient;
  fit.startSeconds = projection.First();
  fit.startCelsius = linear.ambient + linear.amplitude;
  fit.residualSpread = std::sqrt(variance);
  const bool finite = std::isfinite(fit.tau) && std::isfinite(fit.tauUncertainty) &&
                      std::isfinite(fit.ambientCelsius) && std::isfinite(fit.startCelsius) &&
                      std::isfinite(fit.residualSpread);
  if (!finite || !(factor > 0.0)) return Failed(FitProblem::kNoConvergence, ambient);
  return fit;
}
