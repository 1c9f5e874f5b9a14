#pragma once
#include <QRect>
#include <QString>
#include <QWidget>

class PictureModel;

// "Großbild", for a projector: the picture model's picture area (the
// thermal pictures over the background, frames and measuring points),
// scaled to fill a window of its own with its aspect kept, and beside it the
// colour scale and the values Max, Min, Umgebung and Mausposition in large
// type, and the measuring points' values beside the scale. It is painted anew whenever the model changes; the temperature under
// the mouse is read from the model at the same place of the picture. F11
// turns full screen on and off, Esc leaves it (and closes the window when it
// is not full screen).
class LargePictureWindow : public QWidget {
  Q_OBJECT
 public:
  // parent: the window it belongs to (it is a window of its own).
  LargePictureWindow(const PictureModel& model, QWidget* parent);

  void ToggleFullScreen();
  // Where the 640 x 480 picture area and the colour scale are drawn now.
  QRect PictureRect() const { return pictureRect_; }
  QRect ScaleRect() const { return scaleRect_; }
  // The temperature under the mouse, as shown beside "Mausposition:".
  const QString& MouseText() const { return mouseText_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The type size and the places of picture and scale, for the window's size.
  void LayOut();
  void PaintValues(QPainter& painter) const;
  // Each point's number in its marker's colour and what it reads, right of the scale.
  void PaintPoints(QPainter& painter) const;

  const PictureModel& model_;
  int sideWidth_ = 0;
  int fontPixels_ = 0;
  int pointFontPixels_ = 0;  // the points' lines fit beside the scale
  QRect pictureRect_;
  QRect scaleRect_;
  QString mouseText_;  // "Mausposition"
};
