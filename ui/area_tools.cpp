#include "ui/area_tools.h"

#include <QAction>
#include <QRubberBand>
#include <QWidget>

#include "image/cell_area.h"
#include "ui/area_window.h"
#include "ui/dialog_parts.h"
#include "ui/picture_model.h"

namespace {

constexpr int kMenuAreaReach = 2;  // "Messfeld hier setzen": 5 x 5 cells

}  // namespace

AreaTools::AreaTools(QWidget& window, PictureModel& picture, ToPicture toPicture)
    : window_(window),
      picture_(picture),
      toPicture_(std::move(toPicture)),
      band_(new QRubberBand(QRubberBand::Rectangle, &window)),
      setArea_(AddContextEntry(window, tr("Messfeld hier setzen\tUmschalt+Ziehen"))),
      clearAreas_(AddContextEntry(window, tr("Messfelder löschen"))) {
  connect(setArea_, &QAction::triggered, this, [this] {
    if (!menuCell_) return;
    const GridCell c = *menuCell_;
    Add({c.column - kMenuAreaReach, c.row - kMenuAreaReach}, {c.column + kMenuAreaReach, c.row + kMenuAreaReach});
  });
  connect(clearAreas_, &QAction::triggered, &picture_, &PictureModel::ClearAreas);
  connect(AddContextEntry(window, tr("Messfelder…"), QKeySequence(Qt::CTRL | Qt::Key_F)), &QAction::triggered, this,
          [this] { ShowValues(); });
}

AreaTools::~AreaTools() = default;

std::optional<GridCell> AreaTools::CellAtWindowPoint(QPoint at) const {
  const std::optional<QPoint> inPicture = toPicture_(at);
  return inPicture ? picture_.CellAt(*inPicture) : std::nullopt;
}

void AreaTools::PrepareMenu(QPoint at) {
  menuCell_ = CellAtWindowPoint(at);
  setArea_->setEnabled(menuCell_ && picture_.Areas().size() < kMaxAreas);
  clearAreas_->setEnabled(!picture_.Areas().empty());
}

bool AreaTools::BeginDrag(QPoint at) {
  dragStart_ = CellAtWindowPoint(at);
  if (!dragStart_) return false;
  dragEnd_ = *dragStart_;
  dragOrigin_ = at;
  band_->setGeometry(QRect(at, QSize()));
  band_->show();
  return true;
}

// Past the pictures the area ends at the last cell the pointer was on.
void AreaTools::Drag(QPoint at) {
  if (!dragStart_) return;
  band_->setGeometry(QRect(dragOrigin_, at).normalized());
  if (const std::optional<GridCell> cell = CellAtWindowPoint(at)) dragEnd_ = *cell;
}

void AreaTools::EndDrag() {
  if (!dragStart_) return;
  band_->hide();
  Add(*dragStart_, dragEnd_);
  dragStart_.reset();
}

void AreaTools::Add(GridCell a, GridCell b) {
  const std::optional<CellArea> area = AreaBetween(a, b);
  if (area && picture_.AddArea(*area)) {
    emit statusMessage(tr("Messfeld %1 gesetzt: Spalten %2–%3, Zeilen %4–%5")
                           .arg(picture_.Areas().size())
                           .arg(area->first.column)
                           .arg(area->last.column)
                           .arg(area->first.row)
                           .arg(area->last.row));
    return;
  }
  emit statusMessage(picture_.Areas().size() >= kMaxAreas
                         ? tr("Es sind schon vier Messfelder gesetzt; „Messfelder löschen“ macht Platz.")
                         : tr("Dieses Messfeld ist schon gesetzt."));
}

AreaWindow& AreaTools::ShowValues() {
  if (!valuesWindow_) valuesWindow_ = std::make_unique<AreaWindow>(picture_, &window_);
  valuesWindow_->show();
  valuesWindow_->raise();
  return *valuesWindow_;
}
