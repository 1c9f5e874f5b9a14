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

AreaTools::AreaTools(QWidget& window, PictureModel& picture, PicturePointer::ToPicture toPicture)
    : window_(window),
      picture_(picture),
      pointer_(picture, std::move(toPicture)),
      band_(new QRubberBand(QRubberBand::Rectangle, &window)),
      setArea_(AddContextEntry(window, tr("Messfeld hier setzen\tUmschalt+Ziehen"))),
      clearAreas_(AddContextEntry(window, tr("Messfelder löschen"))) {
  connect(setArea_, &QAction::triggered, this, [this] {
    if (!pointer_.MenuCell()) return;
    const GridCell c = *pointer_.MenuCell();
    Add({c.column - kMenuAreaReach, c.row - kMenuAreaReach}, {c.column + kMenuAreaReach, c.row + kMenuAreaReach});
  });
  connect(clearAreas_, &QAction::triggered, &picture_, &PictureModel::ClearAreas);
  connect(AddContextEntry(window, tr("Messfelder…"), QKeySequence(Qt::CTRL | Qt::Key_F)), &QAction::triggered, this,
          [this] { ShowValues(); });
}

AreaTools::~AreaTools() = default;

void AreaTools::PrepareMenu(QPoint at) {
  setArea_->setEnabled(pointer_.OpenMenuAt(at) && picture_.Areas().size() < kMaxAreas);
  clearAreas_->setEnabled(!picture_.Areas().empty());
}

bool AreaTools::BeginDrag(QPoint at) {
  if (!pointer_.BeginDrag(at)) return false;
  dragOrigin_ = at;
  band_->setGeometry(QRect(at, QSize()));
  band_->show();
  return true;
}

void AreaTools::Drag(QPoint at) {
  if (!pointer_.Dragging()) return;
  band_->setGeometry(QRect(dragOrigin_, at).normalized());
  pointer_.Drag(at);
}

void AreaTools::EndDrag() {
  const auto ends = pointer_.EndDrag();
  if (!ends) return;
  band_->hide();
  Add(ends->first, ends->second);
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
