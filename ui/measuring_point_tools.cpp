#include "ui/measuring_point_tools.h"

#include <QAction>
#include <QPainter>
#include <QWidget>

#include "image/readout.h"
#include "scan/qt/scan_service.h"
#include "ui/marker_colours.h"
#include "ui/trend_window.h"

namespace {

constexpr int kMarkerRadius = 7;

QAction* NewAction(QWidget& window, const char* text, QKeySequence shortcut) {
  auto* action = new QAction(QString::fromUtf8(text), &window);
  action->setShortcut(shortcut);
  action->setShortcutVisibleInContextMenu(true);
  window.addAction(action);  // the shortcut works without the menu
  return action;
}

}  // namespace

MeasuringPointTools::MeasuringPointTools(QWidget& window, ScanService& scan, const DisplayData& display,
                                         const Area& pictureArea, StatusLine showStatus)
    : QObject(&window),
      window_(window),
      scan_(scan),
      display_(display),
      pictureArea_(pictureArea),
      showStatus_(std::move(showStatus)),
      setPoint_(NewAction(window, "Messpunkt hier setzen\tStrg+Klick", {})),
      clearPoints_(NewAction(window, "Messpunkte löschen", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete))),
      spot_(NewAction(window, "Punktmessung", QKeySequence(Qt::CTRL | Qt::Key_M))),
      plot_(NewAction(window, "Temperaturverlauf…", QKeySequence(Qt::CTRL | Qt::Key_T))) {
  connect(setPoint_, &QAction::triggered, this, [this] {
    if (menuCell_) recorder_.AddPoint(*menuCell_);
    RepaintPicture();
  });
  connect(clearPoints_, &QAction::triggered, this, &MeasuringPointTools::ClearPoints);
  connect(spot_, &QAction::triggered, this, &MeasuringPointTools::StartSpotMeasurement);
  connect(plot_, &QAction::triggered, this, [this] { ShowPlot(); });
  connect(&scan, &ScanService::readingStored, this, [this](int column, int row, int value, bool substituted) {
    recorder_.Record(column, row, value, substituted);
  });
  connect(&scan, &ScanService::ambientChanged, this, [this](int celsius) { ambient_ = celsius; });
  connect(&scan, &ScanService::spotRefused, this, [this] {
    showStatus_(QStringLiteral("Punktmessung nicht möglich: der Messpunkt liegt außerhalb des Messbereichs"));
  });
}

MeasuringPointTools::~MeasuringPointTools() = default;

QList<QAction*> MeasuringPointTools::Actions() const { return {setPoint_, clearPoints_, spot_, plot_}; }

std::optional<GridCell> MeasuringPointTools::CellAtWindowPoint(QPoint at) const {
  const int x = at.x() - pictureArea_.left, y = at.y() - pictureArea_.top;
  if (x < 0 || y < 0 || x >= pictureArea_.Width() || y >= pictureArea_.Height()) return std::nullopt;
  return CellAt(display_, x, y);
}

void MeasuringPointTools::PrepareMenu(QPoint at) {
  menuCell_ = CellAtWindowPoint(at);
  const bool pointsSet = !recorder_.Points().empty();
  setPoint_->setEnabled(menuCell_ && recorder_.Points().size() < kMaxMeasuringPoints);
  clearPoints_->setEnabled(pointsSet);
  spot_->setEnabled(pointsSet || menuCell_);
}

bool MeasuringPointTools::SetPointAt(QPoint at) {
  const std::optional<GridCell> cell = CellAtWindowPoint(at);
  if (!cell || !recorder_.AddPoint(*cell)) return false;
  RepaintPicture();
  return true;
}

void MeasuringPointTools::ClearPoints() {
  recorder_.ClearPoints();
  RepaintPicture();
}

void MeasuringPointTools::StartSpotMeasurement() {
  const std::vector<GridCell>& points = recorder_.Points();
  const std::optional<GridCell> target = points.empty() ? menuCell_ : std::optional(points.front());
  if (!target) return showStatus_(QStringLiteral("Für die Punktmessung zuerst einen Messpunkt setzen"));
  scan_.StartSpot(*target, points);
}

TrendWindow& MeasuringPointTools::ShowPlot() {
  if (plotWindow_ == nullptr) {
    plotWindow_ = new TrendWindow(recorder_, [this] { return ambient_; }, &window_);
  }
  plotWindow_->show();
  plotWindow_->raise();
  plotWindow_->activateWindow();
  return *plotWindow_;
}

void MeasuringPointTools::RepaintPicture() {
  window_.update(pictureArea_.left, pictureArea_.top, pictureArea_.Width(), pictureArea_.Height());
}

// A filled circle in the point's colour with its number, clipped to the picture area.
void MeasuringPointTools::PaintMarkers(QPainter& painter) const {
  const std::vector<GridCell>& points = recorder_.Points();
  if (points.empty()) return;
  painter.save();
  painter.setClipRect(pictureArea_.left, pictureArea_.top, pictureArea_.Width(), pictureArea_.Height());
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const CellPoint centre = CellCentre(display_, points[i]);
    const QPointF at(pictureArea_.left + centre.x, pictureArea_.top + centre.y);
    const QRectF disc(at.x() - kMarkerRadius, at.y() - kMarkerRadius, 2 * kMarkerRadius, 2 * kMarkerRadius);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(MarkerColour(i));
    painter.drawEllipse(disc);
    painter.drawText(disc, Qt::AlignCenter, QString::number(i + 1));
  }
  painter.restore();
}
