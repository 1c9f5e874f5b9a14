#include "ui/picture_pointer.h"

#include "ui/picture_model.h"

PicturePointer::PicturePointer(const PictureModel& picture, ToPicture toPicture)
    : picture_(picture), toPicture_(std::move(toPicture)) {}

std::optional<GridCell> PicturePointer::CellAt(QPoint at) const {
  const std::optional<QPoint> inPicture = toPicture_(at);
  return inPicture ? picture_.CellAt(*inPicture) : std::nullopt;
}

const std::optional<GridCell>& PicturePointer::OpenMenuAt(QPoint at) {
  menuCell_ = CellAt(at);
  return menuCell_;
}

bool PicturePointer::BeginDrag(QPoint at) {
  dragStart_ = CellAt(at);
  if (dragStart_) dragEnd_ = *dragStart_;
  return dragStart_.has_value();
}

void PicturePointer::Drag(QPoint at) {
  if (!dragStart_) return;
  if (const std::optional<GridCell> cell = CellAt(at)) dragEnd_ = *cell;
}

// Over before the caller acts on it: acting may open a dialog while the mouse still moves.
std::optional<std::pair<GridCell, GridCell>> PicturePointer::EndDrag() {
  if (!dragStart_) return std::nullopt;
  const GridCell start = *dragStart_;
  dragStart_.reset();
  return std::pair{start, dragEnd_};
}
