#include "image/readout.h"

#include <array>
#include <utility>

namespace {

// Off the area's edge as well as outside it.
bool StrictlyInside(int width, int height, int x, int y) { return 0 < x && x < width && 0 < y && y < height; }

bool IsExtreme(int temperature) { return temperature == kBelowScale || temperature == kAboveScale; }

}  // namespace

std::optional<double> SegmentPosition(Colour c, Colour a, Colour b) {
  using Channel = int (*)(Colour);
  constexpr std::array<Channel, 3> kChannels{Red, Green, Blue};
  std::optional<double> t;
  for (Channel channel : kChannels) {
    const int cc = channel(c);
    const int ca = channel(a);
    const int cb = channel(b);
    if (ca == cb) {
      if (cc != ca) {
        return std::nullopt;
      }
      continue;
    }
    const double u = static_cast<double>(cc - ca) / (cb - ca);
    if (u < 0.0 || u > 1.0) {
      return std::nullopt;
    }
    // The first changing channel decides; the others only have to agree within one half.
    if (!t) {
      t = u;
    } else if (u - *t < -0.5 || u - *t > 0.5) {
      return std::nullopt;
    }
  }
  return t;
}

std::string DegreesText(int celsius) { return std::to_string(celsius) + " \u00b0 C"; }

std::optional<int> ColourToTemperature(const ThermalImage& image, Colour c) {
  // The alpha byte of a picture from elsewhere does not count.
  const auto is = [c](Colour other) { return (c & 0x00ffffffu) == (other & 0x00ffffffu); };
  if (is(kNoReadingGrey)) {
    return std::nullopt;
  }
  if (is(image.Colours().below)) {
    return kBelowScale;
  }
  if (is(image.Colours().above)) {
    return kAboveScale;
  }
  if (image.ScaleMin() != kStandardScaleMin || image.ScaleMax() != kStandardScaleMax) {
    for (int degrees = image.ScaleMin(); degrees <= image.ScaleMax(); ++degrees) {
      if (image.ScaleColour(degrees) == c) return degrees;
    }
  }
  const auto& anchors = image.Colours().anchors;
  for (std::size_t i = 0; i + 1 < anchors.size(); ++i) {
    if (const auto t = SegmentPosition(c, anchors[i], anchors[i + 1])) {
      const double span = image.ScaleMax() - image.ScaleMin();
      return static_cast<int>(span * (static_cast<double>(i) + *t) / 6 + image.ScaleMin());
    }
  }
  return kOffScale;
}

Colour SurfacePixel(const MemoryPicture& picture, int x, int y) {
  if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) {
    return kNoReadingGrey;
  }
  return picture.Pixel(x, y);
}

std::optional<int> ReadTemperatureAt(const DisplayData& display, const ThermalImage& image, int x, int y) {
  if (x < 0 || y < 0 || x >= kPictureWidth || y >= kPictureHeight) {
    return std::nullopt;
  }
  auto fromLayer = [&](const MemoryPicture& layer) {
    return ColourToTemperature(image, SurfacePixel(layer, x, y));
  };
  switch (display.LayerAt(x, y)) {
    case kLeftLayer: return fromLayer(display.leftLayer);
    case kRightLayer: return fromLayer(display.rightLayer);
    case kBothLayers: {
      const auto l = fromLayer(display.leftLayer);
      const auto r = fromLayer(display.rightLayer);
      if (!l) {
        return r;
      }
      if (!r) {
        return l;
      }
      // A bound of the scale has no degree to average with.
      if (IsExtreme(*l) || IsExtreme(*r)) {
        return std::nullopt;
      }
      return (*l + *r) / 2;
    }
    default: return std::nullopt;
  }
}

std::string ReadoutText(const DisplayData& display, const ThermalImage& image, ReadoutArea area, int x, int y,
                        ValueText valueText) {
  std::optional<int> t;
  if (area == ReadoutArea::Picture) {
    if (StrictlyInside(kPictureWidth, kPictureHeight, x, y)) t = ReadTemperatureAt(display, image, x, y);
  } else if (StrictlyInside(display.legendWidth, display.legendHeight, x, y)) {
    t = ColourToTemperature(image, SurfacePixel(display.legendSurface, x, y));
  }
  if (!t) {
    return {};
  }
  if (*t == kBelowScale) {
    return "< " + valueText(image.ScaleMin());
  }
  if (*t == kAboveScale) {
    return "> " + valueText(image.ScaleMax());
  }
  return valueText(*t);
}

std::optional<GridCell> CellAt(const DisplayData& display, int x, int y) {
  for (const auto& [picture, firstColumn] : {std::pair{&display.leftPicture, 0}, {&display.rightPicture, kHalfColumns}}) {
    const int dx = x - picture->x, dy = y - picture->y;
    if (dx < 0 || dy < 0 || dx >= picture->width || dy >= picture->height) continue;
    return GridCell{firstColumn + dx * kHalfColumns / picture->width, kGridRows - 1 - dy * kGridRows / picture->height};
  }
  return std::nullopt;
}

CellPoint CellCentre(const DisplayData& display, GridCell cell) {
  const bool right = cell.column >= kHalfColumns;
  const PictureRect& p = right ? display.rightPicture : display.leftPicture;
  return {p.x + (cell.column - (right ? kHalfColumns : 0) + 0.5) * p.cellWidth,
          p.y + (kGridRows - 1 - cell.row + 0.5) * p.cellHeight};
}
