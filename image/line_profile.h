#pragma once
#include <optional>
#include <vector>

#include "image/colour_span.h"
#include "image/grid_cell.h"
#include "image/thermal_image.h"

// The cells a straight line from the centre of one cell to the centre of
// another crosses: one per step along its longer axis, the cell whose centre
// lies nearest the line on that step, both ends included. A point halfway
// between two cells takes the higher one, whichever end the line starts at,
// so a line drawn backwards crosses the same cells in reverse. Cells outside
// the grid are left out: a line may be drawn partly beyond it. The ends lie
// within a million cells of the grid (any pointer's do).
std::vector<GridCell> LineCells(GridCell from, GridCell to);

// Each cell's distance from the first one, centre to centre, in cells: the
// place along the line a profile is plotted at.
std::vector<double> LinePositions(const std::vector<GridCell>& cells);

// The readings along a line, cell by cell: nothing where a cell has no
// reading or a substitute made up for a missing answer.
using LineProfile = std::vector<std::optional<int>>;
LineProfile ProfileAlong(const std::vector<GridCell>& cells, const ThermalImage::CellGrid& grid,
                         const SubstituteMask& substituted);
