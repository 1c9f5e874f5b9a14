#include "ui/measuring_point_tools.h"

#include <QAction>
#include <QPainter>
#include <QWidget>

#include "image/readout.h"
#include "scan/qt/scan_service.h"
#include "ui/marker_colours.h"
#include "ui/torvak_dlg.h"
#include "ui/trend_window.h"

namespace {

constexpr int kMarkerRadius = 7;

QAction* NewAction(QWidget& window, const QString& text, QKeySequence shortcut) {
  auto* action = new QAction(text, &window);
  action->setShortcut(shortcut);
  action->setShortcutVisibleInContextMenu(true);
  window.addAction(action);  // the shortcut works without the menu
  return action;
}

}  // namespace

MeasuringPointTools::MeasuringPointTools(CTorvakDlg& window)
    : QObject(&window),
      window_(window),
      recorder_([&scan = window.Scan()] { return scan.ClockSeconds(); }),
      setPoint_(NewAction(window, tr("Messpunkt hier setzen\tStrg+Klick"), {})),
      clearPoints_(NewAction(window, tr("Messpunkte löschen"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete))),
      spot_(NewAction(window, tr("Punktmessung"), QKeySequence(Qt::CTRL | Qt::Key_M))),
      plot_(NewAction(window, tr("Temperaturverlauf…"), QKeySequence(Qt::CTRL | Qt::Key_T))) {
  connect(setPoint_, &QAction::triggered, this, [this] {
    if (menuCell_) recorder_.AddPoint(*menuCell_);
    window_.RepaintPicture();
  });
  connect(clearPoints_, &QAction::triggered, this, &MeasuringPointTools::ClearPoints);
  connect(spot_, &QAction::triggered, this, &MeasuringPointTools::StartSpotMeasurement);
  connect(plot_, &QAction::triggered, this, [this] { ShowPlot(); });
  ScanService& scan = window.Scan();
  connect(&scan, &ScanService::readingStored, this, [this](const CellReading& reading) { recorder_.Record(reading); });
  connect(&scan, &ScanService::spotRefused, this, &MeasuringPointTools::ShowSpotRefused);
}

MeasuringPointTools::~MeasuringPointTools() = default;

QList<QAction*> MeasuringPointTools::Actions() const { return {setPoint_, clearPoints_, spot_, plot_}; }

std::optional<GridCell> MeasuringPointTools::CellAtWindowPoint(QPoint at) const {
  const Area& area = window_.Layout().pictureArea;
  const int x = at.x() - area.left, y = at.y() - area.top;
  if (x < 0 || y < 0 || x >= area.Width() || y >= area.Height()) return std::nullopt;
  return CellAt(window_.DisplayRecord(), x, y);
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
  window_.RepaintPicture();
  return true;
}

void MeasuringPointTools::ClearPoints() {
  if (!ConfirmDiscard()) return;
  window_.Scan().StopSpot();  // nothing left to measure
  recorder_.ClearPoints();
  window_.RepaintPicture();
}

void MeasuringPointTools::StartSpotMeasurement() {
  std::vector<GridCell> cells = recorder_.Points();
  if (cells.empty() && menuCell_) cells.push_back(*menuCell_);
  if (cells.empty()) return window_.ShowStatus(tr("Für die Punktmessung zuerst einen Messpunkt setzen"));
  window_.Scan().StartSpot(std::move(cells));
}

void MeasuringPointTools::ShowSpotRefused(quint32 outside) {
  if (recorder_.Points().empty()) {
    return window_.ShowStatus(tr("Punktmessung nicht möglich: die Zelle liegt außerhalb des Messbereichs"));
  }
  QStringList numbers;
  for (int bit = 0; bit < 32; ++bit) {
    if ((outside >> bit & 1u) != 0) numbers << QString::number(bit + 1);
  }
  window_.ShowStatus(numbers.size() == 1
                         ? tr("Punktmessung nicht möglich: Messpunkt %1 liegt außerhalb des Messbereichs").arg(numbers[0])
                         : tr("Punktmessung nicht möglich: die Messpunkte %1 liegen außerhalb des Messbereichs")
                               .arg(numbers.join(QStringLiteral(", "))));
}

bool MeasuringPointTools::ConfirmDiscard() { return !recorder_.HasUnsavedReadings() || Plot().ConfirmDiscard(); }

TrendWindow& MeasuringPointTools::ShowPlot() {
  TrendWindow& plot = Plot();
  plot.show();
  plot.raise();
  plot.activateWindow();
  return plot;
}

TrendWindow& MeasuringPointTools::Plot() {
  if (plotWindow_ == nullptr) {
    // The ambient temperature the window shows (from the head or an opened file); 0 shows none.
    const auto ambient = [this] {
      const int celsius = window_.Image().ambientTemperature;
      return celsius > 0 ? std::optional(celsius) : std::nullopt;
    };
    plotWindow_ = new TrendWindow(recorder_, ambient, &window_);
  }
  return *plotWindow_;
}

// A filled circle in the point's colour with its number.
void MeasuringPointTools::PaintMarkers(QPainter& painter) const {
  const std::vector<GridCell>& points = recorder_.Points();
  if (points.empty()) return;
  painter.save();
  painter.setClipRect(0, 0, kPictureWidth, kPictureHeight);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const CellPoint centre = CellCentre(window_.DisplayRecord(), points[i]);
    const QPointF at(centre.x, centre.y);
    const QRectF disc(at.x() - kMarkerRadius, at.y() - kMarkerRadius, 2 * kMarkerRadius, 2 * kMarkerRadius);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(MarkerColour(i));
    painter.drawEllipse(disc);
    painter.drawText(disc, Qt::AlignCenter, QString::number(i + 1));
  }
  painter.restore();
}
