#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "image/colour.h"
#include "image/grid_cell.h"
#include "image/memory_picture.h"
#include "image/scan_range.h"

inline constexpr int kNoReading = -1;
inline constexpr int kPictureWidth = 640;    // the picture area and its pictures
inline constexpr int kPictureHeight = 480;
inline constexpr int kPaletteSize = 181;
inline constexpr int kStandardScaleMin = 10;  // the colour scale's degrees at the start
inline constexpr int kStandardScaleMax = 160;
// Half-widths below this are taken as this: a half-width of 0 would divide by zero.
inline constexpr double kMinKernelHalfWidth = 0.01;

enum class Half { Left, Right };

// The colours of a scale: seven anchors 30 palette steps apart from its
// lowest to its highest degree, and the colours below and above it.
struct ScaleColours {
  std::array<Colour, 7> anchors;
  Colour below;
  Colour above;
};
// Blue, green, yellow, orange, red, magenta, purple; black below, white above.
inline constexpr ScaleColours kTemperatureColours{
    {Rgb(0, 0, 255), Rgb(0, 255, 0), Rgb(255, 255, 0), Rgb(255, 165, 0), Rgb(255, 0, 0), Rgb(255, 0, 255),
     Rgb(128, 0, 128)},
    kBlack,
    kWhite};

// The temperature grid and the pictures made from it: per half one picture
// with a pixel per cell ("Mess-Pixel") and one Gaussian-smoothed picture
// ("Weichzeichner"), with the colour scale that turns degrees into colours.
// Every change goes through an operation that keeps the pictures in step
// with the grid and the settings. A new image is already initialised.
class ThermalImage {
 public:
  using CellGrid = std::int32_t[kGridColumns][kGridRows];

  ThermalImage();

  // The start state: the default scale, kernel and ambient temperature, no readings.
  void InitThermalImage();
  void StoreReading(int column, int row, int value);
  void ClearImage();
  // Replaces every cell (kNoReading for none) and repaints both kinds of picture.
  void LoadGrid(const CellGrid& values);
  // The same with the scale's degrees changed at once: painted once, not twice.
  void LoadGrid(const CellGrid& values, int scaleMin, int scaleMax);
  // The kernel's half-width and radius; the smoothed pictures are made anew.
  void SetSmoothing(double halfWidth, int radius);
  // The degrees the colour scale spans; every picture is recoloured.
  void SetScale(int minimum, int maximum);
  // Other colours for the scale; every picture is recoloured.
  void SetColours(const ScaleColours& colours);
  void SetRange(const ScanRange& range) { range_ = range; }
  void SetAmbient(int celsius) { ambientTemperature_ = celsius; }

  const CellGrid& Grid() const { return grid_; }
  const ScanRange& Range() const { return range_; }  // the scan's accepted range, framed in the picture
  int Ambient() const { return ambientTemperature_; }
  int ScaleMin() const { return scaleMin_; }
  int ScaleMax() const { return scaleMax_; }
  const std::array<Colour, kPaletteSize>& Palette() const { return palette_; }
  const ScaleColours& Colours() const { return colours_; }
  double KernelHalfWidth() const { return kernelHalfWidth_; }
  int KernelRadius() const { return kernelRadius_; }
  int PitchX() const { return pitchX_; }
  int PitchY() const { return pitchY_; }
  const MemoryPicture& Measured(Half half) const { return half == Half::Left ? measuredLeft_ : measuredRight_; }
  const MemoryPicture& Smoothed(Half half) const { return half == Half::Left ? smoothedLeft_ : smoothedRight_; }

  Colour ScaleColour(int value) const;
  // Kernel weight for offset (i, j), i across and j down, both -R..R-1; 0 elsewhere.
  double Weight(int i, int j) const;
  // Weighted sum behind pixel (x, y) of a smoothed picture; -1.0 is empty.
  double Sum(Half half, int x, int y) const;

  // The kernel formula for one offset (i across, j down), for any settings:
  // 0 outside the circle of the radius. Half-widths below kMinKernelHalfWidth
  // count as kMinKernelHalfWidth.
  static double KernelWeight(double halfWidth, int radius, int pitchX, int pitchY, int i, int j);

 private:
  // Columns [first, end) of one kernel row that lie inside the circle.
  struct Span {
    int first = 0;
    int end = 0;
  };

  struct CellCentre {
    Half half;
    int x = 0;  // in the smoothed picture
    int y = 0;
  };

  void BuildPalette();
  // Paints every cell and smoothed pixel anew in the colours of the scale now.
  void Recolour();
  void ComputeKernel();
  // Paints every cell of the grid anew, with the current kernel and scale.
  void RebuildImage();
  void UpdateSmoothed(Half half, int cx, int cy, int oldValue, int newValue);
  // Writes the cell and its measured pixel; returns where its centre lies in the smoothed picture.
  CellCentre SetCell(int column, int row, int value);
  std::vector<double>& Sums(Half half) { return half == Half::Left ? sumLeft_ : sumRight_; }
  const std::vector<double>& Sums(Half half) const { return half == Half::Left ? sumLeft_ : sumRight_; }
  MemoryPicture& SmoothedPicture(Half half) { return half == Half::Left ? smoothedLeft_ : smoothedRight_; }
  MemoryPicture& MeasuredPicture(Half half) { return half == Half::Left ? measuredLeft_ : measuredRight_; }
  // Colour of a smoothed pixel with the given sum: ScaleColour of the sum truncated.
  Colour SumColour(double sum) const;
  void UpdateColourTable();
  // Rebuilds the colour table if the scale limits changed since it was made.
  void RefreshColourTable();
  // Takes oldPart and adds newPart times the weights into the sums of the
  // window around (cx, cy); with kPaint also repaints the window's pixels.
  template <bool kPaint>
  void UpdateWindow(Half half, int cx, int cy, double oldPart, double newPart);
  void PaintSmoothed(Half half);

  std::array<Colour, kPaletteSize> palette_{};
  ScaleColours colours_ = kTemperatureColours;
  ScanRange range_;
  CellGrid grid_;
  CellGrid previousGrid_;
  MemoryPicture measuredLeft_{kPictureWidth, kPictureHeight};
  MemoryPicture measuredRight_{kPictureWidth, kPictureHeight};
  MemoryPicture smoothedLeft_{kPictureWidth, kPictureHeight};
  MemoryPicture smoothedRight_{kPictureWidth, kPictureHeight};
  double kernelHalfWidth_ = 0.6;
  std::int32_t kernelRadius_ = 20;
  std::int32_t pitchX_ = 8;
  std::int32_t pitchY_ = 8;
  std::int32_t ambientTemperature_ = 10;
  std::int32_t scaleMin_ = kStandardScaleMin;
  std::int32_t scaleMax_ = kStandardScaleMax;

  std::vector<double> sumLeft_;
  std::vector<double> sumRight_;
  std::vector<double> kernel_;     // (2R) x (2R), row j + R holds offsets j down
  std::vector<Span> kernelSpans_;  // one per kernel row
  int computedRadius_ = 0;         // R the kernel was computed for
  // ScaleColour of every value from colourTableLow_ to colourTableLow_ + size - 1;
  // values beyond either end have the colour of that end.
  std::vector<Colour> colourTable_;
  int colourTableLow_ = 0;
  int tableScaleMin_ = 0;
  int tableScaleMax_ = -1;
};
