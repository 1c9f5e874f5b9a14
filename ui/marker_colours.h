#pragma once
#include <QColor>
#include <array>
#include <cstddef>

// The colour of measuring point pointIndex (0..3; further indices repeat the
// four), the same for its marker on the thermal picture and its line in the
// plot. The picture's scale runs through full-strength blue, green, yellow,
// orange, red, magenta and purple (and black, white and grey have meanings of
// their own), so the markers use what the scale never shows: a light sky
// blue, a violet between blue and magenta, a brown and a dark slate. All four
// are dark enough to read as lines on a white chart as well.
inline QColor MarkerColour(std::size_t pointIndex) {
  static const std::array<QColor, 4> kColours{QColor(0, 190, 255), QColor(140, 80, 255), QColor(150, 75, 20),
                                              QColor(45, 60, 80)};
  return kColours[pointIndex % kColours.size()];
}

// The colour of measuring area areaIndex (0..3; further indices repeat): light
// colours with no channel at 0 and no two channels equal, so neither scale
// (each of its colours has a channel at 0 or two equal) draws them.
inline QColor AreaColour(std::size_t areaIndex) {
  static const std::array<QColor, 4> kColours{QColor(255, 200, 80), QColor(120, 255, 160), QColor(255, 130, 200),
                                              QColor(200, 180, 60)};
  return kColours[areaIndex % kColours.size()];
}
