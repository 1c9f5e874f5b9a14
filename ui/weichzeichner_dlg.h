#pragma once
#include <QDialog>

#include "image/smoothing_preview.h"
#include "image/smoothing_settings.h"

class PictureModel;
class QLabel;
class QLineEdit;
class QSlider;

// "Weichzeichner-Einstellungen": the half-width and radius of the smoothing,
// set with trackbars, with a live preview of a 5 x 5 block of measured pixels
// of a chosen temperature and the same block smoothed. One object lives with
// the main window and is run again for every "Edit", so the preview keeps its
// pictures between runs.
class CWeichzeichnerDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CWeichzeichnerDlg(QWidget* parent = nullptr);

  // Takes the image's current settings and colour scale for the next run,
  // with the preview temperature at 80.
  void Prepare(const ThermalImage& image);

  const SmoothingSettings& Settings() const { return settings_; }
  const SmoothingPreview& Preview() const { return preview_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void TakeTrackbarPositions();
  void WriteControls();
  void RedrawPreview();
  QRect PreviewRect(const QWidget* placeholder) const;

  SmoothingSettings settings_;
  const ThermalImage* image_ = nullptr;
  SmoothingPreview preview_;

  QSlider* halfWidthBar_;
  QSlider* radiusBar_;
  QSlider* temperatureBar_;
  QLineEdit* halfWidthEdit_;
  QLineEdit* radiusEdit_;
  QLineEdit* temperatureEdit_;
  QLabel* measuredPlaceholder_;
  QLabel* smoothedPlaceholder_;
};

// Runs the dialog with the picture's smoothing settings; only on "OK" gives
// them to the picture.
void EditSmoothingSettings(CWeichzeichnerDlg& dialog, PictureModel& picture);
