#pragma once
#include <cstddef>
#include <optional>

#include "image/colour_span.h"
#include "image/grid_cell.h"
#include "image/thermal_image.h"

inline constexpr std::size_t kMaxAreas = 4;

// A measuring area ("Messfeld"): a rectangle of grid cells, both corner
// cells included. Across the middle of the grid it lies in both pictures.
struct CellArea {
  GridCell first;  // the lowest column and row
  GridCell last;   // the highest column and row
  bool Contains(GridCell cell) const {
    return first.column <= cell.column && cell.column <= last.column && first.row <= cell.row && cell.row <= last.row;
  }
  int Cells() const { return (last.column - first.column + 1) * (last.row - first.row + 1); }
  friend bool operator==(const CellArea&, const CellArea&) = default;
};

// The rectangle with two cells as opposite corners, in either order, clipped
// to the grid; nothing when it lies wholly outside.
std::optional<CellArea> AreaBetween(GridCell a, GridCell b);

// What the real readings inside an area say.
struct AreaStatistics {
  double mean = 0.0;
  int highest = 0;
  int lowest = 0;
  int cellsRead = 0;
};
// From the area's real readings (cells without a reading and those in
// `unsure` left out); nothing when it has none.
std::optional<AreaStatistics> MeasureArea(const ThermalImage::CellGrid& grid, const SubstituteMask& unsure,
                                          const CellArea& area);
