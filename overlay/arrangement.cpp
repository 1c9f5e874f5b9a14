#include "overlay/arrangement.h"

#include <algorithm>

namespace {

constexpr int kHalfAreaWidth = kPictureWidth / 2;
constexpr int kHalfAreaHeight = kPictureHeight / 2;
constexpr int kMinWidth = 31;
constexpr int kMaxWidth = 1280;
constexpr int kMinHeight = 32;
constexpr int kMaxHeight = 960;

ArrangementBase CaptureBase(const PictureRect& rect) {
  return {rect.x + rect.width / 2 - kHalfAreaWidth, kHalfAreaHeight - rect.y - rect.height / 2, rect.width,
          rect.height};
}

void StartBar(ArrangementBar& bar, int reference, bool proportional) {
  bar.reference = reference;
  bar.proportional = proportional;
  bar.pending = true;
}

}  // namespace

void ResetPictureRects(PictureRect& left, PictureRect& right) {
  left = kStartLeftPicture;
  right = kStartRightPicture;
}

void PlacePicture(PictureRect& rect, int cx, int cy, int w, int h) {
  rect.x = cx - w / 2 + kHalfAreaWidth;
  rect.y = kHalfAreaHeight - h / 2 - cy;
  rect.width = w;
  rect.height = h;
  rect.cellWidth = w / 31.0;
  rect.cellHeight = h * 0.03125;
}

void Arrangement::WidenRange(ArrangementBar& bar, int lo, int hi, int cur) {
  if (bar.proportional) {
    const double q = static_cast<double>(bar.reference) / cur;
    lo = static_cast<int>(lo * q);
    hi = static_cast<int>(hi * q);
  } else {
    lo += bar.reference - cur;
    hi += bar.reference - cur;
  }
  if (bar.pending) {
    bar.minimum = lo;
    bar.maximum = hi;
    bar.pending = false;
  } else {
    // Both pictures selected: the bar may only go where both can follow.
    bar.minimum = std::max(bar.minimum, lo);
    bar.maximum = std::min(bar.maximum, hi);
  }
}

int Arrangement::ReadBar(const ArrangementBar& bar, int a) {
  const int p = bar.reversed ? bar.minimum + bar.maximum - bar.position : bar.position;
  if (bar.proportional) {
    return static_cast<int>(static_cast<double>(p) / bar.reference * a);
  }
  return p - bar.reference + a;
}

void Arrangement::SetUpArrangement(const PictureRect& left, const PictureRect& right) {
  baseLeft_ = CaptureBase(left);
  baseRight_ = CaptureBase(right);
  auto eachSelected = [this](auto widen) {
    if (leftSelected_) widen(baseLeft_, aspectLeft_);
    if (rightSelected_) widen(baseRight_, aspectRight_);
  };

  ArrangementBar& px = bars_[kPositionXBar];
  ArrangementBar& py = bars_[kPositionYBar];
  ArrangementBar& width = bars_[kWidthBar];
  ArrangementBar& height = bars_[kHeightBar];
  StartBar(px, 0, false);
  StartBar(py, 0, false);
  StartBar(width, 100, true);
  StartBar(height, 100, true);
  eachSelected([&](const ArrangementBase& b, double aspect) {
    // A picture may move until it has just left the area on either side.
    WidenRange(px, -kHalfAreaWidth - b.width / 2, kHalfAreaWidth + b.width / 2, b.centreX);
    WidenRange(py, -kHalfAreaHeight - b.height / 2, kHalfAreaHeight + b.height / 2, b.centreY);
    WidenRange(width, kMinWidth, kMaxWidth, b.width);
    if (keepAspect_) {
      // The width bar also drives the height, so it keeps that in range too.
      WidenRange(width, kMinHeight, kMaxHeight, static_cast<int>(b.width * aspect));
    } else {
      WidenRange(height, kMinHeight, kMaxHeight, b.height);
    }
  });

  for (std::size_t i = 0; i < bars_.size(); ++i) {
    ArrangementBar& bar = bars_[i];
    // Two pictures pushed far apart can leave no common range; such a bar
    // stays disabled rather than jump both pictures to an edge. Every bar,
    // enabled or not, reads as "no change" until it is moved.
    bar.enabled = !bar.pending && bar.minimum <= bar.maximum;
    bar.reversed = i == kPositionYBar || i == kHeightBar;
    bar.position = bar.reversed ? bar.minimum + bar.maximum - bar.reference : bar.reference;
  }
}

void Arrangement::ApplyToPicture(PictureRect& rect, ArrangementBase base, bool both) const {
  const int w = ReadBar(bars_[kWidthBar], base.width);
  const int h = ReadBar(bars_[keepAspect_ ? kWidthBar : kHeightBar], base.height);
  // With both pictures selected the pair scales about the centre of the area.
  const double kx = both ? static_cast<double>(w) / base.width : 1.0;
  const double ky = both ? static_cast<double>(h) / base.height : 1.0;
  const int cx = static_cast<int>(ReadBar(bars_[kPositionXBar], base.centreX) * kx);
  const int cy = static_cast<int>(ReadBar(bars_[kPositionYBar], base.centreY) * ky);
  PlacePicture(rect, cx, cy, w, h);
}

void Arrangement::ApplyArrangement(PictureRect& left, PictureRect& right) {
  if (keepAspect_) {
    baseLeft_.height = static_cast<int>(baseLeft_.width * aspectLeft_);
    baseRight_.height = static_cast<int>(baseRight_.width * aspectRight_);
  }
  const bool both = leftSelected_ && rightSelected_;
  if (leftSelected_) {
    ApplyToPicture(left, baseLeft_, both);
  }
  if (rightSelected_) {
    ApplyToPicture(right, baseRight_, both);
  }
}

void Arrangement::StepBar(int code, ArrangementBarIndex index, int draggedPosition, const PictureRect& left) {
  ArrangementBar& bar = bars_[index];
  const bool vertical = index == kPositionYBar || index == kHeightBar;
  if (!bar.enabled) {
    return;  // a disabled bar sends no requests
  }
  const int page = static_cast<int>(vertical ? left.cellHeight : left.cellWidth);
  // A step stops only at the end it moves toward. The neutral thumb of a
  // set-up can lie outside the range; a step from there moves by the step
  // instead of jumping to the far end.
  int& p = bar.position;
  switch (code) {
    case kLineUp: p = std::max(p - stepWidth_, bar.minimum); break;
    case kLineDown: p = std::min(p + stepWidth_, bar.maximum); break;
    case kPageUp: p = std::max(p - page * stepWidth_, bar.minimum); break;
    case kPageDown: p = std::min(p + page * stepWidth_, bar.maximum); break;
    case kThumbPosition:
    case kThumbTrack: p = draggedPosition; break;
    case kToMinimum: p = bar.minimum; break;
    case kToMaximum: p = bar.maximum; break;
    default: break;  // end of scroll: the thumb stays
  }
}

void Arrangement::SetKeepAspect(bool checked, const PictureRect& left, const PictureRect& right) {
  keepAspect_ = checked;
  aspectLeft_ = static_cast<double>(left.height) / left.width;
  aspectRight_ = static_cast<double>(right.height) / right.width;
  SetUpArrangement(left, right);
}

void Arrangement::Reset(PictureRect& left, PictureRect& right) {
  ResetPictureRects(left, right);
  SetUpArrangement(left, right);
}
