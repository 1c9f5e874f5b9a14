#include "image/line_profile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The whole number nearest to start + delta * step / steps (steps > 0),
// halves rounded up: floor((2 (start steps + delta step) + steps) / (2 steps)).
// It depends on the exact point alone, not on the end the line started at.
int Nearest(long long start, long long delta, long long step, long long steps) {
  const long long numerator = 2 * (start * steps + delta * step) + steps;
  const long long denominator = 2 * steps;
  const long long quotient = numerator / denominator;
  return static_cast<int>(numerator % denominator < 0 ? quotient - 1 : quotient);
}

bool InGrid(GridCell cell) {
  return cell.column >= 0 && cell.column < kGridColumns && cell.row >= 0 && cell.row < kGridRows;
}

}  // namespace

std::vector<GridCell> LineCells(GridCell from, GridCell to) {
  const long long columns = static_cast<long long>(to.column) - from.column;
  const long long rows = static_cast<long long>(to.row) - from.row;
  const long long steps = std::max(std::llabs(columns), std::llabs(rows));
  if (steps == 0) return InGrid(from) ? std::vector<GridCell>{from} : std::vector<GridCell>{};
  std::vector<GridCell> cells;
  for (long long step = 0; step <= steps; ++step) {
    const GridCell cell{Nearest(from.column, columns, step, steps), Nearest(from.row, rows, step, steps)};
    if (InGrid(cell)) cells.push_back(cell);
  }
  return cells;
}

std::vector<double> LinePositions(const std::vector<GridCell>& cells) {
  std::vector<double> positions;
  positions.reserve(cells.size());
  for (const GridCell& cell : cells) {
    positions.push_back(std::hypot(cell.column - cells.front().column, cell.row - cells.front().row));
  }
  return positions;
}

LineProfile ProfileAlong(const std::vector<GridCell>& cells, const ThermalImage::CellGrid& grid,
                         const SubstituteMask& substituted) {
  LineProfile profile;
  profile.reserve(cells.size());
  for (const GridCell& cell : cells) {
    const int reading = grid[cell.column][cell.row];
    const bool real = reading != kNoReading && !substituted[cell.column][cell.row];
    profile.push_back(real ? std::optional(reading) : std::nullopt);
  }
  return profile;
}
