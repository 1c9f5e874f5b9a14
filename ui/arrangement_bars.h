#pragma once
#include <QHash>
#include <QObject>
#include <array>

#include "overlay/arrangement.h"

class QAbstractButton;
class QLineEdit;
class QScrollBar;
class QWidget;
class ThermalImage;
struct DisplayData;

// The group "Anordnung" on the window. The four scroll bars mirror the
// arrangement model (range, thumb, enabled); every scroll action of a bar
// goes to the model as its scroll code and the model decides where the thumb
// stands. The picture check boxes, "Seitenverhältnis beibehalten" and
// "Reset auf Startwerte" set the model up anew.
class ArrangementBars : public QObject {
  Q_OBJECT
 public:
  // controls: the window's controls by ID. The placements live in display.
  ArrangementBars(const QHash<int, QWidget*>& controls, DisplayData& display, const ThermalImage& image,
                  QObject* parent);

  // New bases, ranges and neutral thumbs from the current placements.
  void SetUp();

 signals:
  // After every scroll action and every change of the placements.
  void repaintRequested();

 private:
  void OnAction(int index, int action);
  void OnKeepAspect(bool checked);
  void OnReset();
  // The check boxes and the hidden step width, as the controls hold them.
  void ReadControls();
  void ShowBars();
  void Compose();

  Arrangement model_;
  std::array<QScrollBar*, 4> bars_{};  // indexed by ArrangementBarIndex
  QAbstractButton* leftBox_;
  QAbstractButton* rightBox_;
  QLineEdit* stepWidthEdit_;
  DisplayData& display_;
  const ThermalImage& image_;
};
