#pragma once
#include <QDialog>

#include "image/smoothing_preview.h"

class QLabel;
class QLineEdit;
class QSlider;
struct DisplayData;
class ThermalImage;

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

  double HalfWidth() const { return halfWidth_; }
  double Radius() const { return radius_; }
  int Temperature() const { return temperature_; }
  const SmoothingPreview& Preview() const { return preview_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnHScroll();
  void ReadControls();
  void WriteControls();
  void RedrawPreview();
  QRect PreviewRect(const QWidget* placeholder) const;

  int halfWidthPos_ = 0;
  double halfWidth_ = 0.0;
  int radiusPos_ = 0;
  double radius_ = 0.0;
  int temperaturePos_ = 0;
  int temperature_ = 0;
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

// Runs the dialog with the image's smoothing settings; only on "OK" applies
// the new half-width and radius (truncated to whole pixels), rebuilds the
// smoothed pictures and the layer map, and returns true. The caller repaints
// the picture only then.
bool ApplySmoothingSettings(CWeichzeichnerDlg& dialog, ThermalImage& image, DisplayData& display);
