#pragma once
#include <QPoint>
#include <functional>
#include <optional>
#include <utility>

#include "image/grid_cell.h"

class PictureModel;

// The pointer over the window's picture as the tools that set something on
// cells see it: the cell under a point of the window, the cell where the
// context menu opened, and a drag from the cell where it began to the last
// cell the pointer was on (past the pictures it keeps that cell).
class PicturePointer {
 public:
  // The picture area's point under a point of the window, if it lies there.
  using ToPicture = std::function<std::optional<QPoint>(QPoint)>;
  PicturePointer(const PictureModel& picture, ToPicture toPicture);

  std::optional<GridCell> CellAt(QPoint at) const;
  // Called as the context menu opens at point `at`: the cell under it, kept for the menu's entries.
  const std::optional<GridCell>& OpenMenuAt(QPoint at);
  const std::optional<GridCell>& MenuCell() const { return menuCell_; }

  // A drag begins on a cell only (true).
  bool BeginDrag(QPoint at);
  bool Dragging() const { return dragStart_.has_value(); }
  void Drag(QPoint at);
  // The drag's first and last cells, and the drag is over; nothing when none began.
  std::optional<std::pair<GridCell, GridCell>> EndDrag();

 private:
  const PictureModel& picture_;
  ToPicture toPicture_;
  std::optional<GridCell> menuCell_;
  std::optional<GridCell> dragStart_;
  GridCell dragEnd_;
};
