#include "ui/weichzeichner_dlg.h"

#include <QFontMetricsF>
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

namespace {

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

// Puts a control of the dialog at its place; controls with an ID are
// findable by it as their object name.
template <class Control>
Control* Place(Control* control, const DialogUnits& units, const char* id, QRect placeInUnits) {
  control->setObjectName(QString::fromLatin1(id));
  control->setGeometry(
      units.Rect(placeInUnits.x(), placeInUnits.y(), placeInUnits.width(), placeInUnits.height()));
  return control;
}

QLabel* Caption(QDialog* dialog, const DialogUnits& units, const QString& text, QRect placeInUnits) {
  return Place(new QLabel(text, dialog), units, "", placeInUnits);
}

QSlider* Trackbar(QDialog* dialog, const DialogUnits& units, const char* id, QRect placeInUnits,
                  int maximum) {
  return Place(NewTrackbar(maximum, dialog), units, id, placeInUnits);
}

QLineEdit* DisplayEdit(QDialog* dialog, const DialogUnits& units, const char* id, QRect placeInUnits) {
  auto* edit = Place(new QLineEdit(dialog), units, id, placeInUnits);
  edit->setEnabled(false);
  return edit;
}

QPushButton* Button(QDialog* dialog, const DialogUnits& units, const char* id, const QString& text,
                    QRect placeInUnits) {
  return Place(new QPushButton(text, dialog), units, id, placeInUnits);
}

QString DoubleText(double value) { return QString::asprintf("%.*g", 15, value); }

}  // namespace

CWeichzeichnerDlg::CWeichzeichnerDlg(QWidget* parent) : QDialog(parent) {
  QFont font(QStringLiteral("Sans Serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);
  const DialogUnits units(font);
  setWindowTitle(tr("Weichzeichner-Einstellungen"));
  setFixedSize(units.Size(186, 199));

  auto* ok = Button(this, units, "1", tr("OK"), {35, 178, 50, 14});
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = Button(this, units, "2", tr("Abbrechen"), {101, 178, 50, 14});
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // Only the corners of the placeholders count: the pictures are painted there, much larger.
  measuredPlaceholder_ = Place(new QLabel(this), units, "1091", {17, 69, 15, 13});
  smoothedPlaceholder_ = Place(new QLabel(this), units, "1092", {102, 69, 15, 13});

  Caption(this, units, tr("Halbwertsbreite"), {10, 18, 53, 8});
  halfWidthEdit_ = DisplayEdit(this, units, "1066", {138, 15, 30, 14});
  halfWidthBar_ = Trackbar(this, units, "1090", {60, 17, 71, 12}, 200);
  Caption(this, units, tr("Radius"), {10, 41, 22, 8});
  radiusEdit_ = DisplayEdit(this, units, "1067", {138, 38, 30, 14});
  radiusBar_ = Trackbar(this, units, "1093", {60, 40, 71, 12}, 480);
  // The "Genauigkeit" row is never shown and takes no part in anything.
  Caption(this, units, tr("Genauigkeit"), {10, 64, 38, 8})->hide();
  DisplayEdit(this, units, "1068", {138, 61, 30, 14})->hide();
  Trackbar(this, units, "1094", {60, 63, 71, 12}, 100)->hide();
  Caption(this, units, tr("Temperatur"), {10, 157, 53, 8});
  temperatureEdit_ = DisplayEdit(this, units, "1069", {138, 154, 30, 14});
  temperatureBar_ = Trackbar(this, units, "1095", {60, 157, 71, 12}, 200);

  for (QSlider* bar : {halfWidthBar_, radiusBar_, temperatureBar_}) {
    connect(bar, &QSlider::valueChanged, this, &CWeichzeichnerDlg::OnHScroll);
  }
}

void CWeichzeichnerDlg::Prepare(const ThermalImage& image) {
  settings_.Take(image);
  image_ = &image;
  WriteControls();
}

// Any trackbar move takes all three values from the trackbar positions; the
// edits only show the values.
void CWeichzeichnerDlg::OnHScroll() {
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
  if (image_ == nullptr) {
    return;  // not prepared yet: no colour scale to draw with
  }
  preview_.Redraw(settings_.HalfWidth(), settings_.Radius(), *image_, settings_.Temperature());
}

QRect CWeichzeichnerDlg::PreviewRect(const QWidget* placeholder) const {
  return {placeholder->pos(), QSize(kPreviewSize, kPreviewSize)};
}

void CWeichzeichnerDlg::paintEvent(QPaintEvent* /*event*/) {
  RedrawPreview();
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
