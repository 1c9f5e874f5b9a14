#include "image/isotherm.h"

#include <algorithm>

#include "image/readout.h"

bool Isotherm::Holds(int celsius) const {
  switch (kind) {
    case IsothermKind::AtOrAbove: return celsius >= low;
    case IsothermKind::AtOrBelow: return celsius <= low;
    case IsothermKind::Band: break;
  }
  return low <= celsius && celsius <= high;
}

namespace {

bool IsRealReading(const ThermalImage::CellGrid& grid, const SubstituteMask& substituted, GridCell cell) {
  return grid[cell.column][cell.row] != kNoReading && !substituted[cell.column][cell.row];
}

}  // namespace

IsothermCount CountIsotherm(const ThermalImage::CellGrid& grid, const SubstituteMask& substituted,
                            const Isotherm& isotherm) {
  IsothermCount count;
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) {
      if (!IsRealReading(grid, substituted, {c, r})) continue;
      ++count.measured;
      if (isotherm.Holds(grid[c][r])) ++count.held;
    }
  }
  return count;
}

void DrawIsotherm(DisplayData& display, const ThermalImage::CellGrid& grid, const SubstituteMask& substituted,
                  const Isotherm& isotherm) {
  for (const PictureRect* picture : {&display.leftPicture, &display.rightPicture}) {
    const int x0 = std::max(picture->x, 0), x1 = std::min(picture->x + picture->width, kPictureWidth);
    const int y0 = std::max(picture->y, 0), y1 = std::min(picture->y + picture->height, kPictureHeight);
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        const std::optional<GridCell> cell = CellAt(display, x, y);
        if (IsRealReading(grid, substituted, *cell) && isotherm.Holds(grid[cell->column][cell->row])) {
          display.compositeSurface.SetPixel(x, y, kIsothermColour);
        }
      }
    }
  }
}

std::variant<Isotherm, SpanRefusal> ParseIsotherm(IsothermKind kind, std::string_view low, std::string_view high) {
  const auto first = ParseDegrees(low);
  if (const auto* fault = std::get_if<SpanFault>(&first)) return SpanRefusal{SpanField::Lowest, *fault};
  if (kind != IsothermKind::Band) return Isotherm{kind, std::get<int>(first), std::get<int>(first)};
  const auto second = ParseDegrees(high);
  if (const auto* fault = std::get_if<SpanFault>(&second)) return SpanRefusal{SpanField::Highest, *fault};
  if (std::get<int>(second) < std::get<int>(first)) return SpanRefusal{SpanField::Highest, SpanFault::BelowTheLowest};
  return Isotherm{kind, std::get<int>(first), std::get<int>(second)};
}
