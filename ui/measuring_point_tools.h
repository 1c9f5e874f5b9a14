#pragma once
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

#include "image/display.h"
#include "trend/trend_recorder.h"

class QAction;
class QPainter;
class QWidget;
class ScanService;
class TrendWindow;

// The main window's measuring points: setting and clearing them (context
// menu, Ctrl+click), their numbered markers over the picture, recording the
// scan's real readings at them, the spot measurement and the plot window
// "Temperaturverlauf". With no point set nothing of it shows.
class MeasuringPointTools : public QObject {
  Q_OBJECT
 public:
  using StatusLine = std::function<void(const QString&)>;
  // display and pictureArea are the window's; they outlive this object.
  MeasuringPointTools(QWidget& window, ScanService& scan, const DisplayData& display, const Area& pictureArea,
                      StatusLine showStatus);
  ~MeasuringPointTools() override;

  TrendRecorder& Recorder() { return recorder_; }
  // The context menu's entries, with their shortcuts.
  QList<QAction*> Actions() const;
  // Called as the context menu opens at point `at` of the window.
  void PrepareMenu(QPoint at);
  // Sets a point at the cell under point `at` of the window (Ctrl+click);
  // false outside both pictures or with four points set.
  bool SetPointAt(QPoint at);
  void ClearPoints();
  // A spot measurement at point 1, else at the cell under the context menu.
  void StartSpotMeasurement();
  // The plot window, opened and raised.
  TrendWindow& ShowPlot();
  void PaintMarkers(QPainter& painter) const;

 private:
  std::optional<GridCell> CellAtWindowPoint(QPoint at) const;
  void RepaintPicture();

  QWidget& window_;
  ScanService& scan_;
  const DisplayData& display_;
  const Area& pictureArea_;
  StatusLine showStatus_;
  TrendRecorder recorder_;
  std::optional<int> ambient_;
  std::optional<GridCell> menuCell_;  // under the pointer where the context menu opened
  QAction* setPoint_;
  QAction* clearPoints_;
  QAction* spot_;
  QAction* plot_;
  TrendWindow* plotWindow_ = nullptr;  // made at its first opening, owned by the window
};
