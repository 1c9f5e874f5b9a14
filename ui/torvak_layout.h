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

// The named quantities the control table places its controls with, computed
// once from the window's areas.
struct LayoutGrid {
  // The panel's tab control and the page area below its tab row.
  QRect panel;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right = 0;  // left + width
  // A tenth of the page height less its margins: the groups of "Kamera" and
  // "Wärmebild" are multiples of it high.
  int rowUnit = 0;
  int groupLeft = 0;     // the left edge of the group boxes
  int groupWidth = 0;    // their width
  int groupTop = 0;      // the top of each page's first group
  int controlLeft = 0;   // the left edge of the controls inside the groups
  int controlWidth = 0;  // the width of a control that spans its group
  int firstRow = 0;      // the top of the first row of controls in the first group
  // "Kamera": the groups "Messbereich verkleinern" and "Rücklauf", the row of
  // the left and right arrows, and the height of a check box of "Rücklauf".
  int rangeGroupTop = 0;
  int returnGroupTop = 0;
  int sideArrowsTop = 0;
  int returnBoxHeight = 0;
  // "Wärmebild": the group "Speichern" and the length of the scroll bars of "Anordnung".
  int saveGroupTop = 0;
  int barLength = 0;
  // "Einstellungen": the buttons of "Webcam" and the group "COM-Port".
  int middleButtonTop = 0;
  int loadButtonTop = 0;
  int portGroupTop = 0;
  // The readout column: its tab control, and the labels and fields inside.
  QRect readouts;
  int readoutLeft = 0;
  int readoutWidth = 0;
  int readoutTop = 0;
  int readoutBottom = 0;
};

// The whole window: its areas and every placed control, bottom to top.
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
