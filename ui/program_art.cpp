#include "ui/program_art.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <array>

namespace {

// Cold to hot, as the scale runs.
constexpr std::array<QRgb, 7> kHeat{0xff1a237e, 0xff1e88e5, 0xff26a69a, 0xff9ccc65,
                                    0xfffdd835, 0xfffb8c00, 0xffe53935};
// The patch of the icon, top row first: a warm spot right of the centre.
constexpr int kPatch[4][4] = {{0, 1, 1, 0}, {1, 3, 4, 1}, {1, 4, 6, 2}, {0, 2, 3, 1}};

}  // namespace

// The layout's widths were made for a narrow 8-point dialog font; the common
// sans-serif fonts of Linux desktops (DejaVu Sans) are a good fifth wider, so
// "Seitenverhältnis" would not fit its check box, nor "Mausposition:" its label.
constexpr int kDialogFontStretch = 80;

QFont DialogFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  font.setStretch(kDialogFontStretch);
  return font;
}

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);  // drawn on a 32 x 32 grid
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x26, 0x32, 0x38));
  painter.drawRoundedRect(QRectF(0, 0, 32, 32), 5, 5);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      painter.setBrush(QColor::fromRgb(kHeat[kPatch[row][column]]));
      painter.drawRect(QRectF(3 + 6.5 * column, 3 + 6.5 * row, 6, 6));
    }
  }
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(ProgramIconPixmap(size));
  return icon;
}

QPixmap AboutPicture() {
  QPixmap pixmap(100, 21);
  QPainter painter(&pixmap);
  QLinearGradient heat(0, 0, 100, 0);
  for (std::size_t i = 0; i < kHeat.size(); ++i) {
    heat.setColorAt(static_cast<double>(i) / (kHeat.size() - 1), QColor::fromRgb(kHeat[i]));
  }
  painter.fillRect(pixmap.rect(), heat);
  painter.setPen(Qt::black);
  painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return pixmap;
}
