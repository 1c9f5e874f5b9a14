// Measuring areas: the rectangle between two cells, and what its sure readings say.
#include "image/cell_area.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Corners in either order give the same rectangle, one cell an area of one; one reaching past the grid is clipped to it, one
// wholly outside is none.
TEST(CellArea, CornersInEitherOrderAndClippedToTheGrid) {
  const CellArea area{{3, 4}, {10, 7}};
  EXPECT_EQ(AreaBetween({10, 4}, {3, 7}), area);
  EXPECT_EQ(AreaBetween({10, 7}, {3, 4}), area);
  EXPECT_EQ(area.Cells(), 32);
  EXPECT_EQ(AreaBetween({5, 5}, {5, 5}), (CellArea{{5, 5}, {5, 5}}));
  EXPECT_EQ(AreaBetween({-2, -2}, {2, 2}), (CellArea{{0, 0}, {2, 2}}));
  EXPECT_EQ(AreaBetween({60, 30}, {64, 34}), (CellArea{{60, 30}, {61, 31}}));
  EXPECT_EQ(AreaBetween({62, 0}, {70, 5}), std::nullopt);
  EXPECT_TRUE(area.Contains({3, 4}) && area.Contains({10, 7}) && !area.Contains({11, 7}) && !area.Contains({3, 3}));
}

// Mean, highest and lowest of the real readings: empty cells and unsure ones are left out, readings at
// the head's ends count, an area without a sure reading says nothing.
TEST(CellArea, StatisticsOfTheSureReadingsOnly) {
  ThermalImage::CellGrid grid;
  std::fill_n(&grid[0][0], kGridColumns * kGridRows, kNoReading);
  SubstituteMask unsure{};
  const CellArea area{{60, 0}, {61, 1}};
  EXPECT_EQ(MeasureArea(grid, unsure, area), std::nullopt);
  grid[61][1] = 200, unsure[61][1] = true;
  EXPECT_EQ(MeasureArea(grid, unsure, area), std::nullopt);
  grid[60][0] = 255;
  const auto one = MeasureArea(grid, unsure, area);
  EXPECT_TRUE(one && one->mean == 255.0 && one->highest == 255 && one->lowest == 255 && one->cellsRead == 1);
  grid[61][0] = 0, grid[60][1] = 20, grid[59][0] = 100;  // the last outside
  const auto three = MeasureArea(grid, unsure, area);
  EXPECT_TRUE(three && three->mean == 275.0 / 3 && three->highest == 255 && three->lowest == 0 && three->cellsRead == 3);
}

}  // namespace
