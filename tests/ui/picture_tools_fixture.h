#pragma once
// The window with helpers for the picture tools: cells of the pictures,
// synchronous paints, scroll bars, modal dialogs and the background setting.
#include "window_fixture.h"

#include <QDialog>
#include <QImage>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include "image/display.h"
#include "ui/torvak_controls.h"

// Counts the paints of the window that reach the picture area.
class PicturePaintCounter : public QObject {
 public:
  explicit PicturePaintCounter(QWidget& window) { window.installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint &&
        static_cast<QPaintEvent*>(event)->region().intersects(QRect(280, 10, 640, 480))) {
      ++count;
    }
    return false;
  }
};

inline QSettings BackgroundSettings() {
  return QSettings(QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"),
                   QStringLiteral("Torvak"));
}

class PictureToolsTest : public WindowTest {
 protected:
  void TearDown() override {
    WindowTest::TearDown();
    BackgroundSettings().remove(QStringLiteral("SETTINGS/BACKGROUND"));
  }

  // The background file for the next window.
  static void UseBackgroundFile(const QString& path) {
    BackgroundSettings().setValue(QStringLiteral("SETTINGS/BACKGROUND"), path);
  }

  QScrollBar* Bar(int id) const { return window_->ControlAs<QScrollBar>(id); }
  QSlider* Transparency() const { return window_->ControlAs<QSlider>(ctl::kTransparency); }
  DisplayData& Display() const { return window_->DisplayRecord(); }

  // Composes and shows the picture at once.
  void PaintNow() { window_->repaint(QRect(280, 10, 640, 480)); }

  // The centre of a grid cell in the picture area, as the placement puts it.
  QPoint CellCentre(int column, int row) const {
    const PictureRect& p = column < kHalfColumns ? Display().leftPicture : Display().rightPicture;
    const double x = p.x + (column % kHalfColumns + 0.5) * p.cellWidth;
    const double y = p.y + (kGridRows - 1 - row + 0.5) * p.cellHeight;
    return {static_cast<int>(x), static_cast<int>(y)};
  }
  // The same in the window's client coordinates.
  QPoint ClientCentre(int column, int row) const { return CellCentre(column, row) + QPoint(280, 10); }

  Colour CompositeAt(QPoint p) const { return Display().compositeSurface.Pixel(p.x(), p.y()); }

  QTemporaryDir dir_;
};

// A picture whose every pixel differs from its neighbours and from the no-reading grey.
inline QImage PatternPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, qRgb(x % 256, y % 256, 128 + (x / 256) * 40 + (y / 256) * 10));
    }
  }
  return picture;
}

inline QImage PlainPicture(QColor colour, int width = 640, int height = 480) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

// A copy of a memory picture, for comparisons.
inline QImage ImageOf(const MemoryPicture& picture) {
  QImage copy(picture.Width(), picture.Height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    std::copy_n(picture.Row(y), picture.Width(), reinterpret_cast<QRgb*>(copy.scanLine(y)));
  }
  return copy;
}

// Same size and the same colour in every pixel (the fourth byte aside).
inline bool SamePixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if ((a.pixel(x, y) & 0xffffffu) != (b.pixel(x, y) & 0xffffffu)) return false;
    }
  }
  return true;
}

// Whether the surface shows the top-left part of picture, pixel for pixel.
inline bool ShowsTopLeftOf(const MemoryPicture& surface, const QImage& picture) {
  return SamePixels(ImageOf(surface), picture.copy(0, 0, surface.Width(), surface.Height()));
}
