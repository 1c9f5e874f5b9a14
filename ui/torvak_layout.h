#pragma once
#include <QRect>
#include <QSize>
#include <vector>

#include "image/display.h"

// Where one control goes, in client pixels.
struct Placement {
  int id;
  QRect rect;
};

// The page controls inside the panel whose page area starts at (x0, y0),
// in placement order (later ones lie above earlier ones).
std::vector<Placement> LayOutPanel(int x0, int y0, int width, int height);

// The whole window: its areas and every placed control, in placement order:
// the tab control 1019, the panel, the tab control 1043, the readouts.
struct WindowLayout {
  int marginX = 0;
  int marginY = 0;
  Area panelArea;
  Area pictureArea;
  Area readoutArea;
  Area scaleArea;
  std::vector<Placement> placements;
  // The status line under the areas: full width, kStatusLineHeight high.
  QRect statusLine;
  // The fixed client size: the areas with their margins and the status line.
  QSize clientSize;
};

inline constexpr int kStatusLineHeight = 22;
// The tab row of the panel's tab control: its pages start this far below its top.
inline constexpr int kTabRowHeight = 21;

WindowLayout ComputeWindowLayout();

// An area of the client as Qt's rectangle.
QRect ToRect(const Area& area);
