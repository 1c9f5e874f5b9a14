#pragma once
#include <array>
#include <cstdint>

#include "image/grid_cell.h"

// The four edges of the scan range, as the range controls move them.
enum class RangeEdge { Top, Bottom, Left, Right };
inline constexpr std::array<RangeEdge, 4> kRangeEdges{RangeEdge::Top, RangeEdge::Bottom, RangeEdge::Left,
                                                      RangeEdge::Right};

// The scanned part of the grid, as the scan sweeps it and the picture
// frames it: columns 0..61, rows 0..31 (row 0 lowest).
struct ScanRange {
  std::uint8_t firstColumn = 0;
  std::uint8_t lastColumn = kGridColumns - 1;
  std::uint8_t firstRow = 0;
  std::uint8_t lastRow = kGridRows - 1;

  // The field an edge moves: the top edge is the last row, the bottom edge
  // the first row, the left edge the first column, the right edge the last.
  std::uint8_t& Edge(RangeEdge edge) {
    switch (edge) {
      case RangeEdge::Top: return lastRow;
      case RangeEdge::Bottom: return firstRow;
      case RangeEdge::Left: return firstColumn;
      case RangeEdge::Right: break;
    }
    return lastColumn;
  }
  std::uint8_t Edge(RangeEdge edge) const { return const_cast<ScanRange&>(*this).Edge(edge); }

  bool Contains(GridCell cell) const {
    return firstColumn <= cell.column && cell.column <= lastColumn && firstRow <= cell.row && cell.row <= lastRow;
  }

  friend bool operator==(const ScanRange&, const ScanRange&) = default;
};
