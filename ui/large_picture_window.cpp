#include "ui/large_picture_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "image/readout.h"
#include "overlay/surface_image.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

constexpr int kMargin = 16;
constexpr QSize kStartSize(1280, 800);
// The readouts' captions, as the main window's labels show them.
constexpr int kReadoutLabels[] = {ctl::kMaxLabel, ctl::kMinLabel, ctl::kAmbientLabel, ctl::kMouseLabel};

// Where a point of `from` lies in `to`, the same share of the way across.
QPoint MapBetween(QPoint at, const QRect& from, const QRect& to) {
  return {to.left() + (at.x() - from.left()) * to.width() / from.width(),
          to.top() + (at.y() - from.top()) * to.height() / from.height()};
}

}  // namespace

LargePictureWindow::LargePictureWindow(CTorvakDlg& window) : QWidget(&window, Qt::Window), window_(window) {
  setWindowTitle(tr("Großbild"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kStartSize);
  connect(&window, &CTorvakDlg::pictureChanged, this, qOverload<>(&QWidget::update));
  connect(window.ControlAs<QLineEdit>(ctl::kAmbientField), &QLineEdit::textChanged, this,
          qOverload<>(&QWidget::update));
}

void LargePictureWindow::ToggleFullScreen() {
  isFullScreen() ? showNormal() : showFullScreen();
}

int LargePictureWindow::SideWidth() const { return std::clamp(width() / 6, 140, 420); }

// The main window's caption of a readout (its label's text).
QString LargePictureWindow::Caption(int labelId) const { return window_.ControlAs<QLabel>(labelId)->text(); }

// Large, but never wider than the side column for its widest caption.
int LargePictureWindow::FontPixels() const {
  QFont large = font();
  int pixels = std::clamp(height() / 22, 14, 64);
  for (; pixels > 8; --pixels) {
    large.setPixelSize(pixels);
    const QFontMetrics metrics(large);
    if (std::ranges::all_of(kReadoutLabels, [&](int id) {
          return metrics.horizontalAdvance(Caption(id)) <= SideWidth() - kMargin;
        })) {
      break;
    }
  }
  return pixels;
}

// The picture as large as fits beside the side column, its aspect kept.
QRect LargePictureWindow::PictureRect() const {
  const int width = std::max(1, this->width() - SideWidth() - 3 * kMargin);
  const int height = std::max(1, this->height() - 2 * kMargin);
  QSize size(kPictureWidth, kPictureHeight);
  size.scale(width, height, Qt::KeepAspectRatio);
  return {QPoint(kMargin, (this->height() - size.height()) / 2), size.expandedTo({1, 1})};
}

// The scale keeps its 1 : 10 shape in the side column, below Max and above
// the other values, each a caption line and a value line.
QRect LargePictureWindow::ScaleRect() const {
  const int line = FontPixels() * 3 / 2;
  const int top = kMargin + 2 * line + kMargin / 2;
  const int height = std::max(10, std::min(this->height() - top - 6 * line - 2 * kMargin, 10 * SideWidth() / 3));
  return {PictureRect().right() + 2 * kMargin, top, std::max(1, height / 10), height};
}

std::optional<QPoint> LargePictureWindow::MainWindowPoint(QPoint at) const {
  const WindowLayout& layout = window_.Layout();
  if (PictureRect().contains(at)) return MapBetween(at, PictureRect(), ToRect(layout.pictureArea));
  if (ScaleRect().contains(at)) return MapBetween(at, ScaleRect(), ToRect(layout.scaleArea));
  return std::nullopt;
}

void LargePictureWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const QRect picture = PictureRect();
  painter.save();
  painter.translate(picture.topLeft());
  painter.scale(picture.width() / double{kPictureWidth}, picture.height() / double{kPictureHeight});
  window_.PaintPictureArea(painter);
  painter.restore();
  const QRect scale = ScaleRect();
  const Area& scaleArea = window_.Layout().scaleArea;
  painter.drawImage(scale, SurfaceImage(window_.DisplayRecord().legendSurface),
                    QRect(0, 0, scaleArea.Width(), scaleArea.Height()));
  PaintValues(painter, scale);
}

// Max above the scale, Min, Umgebung and Mausposition below it, as the main
// window shows them: a caption line, then its value.
void LargePictureWindow::PaintValues(QPainter& painter, const QRect& scale) const {
  QFont large = painter.font();
  large.setPixelSize(FontPixels());
  painter.setFont(large);
  painter.setPen(Qt::white);
  const auto field = [this](int id) { return window_.ControlAs<QLineEdit>(id)->text(); };
  const int line = FontPixels() * 3 / 2;
  const auto paint = [&](int& baseline, const QString& caption, const QString& value) {
    painter.drawText(scale.left(), baseline, caption);
    painter.drawText(scale.left(), baseline + line, value);
    baseline += 2 * line;
  };
  int baseline = kMargin + FontPixels();
  paint(baseline, Caption(ctl::kMaxLabel), field(ctl::kMaxField));
  baseline = scale.bottom() + kMargin + FontPixels();
  paint(baseline, Caption(ctl::kMinLabel), field(ctl::kMinField));
  paint(baseline, Caption(ctl::kAmbientLabel), field(ctl::kAmbientField));
  paint(baseline, Caption(ctl::kMouseLabel), mouseText_);
}

void LargePictureWindow::mouseMoveEvent(QMouseEvent* event) {
  const std::optional<QPoint> at = MainWindowPoint(event->position().toPoint());
  const WindowLayout& layout = window_.Layout();
  mouseText_ = at ? QString::fromStdString(MouseTemperatureText(window_.DisplayRecord(), window_.Image(),
                                                                layout.pictureArea, layout.scaleArea, at->x(), at->y()))
                  : QString();
  update();
}

void LargePictureWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F11) return ToggleFullScreen();
  if (event->key() == Qt::Key_Escape) return isFullScreen() ? showNormal() : (void)close();
  QWidget::keyPressEvent(event);
}
