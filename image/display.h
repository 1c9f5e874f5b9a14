#pragma once
#include <cstdint>
#include <vector>

#include "image/memory_picture.h"
#include "image/thermal_image.h"

// Placement of one thermal picture (31 x 32 cells) in the 640 x 480 area.
struct PictureRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  double cellWidth = 0.0;   // width / 31
  double cellHeight = 0.0;  // height / 32
};

// A rectangle of the window's client area: left and top inside, right and
// bottom just outside.
struct Area {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

inline constexpr PictureRect kStartLeftPicture{36, 144, 248, 192, 8.0, 6.0};
inline constexpr PictureRect kStartRightPicture{356, 144, 248, 192, 8.0, 6.0};

// "Mess-Pixel": a pixel per cell; "Weichzeichner": the Gaussian-smoothed pictures.
enum class DisplayMode { MeasuredPixels, Smoothed };

// Layer codes of the layer map: which thermal pictures cover a pixel.
enum LayerCode : std::int32_t { kNoLayer = 0, kLeftLayer = 1, kRightLayer = 2, kBothLayers = 3 };

// Everything the window composes and shows, apart from the thermal image.
// Written by the composer's and the background's functions only.
struct DisplayData {
  MemoryPicture compositeSurface{kPictureWidth, kPictureHeight};
  MemoryPicture leftLayer{kPictureWidth, kPictureHeight};
  MemoryPicture rightLayer{kPictureWidth, kPictureHeight};
  MemoryPicture legendSurface{kPictureWidth, kPictureHeight};
  MemoryPicture backgroundSurface{kPictureWidth, kPictureHeight};  // black until loaded
  std::vector<std::int32_t> layerMap = std::vector<std::int32_t>(kPictureWidth * kPictureHeight, kNoLayer);
  PictureRect leftPicture = kStartLeftPicture;
  PictureRect rightPicture = kStartRightPicture;
  int transparency = 50;  // background weight in per cent
  DisplayMode displayMode = DisplayMode::MeasuredPixels;
  // The colour-scale bar's size in the legend surface.
  int legendWidth = 30;
  int legendHeight = 300;

  std::int32_t LayerAt(int x, int y) const { return layerMap[static_cast<std::size_t>(y) * kPictureWidth + x]; }
};
