#pragma once
#include <QDateTime>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "image/cell_area.h"
#include "image/cell_reading.h"
#include "image/colour_span.h"
#include "image/display.h"
#include "image/emissivity.h"
#include "image/isotherm.h"
#include "image/readout.h"
#include "image/smoothing_settings.h"
#include "image/thermal_image.h"
#include "overlay/background.h"
#include "overlay/measurements.h"
#include "trend/profile_history.h"
#include "trend/trend_recorder.h"

// What the picture is made of, and the one place that changes it: the
// thermal image, how it is shown (mode, transparency, placements,
// smoothing, background), the range and ambient temperature, where the
// values come from (the scan, or a file opened), and the measuring points
// with their recording. Every view reads it and learns of changes by
// `changed`; no view keeps a copy of what it shows.
class PictureModel : public QObject {
  Q_OBJECT
 public:
  // What a change touched.
  enum Part {
    kPicture = 1,   // the composite
    kScale = 2,     // the colour scale and its limits
    kReadouts = 4,  // the ambient temperature (and with the picture, the readouts)
    kPoints = 8,    // the measuring points (set or cleared)
    kAreas = 16,    // the measuring areas (set or cleared)
    kLine = 32,     // the line, or a profile along it kept
  };
  Q_DECLARE_FLAGS(Parts, Part)

  // clock: the seconds of the readings' time stamps (the scan's clock).
  explicit PictureModel(TrendRecorder::SecondsClock clock, QObject* parent = nullptr);

  // A reading of the scan: into the picture (values opened from a file
  // give way to the scan's at the first) and into the recording.
  void StoreReading(const CellReading& reading);
  void SetScanRange(const ScanRange& range);
  // The head's ambient reading; 0 is none.
  void SetAmbient(int celsius);
  // "Löschen": every cell without a reading, and the scan's values again.
  void Clear();
  // The scan runs or stopped. Readings of a scan still running when values
  // are opened are held back until it has stopped.
  void SetScanning(bool scanning);
  // Shows the values of a file that "Messwerte (*.csv)" wrote instead of the
  // scan's: its grid, ambient temperature and range; an export writes its
  // time. A refusal changes nothing and is the returned sentence.
  std::optional<QString> OpenMeasurements(const QString& path);

  void SetDisplayMode(DisplayMode mode);
  void SetTransparency(int percent);
  void PlacePictures(const PictureRect& left, const PictureRect& right);
  void SetSmoothing(const SmoothingSettings& settings);
  void SetLegendSize(int width, int height);

  // "Farbbereich": the degrees the 181 colours of the scale span. Standard
  // is 10 to 160 °C. Automatic follows the real readings in view (at most
  // four times a second; while the scan runs the span only grows, when it
  // stops, is cleared or values are opened it fits them anew). Fixed is two
  // whole degrees of the head. The choice is kept as a setting.
  enum class SpanMode { Standard, Automatic, Fixed };
  void SetSpanMode(SpanMode mode, ColourSpan fixed = {});
  SpanMode Span() const { return spanMode_; }
  // What a narrow span is, for everyone to see ("Farbbereich 18–26 °C");
  // empty for the standard span.
  QString SpanText() const;

  // "Isotherme…": the cells it holds drawn in its signal colour over the
  // picture (nothing for none), and how many of the real readings they are.
  void SetIsotherm(const std::optional<Isotherm>& isotherm);
  const std::optional<Isotherm>& IsothermShown() const { return isotherm_; }
  // "Isotherme 20–22 °C: 57 von 1984 Zellen (3 %)"; empty without an isotherm.
  QString IsothermNote() const;

  // "Als Referenz merken": the real readings shown now, with their time. A
  // refusal (nothing read yet) is the returned sentence.
  std::optional<QString> RememberReference();
  // "Referenz aus Datei…": the values of a measurement file, read as
  // "Messwerte öffnen…" reads them, of the range shown now; else the refusal.
  std::optional<QString> ReferenceFromFile(const QString& path);
  // "Differenz zur Referenz": each cell's reading minus the reference's in a
  // scale of its own, cold blue through white to warm red, symmetric about
  // zero; a cell missing on either side is drawn as without a reading. The
  // readouts and Max/Min give kelvin ("+3 K"). Refused (the sentence) without
  // a reference or for one of another range. "Differenz aus" ends it.
  std::optional<QString> ShowDifference();
  void HideDifference();
  bool DifferenceShown() const { return differenceShown_; }
  // How far the difference scale reaches to each side: automatic (nothing;
  // the largest difference in view, at least kNarrowestDifference, paced as
  // the automatic colour span) or fixed kelvin.
  void SetDifferenceReach(std::optional<int> kelvin);
  // "Differenz zur Referenz von 10:42:13, ±4 K"; empty while not shown.
  QString DifferenceNote() const;

  // "Bild Laden": the webcam still at the stored path, at its size.
  BackgroundLoad LoadStill();
  // The background checked or unchecked: read anew (the still may have been
  // replaced) as it was last loaded, or black.
  BackgroundLoad ShowBackground();
  void HideBackground();
  // Any picture, scaled to fit; kept as the "BACKGROUND" setting (and then
  // loaded by "Bild Laden" at its size) only if it could be shown.
  BackgroundLoad ChooseBackground(const QString& path);
  const QString& BackgroundFile() const { return backgroundPath_; }

  // False when four are set, the cell has one or lies outside the grid.
  bool AddPoint(GridCell cell);
  void ClearPoints();
  const std::vector<MeasuringPoint>& Points() const { return recorder_.Points(); }
  TrendRecorder& Recorder() { return recorder_; }
  const TrendRecorder& Recorder() const { return recorder_; }
  // What point `index` reads now, as the picture shows it: nothing without a
  // reading there or for one made up or possibly another cell's.
  std::optional<int> PointValue(std::size_t index) const;

  // "Messfeld": up to four rectangles of cells, each with its means over
  // time in the recording; false when four are set or the same one is.
  bool AddArea(const CellArea& area);
  // Unless means of the areas are recorded and not saved and the question
  // set (the plot's "Verlauf verwerfen?") keeps them.
  void ClearAreas();
  const std::vector<CellArea>& Areas() const { return recorder_.Areas(); }
  // Asked before unsaved readings go with the areas; true lets them go.
  void SetDiscardQuestion(std::function<bool()> mayDiscard) { mayDiscard_ = std::move(mayDiscard); }
  // What area `index` reads now: mean, highest, lowest and cells read, from
  // its sure readings; nothing without any.
  std::optional<AreaStatistics> AreaValues(std::size_t index) const;

  // "Emissionsgrad…": the emissivity of the surfaces in the picture, the
  // temperature of the surroundings they reflect (none: the ambient
  // reading), and an emissivity of their own for points and areas (none:
  // the picture's). Below 1 the picture's colours, its readouts and
  // Max/Min, and the points' and areas' values are corrected; the
  // measurement file and the difference keep the head's readings.
  struct EmissivityChoice {
    double picture = kHighestEmissivity;
    std::optional<double> reflectedCelsius;
    std::array<std::optional<double>, kMaxMeasuringPoints> points{};
    std::array<std::optional<double>, kMaxAreas> areas{};
    friend bool operator==(const EmissivityChoice&, const EmissivityChoice&) = default;
  };
  void SetEmissivity(const EmissivityChoice& choice);
  const EmissivityChoice& Emissivity() const { return emissivity_; }
  // The reflected temperature in use: typed, else the ambient reading;
  // nothing without either (then nothing can be corrected).
  std::optional<double> ReflectedCelsius() const;
  double PointEmissivity(std::size_t index) const { return emissivity_.points.at(index).value_or(emissivity_.picture); }
  double AreaEmissivity(std::size_t index) const { return emissivity_.areas.at(index).value_or(emissivity_.picture); }
  // What point `index` reads now, corrected by its emissivity: "%d ° C" or
  // "nicht bestimmbar"; nothing without a sure reading.
  std::optional<QString> PointText(std::size_t index) const;
  // An area's mean, highest and lowest the same way.
  struct AreaTexts {
    QString mean, highest, lowest;
  };
  std::optional<AreaTexts> AreaValueTexts(std::size_t index) const;
  // "Emissionsgrad: Bild ε = 0,95, reflektierte Temperatur 21 °C (Umgebung)";
  // empty while nothing is corrected.
  QString EmissivityNote() const;

  // "Linienprofil": a line from the centre of one cell to the centre of
  // another, its live profile, and an earlier one kept whenever every cell of
  // the line inside the scan range has been read anew, at most every
  // kProfileKeepSeconds (a pass, or rounds of the spot measurement). False
  // when no cell of the line lies in the grid.
  static constexpr double kProfileKeepSeconds = 10.0;
  bool SetLine(GridCell from, GridCell to);
  void ClearLine();
  const ProfileHistory& Profile() const { return profile_; }
  void MarkProfilesSaved() { profile_.MarkSaved(); }

  const ThermalImage& Image() const { return image_; }
  const DisplayData& Display() const { return display_; }
  // The picture area as shown: composed once after each change, when asked.
  const MemoryPicture& Composite() const;
  const MemoryPicture& Legend() const { return display_.legendSurface; }
  std::optional<int> Ambient() const;
  // The fields under "Max:", "Min:" and "Umgebung:": "%d ° C", the last
  // empty without an ambient temperature.
  QString MaxText() const;
  QString MinText() const;
  QString AmbientText() const;
  // "%d ° C" and its "< " / "> " forms for a point of the picture area or of
  // the scale bar, in their own pixels; empty on an edge, outside or where
  // nothing was read.
  QString PictureReadout(QPoint at) const;
  QString ScaleReadout(QPoint at) const;
  // The cell shown at a point of the picture area, as the measured pixels
  // place it; the middle of a cell's place.
  std::optional<GridCell> CellAt(QPoint at) const;
  CellPoint CellCentre(GridCell cell) const;
  // The values as shown, for an export: the time is the file's for values
  // opened from one, else now.
  Measurements Snapshot() const;

 signals:
  void changed(PictureModel::Parts parts);

 private:
  // Opened values give way to the scan's own.
  void ShowLiveValues();
  BackgroundLoad LoadBackground(const QString& path, BackgroundFit fit);
  void Changed(Parts parts);
  // The automatic spans for the readings now: grown only (`growOnly`) or fitted anew.
  void FollowReadings(bool growOnly);
  void ApplySpan(const ColourSpan& span);
  void FollowDifferences(bool growOnly);
  // The correction of a surface of that emissivity; nothing while one is
  // needed and the reflected temperature is unknown.
  std::optional<Correction> CorrectionOf(double emissivity) const;
  // Each series of the recording corrected by its point's or area's emissivity.
  void CorrectRecording();
  // "%d ° C" of a reading so corrected, or "nicht bestimmbar".
  QString CorrectedDegrees(double reading, double emissivity) const;
  // The corrected picture anew for the readings and the reflected
  // temperature now; none while the picture's emissivity is 1.
  void RefreshCorrected();
  // The temperatures shown: the readings', or corrected.
  const ThermalImage& Temperatures() const { return corrected_ ? *corrected_ : image_; }
  // A reading of a cell of the line: the live profile anew, and an earlier one kept when it is complete.
  void FollowLine(GridCell cell);
  void ApplyDifferenceReach(int kelvin);
  // The difference of every cell anew, and the reach for it.
  void RefreshDifference();
  // The picture shown: the readings' or the difference's.
  const ThermalImage& Shown() const { return differenceShown_ ? *difference_ : Temperatures(); }
  ValueText ShownValueText() const;
  // Refused when the reference was taken over another range than the one shown.
  std::optional<QString> ReferenceRangeRefusal(const ScanRange& range) const;

  ThermalImage image_;
  mutable DisplayData display_;
  mutable bool composed_ = false;
  TrendRecorder recorder_;
  // Cells whose reading was made up or may be another cell's: the picture
  // shows them, but no number is taken from them.
  SubstituteMask unsure_{};
  std::function<bool()> mayDiscard_;
  ProfileHistory profile_;
  // Per cell of the line: read since the last profile was kept.
  std::vector<bool> lineCellsRead_;
  SpanMode spanMode_ = SpanMode::Standard;
  bool noRealReadings_ = false;  // the automatic span has nothing to follow
  QTimer spanTimer_;             // paces the automatic span
  bool scanning_ = false;
  bool holdReadingsUntilStopped_ = false;
  // While values opened from a file are shown: their time, and the scan's
  // range and ambient temperature that they stand in for.
  struct OpenedValues {
    QDateTime takenAt;
    ScanRange liveRange;
    int liveAmbient = 0;
  };
  std::optional<OpenedValues> opened_;
  std::optional<Isotherm> isotherm_;
  // The real readings of the reference (kNoReading for the rest) and their time and range.
  struct Reference {
    ThermalImage::CellGrid grid;
    ScanRange range;
    QDateTime takenAt;
  };
  std::optional<Reference> reference_;
  // The difference's picture, made with the first reference and kept up to
  // date reading by reading, so that showing it is only a composition.
  std::unique_ptr<ThermalImage> difference_;
  bool differenceShown_ = false;
  std::optional<int> fixedReach_;
  EmissivityChoice emissivity_;
  // The picture corrected by its emissivity, kept up to date reading by
  // reading, and the reflected temperature it was made with.
  std::unique_ptr<ThermalImage> corrected_;
  std::optional<double> correctedReflected_;
  QString backgroundPath_;
  // How the background shown was loaded; reading it anew keeps that.
  BackgroundFit backgroundFit_ = BackgroundFit::TopLeft;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PictureModel::Parts)

// An area's mean, "21,5 ° C": "%d ° C" with a decimal in the locale's sign.
QString MeanDegreesText(double celsius);
// "ε = 0,95": an emissivity with two decimals in the locale's sign.
QString EmissivityText(double emissivity);
