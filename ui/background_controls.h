#pragma once
#include <QHash>
#include <QObject>
#include <QString>

#include "overlay/background.h"

class PictureModel;
class QWidget;

// The background commands of the window: "Bild Laden" (the webcam still),
// "Hintergrundbild sichtbar", "Bild Ausblenden" and "Hintergrundbild
// wählen…", with the label that names the file and a sentence for the
// status line about each file read.
class BackgroundControls : public QObject {
  Q_OBJECT
 public:
  // controls: the window's controls by ID.
  BackgroundControls(const QHash<int, QWidget*>& controls, PictureModel& picture);

  // Shows the picture file scaled to the picture area and, if it could be
  // shown, makes it the "BACKGROUND" setting.
  void Choose(const QString& path);
  // The label names the file the background is read from.
  void ShowPathLabel();

 signals:
  void statusMessage(const QString& text);

 private:
  // A file that cannot be read leaves the background black and says why; one
  // that ends early shows the rows it has and says that it is incomplete.
  void Tell(const BackgroundLoad& load, const QString& path);
  void CheckVisible();

  const QHash<int, QWidget*>& controls_;
  PictureModel& picture_;
};
