#include "ui/range_controls.h"

#include <QAbstractButton>

#include "image/grid_cell.h"
#include "scan/qt/scan_service.h"
#include "ui/picture_model.h"
#include "ui/torvak_controls.h"
#include "ui/up_down.h"

RangeControls::RangeControls(const QHash<int, QWidget*>& controls, ScanService& scan, PictureModel& picture)
    : controls_(controls), picture_(picture) {
  for (RangeEdge edge : kRangeEdges) {
    connect(Edge(edge), &UpDown::changeProposed, this, [&scan, edge](int value) { scan.ChangeEdge(edge, value); });
  }
  connect(&scan, &ScanService::edgeAnswered, this,
          [this](RangeEdge edge, int value, bool accepted) { Edge(edge)->Answer(value, accepted); });
  connect(&scan, &ScanService::scanRangeChanged, this, &RangeControls::ShowRange);
  connect(qobject_cast<QAbstractButton*>(controls.value(ctl::kRangeReset)), &QAbstractButton::clicked, this,
          [this, &scan] {
            for (RangeEdge edge : kRangeEdges) Edge(edge)->DropWaitingSteps();
            scan.ResetRange();
            Reset();
          });
}

UpDown* RangeControls::Edge(RangeEdge edge) const {
  switch (edge) {
    case RangeEdge::Top:
      return qobject_cast<UpDown*>(controls_.value(ctl::kTopEdge));
    case RangeEdge::Bottom:
      return qobject_cast<UpDown*>(controls_.value(ctl::kBottomEdge));
    case RangeEdge::Left:
      return qobject_cast<UpDown*>(controls_.value(ctl::kLeftEdge));
    case RangeEdge::Right:
      break;
  }
  return qobject_cast<UpDown*>(controls_.value(ctl::kRightEdge));
}

void RangeControls::Reset() {
  Edge(RangeEdge::Left)->SetRange(0, kGridColumns - 1);
  Edge(RangeEdge::Right)->SetRange(0, kGridColumns - 1);
  Edge(RangeEdge::Top)->SetRange(0, kGridRows - 1);
  Edge(RangeEdge::Bottom)->SetRange(0, kGridRows - 1);
  ShowRange(ScanRange{});
}

// The scan's accepted range: the picture's and the positions of the four edge controls.
void RangeControls::ShowRange(const ScanRange& range) {
  picture_.SetScanRange(range);
  for (RangeEdge edge : kRangeEdges) Edge(edge)->SetPosition(range.Edge(edge));
}
