#pragma once
#include <QObject>

class PictureModel;
class QLabel;
class QStatusBar;
class QWidget;

// "Isotherme…" (Ctrl+I) in a window's context menu: a band of degrees, or a
// value and the degrees at or above or at or below it, in a small dialog;
// "Isotherme aus" (Ctrl+Shift+I). While one is shown, a note at the right of
// the status line counts its cells.
class IsothermTools : public QObject {
  Q_OBJECT
 public:
  IsothermTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine);

  // "Isotherme…": true when an isotherm was set.
  bool AskIsotherm();

 private:
  QWidget& window_;
  PictureModel& picture_;
  QLabel* note_;
};
