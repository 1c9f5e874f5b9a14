#include "ui/torvak_layout.h"

QRect ToRect(const Area& area) { return QRect(area.left, area.top, area.Width(), area.Height()); }

std::vector<Placement> LayOutPanel(int x0, int y0, int W, int H) {
  const int g = (H - 60) / 10;
  const int G = x0 + 15;  // left edge of the group boxes
  const int GW = W - 30;  // their width
  const int L = x0 + 35;  // left edge of the controls inside the groups
  const int A = y0 + 15;  // top of the first group of every page
  const int m = y0 + 51;
  const int o = y0 + 3 * g + 30;
  const int r = y0 + 7 * g + 45;
  const int p = o + 80;
  const int t = o + 6 + (4 * g - 16) / 2;
  const int v = (3 * g - 16) / 2;
  const int w = (W - 85) / 2;
  const int c = static_cast<int>(y0 + 91 + 143.75 + 25 + 15);
  const int middleY = static_cast<int>(y0 + 51 + 18.75);
  const int loadY = static_cast<int>(y0 + 51 + 118.75);

  std::vector<Placement> p0{
      // "Kamera"
      {1034, {G, A, GW, 3 * g}},
      {1020, {L, m, 75, 25}},
      {1021, {x0 + W - 110, m, 75, 25}},
      {1023, {L, y0 + 3 * g - 30, 75, 25}},
      {1035, {G, o, GW, 4 * g}},
      {1025, {x0 + 102, o + 36, 20, 20}},
      {1026, {x0 + 102, o + 4 * g - 40, 20, 20}},
      {1027, {L, t, 20, 20}},
      {1028, {x0 + 170, t, 20, 20}},
      {1038, {x0 + 75, o + 60, 75, 4 * g - 120}},
      {1029, {x0 + W - 110, o + 4 * g - 45, 75, 25}},
      {1036, {G, r, GW, 3 * g}},
      {1030, {L, r + 16, W - 70, v}},
      {1031, {L, r + 3 * g - v, W - 70, v}},
      // "Wärmebild"
      {1065, {G, A, GW, 3 * g + 80}},
      {1070, {L, y0 + 36, 80, 20}},
      {1071, {L, y0 + 56, 80, 20}},
      {1081, {x0 + W - 130, y0 + 26, 112, 25}},
      {1080, {x0 + W - 115, m, 95, 35}},
      {1072, {L, m + 40, w, 20}},
      {1073, {x0 + 20, m + 60, 20, w}},
      {1074, {x0 + W - w - 40, m + 60, 20, w}},
      {1079, {x0 + W - w - 20, m + 40, w, 20}},
      {1076, {x0 + 65, m + 80, 60, 20}},
      {1077, {x0 + W - 85, m + 80, 60, 20}},
      {1069, {G, p, GW, 3 * g + 100}},
      {1084, {L, p + 20, 80, 25}},
      {1085, {x0 + 115, p + 20, 90, 25}},
      {1087, {x0 + 205, p + 20, 30, 25}},
      {1082, {L, p + 60, 150, 25}},
      {1024, {L, p + 90, 150, 25}},
      {1054, {L, p + 160, W - 70, 40}},
      {1022, {L, p + 180, W - 110, 20}},
      {1086, {L, p + 130, W - 110, 20}},
      // "Einstellungen"
      {1044, {G, A, GW, 244}},
      {1051, {L, m, W - 70, 15}},
      {1052, {L, y0 + 101, W - 70, 15}},
      {1053, {L, y0 + 151, W - 70, 15}},
      {1049, {x0 + 47, middleY, 75, 25}},
      {1055, {x0 + 47, y0 + 126, W - 80, 15}},
      {1050, {x0 + 47, loadY, 75, 25}},
      {1068, {x0 + 127, loadY, 99, 25}},
      {1056, {G, c, GW, H - c - 15}},
  };
  for (int k = 1; k <= 4; ++k) p0.push_back({1056 + k, {L, c + 25 * k, 60, 20}});
  for (int k = 1; k <= 4; ++k) p0.push_back({1060 + k, {x0 + 135, c + 25 * k, 60, 20}});
  return p0;
}

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

  l.placements.push_back({1019, ToRect(l.panelArea)});
  const std::vector<Placement> panel = LayOutPanel(l.panelArea.left, l.panelArea.top + kTabRowHeight,
                                                   l.panelArea.Width(), l.panelArea.Height() - kTabRowHeight);
  l.placements.insert(l.placements.end(), panel.begin(), panel.end());
  l.placements.push_back({1043, ToRect(l.readoutArea)});

  const int x = l.readoutArea.left + 10;
  const int width = l.readoutArea.Width() - 20;
  const int T = l.readoutArea.top;
  const int B = l.readoutArea.bottom;
  constexpr int kLabel = 15;
  constexpr int kEdit = 20;
  const Placement readouts[] = {
      {1045, {x, T + 21, width, kLabel}},  {1039, {x, T + 36, width, kEdit}},
      {1046, {x, B - 115, width, kLabel}}, {1040, {x, B - 100, width, kEdit}},
      {1047, {x, B - 80, width, kLabel}},  {1041, {x, B - 65, width, kEdit}},
      {1048, {x, B - 45, width, kLabel}},  {1042, {x, B - 30, width, kEdit}},
  };
  l.placements.insert(l.placements.end(), std::begin(readouts), std::end(readouts));

  // The client of a 1035 x 528 window on Windows (5-pixel frame, 28-pixel
  // caption), here with the status line below it.
  const int clientWidth = l.readoutArea.right + l.marginX;
  const int areasHeight = l.panelArea.bottom + l.marginY;
  l.statusLine = QRect(0, areasHeight, clientWidth, kStatusLineHeight);
  l.clientSize = QSize(clientWidth, areasHeight + kStatusLineHeight);
  return l;
}
