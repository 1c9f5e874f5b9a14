#include "ui/trend_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGraphicsRectItem>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScatterSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent>
#include <algorithm>
#include <cmath>
#include <string>

#include "overlay/file_writing.h"
#include "ui/file_dialogs.h"
#include "ui/interface_language.h"
#include "trend/trend_csv.h"
#include "ui/marker_colours.h"
#include "ui/picture_model.h"

namespace {

constexpr std::size_t kMaxDrawnPoints = 2000;  // per line: enough for min and max per pixel column
constexpr int kRefreshMs = 250;
constexpr double kSecondsAxisLimit = 120.0;  // longer recordings are plotted in minutes
constexpr double kRateWindowSeconds = 60.0;  // an area's means may come only every few seconds
constexpr int kFitCurveSteps = 200;
constexpr double kUnbounded = 1e9;  // no limit for an axis' lower end
constexpr double kLineWidth = 2.0;
constexpr double kFitLineWidth = 3.0;
constexpr int kResultLines = 2;  // the fit's result and a remark on Tu
constexpr int kResidualHeight = 180;
constexpr double kResidualMarkerSize = 5.0;
constexpr double kNarrowestResiduals = 1.0;  // kelvin to each side: rounding to whole degrees alone gives ± 0.5
// Below the lines and the grid, above the plot's background.
constexpr double kSpanBandZ = 0.5;
const QColor kSpanBandColour(40, 90, 200, 40);

// One decimal, written as the interface language writes numbers; a dash instead of NaN or infinity.
QString Decimal(double value) {
  if (!std::isfinite(value)) {
    return QStringLiteral("\u2013");
  }
  return NumberLocale().toString(value, 'f', 1);
}

// An uncertainty to two significant digits, with at least one decimal: a
// small one shows as what it is rather than as zero.
QString Uncertainty(double value) {
  if (!(value > 0.0) || !std::isfinite(value)) {
    return Decimal(value);
  }
  const int decimals = std::max(1, 1 - static_cast<int>(std::floor(std::log10(value))));
  return NumberLocale().toString(value, 'f', decimals);
}

// What the result line adds about Tu: that it stayed at the head's reading
// though fitting was asked for, or that the head's reading is off.
QString AmbientRemark(const CoolingFit& fit, std::optional<double> measured, bool fitAsked) {
  if (!measured) {
    return {};
  }
  if (fitAsked && !fit.ambientFitted) {
    return QCoreApplication::translate("TrendWindow",
                                       "Tu gemessen: Der Verlauf ist kürzer als eine Zeitkonstante und legt Tu noch "
                                       "nicht fest.");
  }
  if (AmbientDisagrees(fit, *measured)) {
    return QCoreApplication::translate("TrendWindow",
                                       "Der Sensor am Messkopf zeigt %1 ° C: Das weicht vom angepassten Tu um mehr "
                                       "als die Unsicherheit (± %2 K) ab.")
        .arg(Decimal(*measured), Uncertainty(fit.ambientUncertainty));
  }
  return {};
}

// Ticks at round steps (1, 2 or 5 times a power of ten), about `ticks` of them.
void SetRoundTicks(QValueAxis& axis, int ticks) {
  const double rough = (axis.max() - axis.min()) / ticks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  const double step = power * (rough <= power ? 1.0 : rough <= 2.0 * power ? 2.0 : rough <= 5.0 * power ? 5.0 : 10.0);
  if (std::isfinite(step) && step > 0.0) {
    axis.setTickInterval(step);
    axis.setLabelFormat(step < 1.0 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
  }
}

// Sets the axis to [low - margin, high + margin] (not below floor), but only
// when the data have left its range or fill too little of it: the axes keep
// still while readings arrive, and the lines are not mapped anew for every
// small step of the range.
void FollowData(QValueAxis& axis, double low, double high, double margin, double floor) {
  const double from = std::max(low - margin, floor);
  const double to = high + margin;
  if (axis.min() <= low && high <= axis.max() && axis.max() - axis.min() <= 1.5 * (to - from)) {
    return;
  }
  axis.setRange(from, to);
  SetRoundTicks(axis, 5);
}

}  // namespace

QString FitText(const CoolingFit& fit) {
  return QCoreApplication::translate("TrendWindow",
                                     "τ = %1 s ± %2 s   T0 = %3 ° C   Tu = %4 ° C (%5)   Streuung %6 K")
      .arg(Decimal(fit.tau), Uncertainty(fit.tauUncertainty), Decimal(fit.startCelsius), Decimal(fit.ambientCelsius),
           fit.ambientFitted ? QCoreApplication::translate("TrendWindow", "angepasst")
                             : QCoreApplication::translate("TrendWindow", "gemessen"),
           Decimal(fit.residualSpread));
}

QString FitProblemText(FitProblem problem) {
  switch (problem) {
    case FitProblem::kNone:
      return {};
    case FitProblem::kTooFewSamples:
      return QCoreApplication::translate("TrendWindow",
                                         "Zu wenige Messwerte für eine Anpassung (mindestens drei nötig, vier, wenn "
                                         "die Umgebungstemperatur mit angepasst wird).");
    case FitProblem::kConstant:
      return QCoreApplication::translate("TrendWindow",
                                         "Die Messwerte sind konstant – keine Abkühlung oder Erwärmung zu "
                                         "erkennen.");
    case FitProblem::kNoConvergence:
      return QCoreApplication::translate("TrendWindow",
                                         "Die Anpassung konvergiert nicht – der Verlauf zeigt keine Abkühlung oder "
                                         "Erwärmung mit endlicher Zeitkonstante.");
  }
  return {};
}

TrendWindow::TrendWindow(TrendRecorder& recorder, AmbientReading ambient, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      recorder_(recorder),
      ambient_(std::move(ambient)),
      chooseSavePath_(AskTrendPath),
      shownGeneration_(recorder.Generation()),
      shownPointChanges_(recorder.PointChanges()) {
  setWindowTitle(tr("Temperaturverlauf"));
  BuildLayout();
  MakeLines();
  timer_ = new QTimer(this);
  timer_->setInterval(kRefreshMs);
  connect(timer_, &QTimer::timeout, this, &TrendWindow::Refresh);
  Refresh();
  resize(760, 540);
}

void TrendWindow::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildChartView(), 1);
  layout->addWidget(BuildResidualView());

  auto* recording = new QHBoxLayout;
  rate_ = new QLabel;
  rate_->setObjectName(QStringLiteral("rate"));
  auto* restart = new QPushButton(tr("Neu beginnen"));
  auto* save = new QPushButton(tr("Speichern…"));
  // Where the last save went; a long path is cut rather than widening the window.
  saved_ = new QLabel;
  saved_->setObjectName(QStringLiteral("saved"));
  saved_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  recording->addWidget(rate_);
  recording->addSpacing(12);
  recording->addWidget(saved_, 1);
  recording->addWidget(restart);
  recording->addWidget(save);
  layout->addLayout(recording);

  auto* fitting = new QHBoxLayout;
  pointChoice_ = new QComboBox;
  pointChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  fitAmbient_ = new QCheckBox(tr("Umgebungstemperatur mitanpassen"));
  fitAmbient_->setChecked(true);
  showResiduals_ = new QCheckBox(tr("Residuen zeigen"));
  fitButton_ = new QPushButton(tr("Abkühlung anpassen"));
  fitting->addWidget(pointChoice_);
  fitting->addWidget(fitAmbient_);
  fitting->addWidget(showResiduals_);
  fitting->addStretch();
  fitting->addWidget(fitButton_);
  layout->addLayout(fitting);

  fitResult_ = new QLabel;
  fitResult_->setObjectName(QStringLiteral("fitResult"));
  fitResult_->setWordWrap(true);
  fitResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  fitResult_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Room for the result from the start, so that nothing above moves when it comes.
  const QString lines = QStringList(kResultLines, QStringLiteral("τ")).join(QLatin1Char('\n'));
  fitResult_->setMinimumHeight(fitResult_->fontMetrics().boundingRect(QRect(), Qt::AlignLeft, lines).height());
  layout->addWidget(fitResult_);

  connect(restart, &QPushButton::clicked, this, &TrendWindow::StartAnew);
  connect(save, &QPushButton::clicked, this, &TrendWindow::Save);
  connect(fitButton_, &QPushButton::clicked, this, &TrendWindow::FitChosenPoint);
  connect(&fitting_, &QFutureWatcher<CoolingFit>::finished, this, &TrendWindow::ShowFitResult);
  connect(showResiduals_, &QCheckBox::toggled, residualView_, &QWidget::setVisible);
}

QWidget* TrendWindow::BuildChartView() {
  chart_ = new QChart;
  chart_->setLocalizeNumbers(true);
  chart_->setLocale(NumberLocale());
  // Beside the plot, one point a row: four captions side by side would not fit below it.
  chart_->legend()->setAlignment(Qt::AlignRight);
  timeAxis_ = new QValueAxis;
  timeAxis_->setTitleText(tr("Zeit (s)"));
  temperatureAxis_ = new QValueAxis;
  temperatureAxis_->setTitleText(tr("Temperatur (° C)"));
  for (QValueAxis* axis : {timeAxis_, temperatureAxis_}) {
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(axis == timeAxis_ ? 10.0 : 5.0);
    axis->setLabelFormat(QStringLiteral("%.0f"));
  }
  chart_->addAxis(timeAxis_, Qt::AlignBottom);
  chart_->addAxis(temperatureAxis_, Qt::AlignLeft);
  fitLine_ = new QLineSeries(this);
  PutFitLineOnTop();
  spanBand_ = new QGraphicsRectItem(chart_);
  spanBand_->setPen(Qt::NoPen);
  spanBand_->setBrush(kSpanBandColour);
  spanBand_->setZValue(kSpanBandZ);
  spanBand_->hide();
  connect(chart_, &QChart::plotAreaChanged, this, &TrendWindow::ShowSpan);
  connect(timeAxis_, &QValueAxis::rangeChanged, this, &TrendWindow::ShowSpan);
  chartView_ = new QChartView(chart_);
  chartView_->setMinimumSize(480, 300);
  chartView_->setToolTip(tr("Mit der Maus über den Verlauf ziehen wählt die Zeitspanne, an die „Abkühlung anpassen“ "
                            "anpasst; ein Klick ohne Ziehen wählt wieder den ganzen Verlauf."));
  chartView_->viewport()->installEventFilter(this);
  return chartView_;
}

// The residuals beneath the plot, on its time axis and lined up with its plot
// area, so each lies under its reading; hidden until asked for.
QWidget* TrendWindow::BuildResidualView() {
  residualChart_ = new QChart;
  residualChart_->setLocalizeNumbers(true);
  residualChart_->setLocale(NumberLocale());
  residualChart_->legend()->hide();
  residualTimeAxis_ = new QValueAxis;
  residualAxis_ = new QValueAxis;
  residualAxis_->setTitleText(tr("Residuen (K)"));
  residualAxis_->setTickType(QValueAxis::TicksDynamic);
  residualAxis_->setTickAnchor(0.0);
  residualChart_->addAxis(residualTimeAxis_, Qt::AlignBottom);
  residualChart_->addAxis(residualAxis_, Qt::AlignLeft);
  residualSeries_ = new QScatterSeries;
  residualSeries_->setMarkerSize(kResidualMarkerSize);
  residualSeries_->setPen(Qt::NoPen);
  residualChart_->addSeries(residualSeries_);
  residualSeries_->attachAxis(residualTimeAxis_);
  residualSeries_->attachAxis(residualAxis_);
  residualAxis_->setRange(-kNarrowestResiduals, kNarrowestResiduals);
  SetRoundTicks(*residualAxis_, 4);
  const auto followTime = [this] {
    residualTimeAxis_->setRange(timeAxis_->min(), timeAxis_->max());
    residualTimeAxis_->setTickType(timeAxis_->tickType());
    residualTimeAxis_->setTickAnchor(timeAxis_->tickAnchor());
    residualTimeAxis_->setTickInterval(timeAxis_->tickInterval());
    residualTimeAxis_->setLabelFormat(timeAxis_->labelFormat());
  };
  connect(timeAxis_, &QValueAxis::rangeChanged, this, followTime);
  followTime();
  // After each chart's layout, not within it.
  for (QChart* chart : {chart_, residualChart_}) {
    connect(chart, &QChart::plotAreaChanged, this, &TrendWindow::AlignResiduals, Qt::QueuedConnection);
  }
  residualView_ = new QChartView(residualChart_);
  residualView_->setObjectName(QStringLiteral("residuals"));
  residualView_->setFixedHeight(kResidualHeight);
  residualView_->hide();
  return residualView_;
}

// The same left and right edges as the plot's: the residuals' margins widen
// by what their plot area stands out beside it (the legend, narrower labels).
void TrendWindow::AlignResiduals() {
  const QRectF plot = chart_->plotArea(), residuals = residualChart_->plotArea();
  if (plot.isEmpty() || residuals.isEmpty()) return;
  QMargins margins = residualChart_->margins();
  margins.setLeft(std::max(0, margins.left() + static_cast<int>(std::lround(plot.left() - residuals.left()))));
  margins.setRight(std::max(0, margins.right() + static_cast<int>(std::lround(residuals.right() - plot.right()))));
  if (margins != residualChart_->margins()) residualChart_->setMargins(margins);
}

bool TrendWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (watched != chartView_->viewport() ||
      (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)) {
    return QWidget::eventFilter(watched, event);
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPointF at = chart_->mapFromScene(chartView_->mapToScene(mouse->position().toPoint()));
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && chart_->plotArea().contains(at)) {
    dragFrom_ = at.x();
  } else if (dragFrom_) {
    ChooseSpan(*dragFrom_, at.x());
    if (type == QEvent::MouseButtonRelease) dragFrom_.reset();
  }
  return false;
}

void TrendWindow::ChooseSpan(double pressed, double released) {
  const QRectF plot = chart_->plotArea();
  const TimeAxisPlace place{plot.left(), plot.right(), timeAxis_->min() / TimeScale(), timeAxis_->max() / TimeScale()};
  fitSpan_ = DraggedSpan(place, pressed, released);
  ShowSpan();
}

// The band over the chosen span, within the plot area; none while every reading is chosen.
void TrendWindow::ShowSpan() {
  spanBand_->setVisible(fitSpan_.has_value());
  if (!fitSpan_) return;
  const QRectF plot = chart_->plotArea();
  const auto x = [&](double seconds) {
    return std::clamp(chart_->mapToPosition(QPointF(seconds * TimeScale(), 0.0), fitLine_).x(), plot.left(),
                      plot.right());
  };
  spanBand_->setRect(QRectF(QPointF(x(fitSpan_->from), plot.top()), QPointF(x(fitSpan_->to), plot.bottom())));
}

// The fitted curve stays in the chart, empty while there is none, and is
// added last so that it is drawn over the measured lines, dashed, dark and
// thicker than they are; it lies on its point's line and the text below
// gives its values, so it has no legend entry.
void TrendWindow::PutFitLineOnTop() {
  if (fitLine_->chart()) {
    chart_->removeSeries(fitLine_);
  }
  chart_->addSeries(fitLine_);
  QPen pen(Qt::black);
  pen.setWidthF(kFitLineWidth);
  pen.setStyle(Qt::DashLine);
  fitLine_->setPen(pen);  // after addSeries, which gives the theme's colours
  fitLine_->attachAxis(timeAxis_);
  fitLine_->attachAxis(temperatureAxis_);
  for (QLegendMarker* marker : chart_->legend()->markers(fitLine_)) {
    marker->setVisible(false);
  }
}

void TrendWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
  timer_->start();
}

void TrendWindow::hideEvent(QHideEvent* event) {
  timer_->stop();
  QWidget::hideEvent(event);
}

void TrendWindow::Refresh() {
  MatchPoints();
  UpdateLines();
  UpdateRate();
}

// A recording begun anew is drawn from its start and drops the fitted curve.
// Within one recording points are only added, so the fitted one stays.
void TrendWindow::MatchPoints() {
  if (recorder_.Generation() != shownGeneration_) {
    shownGeneration_ = recorder_.Generation();
    DropFit();
    fitSpan_.reset();
    ShowSpan();
    for (Line& line : lines_) {
      const bool showsReadings = line.drawnSamples != 0;
      line = {line.series, ThinnedSeries(kMaxDrawnPoints), 0, line.correction};
      if (showsReadings) line.drawnSamples.reset();
    }
  }
  if (recorder_.PointChanges() != shownPointChanges_) {
    shownPointChanges_ = recorder_.PointChanges();
    // Points are only added within a recording and keep their numbers; areas' numbers move on.
    if (shownFit_ && shownFit_->point >= shownPoints_) DropFit();
    MakeLines();
  }
}

QString SeriesName(const TrendRecorder& recorder, std::size_t index) {
  const std::size_t points = recorder.Points().size();
  if (index < points) return TrendWindow::tr("Messpunkt %1").arg(index + 1);
  return TrendWindow::tr("Messfeld %1").arg(index - points + 1);
}

QString TrendWindow::SeriesCaption(std::size_t index) const {
  const std::size_t points = recorder_.Points().size();
  QString caption;
  if (index < points) {
    const MeasuringPoint& point = recorder_.Points()[index];
    caption = tr("Messpunkt %1 (Spalte %2, Zeile %3)").arg(index + 1).arg(point.column).arg(point.row);
  } else {
    const CellArea& area = recorder_.Areas()[index - points];
    caption = tr("Messfeld %1 (Spalte %2–%3, Zeile %4–%5)")
                  .arg(index - points + 1)
                  .arg(area.first.column)
                  .arg(area.last.column)
                  .arg(area.first.row)
                  .arg(area.last.row);
  }
  const Correction& correction = recorder_.CorrectionOf(index);
  return correction.Corrects() ? caption + QLatin1Char(' ') + EmissivityText(correction.emissivity) : caption;
}

QColor SeriesColour(const TrendRecorder& recorder, std::size_t index) {
  const std::size_t points = recorder.Points().size();
  return index < points ? MarkerColour(index) : AreaColour(index - points);
}

// One line and one choice per point and per area.
void TrendWindow::MakeLines() {
  for (const Line& line : lines_) {
    chart_->removeSeries(line.series);
    delete line.series;
  }
  lines_.clear();
  pointChoice_->clear();
  for (std::size_t i = 0; i < recorder_.SeriesCount(); ++i) {
    auto* series = new QLineSeries;
    series->setName(SeriesCaption(i));
    chart_->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(temperatureAxis_);
    QPen pen(SeriesColour(recorder_, i));
    pen.setWidthF(kLineWidth);
    series->setPen(pen);  // after addSeries, which gives the theme's colours
    series->setMarkerSize(3.0 * kLineWidth);
    lines_.push_back({series, ThinnedSeries(kMaxDrawnPoints), 0, recorder_.CorrectionOf(i)});
    QPixmap swatch(12, 12);
    swatch.fill(SeriesColour(recorder_, i));
    pointChoice_->addItem(QIcon(swatch), SeriesName(recorder_, i));
  }
  shownPoints_ = recorder_.Points().size();
  PutFitLineOnTop();
  EnableFitButton();
}

// Redraws the lines whose series grew or began anew, all of them when the time
// axis changes between seconds and minutes; each with one replace, which
// redraws once instead of once per point.
void TrendWindow::UpdateLines() {
  double span = 0.0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto& samples = recorder_.Series(i); !samples.empty()) {
      span = std::max(span, samples.back().seconds);
    }
  }
  const bool rescaled = (span > kSecondsAxisLimit) != minutes_;
  minutes_ = span > kSecondsAxisLimit;
  bool changed = rescaled;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TrendSeries& samples = recorder_.Series(i);
    Line& line = lines_[i];
    const bool recorrected = line.correction != recorder_.CorrectionOf(i);
    if (!rescaled && !recorrected && samples.size() == line.drawnSamples) {
      continue;
    }
    if (recorrected) Recorrect(i);
    // The correction keeps the order of readings, so it keeps each bucket's lowest and highest too.
    QList<QPointF> points;
    for (const TrendSample& sample : CorrectedSamples(line.thinned.Update(samples), line.correction)) {
      points.append(QPointF(sample.seconds * TimeScale(), sample.celsius));
    }
    line.series->replace(points);
    line.series->setPointsVisible(points.size() == 1);  // a line needs two
    line.drawnSamples = samples.size();
    line.drawn = !points.isEmpty();
    if (line.drawn) {
      line.first = points.front().x() / TimeScale();
      line.last = points.back().x() / TimeScale();
      const auto [lowest, highest] = std::ranges::minmax(points, {}, &QPointF::y);
      line.lowest = lowest.y();
      line.highest = highest.y();
    }
    changed = true;
  }
  if (rescaled) {
    timeAxis_->setTitleText(minutes_ ? tr("Zeit (min)") : tr("Zeit (s)"));
    DrawFit();
  }
  if (changed) {
    UpdateRanges();
  }
}

// The axes span the lines and the fitted curve with a margin; without data,
// a minute and room temperatures.
void TrendWindow::UpdateRanges() {
  bool any = false;
  double first = 0.0, last = 0.0, lowest = 0.0, highest = 0.0;
  const auto include = [&](double from, double to, double low, double high) {
    first = any ? std::min(first, from) : from;
    last = any ? std::max(last, to) : to;
    lowest = any ? std::min(lowest, low) : low;
    highest = any ? std::max(highest, high) : high;
    any = true;
  };
  for (const Line& line : lines_) {
    if (line.drawn) {
      include(line.first, line.last, line.lowest, line.highest);
    }
  }
  if (shownFit_) {
    const double start = shownFit_->fit.At(shownFit_->from);
    const double end = shownFit_->fit.At(shownFit_->to);
    if (std::isfinite(start) && std::isfinite(end)) {
      include(shownFit_->from, shownFit_->to, std::min(start, end), std::max(start, end));
    }
  }
  if (!any) {
    timeAxis_->setRange(0.0, 60.0 * TimeScale());
    temperatureAxis_->setRange(15.0, 30.0);
    return;
  }
  FollowData(*timeAxis_, first * TimeScale(), last * TimeScale(), std::max(0.05 * (last - first), 0.5) * TimeScale(),
             0.0);
  FollowData(*temperatureAxis_, lowest, highest, std::max(0.05 * (highest - lowest), 1.0), -kUnbounded);
}

// Each series' samples of the last minute (of the time since the start
// before that), per minute: "Punkt 1: 12/min · Messfeld 1: 3/min".
void TrendWindow::UpdateRate() {
  const double now = recorder_.Elapsed();
  const double window = std::clamp(now, 1.0, kRateWindowSeconds);
  QStringList rates;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TrendSeries& samples = recorder_.Series(i);
    const auto recent = std::ranges::partition_point(
        samples, [&](const TrendSample& sample) { return sample.seconds < now - window; });
    const double perMinute = static_cast<double>(samples.end() - recent) * 60.0 / window;
    const QString name = i < recorder_.Points().size() ? tr("Punkt %1").arg(i + 1) : SeriesName(recorder_, i);
    rates << tr("%1: %2/min").arg(name, NumberLocale().toString(std::lround(perMinute)));
  }
  rate_->setText(rates.isEmpty() ? tr("Keine Messreihe") : rates.join(QStringLiteral(" · ")));
}

void TrendWindow::StartAnew() {
  if (!ConfirmDiscard()) return;
  recorder_.Restart();
  Refresh();
}

// The CSV is taken when the button is pressed: recording goes on while the
// dialog is open. A failed write leaves any existing file as it was.
bool TrendWindow::Save() {
  const std::size_t lines = TrendCsvLines(recorder_);
  const std::optional<int> interval = lines > kSpreadsheetLines ? AskAveraging(lines) : 0;
  if (!interval) return false;
  const std::string csv = *interval > 0 ? TrendCsvAveraged(recorder_, *interval) : TrendCsv(recorder_);
  const QString path = chooseSavePath_(this);
  if (path.isEmpty()) {
    return false;
  }
  const std::optional<QString> problem = WriteFileAtomically(path, [&csv](QIODevice& device) {
    return device.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
  });
  if (problem) {
    saved_->clear();
    QMessageBox::warning(this, windowTitle(), *problem);
    return false;
  }
  recorder_.MarkSaved();
  const QString shown = QDir::toNativeSeparators(path);
  saved_->setText(tr("Gespeichert unter %1").arg(shown));
  saved_->setToolTip(shown);
  return true;
}

std::optional<int> TrendWindow::AskAveraging(std::size_t lines) {
  const QList<std::pair<QString, int>> choices{{tr("Mittelwerte über je 1 s"), 1},
                                               {tr("Mittelwerte über je 10 s"), 10},
                                               {tr("Mittelwerte über je 60 s"), 60},
                                               {tr("Alle Messwerte (zu viele Zeilen für eine Tabellenkalkulation)"), 0}};
  QStringList texts;
  for (const auto& choice : choices) texts << choice.first;
  bool chosen = false;
  const QString text = QInputDialog::getItem(
      this, windowTitle(),
      tr("Der Verlauf hat %1 Zeilen, mehr als eine Tabellenkalkulation öffnet. Was soll gespeichert werden?")
          .arg(QLocale().toString(static_cast<qulonglong>(lines))),
      texts, 0, false, &chosen);
  if (!chosen) return std::nullopt;
  return choices[texts.indexOf(text)].second;
}

bool TrendWindow::ConfirmDiscard() {
  if (!recorder_.HasUnsavedReadings()) return true;
  QWidget* parent = isVisible() ? this : parentWidget();
  const QMessageBox::StandardButton answer = QMessageBox::question(
      parent, tr("Verlauf verwerfen?"),
      tr("Der Temperaturverlauf enthält Messwerte, die noch nicht gespeichert sind. Sollen sie verworfen werden?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

// Tu fitted once the series determines it, or held at the head's reading
// when the box is cleared; fitted always when there is no reading.
void TrendWindow::FitChosenPoint() {
  Refresh();  // the choice and the samples as they are now
  const int chosen = pointChoice_->currentIndex();
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= lines_.size()) {
    return;
  }
  const auto point = static_cast<std::size_t>(chosen);
  std::optional<double> measured;
  if (ambient_) {
    if (const std::optional<int> reading = ambient_()) {
      measured = *reading;
    }
  }
  const bool fitAmbient = fitAmbient_->isChecked();
  const double resolution = recorder_.Series(point).Resolution();
  // A copy: the recording goes on meanwhile.
  std::vector<TrendSample> samples = CorrectedSamples(recorder_.Series(point), recorder_.CorrectionOf(point));
  const std::span<const TrendSample> within = SamplesWithin(samples, fitSpan_);
  samples = std::vector<TrendSample>(within.begin(), within.end());
  DropFit();
  fitRunning_ = true;
  EnableFitButton();
  fitResult_->setText(tr("Anpassung läuft …"));
  fitAsked_ = {point, {}, samples.empty() ? 0.0 : samples.front().seconds,
               samples.empty() ? 0.0 : samples.back().seconds};
  fitGeneration_ = recorder_.Generation();
  fitPointChanges_ = recorder_.PointChanges();
  fitOfArea_ = point >= recorder_.Points().size();
  fitMeasured_ = measured;
  fitAmbientAsked_ = fitAmbient;
  fitting_.setFuture(QtConcurrent::run([samples = std::move(samples), measured, fitAmbient, resolution] {
    return fitAmbient ? FitCoolingAmbientWhenDetermined(samples, measured, resolution)
                      : FitCooling(samples, measured, resolution);
  }));
}

// Shown unless the recording began anew meanwhile or, for an area, the
// series changed (its number may then be another's).
void TrendWindow::ShowFitResult() {
  fitRunning_ = false;
  EnableFitButton();
  fitResult_->clear();
  const bool areaMoved = fitOfArea_ && recorder_.PointChanges() != fitPointChanges_;
  if (recorder_.Generation() != fitGeneration_ || areaMoved) return;
  const CoolingFit fit = fitting_.result();
  if (fit.problem == FitProblem::kNone) {
    shownFit_ = fitAsked_;
    shownFit_->fit = fit;
    recorder_.KeepFit(TrendRecorder::KeptFit{fitAsked_.point, fit, {fitAsked_.from, fitAsked_.to}});
    DrawFit();
    const QString remark = AmbientRemark(fit, fitMeasured_, fitAmbientAsked_);
    fitResult_->setText(remark.isEmpty() ? FitText(fit) : FitText(fit) + QLatin1Char('\n') + remark);
  } else {
    recorder_.KeepFit(std::nullopt);
    fitResult_->setText(FitProblemText(fit.problem));
  }
  UpdateRanges();
}

void TrendWindow::DrawFit() {
  DrawResiduals();
  if (!shownFit_) {
    fitLine_->clear();
    return;
  }
  const ShownFit& shown = *shownFit_;
  QList<QPointF> curve;
  curve.reserve(kFitCurveSteps + 1);
  for (int step = 0; step <= kFitCurveSteps; ++step) {
    const double seconds = shown.from + (shown.to - shown.from) * step / kFitCurveSteps;
    if (const double celsius = shown.fit.At(seconds); std::isfinite(celsius)) {
      curve.append(QPointF(seconds * TimeScale(), celsius));
    }
  }
  fitLine_->replace(curve);
}

// Over the fitted point's readings as its line draws them (all of them, or
// each time bucket's lowest and highest of a long recording), within the
// fitted span; symmetric about zero.
void TrendWindow::DrawResiduals() {
  if (!shownFit_) {
    residualSeries_->clear();
    return;
  }
  const ShownFit& shown = *shownFit_;
  const Line& line = lines_[shown.point];
  const std::vector<TrendSample> drawn = CorrectedSamples(line.thinned.Shown(), line.correction);
  QList<QPointF> points;
  double largest = kNarrowestResiduals;
  for (const Residual& residual : Residuals(SamplesWithin(drawn, TimeSpan{shown.from, shown.to}), shown.fit)) {
    points.append(QPointF(residual.seconds * TimeScale(), residual.kelvin));
    largest = std::max(largest, std::abs(residual.kelvin));
  }
  residualSeries_->setColor(SeriesColour(recorder_, shown.point));
  residualSeries_->replace(points);
  residualAxis_->setRange(-1.1 * largest, 1.1 * largest);
  SetRoundTicks(*residualAxis_, 4);
}

// A fit needs a point, and one at a time: the button waits for the running one's result.
void TrendWindow::EnableFitButton() { fitButton_->setEnabled(!lines_.empty() && !fitRunning_); }

// A new correction: the line drawn anew, its caption naming it, and a fit of the old values dropped.
void TrendWindow::Recorrect(std::size_t index) {
  lines_[index].correction = recorder_.CorrectionOf(index);
  lines_[index].series->setName(SeriesCaption(index));
  if (shownFit_ && shownFit_->point == index) DropFit();
}

void TrendWindow::DropFit() {
  shownFit_.reset();
  fitLine_->clear();
  residualSeries_->clear();
  fitResult_->clear();
}
