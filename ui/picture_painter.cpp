#include "ui/picture_painter.h"

#include <QPainter>

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
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const CellPoint centre = model.CellCentre(points[i]);
    const QRectF disc(centre.x - kMarkerRadius, centre.y - kMarkerRadius, 2 * kMarkerRadius, 2 * kMarkerRadius);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(MarkerColour(i));
    painter.drawEllipse(disc);
    painter.drawText(disc, Qt::AlignCenter, QString::number(i + 1));
  }
}

}  // namespace

void PaintPicture(QPainter& painter, const PictureModel& model, const QRect& target) {
  painter.save();
  painter.translate(target.topLeft());
  if (target.size() != QSize(kPictureWidth, kPictureHeight)) {
    painter.scale(target.width() / double{kPictureWidth}, target.height() / double{kPictureHeight});
  }
  painter.drawImage(0, 0, SurfaceImage(model.Composite()));
  PaintMarkers(painter, model);
  painter.restore();
}
