#pragma once
#include <QObject>

class PictureModel;
class QLabel;
class QStatusBar;
class QWidget;

// "Emissionsgrad…" (Ctrl+E) in a window's context menu: the picture's
// emissivity, the reflected temperature (the ambient reading or a value) and
// an emissivity of its own for each point and area, with typical values to
// choose from. While anything is corrected, a note at the right of the
// status line says with what.
class EmissivityTools : public QObject {
  Q_OBJECT
 public:
  EmissivityTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine);

  // "Emissionsgrad…": true when the choice was taken.
  bool AskEmissivity();

 private:
  QWidget& window_;
  PictureModel& picture_;
  QLabel* note_;
};
