#pragma once
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>

class CTorvakDlg;

// "Großbild", for a projector: the main window's composed picture (the
// thermal pictures over the background, frames and measuring points), scaled
// to fill a window of its own with its aspect kept, and beside it the colour
// scale and the values Max, Min, Umgebung and Mausposition in large type. It
// is composed anew whenever the main window's picture is; the temperature
// under the mouse is read as the main window reads it at the same place of
// the picture. F11 turns full screen on and off, Esc leaves it (and closes
// the window when it is not full screen).
class LargePictureWindow : public QWidget {
  Q_OBJECT
 public:
  explicit LargePictureWindow(CTorvakDlg& window);

  void ToggleFullScreen();
  // Where the 640 x 480 picture area and the colour scale are drawn now.
  QRect PictureRect() const;
  QRect ScaleRect() const;
  // The temperature under the mouse, as shown beside "Mausposition:".
  const QString& MouseText() const { return mouseText_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int SideWidth() const;
  int FontPixels() const;
  QString Caption(int labelId) const;
  // The main window's client point that shows what `at` shows here.
  std::optional<QPoint> MainWindowPoint(QPoint at) const;
  void PaintValues(QPainter& painter, const QRect& scale) const;

  CTorvakDlg& window_;
  QString mouseText_;  // "Mausposition"
};
