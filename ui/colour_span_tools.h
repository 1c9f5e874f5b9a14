#pragma once
#include <QObject>

class PictureModel;
class QAction;
class QLabel;
class QStatusBar;
class QWidget;

// "Farbbereich" in a window's context menu: "Standard (10–160 °C)",
// "Automatisch" (Ctrl+B) and "Fest…" (two whole degrees in a small dialog,
// Ctrl+Shift+B back to the standard), and a note at the right of the status
// line that names a span other than the standard one, so nobody mistakes it
// for the standard scale.
class ColourSpanTools : public QObject {
  Q_OBJECT
 public:
  ColourSpanTools(QWidget& window, PictureModel& picture, QStatusBar& statusLine);

  // "Fest…": asks for the lowest and highest degree; true when a span was set.
  bool AskFixedSpan();

 private:
  void ShowChoice();

  QWidget& window_;
  PictureModel& picture_;
  QAction* standard_;
  QAction* automatic_;
  QAction* fixed_;
  QLabel* note_;
};
