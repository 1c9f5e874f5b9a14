#pragma once
#include <array>

#include "image/display.h"

// Placement of the two thermal pictures by the group "Anordnung": two
// position bars and two size bars that act on the pictures checked under
// "Linkes Bild" and "Rechtes Bild". The bars are plain records here; the
// window mirrors each one onto its scroll bar (range, position, enabled).

// One scroll bar of the group. Its value means a change relative to the base
// captured by the last set-up: an offset (position bars) or a percentage
// (size bars).
struct ArrangementBar {
  int reference = 0;          // the value that means no change
  bool proportional = false;  // value is a percentage of the base, not an offset
  int minimum = 0;
  int maximum = 0;
  bool pending = true;    // set-up has not yet given this bar a range
  bool reversed = false;  // vertical bar whose value grows as the thumb moves up
  bool enabled = true;
  int position = 0;  // thumb position
};

// A picture's centre relative to the centre of the area (x to the right,
// y upward) and its size, as captured by a set-up.
struct ArrangementBase {
  int centreX = 0;
  int centreY = 0;
  int width = 0;
  int height = 0;
};

enum ArrangementBarIndex { kPositionXBar = 0, kPositionYBar = 1, kWidthBar = 2, kHeightBar = 3 };

// Scroll requests, numbered as the classic scroll codes. A vertical bar's
// minimum is at its top, so "up" lowers the thumb position. The window maps
// its scroll bar's actions onto these: single step sub/add -> kLineUp/kLineDown,
// page step sub/add -> kPageUp/kPageDown, slider move -> kThumbTrack (with the
// dragged position), to minimum/maximum -> kToMinimum/kToMaximum.
enum ScrollCode : int {
  kLineUp = 0,
  kLineDown = 1,
  kPageUp = 2,
  kPageDown = 3,
  kThumbPosition = 4,
  kThumbTrack = 5,
  kToMinimum = 6,
  kToMaximum = 7,
  kEndScroll = 8,
};

// Sets both pictures to the start layout.
void ResetPictureRects(PictureRect& left, PictureRect& right);

// Places a picture of size w x h with its centre at (cx, cy) relative to the
// centre of the area (cy upward).
void PlacePicture(PictureRect& rect, int cx, int cy, int w, int h);

// The model of the group. SetUpArrangement must run before the bars are used.
class Arrangement {
 public:
  // Adds the allowed range lo..hi of one picture, whose base value is cur, to a bar.
  static void WidenRange(ArrangementBar& bar, int lo, int hi, int cur);
  // The bar's value applied to the base value a.
  static int ReadBar(const ArrangementBar& bar, int a);

  // Captures the bases of both pictures and gives the bars their ranges and
  // neutral thumbs; a bar without a range is disabled.
  void SetUpArrangement(const PictureRect& left, const PictureRect& right);
  // Recomputes the rectangles of the selected pictures from the bars. The
  // window then runs the composition step (BuildLayerMap).
  void ApplyArrangement(PictureRect& left, PictureRect& right);
  // Moves one bar for a scroll request. Line and page steps stop only at the
  // end they move toward; a dragged thumb goes where it is dragged. Page steps
  // take the left picture's cell size, whichever pictures are selected.
  void StepBar(int code, ArrangementBarIndex index, int draggedPosition, const PictureRect& left);

  // "Seitenverhältnis beibehalten" toggled: captures both aspects, then sets up.
  void SetKeepAspect(bool checked, const PictureRect& left, const PictureRect& right);
  // "Reset auf Startwerte": the start layout and a new set-up; the check
  // boxes and the captured aspects stay. The window then runs the composition step.
  void Reset(PictureRect& left, PictureRect& right);
  // "Linkes Bild" and "Rechtes Bild": the pictures the bars act on.
  void SelectPictures(bool left, bool right) {
    leftSelected_ = left;
    rightSelected_ = right;
  }
  bool LeftSelected() const { return leftSelected_; }
  bool RightSelected() const { return rightSelected_; }
  // Line and page steps move by this many units.
  void SetStepWidth(int stepWidth) { stepWidth_ = stepWidth; }
  const ArrangementBar& Bar(ArrangementBarIndex index) const { return bars_[index]; }

 private:
  void ApplyToPicture(PictureRect& rect, ArrangementBase base, bool both) const;

  std::array<ArrangementBar, 4> bars_;  // indexed by ArrangementBarIndex
  bool leftSelected_ = true;
  bool rightSelected_ = true;
  bool keepAspect_ = false;
  double aspectLeft_ = 0.0;  // height / width, captured when keepAspect toggles
  double aspectRight_ = 0.0;
  int stepWidth_ = 1;
  ArrangementBase baseLeft_;
  ArrangementBase baseRight_;
};
