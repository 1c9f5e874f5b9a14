#include "image/thermal_image.h"

#include <algorithm>

namespace {

constexpr int kPaletteSteps = 30;  // palette entries between two anchor colours
constexpr std::size_t kSumCount = static_cast<std::size_t>(kPictureWidth) * kPictureHeight;

bool IsLeft(int column) { return column < kHalfColumns; }

}  // namespace

ThermalImage::ThermalImage() { InitThermalImage(); }

void ThermalImage::InitThermalImage() {
  sumLeft_.resize(kSumCount);  // emptied by ClearImage
  sumRight_.resize(kSumCount);
  scaleMin_ = kStandardScaleMin;
  kernelHalfWidth_ = 0.6;
  ambientTemperature_ = 10;
  scaleMax_ = kStandardScaleMax;
  kernelRadius_ = 20;
  pitchX_ = 8;
  pitchY_ = 8;
  ComputeKernel();
  std::fill_n(&previousGrid_[0][0], kGridColumns * kGridRows, kNoReading);
  ClearImage();
  colours_ = kTemperatureColours;
  BuildPalette();
}

void ThermalImage::BuildPalette() {
  // Each channel runs in 30 steps of (B - A) / 30 from one anchor to the next.
  const auto channel = [](int from, int to, int step) {
    return static_cast<int>(from + step * (static_cast<double>(to - from) / kPaletteSteps));
  };
  const auto& anchors = colours_.anchors;
  for (std::size_t s = 0; s + 1 < anchors.size(); ++s) {
    const Colour a = anchors[s];
    const Colour b = anchors[s + 1];
    for (int k = 0; k < kPaletteSteps; ++k) {
      palette_[s * kPaletteSteps + k] =
          Rgb(channel(Red(a), Red(b), k), channel(Green(a), Green(b), k), channel(Blue(a), Blue(b), k));
    }
  }
  palette_[kPaletteSize - 1] = anchors.back();
  UpdateColourTable();
}

Colour ThermalImage::ScaleColour(int value) const {
  if (value == kNoReading) return kNoReadingGrey;
  if (value > scaleMax_) return colours_.above;
  if (value < scaleMin_) return colours_.below;
  const double q = static_cast<double>(value - scaleMin_) / static_cast<double>(scaleMax_ - scaleMin_);
  return palette_[static_cast<std::size_t>(static_cast<int>(q * (kPaletteSize - 1)))];
}

void ThermalImage::UpdateColourTable() {
  // From below both the marker and the scale up to just above the scale.
  colourTableLow_ = std::min(kNoReading - 1, scaleMin_ - 1);
  const int high = std::max(scaleMax_ + 1, colourTableLow_);
  colourTable_.resize(static_cast<std::size_t>(high - colourTableLow_) + 1);
  for (int v = colourTableLow_; v <= high; ++v) {
    colourTable_[static_cast<std::size_t>(v - colourTableLow_)] = ScaleColour(v);
  }
  tableScaleMin_ = scaleMin_;
  tableScaleMax_ = scaleMax_;
}

void ThermalImage::RefreshColourTable() {
  if (colourTable_.empty() || tableScaleMin_ != scaleMin_ || tableScaleMax_ != scaleMax_) UpdateColourTable();
}

Colour ThermalImage::SumColour(double sum) const {
  // Clamping before the truncation keeps the conversion defined and gives the
  // colour of the truncated value: everything past an end of the table has its colour.
  const double low = colourTableLow_;
  const double high = colourTableLow_ + static_cast<double>(colourTable_.size()) - 1;
  const int v = static_cast<int>(std::clamp(sum, low, high));
  return colourTable_[static_cast<std::size_t>(v - colourTableLow_)];
}

ThermalImage::CellCentre ThermalImage::SetCell(int column, int row, int value) {
  const int x = IsLeft(column) ? column : column - kHalfColumns;
  const int y = kGridRows - 1 - row;  // row 0 lowest
  const Half half = IsLeft(column) ? Half::Left : Half::Right;
  grid_[column][row] = value;
  MeasuredPicture(half).SetPixel(x, y, ScaleColour(value));
  return {half, kernelRadius_ + pitchX_ * x, kernelRadius_ + pitchY_ * y};
}

void ThermalImage::StoreReading(int column, int row, int value) {
  const CellCentre centre = SetCell(column, row, value);
  UpdateSmoothed(centre.half, centre.x, centre.y, previousGrid_[column][row], value);
  previousGrid_[column][row] = value;
}

void ThermalImage::ClearImage() {
  // Storing the marker in every cell and then emptying all sums and pictures
  // ends in this state whatever the cells held.
  std::fill_n(&grid_[0][0], kGridColumns * kGridRows, kNoReading);
  std::fill_n(&previousGrid_[0][0], kGridColumns * kGridRows, kNoReading);
  std::fill(sumLeft_.begin(), sumLeft_.end(), -1.0);
  std::fill(sumRight_.begin(), sumRight_.end(), -1.0);
  for (MemoryPicture* picture : {&measuredLeft_, &measuredRight_, &smoothedLeft_, &smoothedRight_}) {
    picture->Fill(kNoReadingGrey);
  }
}

void ThermalImage::LoadGrid(const CellGrid& values) {
  std::copy_n(&values[0][0], kGridColumns * kGridRows, &grid_[0][0]);
  RebuildImage();
}

void ThermalImage::LoadGrid(const CellGrid& values, int scaleMin, int scaleMax) {
  scaleMin_ = scaleMin;
  scaleMax_ = scaleMax;
  LoadGrid(values);
}

void ThermalImage::SetSmoothing(double halfWidth, int radius) {
  kernelHalfWidth_ = halfWidth;
  kernelRadius_ = radius;
  ComputeKernel();
  RebuildImage();
}

// The sums stay: only their colours change.
void ThermalImage::SetScale(int minimum, int maximum) {
  scaleMin_ = minimum;
  scaleMax_ = maximum;
  RefreshColourTable();
  Recolour();
}

void ThermalImage::SetColours(const ScaleColours& colours) {
  colours_ = colours;
  BuildPalette();
  Recolour();
}

void ThermalImage::Recolour() {
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) SetCell(c, r, grid_[c][r]);
  }
  PaintSmoothed(Half::Left);
  PaintSmoothed(Half::Right);
}

void ThermalImage::RebuildImage() {
  CellGrid values;
  std::copy_n(&grid_[0][0], kGridColumns * kGridRows, &values[0][0]);
  ClearImage();
  RefreshColourTable();
  // Storing every cell in order adds each reading to the sums in that order;
  // only the last colour of a smoothed pixel stays, so the pictures are painted
  // once at the end. Cells without a reading change nothing.
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) {
      const int value = values[c][r];
      if (value == kNoReading) continue;
      const CellCentre centre = SetCell(c, r, value);
      UpdateWindow<false>(centre.half, centre.x, centre.y, 0.0, value);
      previousGrid_[c][r] = value;
    }
  }
  PaintSmoothed(Half::Left);
  PaintSmoothed(Half::Right);
}
