#pragma once
#include <QObject>
#include <QPoint>
#include <memory>

#include "image/grid_cell.h"
#include "ui/picture_pointer.h"

class AreaWindow;
class PictureModel;
class QAction;
class QRubberBand;
class QWidget;

// The measuring areas ("Messfelder") in a window: Shift+drag over the
// picture frames one, the context menu sets one of 5 x 5 cells around the
// cell under it, removes them all or opens "Messfelder", the small window of
// their values. The areas are the picture model's; with none set nothing of
// it shows.
class AreaTools : public QObject {
  Q_OBJECT
 public:
  AreaTools(QWidget& window, PictureModel& picture, PicturePointer::ToPicture toPicture);
  ~AreaTools() override;

  // Called as the context menu opens at point `at` of the window.
  void PrepareMenu(QPoint at);
  // Shift+drag: begins on a cell (true), follows the pointer, and on release
  // sets the area between the first cell and the last one the pointer was on.
  bool BeginDrag(QPoint at);
  bool Dragging() const { return pointer_.Dragging(); }
  void Drag(QPoint at);
  void EndDrag();
  // "Messfelder", opened and raised.
  AreaWindow& ShowValues();

 signals:
  // A plain sentence for the status line.
  void statusMessage(const QString& text);

 private:
  void Add(GridCell a, GridCell b);

  QWidget& window_;
  PictureModel& picture_;
  PicturePointer pointer_;
  QPoint dragOrigin_;
  QRubberBand* band_;
  QAction* setArea_;
  QAction* clearAreas_;
  std::unique_ptr<AreaWindow> valuesWindow_;
};
