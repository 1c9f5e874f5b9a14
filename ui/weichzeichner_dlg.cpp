#include "ui/weichzeichner_dlg.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <cmath>

#include "image/composer.h"
#include "image/display.h"
#include "image/thermal_image.h"

namespace {

constexpr int kStartTemperature = 80;

// Dialog units of the dialog's font: a quarter of the average letter width
// across, an eighth of the line height down, so the layout grows with the
// font and every caption keeps its room.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    perUnitX_ = metrics.horizontalAdvance(letters) / letters.size() / 4.0;
    perUnitY_ = metrics.height() / 8.0;
  }
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }
  QRect Rect(int x, int y, int width, int height) const { return {QPoint(X(x), Y(y)), Size(width, height)}; }

 private:
  int X(int units) const { return qRound(units * perUnitX_); }
  int Y(int units) const { return qRound(units * perUnitY_); }

  double perUnitX_;
  double perUnitY_;
};

// Creates a control of the dialog at its place; controls with an ID are
// findable by it as their object name.
template <class Control>
Control* Place(QDialog* dialog, const DialogUnits& units, const char* id, QRect placeInUnits) {
  auto* control = new Control(dialog);
  control->setObjectName(QString::fromLatin1(id));
  control->setGeometry(
      units.Rect(placeInUnits.x(), placeInUnits.y(), placeInUnits.width(), placeInUnits.height()));
  return control;
}

QLabel* Caption(QDialog* dialog, const DialogUnits& units, const char* text, QRect placeInUnits) {
  auto* label = Place<QLabel>(dialog, units, "", placeInUnits);
  label->setText(QString::fromUtf8(text));
  return label;
}

QSlider* Trackbar(QDialog* dialog, const DialogUnits& units, const char* id, QRect placeInUnits, int maximum) {
  auto* bar = Place<QSlider>(dialog, units, id, placeInUnits);
  bar->setOrientation(Qt::Horizontal);
  bar->setTickPosition(QSlider::NoTicks);
  bar->setRange(0, maximum);
  bar->setPageStep(maximum / 5);  // a trackbar's usual page: a fifth of its range
  return bar;
}

QLineEdit* DisplayEdit(QDialog* dialog, const DialogUnits& units, const char* id, QRect placeInUnits) {
  auto* edit = Place<QLineEdit>(dialog, units, id, placeInUnits);
  edit->setEnabled(false);
  return edit;
}

QPushButton* Button(QDialog* dialog, const DialogUnits& units, const char* id, const char* text,
                    QRect placeInUnits) {
  auto* button = Place<QPushButton>(dialog, units, id, placeInUnits);
  button->setText(QString::fromUtf8(text));
  return button;
}

QString DoubleText(double value) { return QString::asprintf("%.*g", 15, value); }

}  // namespace

CWeichzeichnerDlg::CWeichzeichnerDlg(QWidget* parent) : QDialog(parent) {
  QFont font(QStringLiteral("Sans Serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);
  const DialogUnits units(font);
  setWindowTitle(QStringLiteral("Weichzeichner-Einstellungen"));
  setFixedSize(units.Size(186, 199));

  auto* ok = Button(this, units, "1", "OK", {35, 178, 50, 14});
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = Button(this, units, "2", "Abbrechen", {101, 178, 50, 14});
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // Only the corners of the placeholders count: the pictures are painted there, much larger.
  measuredPlaceholder_ = Place<QLabel>(this, units, "1091", {17, 69, 15, 13});
  smoothedPlaceholder_ = Place<QLabel>(this, units, "1092", {102, 69, 15, 13});

  Caption(this, units, "Halbwertsbreite", {10, 18, 53, 8});
  halfWidthEdit_ = DisplayEdit(this, units, "1066", {138, 15, 30, 14});
  halfWidthBar_ = Trackbar(this, units, "1090", {60, 17, 71, 12}, 200);
  Caption(this, units, "Radius", {10, 41, 22, 8});
  radiusEdit_ = DisplayEdit(this, units, "1067", {138, 38, 30, 14});
  radiusBar_ = Trackbar(this, units, "1093", {60, 40, 71, 12}, 480);
  // The "Genauigkeit" row is never shown and takes no part in anything.
  Caption(this, units, "Genauigkeit", {10, 64, 38, 8})->hide();
  DisplayEdit(this, units, "1068", {138, 61, 30, 14})->hide();
  Trackbar(this, units, "1094", {60, 63, 71, 12}, 100)->hide();
  Caption(this, units, "Temperatur", {10, 157, 53, 8});
  temperatureEdit_ = DisplayEdit(this, units, "1069", {138, 154, 30, 14});
  temperatureBar_ = Trackbar(this, units, "1095", {60, 157, 71, 12}, 200);

  for (QSlider* bar : {halfWidthBar_, radiusBar_, temperatureBar_}) {
    connect(bar, &QSlider::valueChanged, this, &CWeichzeichnerDlg::OnHScroll);
  }
}

void CWeichzeichnerDlg::Prepare(const ThermalImage& image) {
  halfWidth_ = image.kernelHalfWidth;
  radius_ = image.kernelRadius;
  // Rounded, not truncated: 0.29 * 100 comes out just below 29, and a
  // truncated position would lower the half-width at the next trackbar move.
  halfWidthPos_ = static_cast<int>(std::lround(image.kernelHalfWidth * 100));
  radiusPos_ = image.kernelRadius * 10;
  temperaturePos_ = kStartTemperature;
  temperature_ = kStartTemperature;
  image_ = &image;
  WriteControls();
}

// Any trackbar move takes all three values from the trackbar positions.
void CWeichzeichnerDlg::OnHScroll() {
  ReadControls();
  temperature_ = temperaturePos_;
  halfWidth_ = halfWidthPos_ / 100.0;
  radius_ = radiusPos_ / 10.0;
  WriteControls();
  RedrawPreview();
  update(PreviewRect(measuredPlaceholder_));
  update(PreviewRect(smoothedPlaceholder_));
}

// The edits only show the values, so only the positions are read back.
void CWeichzeichnerDlg::ReadControls() {
  halfWidthPos_ = halfWidthBar_->value();
  radiusPos_ = radiusBar_->value();
  temperaturePos_ = temperatureBar_->value();
}

void CWeichzeichnerDlg::WriteControls() {
  for (auto [bar, position] : {std::pair{halfWidthBar_, halfWidthPos_}, std::pair{radiusBar_, radiusPos_},
                               std::pair{temperatureBar_, temperaturePos_}}) {
    const QSignalBlocker quiet(bar);
    bar->setValue(position);
  }
  halfWidthEdit_->setText(DoubleText(halfWidth_));
  radiusEdit_->setText(DoubleText(radius_));
  temperatureEdit_->setText(QString::number(temperature_));
}

void CWeichzeichnerDlg::RedrawPreview() {
  if (image_ == nullptr) {
    return;  // not prepared yet: no colour scale to draw with
  }
  preview_.Redraw(halfWidth_, radius_, *image_, temperaturePos_);
}

QRect CWeichzeichnerDlg::PreviewRect(const QWidget* placeholder) const {
  return {placeholder->pos(), QSize(kPreviewSize, kPreviewSize)};
}

void CWeichzeichnerDlg::paintEvent(QPaintEvent* /*event*/) {
  RedrawPreview();
  QPainter painter(this);
  for (auto [placeholder, picture] : {std::pair{measuredPlaceholder_, &preview_.measuredPreview},
                                      std::pair{smoothedPlaceholder_, &preview_.smoothedPreview}}) {
    const QImage shown(reinterpret_cast<const uchar*>(picture->Bits()), kPreviewSize, kPreviewSize,
                       kPreviewSize * static_cast<int>(sizeof(Colour)), QImage::Format_RGB32);
    painter.drawImage(placeholder->pos(), shown);
  }
}

bool ApplySmoothingSettings(CWeichzeichnerDlg& dialog, ThermalImage& image, DisplayData& display) {
  dialog.Prepare(image);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  image.kernelHalfWidth = dialog.HalfWidth();
  image.kernelRadius = static_cast<std::int32_t>(dialog.Radius());
  image.ComputeKernel();
  image.RebuildImage();
  // The hidden margin of the smoothed pictures depends on the radius.
  BuildLayerMap(display, image);
  QGuiApplication::restoreOverrideCursor();
  return true;
}
