#include "ui/torvak_layout.h"

#include "ui/torvak_controls.h"

namespace {

// The buttons of "Webcam" and the group "COM-Port" below it were placed
// partly in dialog units, 1.25 pixels down each; the distances keep the
// whole pixels that conversion cut them off to (15 units: 18 pixels).
constexpr int DialogUnitsDown(int units) { return units * 5 / 4; }

LayoutGrid MakeGrid(const WindowLayout& l) {
  LayoutGrid g;
  g.panel = ToRect(l.panelArea);
  g.left = l.panelArea.left;
  g.top = l.panelArea.top + kTabRowHeight;
  g.width = l.panelArea.Width();
  g.height = l.panelArea.Height() - kTabRowHeight;
  g.right = g.left + g.width;
  g.rowUnit = (g.height - 60) / 10;
  g.groupLeft = g.left + 15;
  g.groupWidth = g.width - 30;
  g.groupTop = g.top + 15;
  g.controlLeft = g.left + 35;
  g.controlWidth = g.width - 70;
  g.firstRow = g.top + 51;
  g.rangeGroupTop = g.top + 3 * g.rowUnit + 30;
  g.returnGroupTop = g.top + 7 * g.rowUnit + 45;
  g.sideArrowsTop = g.rangeGroupTop + 6 + (4 * g.rowUnit - 16) / 2;
  g.returnBoxHeight = (3 * g.rowUnit - 16) / 2;
  g.saveGroupTop = g.rangeGroupTop + 80;
  g.barLength = (g.width - 85) / 2;
  g.middleButtonTop = g.firstRow + DialogUnitsDown(15);
  g.loadButtonTop = g.firstRow + DialogUnitsDown(95);
  g.portGroupTop = g.top + 91 + DialogUnitsDown(115) + 25 + 15;
  g.readouts = ToRect(l.readoutArea);
  g.readoutLeft = l.readoutArea.left + 10;
  g.readoutWidth = l.readoutArea.Width() - 20;
  g.readoutTop = l.readoutArea.top;
  g.readoutBottom = l.readoutArea.bottom;
  return g;
}

// Which controls lie below which: tab controls, then group boxes, then the
// rest. The pages lie on their tab control and each control above the group
// around it, which would otherwise take its clicks; a group inside another
// comes later in the table, so it lies above the outer one's shaded inside.
int Layer(ControlKind kind) {
  switch (kind) {
    case ControlKind::TabWidget:
      return 0;
    case ControlKind::GroupBox:
      return 1;
    default:
      return 2;
  }
}

// The placed controls bottom to top; within a layer in table order.
std::vector<Placement> PlaceControls(const LayoutGrid& grid) {
  std::vector<Placement> placements;
  for (int layer = 0; layer <= 2; ++layer) {
    for (const ControlEntry& entry : kControls) {
      if (entry.place != nullptr && Layer(entry.kind) == layer) {
        placements.push_back({entry.id, entry.place(grid)});
      }
    }
  }
  return placements;
}

}  // namespace

QRect ToRect(const Area& area) { return QRect(area.left, area.top, area.Width(), area.Height()); }

WindowLayout ComputeWindowLayout() {
  WindowLayout l;
  l.marginX = 10;
  l.marginY = 10;
  l.panelArea = {10, 10, 270, 490};
  const int pictureLeft = l.panelArea.right + 2 * l.marginX - l.panelArea.left;
  l.pictureArea = {pictureLeft, l.marginY, pictureLeft + kPictureWidth, l.marginY + kPictureHeight};
  const int readoutLeft = l.pictureArea.right + l.marginX;
  l.readoutArea = {readoutLeft, l.marginY, readoutLeft + 90, l.panelArea.Height() + l.marginY};
  const int scaleLeft = l.readoutArea.left + 10;
  const int scaleTop = l.readoutArea.top + 60;
  l.scaleArea = {scaleLeft, scaleTop, scaleLeft + 30, scaleTop + 300};
  l.placements = PlaceControls(MakeGrid(l));

  // The status line goes below the areas and their margins.
  const int clientWidth = l.readoutArea.right + l.marginX;
  const int areasHeight = l.panelArea.bottom + l.marginY;
  l.statusLine = QRect(0, areasHeight, clientWidth, kStatusLineHeight);
  l.clientSize = QSize(clientWidth, areasHeight + kStatusLineHeight);
  return l;
}
