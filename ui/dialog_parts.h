#pragma once
#include <QRect>

#include <QKeySequence>
#include <QString>

class QAction;
class QFont;
class QSlider;
class QWidget;

// What the main window and its dialogs share.

// An entry of the window's context menu, with its shortcut shown in the
// menu and working without it.
QAction* AddContextEntry(QWidget& window, const QString& text, QKeySequence shortcut = {});

// A horizontal trackbar from 0 to maximum without tick marks that pages by a
// fifth of its range, as trackbars do by default.
QSlider* NewTrackbar(int maximum, QWidget* parent);

// A dialog's layout in dialog units of its font: a quarter of the average
// letter width across, an eighth of the line height down, so the layout
// grows with the font and every caption keeps its room.
class DialogUnits {
 public:
  // How units become pixels. Each dialog keeps the one it was laid out with:
  // the two give pixels apart by up to a few per control.
  enum class Rounding {
    WholeBase,  // the average letter width and line height in whole pixels, every result cut off
    Nearest,    // the exact average width and line height, every result rounded to the nearest pixel
  };
  DialogUnits(const QFont& font, Rounding rounding);

  int X(int units) const;
  int Y(int units) const;
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }
  QRect Rect(int x, int y, int width, int height) const { return {QPoint(X(x), Y(y)), Size(width, height)}; }
  QRect Rect(const QRect& inUnits) const { return Rect(inUnits.x(), inUnits.y(), inUnits.width(), inUnits.height()); }

 private:
  Rounding rounding_;
  double letterWidth_;
  double lineHeight_;
};
