#include "ui/picture_painter.h"

#include <QPainter>
#include <algorithm>

#include "overlay/surface_image.h"
#include "ui/marker_colours.h"
#include "ui/picture_model.h"

namespace {

constexpr int kMarkerRadius = 7;

// A filled circle in each point's colour with its number, in the picture
// area's coordinates and clipped to it.
void PaintMarkers(QPainter& painter, const PictureModel& model) {
  const std::vector<GridCell>& points = model.Points();
  if (points.empty()) return;
  painter.setClipRect(0, 0, kPictureWidth, kPictureHeight);
  painter.setRenderHint(QPainter::Antialiasing);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const CellPoint centre = model.CellCentre(points[i]);
    const QRectF disc(centre.x - kMarkerRadius, centre.y - kMarkerRadius, 2 * kMarkerRadius, 2 * kMarkerRadius);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(MarkerColour(i));
    painter.drawEllipse(disc);
    painter.drawText(disc, Qt::AlignCenter, QString::number(i + 1));
  }
}

// Where an area lies in one picture (columns `first`..`last` of the grid), in
// the picture area's coordinates; empty when it has no cell there.
QRectF AreaPart(const PictureModel& model, const CellArea& area, int first, int last, const PictureRect& picture) {
  const int c0 = std::max(area.first.column, first), c1 = std::min(area.last.column, last);
  if (c0 > c1) return {};
  const CellPoint topLeft = model.CellCentre({c0, area.last.row});
  const CellPoint bottomRight = model.CellCentre({c1, area.first.row});
  const double dx = picture.cellWidth / 2, dy = picture.cellHeight / 2;
  return QRectF(QPointF(topLeft.x - dx, topLeft.y - dy), QPointF(bottomRight.x + dx, bottomRight.y + dy));
}

// Each area a frame in its colour, outlined in black, with its number inside
// its top-left corner; across the middle a frame in each picture.
void PaintAreas(QPainter& painter, const PictureModel& model) {
  painter.setClipRect(0, 0, kPictureWidth, kPictureHeight);
  const DisplayData& display = model.Display();
  for (std::size_t i = 0; i < model.Areas().size(); ++i) {
    const CellArea& area = model.Areas()[i];
    for (const QRectF& frame : {AreaPart(model, area, 0, kHalfColumns - 1, display.leftPicture),
                                AreaPart(model, area, kHalfColumns, kGridColumns - 1, display.rightPicture)}) {
      if (frame.isEmpty()) continue;
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(Qt::black, 3.5));
      painter.drawRect(frame);
      painter.setPen(QPen(AreaColour(i), 1.5));
      painter.drawRect(frame);
      painter.drawText(frame.adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(i + 1));
    }
  }
}

// The line of the profile, white outlined in black, from the centre of its
// first cell to the centre of its last, with a dot at each end.
void PaintLine(QPainter& painter, const PictureModel& model) {
  const std::vector<GridCell>& cells = model.Profile().Cells();
  if (cells.empty()) return;
  const CellPoint a = model.CellCentre(cells.front()), b = model.CellCentre(cells.back());
  const QLineF line(a.x, a.y, b.x, b.y);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const QPen& pen : {QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap), QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap)}) {
    painter.setPen(pen);
    painter.drawLine(line);
  }
  painter.setBrush(Qt::white);
  painter.setPen(QPen(Qt::black, 1));
  for (const QPointF& end : {line.p1(), line.p2()}) painter.drawEllipse(end, 3.5, 3.5);
}

}  // namespace

void PaintPicture(QPainter& painter, const PictureModel& model, const QRect& target) {
  painter.save();
  painter.translate(target.topLeft());
  if (target.size() != QSize(kPictureWidth, kPictureHeight)) {
    painter.scale(target.width() / double{kPictureWidth}, target.height() / double{kPictureHeight});
  }
  painter.drawImage(0, 0, SurfaceImage(model.Composite()));
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  PaintAreas(painter, model);
  PaintLine(painter, model);
  PaintMarkers(painter, model);
  painter.restore();
}
