#include "image/composer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>

#include "image/stretch.h"

namespace {

// Doubles become pixel coordinates by truncation toward zero.
int Trunc(double value) { return static_cast<int>(value); }

// Pictures from elsewhere (the background) may carry any alpha byte.
bool IsGrey(Colour c) { return (c & 0x00ffffffu) == (kNoReadingGrey & 0x00ffffffu); }

// Each channel (1 - w) * c + w * b, truncated, for one weight w. The products
// are looked up per channel value: the same sums without multiplying per pixel.
class Blend {
 public:
  explicit Blend(double w) {
    for (int v = 0; v < 256; ++v) {
      thermal_[v] = (1 - w) * v;
      background_[v] = w * v;
    }
  }
  Colour operator()(Colour c, Colour b) const {
    return Rgb(Channel(Red(c), Red(b)), Channel(Green(c), Green(b)), Channel(Blue(c), Blue(b)));
  }

 private:
  int Channel(int c, int b) const { return Trunc(thermal_[c] + background_[b]); }

  std::array<double, 256> thermal_{};
  std::array<double, 256> background_{};
};

// The truncated mean of each channel: per byte a + b = 2 (a & b) + (a ^ b),
// halved without carries between bytes.
Colour Mean(Colour a, Colour b) { return (a & b) + (((a ^ b) & 0xfefefefeu) >> 1); }

Colour LayerMix(Colour a, Colour b) { return IsGrey(a) ? b : Mean(a, b); }

std::size_t MapIndex(int x, int y) { return static_cast<std::size_t>(y) * kPictureWidth + x; }

// How far the covered area reaches beyond a picture's rectangle (negative:
// stays inside it). The smoothed picture spans only cell centre to cell centre.
struct Margins {
  int x = 0;
  int y = 0;
};

Margins LayerMargins(const PictureRect& p, const ThermalImage& image, DisplayMode mode) {
  if (mode != DisplayMode::Smoothed) return {};
  const double radius = image.KernelRadius();
  return {Trunc(-0.5 * p.cellWidth - kHalfColumns * (radius / ((kHalfColumns - 1) * image.PitchX()))),
          Trunc(-0.5 * p.cellHeight - kGridRows * (radius / ((kGridRows - 1) * image.PitchY())))};
}

void AddCoverage(std::vector<std::int32_t>& layerMap, const PictureRect& p, Margins m, LayerCode code) {
  const int x0 = std::max(p.x - m.x, 0);
  const int x1 = std::min(p.x + p.width + m.x, kPictureWidth);
  const int y0 = std::max(p.y - m.y, 0);
  const int y1 = std::min(p.y + p.height + m.y, kPictureHeight);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) layerMap[MapIndex(x, y)] += code;
  }
}

// Stretches the picture of the display mode into its layer at its placement.
void DrawLayer(const ThermalImage& image, DisplayMode mode, const MemoryPicture& measured,
               const MemoryPicture& smoothed, const PictureRect& p, MemoryPicture& layer) {
  if (mode != DisplayMode::Smoothed) {
    StretchPicture(measured, {0, 0, kHalfColumns, kGridRows}, layer,
                   {p.x, p.y, Trunc(kHalfColumns * p.cellWidth), Trunc(kGridRows * p.cellHeight)});
    return;
  }
  // From the centre of the first cell to the centre of the last.
  const int r = image.KernelRadius();
  const PixelRect centres{r, r, (kHalfColumns - 1) * image.PitchX(), (kGridRows - 1) * image.PitchY()};
  StretchPicture(smoothed, centres, layer,
                 {Trunc(p.x + 0.5 * p.cellWidth), Trunc(p.y + 0.5 * p.cellHeight),
                  Trunc(kHalfColumns * p.cellWidth - p.cellWidth),
                  Trunc(kGridRows * p.cellHeight - p.cellHeight)});
}

Colour ComposePixel(std::int32_t code, Colour left, Colour right, Colour background, const Blend& blend) {
  Colour c;
  switch (code) {
    case kLeftLayer: c = left; break;
    case kRightLayer: c = right; break;
    case kBothLayers: c = IsGrey(left) ? right : LayerMix(right, left); break;
    default: return background;
  }
  return IsGrey(c) ? background : blend(c, background);
}

void FrameRect(MemoryPicture& picture, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  picture.FillRect(left, top, right - left, 1, kWhite);
  picture.FillRect(left, bottom - 1, right - left, 1, kWhite);
  picture.FillRect(left, top, 1, bottom - top, kWhite);
  picture.FillRect(right - 1, top, 1, bottom - top, kWhite);
}

struct Point {
  int x;
  int y;
};

// Connected white lines through the points, each without its end point.
// The segments are horizontal or vertical.
void DrawOpenFrame(MemoryPicture& picture, std::initializer_list<Point> points) {
  const Point* a = points.begin();
  for (const Point* b = a + 1; b != points.end(); a = b++) {
    if (a->y == b->y) {
      picture.FillRect(a->x < b->x ? a->x : b->x + 1, a->y, std::abs(b->x - a->x), 1, kWhite);
    } else {
      picture.FillRect(a->x, a->y < b->y ? a->y : b->y + 1, 1, std::abs(b->y - a->y), kWhite);
    }
  }
}

}  // namespace

void BuildLayerMap(DisplayData& display, const ThermalImage& image) {
  const MemoryPicture& background = display.backgroundSurface;
  std::copy_n(background.Bits(), kPictureWidth * kPictureHeight, display.compositeSurface.Bits());
  std::fill(display.layerMap.begin(), display.layerMap.end(), kNoLayer);
  AddCoverage(display.layerMap, display.leftPicture,
              LayerMargins(display.leftPicture, image, display.displayMode), kLeftLayer);
  AddCoverage(display.layerMap, display.rightPicture,
              LayerMargins(display.rightPicture, image, display.displayMode), kRightLayer);
}

void ComposePicture(DisplayData& display, const ThermalImage& image) {
  DrawLayer(image, display.displayMode, image.Measured(Half::Left), image.Smoothed(Half::Left), display.leftPicture,
            display.leftLayer);
  DrawLayer(image, display.displayMode, image.Measured(Half::Right), image.Smoothed(Half::Right), display.rightPicture,
            display.rightLayer);
  for (const PictureRect& p : {display.leftPicture, display.rightPicture}) {
    ComposeRect(display, p.x, p.y, Trunc(kHalfColumns * p.cellWidth + p.x),
                Trunc(kGridRows * p.cellHeight + p.y));
  }
  DrawRangeFrame(display, image);
}

void ComposeRect(DisplayData& display, int x0, int y0, int x1, int y1) {
  // Up to the last column and row of the area inclusive.
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, kPictureWidth);
  y1 = std::min(y1, kPictureHeight);
  const Blend blend(display.transparency / 100.0);
  for (int y = y0; y < y1; ++y) {
    const std::int32_t* codes = display.layerMap.data() + MapIndex(0, y);
    const Colour* left = display.leftLayer.Row(y);
    const Colour* right = display.rightLayer.Row(y);
    const Colour* background = display.backgroundSurface.Row(y);
    Colour* out = display.compositeSurface.Row(y);
    for (int x = x0; x < x1; ++x) out[x] = ComposePixel(codes[x], left[x], right[x], background[x], blend);
  }
}

void DrawRangeFrame(DisplayData& display, const ThermalImage& image) {
  const int c0 = image.Range().firstColumn;
  const int c1 = image.Range().lastColumn;
  const int r0 = image.Range().firstRow;
  const int r1 = image.Range().lastRow;
  if (c0 == 0 && c1 == kGridColumns - 1 && r0 == 0 && r1 == kGridRows - 1) return;

  // Rows run upward: the top edge belongs to the range's last row.
  const auto top = [r1](const PictureRect& p) { return Trunc(p.y + (kGridRows - 1 - r1) * p.cellHeight); };
  const auto bottom = [r0](const PictureRect& p) { return Trunc(p.y + (kGridRows - r0) * p.cellHeight); };
  const auto edge = [](const PictureRect& p, int cells) { return Trunc(p.x + cells * p.cellWidth); };
  MemoryPicture& out = display.compositeSurface;
  const PictureRect& l = display.leftPicture;
  const PictureRect& rt = display.rightPicture;

  if (c0 >= kHalfColumns) {
    FrameRect(out, edge(rt, c0 - kHalfColumns), top(rt), edge(rt, c1 - kHalfColumns + 1), bottom(rt));
  } else if (c1 >= kHalfColumns) {
    // Across both halves: each picture's frame stays open towards the other picture.
    const int leftEdge = edge(l, c0), rightEdge = edge(l, kHalfColumns);
    DrawOpenFrame(out, {{rightEdge - 1, top(l)}, {leftEdge, top(l)}, {leftEdge, bottom(l) - 1},
                        {rightEdge - 1, bottom(l) - 1}});
    const int rightEnd = edge(rt, c1 - kHalfColumns + 1);
    DrawOpenFrame(out, {{rt.x, top(rt)}, {rightEnd - 1, top(rt)}, {rightEnd - 1, bottom(rt) - 1},
                        {rt.x, bottom(rt) - 1}});
  } else {
    FrameRect(out, edge(l, c0), top(l), edge(l, c1 + 1), bottom(l));
  }
}

void DrawScaleLegend(DisplayData& display, const ThermalImage& image) {
  MemoryPicture& legend = display.legendSurface;
  const int width = display.legendWidth;
  const int height = display.legendHeight;
  const double step = (height - 10) / static_cast<double>(kPaletteSize);
  for (int i = 0; i < kPaletteSize; ++i) {
    const int below = Trunc(i * step);
    const int upTo = Trunc((i + 1) * step);
    legend.FillRect(0, height - 5 - upTo, width, upTo - below, image.Palette()[i]);
  }
  legend.FillRect(0, 0, width, 5, image.Colours().above);
  legend.FillRect(0, height - 5, width, 5, image.Colours().below);
}

void SetDisplayMode(DisplayData& display, const ThermalImage& image, DisplayMode mode) {
  display.displayMode = mode;
  BuildLayerMap(display, image);
}

void SetTransparency(DisplayData& display, int percent) { display.transparency = percent; }

void PlacePictures(DisplayData& display, const ThermalImage& image, const PictureRect& left, const PictureRect& right) {
  display.leftPicture = left;
  display.rightPicture = right;
  BuildLayerMap(display, image);
}

void SetLegendSize(DisplayData& display, const ThermalImage& image, int width, int height) {
  display.legendWidth = width;
  display.legendHeight = height;
  DrawScaleLegend(display, image);
}
