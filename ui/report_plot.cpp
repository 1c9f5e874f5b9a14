#include "ui/report_plot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/interface_language.h"

namespace {

constexpr int kTicks = 5;

struct Range {
  double low = 0.0, high = 0.0;
};

// A step of 1, 2 or 5 times a power of ten that cuts the range into about `ticks` parts.
double RoundStep(const Range& range, int ticks) {
  const double rough = (range.high - range.low) / ticks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  return power * (rough <= power ? 1.0 : rough <= 2.0 * power ? 2.0 : rough <= 5.0 * power ? 5.0 : 10.0);
}

// The range widened to whole steps, at least one step wide.
Range Rounded(Range range) {
  if (range.high - range.low < 1e-9) range = {range.low - 0.5, range.high + 0.5};
  const double step = RoundStep(range, kTicks);
  return {std::floor(range.low / step) * step, std::ceil(range.high / step) * step};
}

void Span(const std::vector<PlotCurve>& curves, Range& x, Range& y) {
  x = {1e300, -1e300}, y = {1e300, -1e300};
  for (const PlotCurve& curve : curves) {
    for (const auto& run : curve.runs) {
      for (const QPointF& p : run) {
        x = {std::min(x.low, p.x()), std::max(x.high, p.x())};
        y = {std::min(y.low, p.y()), std::max(y.high, p.y())};
      }
    }
  }
}

QString TickText(double value, double step) {
  return NumberLocale().toString(value, 'f', step < 1.0 ? 1 : 0);
}

// The curves' names side by side, each after a short stroke of its pen.
void PaintLegend(QPainter& painter, QPointF at, double unit, const std::vector<PlotCurve>& curves) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  for (const PlotCurve& curve : curves) {
    if (curve.name.isEmpty()) continue;
    painter.setPen(curve.pen);
    const double middle = at.y() - metrics.ascent() / 3;
    painter.drawLine(QPointF(at.x(), middle), QPointF(at.x() + 5 * unit, middle));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(at.x() + 6 * unit, at.y()), curve.name);
    at.rx() += 9 * unit + metrics.horizontalAdvance(curve.name);
  }
}

}  // namespace

void PaintPlot(QPainter& painter, const QRectF& area, double unit, const PlotTexts& texts,
               const std::vector<PlotCurve>& curves) {
  painter.save();
  const QFontMetricsF metrics(painter.font(), painter.device());
  const double line = metrics.lineSpacing();
  painter.setPen(Qt::black);
  painter.drawText(QPointF(area.left(), area.top() + metrics.ascent()), texts.title);
  PaintLegend(painter, QPointF(area.left(), area.top() + line + metrics.ascent()), unit, curves);
  Range x, y;
  Span(curves, x, y);
  x = Rounded(x), y = Rounded(y);
  const double xStep = RoundStep(x, kTicks), yStep = RoundStep(y, kTicks);
  const double labelWidth = std::max(metrics.horizontalAdvance(TickText(y.low, yStep)),
                                     metrics.horizontalAdvance(TickText(y.high, yStep)));
  const QRectF frame(QPointF(area.left() + line + labelWidth + 2 * unit, area.top() + 2.5 * line),
                     QPointF(area.right() - 2 * unit, area.bottom() - 2 * line - unit));
  const auto map = [&](QPointF p) {
    return QPointF(frame.left() + (p.x() - x.low) / (x.high - x.low) * frame.width(),
                   frame.bottom() - (p.y() - y.low) / (y.high - y.low) * frame.height());
  };
  const QPen grid(QColor(210, 210, 210), 0.2 * unit);
  for (double v = x.low; v <= x.high + xStep / 2; v += xStep) {
    const double at = map({v, y.low}).x();
    painter.setPen(grid);
    painter.drawLine(QPointF(at, frame.top()), QPointF(at, frame.bottom()));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(at - 10 * unit, frame.bottom() + unit, 20 * unit, line), Qt::AlignHCenter | Qt::AlignTop,
                     TickText(v, xStep));
  }
  for (double v = y.low; v <= y.high + yStep / 2; v += yStep) {
    const double at = map({x.low, v}).y();
    painter.setPen(grid);
    painter.drawLine(QPointF(frame.left(), at), QPointF(frame.right(), at));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(frame.left() - labelWidth - unit, at - line / 2, labelWidth, line),
                     Qt::AlignRight | Qt::AlignVCenter, TickText(v, yStep));
  }
  painter.drawText(QRectF(frame.left(), area.bottom() - line, frame.width(), line), Qt::AlignHCenter, texts.xTitle);
  painter.translate(area.left(), frame.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-frame.height() / 2, 0, frame.height(), line), Qt::AlignHCenter | Qt::AlignTop, texts.yTitle);
  painter.restore();
  painter.save();
  painter.setPen(QPen(Qt::black, 0.25 * unit));
  painter.drawRect(frame);
  painter.setClipRect(frame);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const PlotCurve& curve : curves) {
    painter.setPen(curve.pen);
    for (const auto& run : curve.runs) {
      QPolygonF polyline;
      for (const QPointF& p : run) polyline << map(p);
      run.size() == 1 ? painter.drawPoint(polyline.front()) : painter.drawPolyline(polyline);
    }
  }
  painter.restore();
}
