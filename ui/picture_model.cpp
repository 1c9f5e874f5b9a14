#include "ui/picture_model.h"

#include <QLocale>
#include <QSettings>
#include <algorithm>
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
  Changed(kReadouts);
}

void PictureModel::Clear() {
  image_.ClearImage();
  ShowLiveValues();
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
  const std::optional<ColourSpan> readings = ReadingsSpan(image_.Grid(), unsure_);
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
  const IsothermCount count = CountIsotherm(image_.Grid(), unsure_, i);
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
  Changed(kAreas);
  return true;
}

void PictureModel::ClearAreas() {
  bool meansRecorded = false;
  for (std::size_t s = recorder_.Points().size(); s < recorder_.SeriesCount(); ++s)
    meansRecorded = meansRecorded || !recorder_.Series(s).empty();
  if (meansRecorded && recorder_.HasUnsavedReadings() && mayDiscard_ && !mayDiscard_()) return;
  recorder_.ClearAreas();
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
  Changed(kPoints);
  return true;
}

void PictureModel::ClearPoints() {
  recorder_.ClearPoints();
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
    if (isotherm_) DrawIsotherm(display_, image_.Grid(), unsure_, *isotherm_);
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
