#include <algorithm>
#include <cmath>

#include "image/thermal_image.h"

namespace {

constexpr double kTwoPi = 6.28318530718;
constexpr double kMinusPi = -3.14159265359;

std::size_t PixelIndex(int x, int y) { return static_cast<std::size_t>(y) * kPictureWidth + x; }

}  // namespace

double ThermalImage::KernelWeight(double halfWidth, int radius, int pitchX, int pitchY, int i, int j) {
  if (!(std::sqrt(static_cast<double>(i * i + j * j)) < radius)) return 0.0;
  // Written so that a not-a-number half-width is raised too.
  const double h = halfWidth >= kMinKernelHalfWidth ? halfWidth : kMinKernelHalfWidth;
  const double a = pitchX;
  const double q = static_cast<double>(pitchY) / pitchX;
  const double b = static_cast<int>(q * a);
  const double n = static_cast<int>(a * b);  // pixels between cell centres
  const double s = std::sqrt(kTwoPi);
  const double k1 = 1.0 / (a * s * h);
  const double k2 = 1.0 / (b * s * h);
  const double di = i;
  const double dj = j;
  return n * k1 * k2 * std::exp(kMinusPi * (k1 * k1 * (di * di) + k2 * k2 * (dj * dj)));
}

void ThermalImage::ComputeKernel() {
  const int r = std::max(0, kernelRadius_);
  const int size = 2 * r;
  computedRadius_ = r;
  kernel_.assign(static_cast<std::size_t>(size) * size, 0.0);
  kernelSpans_.assign(static_cast<std::size_t>(size), Span{});
  for (int j = -r; j < r; ++j) {
    Span& span = kernelSpans_[static_cast<std::size_t>(j + r)];
    span = {r, -r};
    for (int i = -r; i < r; ++i) {
      // Along a row the weights fall off on both sides of the middle, so the
      // ones that are not 0 lie together.
      const double w = KernelWeight(kernelHalfWidth_, r, pitchX_, pitchY_, i, j);
      if (w == 0.0) continue;
      kernel_[static_cast<std::size_t>(j + r) * size + (i + r)] = w;
      span.first = std::min(span.first, i);
      span.end = std::max(span.end, i + 1);
    }
  }
}

double ThermalImage::Weight(int i, int j) const {
  const int r = computedRadius_;
  if (i < -r || i >= r || j < -r || j >= r) return 0.0;
  return kernel_[static_cast<std::size_t>(j + r) * (2 * r) + (i + r)];
}

double ThermalImage::Sum(Half half, int x, int y) const {
  return Sums(half)[PixelIndex(x, y)];
}

void ThermalImage::UpdateSmoothed(Half half, int cx, int cy, int oldValue, int newValue) {
  // With no reading before or after, every sum keeps its value and every
  // pixel its colour.
  if (oldValue == kNoReading && newValue == kNoReading) return;
  RefreshColourTable();
  // Multiplying by 0 instead of skipping a missing reading leaves the sum exact.
  UpdateWindow<true>(half, cx, cy, oldValue == kNoReading ? 0.0 : oldValue,
                     newValue == kNoReading ? 0.0 : newValue);
}

template <bool kPaint>
void ThermalImage::UpdateWindow(Half half, int cx, int cy, double oldPart, double newPart) {
  const int r = computedRadius_;
  const int x0 = std::max(0, cx - r);
  const int x1 = std::min(cx + r, kPictureWidth - 1);
  const int y0 = std::max(0, cy - r);
  const int y1 = std::min(cy + r, kPictureHeight - 1);
  double* sums = Sums(half).data();
  MemoryPicture& picture = SmoothedPicture(half);
  for (int y = y0; y < y1; ++y) {
    // Outside the circle the weights are 0 and leave sum and pixel as they are.
    const std::size_t kernelRow = static_cast<std::size_t>(y - cy + r);
    const Span span = kernelSpans_[kernelRow];
    const int first = std::max(x0, cx + span.first);
    const int end = std::min(x1, cx + span.end);
    const double* weights = kernel_.data() + kernelRow * (2 * r) + r;  // weights[x - cx]
    double* rowSums = sums + PixelIndex(0, y);
    for (int x = first; x < end; ++x) {
      const double w = weights[x - cx];
      double t = rowSums[x] == -1.0 ? 0.0 : rowSums[x];
      t = t - oldPart * w;
      t = t + newPart * w;
      rowSums[x] = t == 0.0 ? -1.0 : t;
    }
    if constexpr (kPaint) {
      Colour* pixels = picture.Row(y);
      for (int x = first; x < end; ++x) pixels[x] = SumColour(rowSums[x]);
    }
  }
}

template void ThermalImage::UpdateWindow<false>(Half, int, int, double, double);

void ThermalImage::PaintSmoothed(Half half) {
  const std::vector<double>& sums = Sums(half);
  Colour* pixels = SmoothedPicture(half).Bits();
  for (std::size_t k = 0; k < sums.size(); ++k) pixels[k] = SumColour(sums[k]);
}
