#pragma once
#include <QList>
#include <QObject>
#include <QPoint>
#include <optional>

#include "trend/trend_recorder.h"

class CTorvakDlg;
class QAction;
class QPainter;
class TrendWindow;

// The main window's measuring points: setting and clearing them (context
// menu, Ctrl+click), their numbered markers over the picture, recording the
// scan's real readings at them, the spot measurement and the plot window
// "Temperaturverlauf". With no point set nothing of it shows.
class MeasuringPointTools : public QObject {
  Q_OBJECT
 public:
  // Made by the window, whose child it is.
  explicit MeasuringPointTools(CTorvakDlg& window);
  ~MeasuringPointTools() override;

  TrendRecorder& Recorder() { return recorder_; }
  // The context menu's entries, with their shortcuts.
  QList<QAction*> Actions() const;
  // Called as the context menu opens at point `at` of the window.
  void PrepareMenu(QPoint at);
  // Sets a point at the cell under point `at` of the window (Ctrl+click);
  // false outside both pictures or with four points set.
  bool SetPointAt(QPoint at);
  // Removes every point and its recording, after asking if it holds
  // readings not yet saved.
  void ClearPoints();
  // True when no reading would be lost, or the user saved or let them go.
  bool ConfirmDiscard();
  // A spot measurement at point 1, else at the cell under the context menu.
  void StartSpotMeasurement();
  // The plot window, opened and raised.
  TrendWindow& ShowPlot();
  // Draws the markers in the coordinates of the 640 x 480 picture area,
  // clipped to it; the painter maps that area onto its place.
  void PaintMarkers(QPainter& painter) const;

 private:
  std::optional<GridCell> CellAtWindowPoint(QPoint at) const;
  TrendWindow& Plot();  // made at its first use
  void ShowSpotRefused(quint32 outside);

  CTorvakDlg& window_;
  TrendRecorder recorder_;
  std::optional<GridCell> menuCell_;  // under the pointer where the context menu opened
  QAction* setPoint_;
  QAction* clearPoints_;
  QAction* spot_;
  QAction* plot_;
  TrendWindow* plotWindow_ = nullptr;  // made at its first opening, owned by the window
};
