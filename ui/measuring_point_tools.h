#pragma once
#include <QList>
#include <QObject>
#include <QPoint>
#include <memory>

#include "ui/picture_pointer.h"

class PictureModel;
class QAction;
class QWidget;
class ScanService;
class TrendWindow;

// The measuring points in a window: setting and clearing them (context
// menu, Ctrl+click), the spot measurement and the plot window
// "Temperaturverlauf". The points, their markers and their recording are
// the picture model's. With no point set nothing of it shows.
class MeasuringPointTools : public QObject {
  Q_OBJECT
 public:
  // The entries become the window's actions.
  MeasuringPointTools(QWidget& window, PictureModel& picture, ScanService& scan, PicturePointer::ToPicture toPicture);
  ~MeasuringPointTools() override;

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

 signals:
  // A plain sentence for the status line.
  void statusMessage(const QString& text);

 private:
  TrendWindow& Plot();  // made at its first use
  void ShowSpotRefused(quint32 outside);

  QWidget& window_;
  PictureModel& picture_;
  ScanService& scan_;
  PicturePointer pointer_;
  QAction* setPoint_;
  QAction* clearPoints_;
  QAction* spot_;
  QAction* plot_;
  std::unique_ptr<TrendWindow> plotWindow_;  // made at its first opening, a window of its own
};
