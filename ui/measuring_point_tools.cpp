#include "ui/measuring_point_tools.h"

#include <QAction>
#include <QWidget>
#include <algorithm>

#include "scan/qt/scan_service.h"
#include "ui/dialog_parts.h"
#include "ui/picture_model.h"
#include "ui/trend_window.h"

MeasuringPointTools::MeasuringPointTools(QWidget& window, PictureModel& picture, ScanService& scan,
                                         PicturePointer::ToPicture toPicture)
    : window_(window),
      picture_(picture),
      scan_(scan),
      pointer_(picture, std::move(toPicture)),
      setPoint_(AddContextEntry(window, tr("Messpunkt hier setzen\tStrg+Klick"))),
      clearPoints_(AddContextEntry(window, tr("Messpunkte löschen"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete))),
      spot_(AddContextEntry(window, tr("Punktmessung"), QKeySequence(Qt::CTRL | Qt::Key_M))),
      plot_(AddContextEntry(window, tr("Temperaturverlauf…"), QKeySequence(Qt::CTRL | Qt::Key_T))) {
  connect(setPoint_, &QAction::triggered, this, [this] {
    if (pointer_.MenuCell()) picture_.AddPoint(*pointer_.MenuCell());
  });
  connect(clearPoints_, &QAction::triggered, this, &MeasuringPointTools::ClearPoints);
  connect(spot_, &QAction::triggered, this, &MeasuringPointTools::StartSpotMeasurement);
  connect(plot_, &QAction::triggered, this, [this] { ShowPlot(); });
  connect(&scan, &ScanService::spotRefused, this, &MeasuringPointTools::ShowSpotRefused);
  picture_.SetDiscardQuestion([this] { return ConfirmDiscard(); });
}

MeasuringPointTools::~MeasuringPointTools() { picture_.SetDiscardQuestion({}); }

QList<QAction*> MeasuringPointTools::Actions() const { return {setPoint_, clearPoints_, spot_, plot_}; }

void MeasuringPointTools::PrepareMenu(QPoint at) {
  const bool onCell = pointer_.OpenMenuAt(at).has_value();
  const bool pointsSet = !picture_.Points().empty();
  setPoint_->setEnabled(onCell && picture_.Points().size() < kMaxMeasuringPoints);
  clearPoints_->setEnabled(pointsSet);
  spot_->setEnabled(pointsSet || onCell || !picture_.Areas().empty() || picture_.Profile().HasLine());
}

bool MeasuringPointTools::SetPointAt(QPoint at) {
  const std::optional<GridCell> cell = pointer_.CellAt(at);
  return cell && picture_.AddPoint(*cell);
}

void MeasuringPointTools::ClearPoints() {
  if (!ConfirmDiscard()) return;
  scan_.StopSpot();  // nothing left to measure
  picture_.ClearPoints();
}

// The points first (a refusal names them by their numbers), then the cells of
// every area and of the line inside the scan range, each cell once.
void MeasuringPointTools::StartSpotMeasurement() {
  std::vector<GridCell> cells = picture_.Points();
  const ScanRange& range = picture_.Image().Range();
  const auto add = [&](GridCell cell) {
    if (range.Contains(cell) && std::find(cells.begin(), cells.end(), cell) == cells.end()) cells.push_back(cell);
  };
  for (const CellArea& area : picture_.Areas()) {
    for (int c = area.first.column; c <= area.last.column; ++c) {
      for (int r = area.first.row; r <= area.last.row; ++r) add({c, r});
    }
  }
  for (const GridCell& cell : picture_.Profile().Cells()) add(cell);
  if (cells.empty() && pointer_.MenuCell()) cells.push_back(*pointer_.MenuCell());
  if (cells.empty()) return emit statusMessage(tr("Für die Punktmessung zuerst einen Messpunkt setzen"));
  scan_.StartSpot(std::move(cells));
}

void MeasuringPointTools::ShowSpotRefused(quint32 outside) {
  if (picture_.Points().empty()) {
    return emit statusMessage(tr("Punktmessung nicht möglich: die Zelle liegt außerhalb des Messbereichs"));
  }
  QStringList numbers;
  for (int bit = 0; bit < 32; ++bit) {
    if ((outside >> bit & 1u) != 0) numbers << QString::number(bit + 1);
  }
  emit statusMessage(numbers.size() == 1
                         ? tr("Punktmessung nicht möglich: Messpunkt %1 liegt außerhalb des Messbereichs").arg(numbers[0])
                         : tr("Punktmessung nicht möglich: die Messpunkte %1 liegen außerhalb des Messbereichs")
                               .arg(numbers.join(QStringLiteral(", "))));
}

bool MeasuringPointTools::ConfirmDiscard() {
  return !picture_.Recorder().HasUnsavedReadings() || Plot().ConfirmDiscard();
}

TrendWindow& MeasuringPointTools::ShowPlot() {
  TrendWindow& plot = Plot();
  plot.show();
  plot.raise();
  plot.activateWindow();
  return plot;
}

TrendWindow& MeasuringPointTools::Plot() {
  if (!plotWindow_) {
    plotWindow_ = std::make_unique<TrendWindow>(picture_.Recorder(), [this] { return picture_.Ambient(); }, &window_);
  }
  return *plotWindow_;
}
