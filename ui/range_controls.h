#pragma once
#include <QHash>
#include <QObject>

#include "image/scan_range.h"

class PictureModel;
class QWidget;
class ScanService;
class UpDown;

// The group "Messbereich verkleinern": each edge's arrows propose a step to
// the scan, and an edge moves only when the scan accepts it, at the moment
// it applies it; "Reset" brings back the full range. The range the scan
// applies is framed in the picture.
class RangeControls : public QObject {
  Q_OBJECT
 public:
  // controls: the window's controls by ID.
  RangeControls(const QHash<int, QWidget*>& controls, ScanService& scan, PictureModel& picture);

  // Limits and positions as at start-up: the full range.
  void Reset();

 private:
  UpDown* Edge(RangeEdge edge) const;
  void ShowRange(const ScanRange& range);

  const QHash<int, QWidget*>& controls_;
  PictureModel& picture_;
};
