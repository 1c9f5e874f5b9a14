#pragma once
#include <QHash>
#include <QObject>
#include <array>

#include "overlay/arrangement.h"

class PictureModel;
class QAbstractButton;
class QScrollBar;
class QWidget;
class UpDown;

// The group "Anordnung" on the window. The four scroll bars mirror the
// arrangement model (range, thumb, enabled); every scroll action of a bar
// goes to the model as its scroll code and the model decides where the thumb
// stands. The picture check boxes, "Seitenverhältnis beibehalten" and
// "Reset auf Startwerte" set the model up anew. The placements it computes
// go to the picture model.
class ArrangementBars : public QObject {
  Q_OBJECT
 public:
  // controls: the window's controls by ID.
  ArrangementBars(const QHash<int, QWidget*>& controls, PictureModel& picture);

  // New bases, ranges and neutral thumbs from the current placements.
  void SetUp();

 private:
  void OnAction(ArrangementBarIndex index, int action);
  void OnKeepAspect(bool checked);
  void OnReset();
  // The check boxes and the step width, as the controls hold them.
  void ReadControls();
  void ShowBars();
  // The model's placements changed by `change`, then given to the picture.
  template <class Change>
  void Place(Change change);

  Arrangement model_;
  std::array<QScrollBar*, 4> bars_{};  // indexed by ArrangementBarIndex
  QAbstractButton* leftBox_;
  QAbstractButton* rightBox_;
  UpDown* stepWidth_;
  PictureModel& picture_;
};
