#include "ui/line_tools.h"

#include <QAction>
#include <QWidget>

#include "ui/dialog_parts.h"
#include "ui/picture_model.h"
#include "ui/profile_window.h"

LineTools::LineTools(QWidget& window, PictureModel& picture, PicturePointer::ToPicture toPicture)
    : window_(window),
      picture_(picture),
      pointer_(picture, std::move(toPicture)),
      from_(AddContextEntry(window, tr("Linienprofil von hier\tAlt+Ziehen"))),
      to_(AddContextEntry(window, tr("Linienprofil bis hier"))),
      clear_(AddContextEntry(window, tr("Linienprofil löschen"))) {
  connect(from_, &QAction::triggered, this, [this] {
    lineStart_ = pointer_.MenuCell();
    emit statusMessage(tr("Linienprofil: das Ende mit „Linienprofil bis hier“ wählen"));
  });
  connect(to_, &QAction::triggered, this, [this] {
    if (lineStart_ && pointer_.MenuCell()) Draw(*lineStart_, *pointer_.MenuCell());
    lineStart_.reset();
  });
  connect(clear_, &QAction::triggered, this, [this] {
    if (ConfirmDiscard()) picture_.ClearLine();
  });
  connect(AddContextEntry(window, tr("Linienprofil…"), QKeySequence(Qt::CTRL | Qt::Key_L)), &QAction::triggered,
          this, [this] { ShowProfile(); });
}

LineTools::~LineTools() = default;

void LineTools::PrepareMenu(QPoint at) {
  const bool onCell = pointer_.OpenMenuAt(at).has_value();
  from_->setEnabled(onCell);
  to_->setEnabled(onCell && lineStart_);
  clear_->setEnabled(picture_.Profile().HasLine());
}

void LineTools::EndDrag() {
  if (const auto ends = pointer_.EndDrag()) Draw(ends->first, ends->second);
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
