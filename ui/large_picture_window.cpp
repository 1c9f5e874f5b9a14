#include "ui/large_picture_window.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "overlay/surface_image.h"
#include "ui/marker_colours.h"
#include "ui/picture_model.h"
#include "ui/picture_painter.h"
#include "ui/torvak_controls.h"

namespace {

constexpr int kMargin = 16;
constexpr QSize kStartSize(1280, 800);
// The readouts' captions, as the main window's labels show them.
constexpr int kReadoutLabels[] = {ctl::kMaxLabel, ctl::kMinLabel, ctl::kAmbientLabel, ctl::kMouseLabel};

// Where a point of `from` lies in an area of the given size, the same share of the way across.
// A point's line as it is drawn: its number, then its value.
QString PointLine(std::size_t number, int value) {
  return QString::number(number) + u' ' + QString::fromStdString(DegreesText(value));
}

QPoint MapInto(QPoint at, const QRect& from, QSize size) {
  return {(at.x() - from.left()) * size.width() / from.width(), (at.y() - from.top()) * size.height() / from.height()};
}

}  // namespace

LargePictureWindow::LargePictureWindow(const PictureModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
  setWindowTitle(tr("Großbild"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kStartSize);
  LayOut();
  connect(&model, &PictureModel::changed, this, qOverload<>(&QWidget::update));
}

void LargePictureWindow::ToggleFullScreen() {
  isFullScreen() ? showNormal() : showFullScreen();
}

// Large type, but never wider than the side column for its widest caption;
// the picture as large as fits beside the side column, its aspect kept; the
// scale in its 1 : 10 shape below Max and above the other values, each a
// caption line and a value line.
void LargePictureWindow::LayOut() {
  sideWidth_ = std::clamp(width() / 6, 140, 420);
  QFont large = font();
  fontPixels_ = std::clamp(height() / 22, 14, 64);
  for (; fontPixels_ > 8; --fontPixels_) {
    large.setPixelSize(fontPixels_);
    const QFontMetrics metrics(large);
    if (std::ranges::all_of(kReadoutLabels, [&](int id) {
          return metrics.horizontalAdvance(ControlCaption(id)) <= sideWidth_ - kMargin;
        })) {
      break;
    }
  }
  QSize size(kPictureWidth, kPictureHeight);
  size.scale(std::max(1, width() - sideWidth_ - 3 * kMargin), std::max(1, height() - 2 * kMargin), Qt::KeepAspectRatio);
  pictureRect_ = QRect(QPoint(kMargin, (height() - size.height()) / 2), size.expandedTo({1, 1}));
  const int line = fontPixels_ * 3 / 2;
  const int top = kMargin + 2 * line + kMargin / 2;
  const int scaleHeight = std::max(10, std::min(height() - top - 6 * line - 2 * kMargin, 10 * sideWidth_ / 3));
  scaleRect_ = QRect(pictureRect_.right() + 2 * kMargin, top, std::max(1, scaleHeight / 10), scaleHeight);
  const int pointsWidth = width() - scaleRect_.right() - 2 * kMargin;
  for (pointFontPixels_ = fontPixels_; pointFontPixels_ > 8; --pointFontPixels_) {
    large.setPixelSize(pointFontPixels_);
    if (QFontMetrics(large).horizontalAdvance(PointLine(kMaxMeasuringPoints, 255)) <= pointsWidth) break;
  }
}

void LargePictureWindow::resizeEvent(QResizeEvent* event) {
  LayOut();
  QWidget::resizeEvent(event);
}

void LargePictureWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  PaintPicture(painter, model_, pictureRect_);
  const DisplayData& display = model_.Display();
  painter.drawImage(scaleRect_, SurfaceImage(model_.Legend()), QRect(0, 0, display.legendWidth, display.legendHeight));
  PaintValues(painter);
  PaintPoints(painter);
}

void LargePictureWindow::PaintPoints(QPainter& painter) const {
  QFont font = painter.font();
  font.setPixelSize(pointFontPixels_);
  font.setBold(true);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int left = scaleRect_.right() + kMargin;
  int line = 0;
  const auto paint = [&](const QString& number, const QColor& colour, const QString& value) {
    const int baseline = scaleRect_.top() + metrics.ascent() + line++ * metrics.lineSpacing() * 3 / 2;
    painter.setPen(colour);
    painter.drawText(left, baseline, number);
    painter.setPen(Qt::white);
    painter.drawText(left + metrics.horizontalAdvance(number + u' '), baseline, value);
  };
  const QString none = QStringLiteral("–");
  // A corrected value names its emissivity.
  const auto withEmissivity = [](const QString& value, double emissivity) {
    return emissivity == kHighestEmissivity ? value : QStringLiteral("%1  %2").arg(value, EmissivityText(emissivity));
  };
  for (std::size_t i = 0; i < model_.Points().size(); ++i) {
    paint(QString::number(i + 1), MarkerColour(i), withEmissivity(model_.PointText(i).value_or(none), model_.PointEmissivity(i)));
  }
  // An area's mean, its number in brackets as its frame.
  for (std::size_t i = 0; i < model_.Areas().size(); ++i) {
    const std::optional<PictureModel::AreaTexts> values = model_.AreaValueTexts(i);
    paint(QStringLiteral("[%1]").arg(i + 1), AreaColour(i),
          withEmissivity(values ? values->mean : none, model_.AreaEmissivity(i)));
  }
}

// Max above the scale, Min, Umgebung and Mausposition below it, as the main
// window shows them: a caption line, then its value.
void LargePictureWindow::PaintValues(QPainter& painter) const {
  QFont large = painter.font();
  large.setPixelSize(fontPixels_);
  painter.setFont(large);
  painter.setPen(Qt::white);
  const int line = fontPixels_ * 3 / 2;
  const auto paint = [&](int& baseline, int labelId, const QString& value) {
    painter.drawText(scaleRect_.left(), baseline, ControlCaption(labelId));
    painter.drawText(scaleRect_.left(), baseline + line, value);
    baseline += 2 * line;
  };
  int baseline = kMargin + fontPixels_;
  paint(baseline, ctl::kMaxLabel, model_.MaxText());
  baseline = scaleRect_.bottom() + kMargin + fontPixels_;
  paint(baseline, ctl::kMinLabel, model_.MinText());
  paint(baseline, ctl::kAmbientLabel, model_.AmbientText());
  paint(baseline, ctl::kMouseLabel, mouseText_);
}

void LargePictureWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const DisplayData& display = model_.Display();
  if (pictureRect_.contains(at)) {
    mouseText_ = model_.PictureReadout(MapInto(at, pictureRect_, {kPictureWidth, kPictureHeight}));
  } else if (scaleRect_.contains(at)) {
    mouseText_ = model_.ScaleReadout(MapInto(at, scaleRect_, {display.legendWidth, display.legendHeight}));
  } else {
    mouseText_.clear();
  }
  update();
}

void LargePictureWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F11) return ToggleFullScreen();
  if (event->key() == Qt::Key_Escape) return isFullScreen() ? showNormal() : (void)close();
  QWidget::keyPressEvent(event);
}
