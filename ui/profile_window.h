#pragma once
#include <QWidget>
#include <functional>

class PictureModel;
class QChart;
class QLabel;
class QTimer;

// "Linienprofil": a tool window beside the main window that plots the
// temperature along the picture model's line against the place along it
// (cells), the live profile in full and the earlier ones kept fainter, older
// ones fainter still, each named by its time; "Speichern…" writes them all
// as CSV. It redraws at most four times a second while it is visible.
class ProfileWindow : public QWidget {
  Q_OBJECT
 public:
  // Asks where to save; empty when cancelled.
  using PathChooser = std::function<QString(QWidget*)>;
  ProfileWindow(PictureModel& picture, QWidget* parent, PathChooser choosePath = {});

  // Writes the profiles; false when cancelled or refused (the reason in a message box).
  bool Save();
  // True when no kept profile would be lost, or the user saved or let them go.
  bool ConfirmDiscard();
  const QChart& Chart() const { return *chart_; }

 private:
  void Redraw();

  PictureModel& picture_;
  PathChooser choosePath_;
  QChart* chart_;
  QLabel* saved_;
  QTimer* timer_;
  bool stale_ = true;
};
