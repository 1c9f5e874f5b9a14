#include "image/smoothing_preview.h"

#include <array>

namespace {

constexpr int kScratchSize = 2 * kPreviewSize;  // scratch table: offsets -100..99 each way
constexpr int kBlockCells = 5;
constexpr int kCentre = kPreviewSize / 2;

struct Point {
  int x;
  int y;
};

// The 25 centres of the measured block around the picture's middle; the rows
// are taken middle first, then the outer ones, which fixes the order of the sums.
std::array<Point, kBlockCells * kBlockCells> BlockCentres(int w, int h) {
  const std::array<int, kBlockCells> rowSteps{-1, 0, 1, -2, 2};
  std::array<Point, kBlockCells * kBlockCells> centres{};
  std::size_t n = 0;
  for (int row : rowSteps) {
    for (int column = -2; column <= 2; ++column) {
      centres[n++] = {kCentre + column * w, kCentre + row * h};
    }
  }
  return centres;
}

}  // namespace

SmoothingPreview::SmoothingPreview() : kernelPreview_(static_cast<std::size_t>(kPreviewSize) * kPreviewSize, 0.0) {}

void SmoothingPreview::ComputePreviewKernel() {
  // The image's own kernel formula, with the preview's cell size as the pitch.
  const int r = previewRadius;
  for (int i = -r; i < r; ++i) {
    for (int j = -r; j < r; ++j) {
      kernelPreview_[Index(i + r, j + r)] =
          ThermalImage::KernelWeight(previewSigma, r, previewCellWidth, previewCellHeight, i, j);
    }
  }
}

void SmoothingPreview::DrawPreview(const ThermalImage& image, int temperature) {
  const int w = previewCellWidth;
  const int h = previewCellHeight;
  const int r = previewRadius;

  // Kernel entry (i, j) at scratch[100 + i][100 + j]; zero wherever the kernel has none.
  std::vector<double> scratch(static_cast<std::size_t>(kScratchSize) * kScratchSize, 0.0);
  const auto at = [&scratch](int i, int j) -> double& {
    return scratch[static_cast<std::size_t>(kPreviewSize + i) * kScratchSize + (kPreviewSize + j)];
  };
  for (int i = -r; i < r; ++i) {
    for (int j = -r; j < r; ++j) {
      at(i, j) = KernelEntry(i, j);
    }
  }

  const auto centres = BlockCentres(w, h);
  const Colour measured = image.ScaleColour(temperature);
  for (const Point& c : centres) {
    measuredPreview.FillRect(c.x - w / 2, c.y - h / 2, w, h, measured);
  }

  for (int x = 0; x < kPreviewSize; ++x) {
    for (int y = 0; y < kPreviewSize; ++y) {
      double sum = 0.0;
      for (const Point& c : centres) {
        sum += at(x - c.x, y - c.y) * temperature;
      }
      smoothedPreview.SetPixel(x, y, image.ScaleColour(static_cast<int>(sum)));
    }
  }
}

void SmoothingPreview::Redraw(double halfWidth, double radius, const ThermalImage& image, int temperature) {
  previewSigma = halfWidth;
  previewRadius = static_cast<int>(radius);
  ComputePreviewKernel();
  DrawPreview(image, temperature);
}
