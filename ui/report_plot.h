#pragma once
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

// One curve of a plot: lines through each run of points (a gap between runs
// stays open), named in the legend above the plot unless its name is empty.
struct PlotCurve {
  QString name;
  QPen pen;
  std::vector<std::vector<QPointF>> runs;
};

struct PlotTexts {
  QString title;
  QString xTitle;
  QString yTitle;
};

// A small plot for paper: the title, a legend line, a frame with ticks at
// round steps spanning every curve's points, the axes' titles and the
// curves (at least one point among them), all within `area` (in the painter's units, which `unit` pixels per
// millimetre turn into lengths).
void PaintPlot(QPainter& painter, const QRectF& area, double unit, const PlotTexts& texts,
               const std::vector<PlotCurve>& curves);
