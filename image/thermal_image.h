#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "image/colour.h"
#include "image/memory_picture.h"

inline constexpr int kGridColumns = 62;
inline constexpr int kGridRows = 32;
inline constexpr int kHalfColumns = 31;      // columns 0..30 left, 31..61 right
inline constexpr int kNoReading = -1;
inline constexpr int kPictureWidth = 640;    // the picture area and its pictures
inline constexpr int kPictureHeight = 480;
inline constexpr int kPaletteSize = 181;

enum class Half { Left, Right };

// The temperature grid and the pictures made from it: per half one picture
// with a pixel per cell ("Mess-Pixel") and one Gaussian-smoothed picture
// ("Weichzeichner"), with the colour scale that turns degrees into colours.
class ThermalImage {
 public:
  ThermalImage();

  void InitThermalImage();
  void BuildPalette();
  Colour ScaleColour(int value) const;
  void StoreReading(int column, int row, int value);
  void ClearImage();
  void RebuildImage();
  void ComputeKernel();
  void UpdateSmoothed(Half half, int cx, int cy, int oldValue, int newValue);

  // Kernel weight for offset (i, j), i across and j down, both -R..R-1.
  double Weight(int i, int j) const;
  // Weighted sum behind pixel (x, y) of a smoothed picture; -1.0 is empty.
  double Sum(Half half, int x, int y) const;

  int legendWidth = 30;
  int legendHeight = 300;
  std::array<Colour, kPaletteSize> palette{};
  std::array<Colour, 7> anchorColours{};
  std::uint8_t rangeFirstColumn = 0;
  std::uint8_t rangeLastColumn = 61;
  std::uint8_t rangeFirstRow = 0;
  std::uint8_t rangeLastRow = 31;
  std::int32_t grid[kGridColumns][kGridRows];
  std::int32_t previousGrid[kGridColumns][kGridRows];
  MemoryPicture measuredLeft{kPictureWidth, kPictureHeight};
  MemoryPicture measuredRight{kPictureWidth, kPictureHeight};
  MemoryPicture smoothedLeft{kPictureWidth, kPictureHeight};
  MemoryPicture smoothedRight{kPictureWidth, kPictureHeight};
  double kernelHalfWidth = 0.6;
  std::int32_t kernelRadius = 20;
  std::int32_t pitchX = 8;
  std::int32_t pitchY = 8;
  std::int32_t ambientTemperature = 10;
  std::int32_t scaleMin = 10;
  std::int32_t scaleMax = 160;

 private:
  std::vector<double> sumLeft_;
  std::vector<double> sumRight_;
  std::vector<double> kernel_;
};
