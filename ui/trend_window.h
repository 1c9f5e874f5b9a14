#pragma once
#include <QColor>
#include <QFutureWatcher>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "trend/cooling_fit.h"
#include "trend/fit_span.h"
#include "trend/thinned_series.h"
#include "trend/trend_recorder.h"

class QChart;
class QChartView;
class QCheckBox;
class QGraphicsRectItem;
class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QTimer;
class QValueAxis;

// "τ = 95,3 s ± 1,2 s   T0 = …": a fit's result in one line.
QString FitText(const CoolingFit& fit);
// A series of the recording by its name ("Messpunkt 1", "Messfeld 2") and colour (its marker's or frame's).
QString SeriesName(const TrendRecorder& recorder, std::size_t index);
QColor SeriesColour(const TrendRecorder& recorder, std::size_t index);
// Why the fit failed, as a sentence for the window ("" for kNone).
QString FitProblemText(FitProblem problem);

// "Temperaturverlauf": a tool window beside the main window that plots the
// measuring points' readings and the measuring areas' means as they arrive,
// each as its series' correction gives it, saves them as CSV and fits
// Newton's law of cooling to one series, over every reading or the span of
// time dragged over the plot, with the fit's residuals in a small chart
// beneath it on request. It reads the recorder four times a
// second while it is visible; the recorder keeps every sample, the lines
// show a thinned copy.
class TrendWindow : public QWidget {
  Q_OBJECT
 public:
  // The last ambient temperature the head reported, if any.
  using AmbientReading = std::function<std::optional<int>()>;
  // Asks where "Speichern…" saves; empty for cancelled. The save dialog by
  // default; tests choose the path without one.
  using SavePathChooser = std::function<QString(QWidget* parent)>;

  TrendWindow(TrendRecorder& recorder, AmbientReading ambient, QWidget* parent = nullptr);

  void SetSavePathChooser(SavePathChooser choose) { chooseSavePath_ = std::move(choose); }
  // Takes the recorder's points and new samples into the plot at once.
  void Refresh();
  // "Speichern…": true when the recording was written. A recording with
  // more lines than a spreadsheet opens may be saved as averages.
  bool Save();
  // Before readings not yet saved would be thrown away: asks "Verlauf
  // verwerfen?" with save, discard and cancel; true when they may go.
  // Asks nothing when every reading is saved.
  bool ConfirmDiscard();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // The plot's mouse: a drag chooses the fit's span, a click every reading.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A series' line and what it shows of the recorder's series.
  struct Line {
    QLineSeries* series = nullptr;
    ThinnedSeries thinned;
    std::optional<std::size_t> drawnSamples = 0;  // none: shows another recording's readings
    Correction correction;  // as drawn
    bool drawn = false;     // a value at least, so the ones below hold
    double first = 0.0, last = 0.0;  // seconds
    double lowest = 0.0, highest = 0.0;
  };
  // The fitted curve on display, over the time span of the series' samples.
  struct ShownFit {
    std::size_t point = 0;  // the series' index
    CoolingFit fit;
    double from = 0.0, to = 0.0;  // seconds
  };

  void BuildLayout();
  QWidget* BuildChartView();
  QWidget* BuildResidualView();
  void AlignResiduals();
  void ChooseSpan(double pressed, double released);
  void ShowSpan();
  void PutFitLineOnTop();
  void MatchPoints();
  // "Messpunkt 1", "Messfeld 1"; the legend's caption with the cells and any emissivity.
  QString SeriesCaption(std::size_t index) const;
  void Recorrect(std::size_t index);
  void MakeLines();
  void UpdateLines();
  void UpdateRanges();
  void UpdateRate();
  void StartAnew();
  // The seconds to average over, 0 for every reading, nothing for cancelled.
  std::optional<int> AskAveraging(std::size_t lines);
  void FitChosenPoint();
  void ShowFitResult();
  void DrawFit();
  void DrawResiduals();
  void DropFit();
  void EnableFitButton();
  double TimeScale() const { return minutes_ ? 1.0 / 60.0 : 1.0; }

  TrendRecorder& recorder_;
  AmbientReading ambient_;
  SavePathChooser chooseSavePath_;
  // The recorder's counters as the plot last took them in.
  std::uint64_t shownGeneration_ = 0;
  std::uint64_t shownPointChanges_ = 0;
  std::size_t shownPoints_ = 0;  // the points among the lines
  std::vector<Line> lines_;
  std::optional<ShownFit> shownFit_;
  // A fit runs off this thread (an hour of readings takes about half a
  // second); what it fits, for when its result comes.
  QFutureWatcher<CoolingFit> fitting_;
  ShownFit fitAsked_;
  std::uint64_t fitGeneration_ = 0;
  std::uint64_t fitPointChanges_ = 0;
  bool fitOfArea_ = false;
  std::optional<double> fitMeasured_;  // the head's ambient reading when the fit began
  bool fitAmbientAsked_ = false;
  bool fitRunning_ = false;  // until its result has come: keeps the fit button disabled
  bool minutes_ = false;
  // The span the next fit works on (none: every reading), and where a drag
  // choosing it began, in the chart's pixels.
  std::optional<TimeSpan> fitSpan_;
  std::optional<double> dragFrom_;
  QChartView* chartView_ = nullptr;
  QChart* chart_ = nullptr;
  QGraphicsRectItem* spanBand_ = nullptr;
  QValueAxis* timeAxis_ = nullptr;
  QValueAxis* temperatureAxis_ = nullptr;
  QLineSeries* fitLine_ = nullptr;
  QChartView* residualView_ = nullptr;
  QChart* residualChart_ = nullptr;
  QValueAxis* residualTimeAxis_ = nullptr;
  QValueAxis* residualAxis_ = nullptr;
  QScatterSeries* residualSeries_ = nullptr;
  QCheckBox* showResiduals_ = nullptr;
  QLabel* rate_ = nullptr;
  QLabel* saved_ = nullptr;
  QComboBox* pointChoice_ = nullptr;
  QCheckBox* fitAmbient_ = nullptr;
  QPushButton* fitButton_ = nullptr;
  QLabel* fitResult_ = nullptr;
  QTimer* timer_ = nullptr;
};
