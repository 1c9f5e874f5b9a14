#pragma once
#include <QObject>
#include <QPoint>
#include <memory>
#include <optional>

#include "image/grid_cell.h"
#include "ui/picture_pointer.h"

class PictureModel;
class ProfileWindow;
class QAction;
class QWidget;

// The line profile in a window: Alt+drag over the picture draws the line
// from the cell where the drag began to the last cell the pointer was on,
// or two clicks of the context menu ("Linienprofil von hier", "… bis
// hier"); "Linienprofil löschen" removes it, "Linienprofil…" (Ctrl+L) opens
// its plot window. The line and its profiles are the picture model's; a new
// line or none drops profiles kept but not saved only after asking.
class LineTools : public QObject {
  Q_OBJECT
 public:
  LineTools(QWidget& window, PictureModel& picture, PicturePointer::ToPicture toPicture);
  ~LineTools() override;

  void PrepareMenu(QPoint at);
  // Alt+drag, as the measuring areas' Shift+drag.
  bool BeginDrag(QPoint at) { return pointer_.BeginDrag(at); }
  bool Dragging() const { return pointer_.Dragging(); }
  void Drag(QPoint at) { pointer_.Drag(at); }
  void EndDrag();
  // True when no kept profile would be lost, or the user saved or let them go.
  bool ConfirmDiscard();
  ProfileWindow& ShowProfile();

 signals:
  void statusMessage(const QString& text);

 private:
  void Draw(GridCell from, GridCell to);
  ProfileWindow& Window();  // made at its first use

  QWidget& window_;
  PictureModel& picture_;
  PicturePointer pointer_;
  std::optional<GridCell> lineStart_;  // "Linienprofil von hier"
  QAction* from_;
  QAction* to_;
  QAction* clear_;
  std::unique_ptr<ProfileWindow> profileWindow_;
};
