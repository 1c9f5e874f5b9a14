#pragma once
#include <vector>

#include "image/memory_picture.h"
#include "image/thermal_image.h"

inline constexpr int kPreviewSize = 100;  // both preview pictures are 100 x 100

// The live preview of the smoothing settings: a 5 x 5 block of measured
// pixels of one temperature and the same block smoothed with the preview's
// half-width and radius, each in a 100 x 100 picture.
class SmoothingPreview {
 public:
  SmoothingPreview();

  // Fills the (2R) x (2R) preview kernel from previewSigma and previewRadius;
  // a radius of 0 or less writes nothing. Half-widths below kMinKernelHalfWidth
  // count as that, as in the image's kernel.
  void ComputePreviewKernel();
  // Draws both pictures for the temperature, in the colours of the image's scale.
  void DrawPreview(const ThermalImage& image, int temperature);
  // Both steps for new settings: the radius counts by its integer part.
  void Redraw(double halfWidth, double radius, const ThermalImage& image, int temperature);

  // Kernel entry for offset (i, j), i across and j down, both -R..R-1.
  double KernelEntry(int i, int j) const { return kernelPreview_[Index(i + previewRadius, j + previewRadius)]; }

  MemoryPicture measuredPreview{kPreviewSize, kPreviewSize};
  MemoryPicture smoothedPreview{kPreviewSize, kPreviewSize};
  double previewSigma = 0.0;
  int previewRadius = 0;
  int previewCellWidth = 8;
  int previewCellHeight = 8;

 private:
  static std::size_t Index(int row, int column) { return static_cast<std::size_t>(row) * kPreviewSize + column; }

  std::vector<double> kernelPreview_;  // 100 x 100, row i + R, column j + R
};
