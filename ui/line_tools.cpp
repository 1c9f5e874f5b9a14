#include "ui/line_tools.h"

#include <QAction>
#include <QWidget>

#include "ui/dialog_parts.h"
#include "ui/picture_model.h"
#include "ui/profile_window.h"

LineTools::LineTools(QWidget& window, PictureModel& picture, ToPicture toPicture)
    : window_(window),
      picture_(picture),
      toPicture_(std::move(toPicture)),
      from_(AddContextEntry(window, tr("Linienprofil von hier\tAlt+Ziehen"))),
      to_(AddContextEntry(window, tr("Linienprofil bis hier"))),
      clear_(AddContextEntry(window, tr("Linienprofil löschen"))) {
  connect(from_, &QAction::triggered, this, [this] {
    lineStart_ = menuCell_;
    emit statusMessage(tr("Linienprofil: das Ende mit „Linienprofil bis hier“ wählen"));
  });
  connect(to_, &QAction::triggered, this, [this] {
    if (lineStart_ && menuCell_) Draw(*lineStart_, *menuCell_);
    lineStart_.reset();
  });
  connect(clear_, &QAction::triggered, this, [this] {
    if (ConfirmDiscard()) picture_.ClearLine();
  });
  connect(AddContextEntry(window, tr("Linienprofil…"), QKeySequence(Qt::CTRL | Qt::Key_L)), &QAction::triggered,
          this, [this] { ShowProfile(); });
}

LineTools::~LineTools() = default;

std::optional<GridCell> LineTools::CellAtWindowPoint(QPoint at) const {
  const std::optional<QPoint> inPicture = toPicture_(at);
  return inPicture ? picture_.CellAt(*inPicture) : std::nullopt;
}

void LineTools::PrepareMenu(QPoint at) {
  menuCell_ = CellAtWindowPoint(at);
  from_->setEnabled(menuCell_.has_value());
  to_->setEnabled(menuCell_ && lineStart_);
  clear_->setEnabled(picture_.Profile().HasLine());
}

bool LineTools::BeginDrag(QPoint at) {
  dragStart_ = CellAtWindowPoint(at);
  if (dragStart_) dragEnd_ = *dragStart_;
  return dragStart_.has_value();
}

void LineTools::Drag(QPoint at) {
  if (!dragStart_) return;
  if (const std::optional<GridCell> cell = CellAtWindowPoint(at)) dragEnd_ = *cell;
}

void LineTools::EndDrag() {
  if (!dragStart_) return;
  const GridCell start = *dragStart_;
  dragStart_.reset();
  Draw(start, dragEnd_);
}

void LineTools::Draw(GridCell from, GridCell to) {
  if (!ConfirmDiscard() || !picture_.SetLine(from, to)) return;
  emit statusMessage(tr("Linienprofil von Spalte %1, Zeile %2 bis Spalte %3, Zeile %4 (%5 Zellen)")
                         .arg(from.column)
                         .arg(from.row)
                         .arg(to.column)
                         .arg(to.row)
                         .arg(picture_.Profile().Cells().size()));
}

bool LineTools::ConfirmDiscard() { return !picture_.Profile().HasUnsavedProfiles() || Window().ConfirmDiscard(); }

ProfileWindow& LineTools::Window() {
  if (!profileWindow_) profileWindow_ = std::make_unique<ProfileWindow>(picture_, &window_);
  return *profileWindow_;
}

ProfileWindow& LineTools::ShowProfile() {
  ProfileWindow& profile = Window();
  profile.show();
  profile.raise();
  return profile;
}
