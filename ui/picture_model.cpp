#include "ui/picture_model.h"

#include <QSettings>
#include <algorithm>
#include <utility>

#include "image/composer.h"
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
    : QObject(parent), recorder_(std::move(clock)), backgroundPath_(BackgroundPath()) {
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
  substituted_[reading.column][reading.row] = reading.substituted;
  if (spanMode_ == SpanMode::Automatic && !spanTimer_.isActive()) spanTimer_.start();
  Changed(kPicture);
}

void PictureModel::SetScanRange(const ScanRange& range) {
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
  if (spanMode_ == SpanMode::Automatic) FollowReadings(false);
  Changed(kPicture);
}

void PictureModel::SetScanning(bool scanning) {
  scanning_ = scanning;
  if (scanning) return;
  holdReadingsUntilStopped_ = false;
  if (spanMode_ == SpanMode::Automatic) FollowReadings(false);
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
  std::fill_n(&substituted_[0][0], kGridColumns * kGridRows, false);  // a file holds what was read
  if (spanMode_ == SpanMode::Automatic) FollowReadings(false);
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
  Changed(kPicture);
}

void PictureModel::SetLegendSize(int width, int height) {
  ::SetLegendSize(display_, image_, width, height);
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
  const std::optional<ColourSpan> readings = ReadingsSpan(image_.Grid(), substituted_);
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
  if (value == kNoReading || substituted_[cell.column][cell.row]) return std::nullopt;
  return value;
}

const MemoryPicture& PictureModel::Composite() const {
  if (!composed_) {
    ComposePicture(display_, image_);
    composed_ = true;
  }
  return display_.compositeSurface;
}

std::optional<int> PictureModel::Ambient() const {
  return image_.Ambient() != 0 ? std::optional(image_.Ambient()) : std::nullopt;
}

namespace {

QString DegreesField(int celsius) { return QString::fromStdString(DegreesText(celsius)); }

}  // namespace

QString PictureModel::MaxText() const { return DegreesField(image_.ScaleMax()); }

QString PictureModel::MinText() const { return DegreesField(image_.ScaleMin()); }

QString PictureModel::AmbientText() const {
  const std::optional<int> ambient = Ambient();
  return ambient ? DegreesField(*ambient) : QString();
}

QString PictureModel::PictureReadout(QPoint at) const {
  Composite();  // the readout reads the layers the composition fills
  return QString::fromStdString(ReadoutText(display_, image_, ReadoutArea::Picture, at.x(), at.y()));
}

QString PictureModel::ScaleReadout(QPoint at) const {
  return QString::fromStdString(ReadoutText(display_, image_, ReadoutArea::Scale, at.x(), at.y()));
}

std::optional<GridCell> PictureModel::CellAt(QPoint at) const { return ::CellAt(display_, at.x(), at.y()); }

CellPoint PictureModel::CellCentre(GridCell cell) const { return ::CellCentre(display_, cell); }

Measurements PictureModel::Snapshot() const {
  Measurements measurements = TakeMeasurements(image_.Grid(), image_.Ambient(), image_.Range());
  if (opened_) measurements.takenAt = opened_->takenAt;
  return measurements;
}
