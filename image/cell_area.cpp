#include "image/cell_area.h"

#include <algorithm>

std::optional<CellArea> AreaBetween(GridCell a, GridCell b) {
  const int firstColumn = std::max(std::min(a.column, b.column), 0);
  const int lastColumn = std::min(std::max(a.column, b.column), kGridColumns - 1);
  const int firstRow = std::max(std::min(a.row, b.row), 0);
  const int lastRow = std::min(std::max(a.row, b.row), kGridRows - 1);
  if (firstColumn > lastColumn || firstRow > lastRow) return std::nullopt;
  return CellArea{{firstColumn, firstRow}, {lastColumn, lastRow}};
}

std::optional<AreaStatistics> MeasureArea(const ThermalImage::CellGrid& grid, const SubstituteMask& unsure,
                                          const CellArea& area) {
  AreaStatistics statistics;
  long sum = 0;
  for (int c = area.first.column; c <= area.last.column; ++c) {
    for (int r = area.first.row; r <= area.last.row; ++r) {
      const int value = grid[c][r];
      if (value == kNoReading || unsure[c][r]) continue;
      statistics.highest = statistics.cellsRead == 0 ? value : std::max(statistics.highest, value);
      statistics.lowest = statistics.cellsRead == 0 ? value : std::min(statistics.lowest, value);
      sum += value;
      ++statistics.cellsRead;
    }
  }
  if (statistics.cellsRead == 0) return std::nullopt;
  statistics.mean = static_cast<double>(sum) / statistics.cellsRead;
  return statistics;
}
