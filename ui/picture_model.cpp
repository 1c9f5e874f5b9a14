#include "ui/picture_model.h"

#include <QLocale>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>

#include "image/composer.h"
#include "image/difference.h"
#include "image/readout.h"

namespace {

constexpr int kSpanFollowMs = 250;
const QString kSpanKey = QStringLiteral("SETTINGS/COLOURSPAN");

// "standard", "automatic" or "fixed LOW HIGH".
void StoreSpan(PictureModel::SpanMode mode, const ColourSpan& span) {
  using Mode = PictureModel::SpanMode;
  QSettings().setValue(kSpanKey, mode == Mode::Standard    ? QStringLiteral("standard")
                                 : mode == Mode::Automatic ? QStringLiteral("automatic")
                                                           : QStringLiteral("fixed %1 %2").arg(span.lowest).arg(span.highest));
}

// The stored choice; anything not understood is the standard span.
std::pair<PictureModel::SpanMode, ColourSpan> StoredSpan() {
  const QStringList words = QSettings().value(kSpanKey).toString().split(u' ');
  if (words.front() == QStringLiteral("automatic")) return {PictureModel::SpanMode::Automatic, kStandardSpan};
  if (words.size() == 3 && words.front() == QStringLiteral("fixed")) {
    const auto parsed = ParseFixedSpan(words[1].toStdString(), words[2].toStdString());
    if (const auto* span = std::get_if<ColourSpan>(&parsed)) return {PictureModel::SpanMode::Fixed, *span};
  }
  return {PictureModel::SpanMode::Standard, kStandardSpan};
}

}  // namespace

PictureModel::PictureModel(TrendRecorder::SecondsClock clock, QObject* parent)
    : QObject(parent), recorder_(clock), profile_(std::move(clock)), backgroundPath_(BackgroundPath()) {
  BuildLayerMap(display_, image_);
  DrawScaleLegend(display_, image_);
  spanTimer_.setSingleShot(true);
  spanTimer_.setInterval(kSpanFollowMs);
  connect(&spanTimer_, &QTimer::timeout, this, [this] { FollowReadings(scanning_); });
  const auto [mode, span] = StoredSpan();
  SetSpanMode(mode, span);
}

void PictureModel::Changed(Parts parts) {
  if (parts & kPicture) composed_ = false;
  emit changed(parts);
}

void PictureModel::StoreReading(const CellReading& reading) {
  recorder_.Record(reading);
  if (holdReadingsUntilStopped_) return;
  ShowLiveValues();
  image_.StoreReading(reading.column, reading.row, reading.value);
  unsure_[reading.column][reading.row] = reading.substituted || reading.doubtful;
  if (reference_) {
    const int value = reading.substituted || reading.doubtful ? kNoReading : reading.value;
    difference_->StoreReading(reading.column, reading.row,
                              CodedDifference(value, reference_->grid[reading.column][reading.row]));
  }
  if (corrected_) {
    const std::optional<Correction> correction = CorrectionOf(emissivity_.picture);
    corrected_->StoreReading(reading.column, reading.row,
                             correction ? CorrectedCell(reading.value, *correction) : kNoReading);
  }
  FollowLine({reading.column, reading.row});
  const bool follows = spanMode_ == SpanMode::Automatic || (differenceShown_ && !fixedReach_);
  if (follows && !spanTimer_.isActive()) spanTimer_.start();
  Changed(kPicture);
}

void PictureModel::SetScanRange(const ScanRange& range) {
  recorder_.SetScanRange(range);
  if (opened_) {
    opened_->liveRange = range;
    return;
  }
  image_.SetRange(range);
  Changed(kPicture);
}

void PictureModel::SetAmbient(int celsius) {
  if (opened_) {
    opened_->liveAmbient = celsius;
    return;
  }
  image_.SetAmbient(celsius);
  CorrectRecording();
  if (corrected_ && ReflectedCelsius() != correctedReflected_) {
    RefreshCorrected();
    return Changed(kPicture | kReadouts);
  }
  Changed(kReadouts);
}

void PictureModel::Clear() {
  image_.ClearImage();
  ShowLiveValues();
  RefreshCorrected();
  RefreshDifference();
  FollowReadings(false);
  Changed(kPicture);
}

void PictureModel::SetScanning(bool scanning) {
  scanning_ = scanning;
  if (scanning) return;
  holdReadingsUntilStopped_ = false;
  FollowReadings(false);
}

// The step a running scan is in when it is stopped still delivers its
// readings; they must not overwrite the values opened.
std::optional<QString> PictureModel::OpenMeasurements(const QString& path) {
  const MeasurementsRead read = ReadMeasurements(path);
  if (!read.data) return read.problem;
  holdReadingsUntilStopped_ = scanning_;
  if (!opened_) opened_ = OpenedValues{{}, image_.Range(), image_.Ambient()};
  opened_->takenAt = read.data->takenAt;
  image_.SetRange(read.data->range);
  image_.LoadGrid(read.data->grid);
  image_.SetAmbient(read.data->ambientTemperature);
  std::fill_n(&unsure_[0][0], kGridColumns * kGridRows, false);  // a file holds what was read
  RefreshCorrected();
  CorrectRecording();
  RefreshDifference();
  FollowReadings(false);
  Changed(kPicture | kReadouts);
  return std::nullopt;
}

void PictureModel::ShowLiveValues() {
  if (!opened_) return;
  image_.SetRange(opened_->liveRange);
  image_.SetAmbient(opened_->liveAmbient);
  opened_.reset();
  RefreshCorrected();
  CorrectRecording();
  Changed(kPicture | kReadouts);
}

void PictureModel::SetDisplayMode(DisplayMode mode) {
  ::SetDisplayMode(display_, image_, mode);
  Changed(kPicture);
}

void PictureModel::SetTransparency(int percent) {
  ::SetTransparency(display_, percent);
  Changed(kPicture);
}

void PictureModel::PlacePictures(const PictureRect& left, const PictureRect& right) {
  ::PlacePictures(display_, image_, left, right);
  Changed(kPicture);
}

// The layer map follows too: the smoothed pictures' hidden margin depends on the radius.
void PictureModel::SetSmoothing(const SmoothingSettings& settings) {
  settings.ApplyTo(image_, display_);
  if (difference_) settings.ApplyTo(*difference_, display_);
  if (corrected_) settings.ApplyTo(*corrected_, display_);
  Changed(kPicture);
}

void PictureModel::SetLegendSize(int width, int height) {
  ::SetLegendSize(display_, Shown(), width, height);
  Changed(kScale);
}

BackgroundLoad PictureModel::LoadBackground(const QString& path, BackgroundFit fit) {
  const BackgroundLoad load = ::ShowBackground(display_, path, fit);
  Changed(kPicture);
  return load;
}

BackgroundLoad PictureModel::LoadStill() {
  backgroundFit_ = BackgroundFit::TopLeft;
  return LoadBackground(backgroundPath_, backgroundFit_);
}

BackgroundLoad PictureModel::ShowBackground() { return LoadBackground(backgroundPath_, backgroundFit_); }

void PictureModel::HideBackground() {
  ClearBackground(display_);
  Changed(kPicture);
}

BackgroundLoad PictureModel::ChooseBackground(const QString& path) {
  const BackgroundLoad load = LoadBackground(path, BackgroundFit::Scaled);
  if (load.shown) {
    backgroundPath_ = path;
    backgroundFit_ = BackgroundFit::Scaled;
    StoreBackgroundPath(path);
  }
  return load;
}

void PictureModel::SetSpanMode(SpanMode mode, ColourSpan fixed) {
  spanMode_ = mode;
  StoreSpan(mode, fixed);
  spanTimer_.stop();
  noRealReadings_ = false;
  if (mode == SpanMode::Automatic) return FollowReadings(false);
  ApplySpan(mode == SpanMode::Fixed ? fixed : kStandardSpan);
}

void PictureModel::FollowReadings(bool growOnly) {
  if (differenceShown_ && !fixedReach_) FollowDifferences(growOnly);
  if (spanMode_ != SpanMode::Automatic) return;
  const std::optional<ColourSpan> readings = ReadingsSpan(Temperatures().Grid(), unsure_);
  const bool nothingToFollow = !readings;
  const ColourSpan shown{image_.ScaleMin(), image_.ScaleMax()};
  const ColourSpan span = !readings ? kStandardSpan : growOnly && !noRealReadings_ ? Union(shown, *readings) : *readings;
  if (nothingToFollow != noRealReadings_) {
    noRealReadings_ = nothingToFollow;
    if (span == shown) Changed(kScale);  // the span's text changed alone
  }
  ApplySpan(span);
}

void PictureModel::ApplySpan(const ColourSpan& span) {
  if (span == ColourSpan{image_.ScaleMin(), image_.ScaleMax()}) return;
  image_.SetScale(span.lowest, span.highest);
  if (corrected_) corrected_->SetScale(span.lowest, span.highest);
  Changed(kPicture | kScale);
}

QString PictureModel::SpanText() const {
  const QString degrees = tr("%1–%2 °C").arg(image_.ScaleMin()).arg(image_.ScaleMax());
  switch (spanMode_) {
    case SpanMode::Standard:
      return {};
    case SpanMode::Automatic:
      return noRealReadings_ ? tr("Farbbereich automatisch: noch kein Messwert, daher %1").arg(degrees)
                             : tr("Farbbereich automatisch %1").arg(degrees);
    case SpanMode::Fixed:
      break;
  }
  return tr("Farbbereich %1").arg(degrees);
}

void PictureModel::SetIsotherm(const std::optional<Isotherm>& isotherm) {
  isotherm_ = isotherm;
  Changed(kPicture);
}

QString PictureModel::IsothermNote() const {
  if (!isotherm_) return {};
  const Isotherm& i = *isotherm_;
  const QString held = i.kind == IsothermKind::Band        ? tr("%1–%2 °C").arg(i.low).arg(i.high)
                       : i.kind == IsothermKind::AtOrAbove ? tr("ab %1 °C").arg(i.low)
                                                           : tr("bis %1 °C").arg(i.low);
  const IsothermCount count = CountIsotherm(Temperatures().Grid(), unsure_, i);
  if (count.measured == 0) return tr("Isotherme %1: noch kein Messwert").arg(held);
  // A few cells are not "0 %".
  const int share = qRound(100.0 * count.held / count.measured);
  return tr("Isotherme %1: %2 von %3 Zellen (%4 %)")
      .arg(held)
      .arg(count.held)
      .arg(count.measured)
      .arg(share == 0 && count.held > 0 ? QStringLiteral("< 1") : QString::number(share));
}

std::optional<QString> PictureModel::RememberReference() {
  Reference reference{{}, image_.Range(), opened_ ? opened_->takenAt : QDateTime::currentDateTime()};
  bool anyReading = false;
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) {
      reference.grid[c][r] = unsure_[c][r] ? kNoReading : image_.Grid()[c][r];
      anyReading = anyReading || reference.grid[c][r] != kNoReading;
    }
  }
  if (!anyReading) return tr("Es gibt noch keinen Messwert, den Torvak sich als Referenz merken könnte.");
  reference_ = reference;
  RefreshDifference();
  return std::nullopt;
}

std::optional<QString> PictureModel::ReferenceFromFile(const QString& path) {
  const MeasurementsRead read = ReadMeasurements(path);
  if (!read.data) return read.problem;
  if (const auto refusal = ReferenceRangeRefusal(read.data->range)) return refusal;
  reference_ = Reference{{}, read.data->range, read.data->takenAt};
  std::copy_n(&read.data->grid[0][0], kGridColumns * kGridRows, &reference_->grid[0][0]);
  RefreshDifference();
  return std::nullopt;
}

std::optional<QString> PictureModel::ReferenceRangeRefusal(const ScanRange& range) const {
  if (range == image_.Range()) return std::nullopt;
  return tr("Die Referenz wurde über einen anderen Bereich aufgenommen als das Bild jetzt; sie wird nicht verwendet.");
}

std::optional<QString> PictureModel::ShowDifference() {
  if (!reference_) return tr("Es ist noch keine Referenz gemerkt („Als Referenz merken“ oder „Referenz aus Datei…“).");
  if (const auto refusal = ReferenceRangeRefusal(reference_->range)) return refusal;
  if (differenceShown_) return std::nullopt;
  differenceShown_ = true;
  SetDifferenceReach(fixedReach_);
  DrawScaleLegend(display_, Shown());
  Changed(kPicture | kScale | kReadouts);
  return std::nullopt;
}

void PictureModel::HideDifference() {
  if (!differenceShown_) return;
  differenceShown_ = false;
  DrawScaleLegend(display_, Shown());
  Changed(kPicture | kScale | kReadouts);
}

void PictureModel::SetDifferenceReach(std::optional<int> kelvin) {
  fixedReach_ = kelvin;
  if (!differenceShown_) return;
  if (kelvin) return ApplyDifferenceReach(*kelvin);
  FollowDifferences(false);
}

void PictureModel::RefreshDifference() {
  if (!reference_) return;
  if (!difference_) {
    difference_ = std::make_unique<ThermalImage>();
    difference_->SetColours(kDifferenceColours);
    difference_->SetSmoothing(image_.KernelHalfWidth(), image_.KernelRadius());
  }
  ThermalImage::CellGrid differences;
  FillDifferences(image_.Grid(), unsure_, reference_->grid, differences);
  const ColourSpan span =
      SymmetricSpan(fixedReach_.value_or(std::max(LargestDifference(differences), kNarrowestDifference)));
  difference_->LoadGrid(differences, span.lowest, span.highest);
  if (differenceShown_) Changed(kPicture | kScale);
}

void PictureModel::FollowDifferences(bool growOnly) {
  const int largest = std::max(LargestDifference(difference_->Grid()), kNarrowestDifference);
  const int shown = difference_->ScaleMax() - kDifferenceZero;
  ApplyDifferenceReach(growOnly ? std::max(shown, largest) : largest);
}

void PictureModel::ApplyDifferenceReach(int kelvin) {
  const ColourSpan span = SymmetricSpan(kelvin);
  if (span == ColourSpan{difference_->ScaleMin(), difference_->ScaleMax()}) return;
  difference_->SetScale(span.lowest, span.highest);
  Changed(kPicture | kScale);
}

QString PictureModel::DifferenceNote() const {
  if (!differenceShown_) return {};
  const QString reach = QStringLiteral("±%1 K").arg(difference_->ScaleMax() - kDifferenceZero);
  return tr("Differenz zur Referenz von %1, %2")
      .arg(QLocale().toString(reference_->takenAt, QLocale::ShortFormat), fixedReach_ ? reach : tr("automatisch %1").arg(reach));
}

ValueText PictureModel::ShownValueText() const { return differenceShown_ ? DifferenceText : DegreesText; }

bool PictureModel::AddArea(const CellArea& area) {
  if (!recorder_.AddArea(area)) return false;
  CorrectRecording();
  Changed(kAreas);
  return true;
}

void PictureModel::ClearAreas() {
  bool meansRecorded = false;
  for (std::size_t s = recorder_.Points().size(); s < recorder_.SeriesCount(); ++s)
    meansRecorded = meansRecorded || !recorder_.Series(s).empty();
  if (meansRecorded && recorder_.HasUnsavedReadings() && mayDiscard_ && !mayDiscard_()) return;
  recorder_.ClearAreas();
  emissivity_.areas = {};
  CorrectRecording();
  Changed(kAreas);
}

std::optional<AreaStatistics> PictureModel::AreaValues(std::size_t index) const {
  return MeasureArea(image_.Grid(), unsure_, Areas().at(index));
}

bool PictureModel::SetLine(GridCell from, GridCell to) {
  if (!profile_.SetLine(from, to)) return false;
  lineCellsRead_.assign(profile_.Cells().size(), false);
  profile_.Update(image_.Grid(), unsure_);
  Changed(kLine);
  return true;
}

void PictureModel::ClearLine() {
  profile_.ClearLine();
  lineCellsRead_.clear();
  Changed(kLine);
}

void PictureModel::FollowLine(GridCell cell) {
  const std::vector<GridCell>& cells = profile_.Cells();
  const auto onLine = std::find(cells.begin(), cells.end(), cell);
  if (onLine == cells.end()) return;
  lineCellsRead_[static_cast<std::size_t>(onLine - cells.begin())] = true;
  profile_.Update(image_.Grid(), unsure_);
  const ScanRange& range = image_.Range();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (range.Contains(cells[i]) && !lineCellsRead_[i]) return;
  }
  const double sinceKept = profile_.Earlier().empty() ? profile_.Live().seconds
                                                      : profile_.Live().seconds - profile_.Earlier().back().seconds;
  if (sinceKept < kProfileKeepSeconds || !profile_.KeepLive()) return;
  lineCellsRead_.assign(cells.size(), false);
  Changed(kLine);
}

bool PictureModel::AddPoint(GridCell cell) {
  if (!recorder_.AddPoint(cell)) return false;
  CorrectRecording();
  Changed(kPoints);
  return true;
}

void PictureModel::ClearPoints() {
  recorder_.ClearPoints();
  emissivity_.points = {};
  CorrectRecording();
  Changed(kPoints);
}

std::optional<int> PictureModel::PointValue(std::size_t index) const {
  const GridCell cell = Points().at(index);
  const int value = image_.Grid()[cell.column][cell.row];
  if (value == kNoReading || unsure_[cell.column][cell.row]) return std::nullopt;
  return value;
}

const MemoryPicture& PictureModel::Composite() const {
  if (!composed_) {
    if (difference_) difference_->SetRange(image_.Range());  // the frame of the range shown now
    ComposePicture(display_, Shown());
    if (corrected_) corrected_->SetRange(image_.Range());
    if (isotherm_) DrawIsotherm(display_, Temperatures().Grid(), unsure_, *isotherm_);
    composed_ = true;
  }
  return display_.compositeSurface;
}

std::optional<int> PictureModel::Ambient() const {
  return image_.Ambient() != 0 ? std::optional(image_.Ambient()) : std::nullopt;
}

namespace {

QString Field(ValueText text, int value) { return QString::fromStdString(text(value)); }

}  // namespace

QString MeanDegreesText(double celsius) { return QLocale().toString(celsius, 'f', 1) + QStringLiteral(" \u00b0 C"); }

QString EmissivityText(double emissivity) { return QStringLiteral("\u03b5 = ") + QLocale().toString(emissivity, 'f', 2); }

void PictureModel::SetEmissivity(const EmissivityChoice& choice) {
  if (choice == emissivity_) return;
  emissivity_ = choice;
  RefreshCorrected();
  CorrectRecording();
  FollowReadings(false);
  Changed(kPicture | kReadouts);
}

std::optional<double> PictureModel::ReflectedCelsius() const {
  if (emissivity_.reflectedCelsius) return emissivity_.reflectedCelsius;
  const std::optional<int> ambient = Ambient();
  return ambient ? std::optional<double>(*ambient) : std::nullopt;
}

std::optional<Correction> PictureModel::CorrectionOf(double emissivity) const {
  if (emissivity == kHighestEmissivity) return Correction{};
  const std::optional<double> reflected = ReflectedCelsius();
  if (!reflected) return std::nullopt;
  return Correction{emissivity, *reflected};
}

// Without a reflected temperature the series stay corrected as they were.
void PictureModel::CorrectRecording() {
  const auto correct = [this](std::size_t series, double emissivity) {
    if (const std::optional<Correction> correction = CorrectionOf(emissivity)) recorder_.SetCorrection(series, *correction);
  };
  const std::size_t points = Points().size();
  for (std::size_t i = 0; i < points; ++i) correct(i, PointEmissivity(i));
  for (std::size_t i = 0; i < Areas().size(); ++i) correct(points + i, AreaEmissivity(i));
}

void PictureModel::RefreshCorrected() {
  if (emissivity_.picture == kHighestEmissivity) {
    corrected_.reset();
    return;
  }
  if (!corrected_) {
    corrected_ = std::make_unique<ThermalImage>();
    corrected_->SetSmoothing(image_.KernelHalfWidth(), image_.KernelRadius());
  }
  ThermalImage::CellGrid grid;
  const std::optional<Correction> correction = CorrectionOf(emissivity_.picture);
  if (correction) {
    FillCorrected(image_.Grid(), *correction, grid);
  } else {
    std::fill_n(&grid[0][0], kGridColumns * kGridRows, kNoReading);
  }
  corrected_->LoadGrid(grid, image_.ScaleMin(), image_.ScaleMax());
  correctedReflected_ = ReflectedCelsius();
}

QString PictureModel::CorrectedDegrees(double reading, double emissivity) const {
  const std::optional<Correction> correction = CorrectionOf(emissivity);
  const std::optional<double> corrected = correction ? Corrected(reading, *correction) : std::nullopt;
  return corrected ? Field(DegreesText, static_cast<int>(std::lround(*corrected))) : tr("nicht bestimmbar");
}

std::optional<QString> PictureModel::PointText(std::size_t index) const {
  const std::optional<int> value = PointValue(index);
  if (!value) return std::nullopt;
  return CorrectedDegrees(*value, PointEmissivity(index));
}

std::optional<PictureModel::AreaTexts> PictureModel::AreaValueTexts(std::size_t index) const {
  const std::optional<AreaStatistics> values = AreaValues(index);
  if (!values) return std::nullopt;
  const double emissivity = AreaEmissivity(index);
  const std::optional<Correction> correction = CorrectionOf(emissivity);
  const std::optional<double> mean = correction ? Corrected(values->mean, *correction) : std::nullopt;
  return AreaTexts{mean ? MeanDegreesText(*mean) : tr("nicht bestimmbar"), CorrectedDegrees(values->highest, emissivity),
                   CorrectedDegrees(values->lowest, emissivity)};
}

QString PictureModel::EmissivityNote() const {
  QStringList own;
  const auto name = [&](const QString& what, std::size_t i, double emissivity) {
    if (emissivity != emissivity_.picture) own << QStringLiteral("%1 %2 %3").arg(what).arg(i + 1).arg(EmissivityText(emissivity));
  };
  for (std::size_t i = 0; i < Points().size(); ++i) name(tr("Punkt"), i, PointEmissivity(i));
  for (std::size_t i = 0; i < Areas().size(); ++i) name(tr("Messfeld"), i, AreaEmissivity(i));
  if (emissivity_.picture == kHighestEmissivity && own.isEmpty()) return {};
  const std::optional<double> reflected = ReflectedCelsius();
  const QString degrees = reflected ? tr("%1 °C").arg(QLocale().toString(*reflected)) : QString();
  const QString reflectedText = !reflected                     ? tr("unbekannt (kein Umgebungswert)")
                                : emissivity_.reflectedCelsius ? degrees
                                                               : tr("%1 (Umgebung)").arg(degrees);
  QString note = tr("Emissionsgrad: Bild %1, reflektierte Temperatur %2")
                     .arg(EmissivityText(emissivity_.picture), reflectedText);
  if (!own.isEmpty()) note += tr("; eigener: %1").arg(own.join(QStringLiteral(", ")));
  return note;
}

QString PictureModel::MaxText() const { return Field(ShownValueText(), Shown().ScaleMax()); }

QString PictureModel::MinText() const { return Field(ShownValueText(), Shown().ScaleMin()); }

QString PictureModel::AmbientText() const {
  const std::optional<int> ambient = Ambient();
  return ambient ? Field(DegreesText, *ambient) : QString();
}

QString PictureModel::PictureReadout(QPoint at) const {
  Composite();  // the readout reads the layers the composition fills
  return QString::fromStdString(ReadoutText(display_, Shown(), ReadoutArea::Picture, at.x(), at.y(), ShownValueText()));
}

QString PictureModel::ScaleReadout(QPoint at) const {
  return QString::fromStdString(ReadoutText(display_, Shown(), ReadoutArea::Scale, at.x(), at.y(), ShownValueText()));
}

std::optional<GridCell> PictureModel::CellAt(QPoint at) const { return ::CellAt(display_, at.x(), at.y()); }

CellPoint PictureModel::CellCentre(GridCell cell) const { return ::CellCentre(display_, cell); }

Measurements PictureModel::Snapshot() const {
  Measurements measurements = TakeMeasurements(image_.Grid(), image_.Ambient(), image_.Range());
  if (opened_) measurements.takenAt = opened_->takenAt;
  return measurements;
}
