// A line's cells across the grid, their places along it and the readings along it.
#include "image/line_profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using Cells = std::vector<GridCell>;

TEST(LineCells, OneCellAStepAlongTheLongerAxisNearestTheLine) {
  EXPECT_EQ(LineCells({2, 5}, {5, 5}), (Cells{{2, 5}, {3, 5}, {4, 5}, {5, 5}}));
  EXPECT_EQ(LineCells({3, 4}, {3, 1}), (Cells{{3, 4}, {3, 3}, {3, 2}, {3, 1}}));
  // Steep: columns 0, 0.4, 0.8, 1.2, 1.6, 2 on rows 0..5.
  EXPECT_EQ(LineCells({0, 0}, {2, 5}), (Cells{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}));
  EXPECT_EQ(LineCells({5, 2}, {2, 5}), (Cells{{5, 2}, {4, 3}, {3, 4}, {2, 5}}));
  EXPECT_EQ(LineCells({7, 7}, {7, 7}), (Cells{{7, 7}}));
  // Rows 0, 0.25, 0.5, 0.75, 1: the point halfway between two rows takes the higher.
  EXPECT_EQ(LineCells({0, 0}, {4, 1}), (Cells{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
}

// Every pair of ends in a block, in all directions and with every kind of tie: the line drawn
// backwards crosses the same cells reversed, and each step moves one cell along the longer axis
// and at most one across it.
TEST(LineCells, ADrawnBackwardsLineCrossesTheSameCellsReversed) {
  for (int a = 0; a < 64; ++a) {
    for (int b = 0; b < 64; ++b) {
      const GridCell from{10 + a % 8, 10 + a / 8}, to{10 + b % 8, 10 + b / 8};
      const Cells forwards = LineCells(from, to);
      Cells backwards = LineCells(to, from);
      std::reverse(backwards.begin(), backwards.end());
      ASSERT_EQ(forwards, backwards) << from.column << "," << from.row << " to " << to.column << "," << to.row;
      const int longer = std::max(std::abs(to.column - from.column), std::abs(to.row - from.row));
      ASSERT_EQ(forwards.size(), static_cast<std::size_t>(longer + 1));
      for (std::size_t i = 1; i < forwards.size(); ++i) {
        const int across = std::abs(forwards[i].column - forwards[i - 1].column);
        const int down = std::abs(forwards[i].row - forwards[i - 1].row);
        ASSERT_EQ(std::max(across, down), 1);
      }
    }
  }
}

TEST(LineCells, CellsBeyondTheGridAreLeftOut) {
  EXPECT_EQ(LineCells({-3, 5}, {2, 5}), (Cells{{0, 5}, {1, 5}, {2, 5}}));
  // Rows 30, 30.5, 31, 31.5, 32 on columns 56..60: beyond the top row.
  EXPECT_EQ(LineCells({56, 30}, {60, 32}), (Cells{{56, 30}, {57, 31}, {58, 31}}));
  EXPECT_TRUE(LineCells({-5, -5}, {-1, -1}).empty());
  EXPECT_TRUE(LineCells({62, 0}, {62, 0}).empty());
}

TEST(LinePositions, AreDistancesFromTheFirstCellsCentre) {
  const std::vector<double> positions = LinePositions({{3, 3}, {4, 3}, {5, 4}, {3, 3}});
  ASSERT_EQ(positions.size(), 4u);
  EXPECT_EQ(positions[0], 0.0);
  EXPECT_EQ(positions[1], 1.0);
  EXPECT_DOUBLE_EQ(positions[2], std::sqrt(5.0));
  EXPECT_EQ(positions[3], 0.0);
}

TEST(ProfileAlong, CellsWithoutAReadingOrWithASubstituteHaveNoValue) {
  ThermalImage::CellGrid grid;
  std::fill_n(&grid[0][0], kGridColumns * kGridRows, kNoReading);
  SubstituteMask substituted{};
  grid[0][0] = 21, grid[1][0] = 99, substituted[1][0] = true, grid[3][0] = 0;
  EXPECT_EQ(ProfileAlong(LineCells({0, 0}, {3, 0}), grid, substituted), (LineProfile{21, {}, {}, 0}));
}

}  // namespace
