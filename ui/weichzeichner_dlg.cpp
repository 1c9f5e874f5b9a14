#include "ui/weichzeichner_dlg.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "image/thermal_image.h"
#include "overlay/surface_image.h"
#include "ui/dialog_parts.h"
#include "ui/picture_model.h"
#include "ui/program_art.h"

namespace {

// Puts a control of the dialog at its place under its object name.
template <class Control>
Control* Place(Control* control, const DialogUnits& units, const char* name, QRect placeInUnits) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(units.Rect(placeInUnits));
  return control;
}

QLabel* Caption(QDialog* dialog, const DialogUnits& units, const QString& text, QRect placeInUnits) {
  return Place(new QLabel(text, dialog), units, "", placeInUnits);
}

QSlider* Trackbar(QDialog* dialog, const DialogUnits& units, const char* name, QRect placeInUnits,
                  int maximum) {
  return Place(NewTrackbar(maximum, dialog), units, name, placeInUnits);
}

QLineEdit* DisplayEdit(QDialog* dialog, const DialogUnits& units, const char* name, QRect placeInUnits) {
  auto* edit = Place(new QLineEdit(dialog), units, name, placeInUnits);
  edit->setEnabled(false);
  return edit;
}

QPushButton* Button(QDialog* dialog, const DialogUnits& units, const char* name, const QString& text,
                    QRect placeInUnits) {
  return Place(new QPushButton(text, dialog), units, name, placeInUnits);
}

QString DoubleText(double value) { return QString::asprintf("%.*g", 15, value); }

}  // namespace

CWeichzeichnerDlg::CWeichzeichnerDlg(QWidget* parent) : QDialog(parent) {
  setFont(DialogFont());
  // Its units are those of the font at its natural width, not condensed:
  // the dialog keeps the size and places it was laid out with.
  QFont unitFont = font();
  unitFont.setStretch(QFont::AnyStretch);
  const DialogUnits units(unitFont, DialogUnits::Rounding::Nearest);

  setWindowTitle(tr("Weichzeichner-Einstellungen"));
  setFixedSize(units.Size(186, 199));

  auto* ok = Button(this, units, "ok", tr("OK"), {35, 178, 50, 14});
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = Button(this, units, "cancel", tr("Abbrechen"), {101, 178, 50, 14});
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // Only the corners of the placeholders count: the pictures are painted there, much larger.
  measuredPlaceholder_ = Place(new QLabel(this), units, "measuredPreview", {17, 69, 15, 13});
  smoothedPlaceholder_ = Place(new QLabel(this), units, "smoothedPreview", {102, 69, 15, 13});

  Caption(this, units, tr("Halbwertsbreite"), {10, 18, 53, 8});
  halfWidthEdit_ = DisplayEdit(this, units, "halfWidthEdit", {138, 15, 30, 14});
  halfWidthBar_ = Trackbar(this, units, "halfWidthBar", {60, 17, 71, 12}, 200);
  Caption(this, units, tr("Radius"), {10, 41, 22, 8});
  radiusEdit_ = DisplayEdit(this, units, "radiusEdit", {138, 38, 30, 14});
  radiusBar_ = Trackbar(this, units, "radiusBar", {60, 40, 71, 12}, 480);
  // The "Genauigkeit" row is never shown and takes no part in anything.
  Caption(this, units, tr("Genauigkeit"), {10, 64, 38, 8})->hide();
  DisplayEdit(this, units, "accuracyEdit", {138, 61, 30, 14})->hide();
  Trackbar(this, units, "accuracyBar", {60, 63, 71, 12}, 100)->hide();
  Caption(this, units, tr("Temperatur"), {10, 157, 53, 8});
  temperatureEdit_ = DisplayEdit(this, units, "temperatureEdit", {138, 154, 30, 14});
  temperatureBar_ = Trackbar(this, units, "temperatureBar", {60, 157, 71, 12}, 200);

  for (QSlider* bar : {halfWidthBar_, radiusBar_, temperatureBar_}) {
    connect(bar, &QSlider::valueChanged, this, &CWeichzeichnerDlg::TakeTrackbarPositions);
  }
}

void CWeichzeichnerDlg::Prepare(const ThermalImage& image) {
  settings_.Take(image);
  image_ = &image;
  WriteControls();
  RedrawPreview();
}

// Any trackbar move takes all three values from the trackbar positions; the
// edits only show the values.
void CWeichzeichnerDlg::TakeTrackbarPositions() {
  settings_.MoveTo(halfWidthBar_->value(), radiusBar_->value(), temperatureBar_->value());
  WriteControls();
  RedrawPreview();
  update(PreviewRect(measuredPlaceholder_));
  update(PreviewRect(smoothedPlaceholder_));
}

void CWeichzeichnerDlg::WriteControls() {
  for (auto [bar, position] : {std::pair{halfWidthBar_, settings_.HalfWidthPosition()},
                               std::pair{radiusBar_, settings_.RadiusPosition()},
                               std::pair{temperatureBar_, settings_.Temperature()}}) {
    const QSignalBlocker quiet(bar);
    bar->setValue(position);
  }
  halfWidthEdit_->setText(DoubleText(settings_.HalfWidth()));
  radiusEdit_->setText(DoubleText(settings_.Radius()));
  temperatureEdit_->setText(QString::number(settings_.Temperature()));
}

void CWeichzeichnerDlg::RedrawPreview() {
  if (image_ == nullptr) return;  // not prepared yet: no colour scale to draw with
  preview_.Redraw(settings_.HalfWidth(), settings_.Radius(), *image_, settings_.Temperature());
}

QRect CWeichzeichnerDlg::PreviewRect(const QWidget* placeholder) const {
  return {placeholder->pos(), QSize(kPreviewSize, kPreviewSize)};
}

void CWeichzeichnerDlg::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  for (auto [placeholder, picture] : {std::pair{measuredPlaceholder_, &preview_.measuredPreview},
                                      std::pair{smoothedPlaceholder_, &preview_.smoothedPreview}}) {
    painter.drawImage(placeholder->pos(), SurfaceImage(*picture));
  }
}

void EditSmoothingSettings(CWeichzeichnerDlg& dialog, PictureModel& picture) {
  dialog.Prepare(picture.Image());
  if (dialog.exec() != QDialog::Accepted) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  picture.SetSmoothing(dialog.Settings());
  QGuiApplication::restoreOverrideCursor();
}
