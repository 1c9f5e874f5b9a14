#pragma once

inline constexpr int kGridColumns = 62;
inline constexpr int kGridRows = 32;
inline constexpr int kHalfColumns = 31;  // columns 0..30 left, 31..61 right

// One cell of the 62 x 32 temperature grid.
struct GridCell {
  int column = 0;  // 0..61; 0..30 the left picture, 31..61 the right one
  int row = 0;     // 0..31, 0 the lowest
  friend bool operator==(const GridCell&, const GridCell&) = default;
};
