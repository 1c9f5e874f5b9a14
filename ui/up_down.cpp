#include "ui/up_down.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

UpDown::UpDown(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent),
      orientation_(orientation),
      increase_(MakeArrow(orientation == Qt::Vertical ? Qt::UpArrow : Qt::RightArrow, this)),
      decrease_(MakeArrow(orientation == Qt::Vertical ? Qt::DownArrow : Qt::LeftArrow, this)) {
  setFocusPolicy(Qt::StrongFocus);
  connect(increase_, &QToolButton::clicked, this, [this] { Step(+1); });
  connect(decrease_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  SetPosition(position_);
}

void UpDown::SetPosition(int position) {
  const int limited = std::clamp(position, minimum_, maximum_);
  if (limited == position_) return;
  position_ = limited;
  emit positionChanged(position_);
}

void UpDown::DropWaitingSteps() { waitingSteps_.clear(); }

void UpDown::Step(int delta) {
  waitingSteps_.push_back(delta);
  if (!pending_) ProposeNext();
}

void UpDown::Answer(int value, bool accepted) {
  if (!pending_) return;
  pending_ = false;
  if (accepted) SetPosition(value);
  ProposeNext();
}

// A step beyond the range is not proposed: the control stops at its limits.
void UpDown::ProposeNext() {
  while (!waitingSteps_.empty()) {
    const int value = position_ + waitingSteps_.front();
    waitingSteps_.pop_front();
    if (value < minimum_ || value > maximum_) continue;
    pending_ = true;
    emit changeProposed(value);  // may be answered at once
    return;
  }
}

void UpDown::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      Step(+1);
      break;
    case Qt::Key_Down:
    case Qt::Key_Left:
      Step(-1);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void UpDown::resizeEvent(QResizeEvent*) {
  if (orientation_ == Qt::Vertical) {
    const int half = height() / 2;
    increase_->setGeometry(0, 0, width(), half);
    decrease_->setGeometry(0, half, width(), height() - half);
  } else {
    const int half = width() / 2;
    decrease_->setGeometry(0, 0, half, height());
    increase_->setGeometry(half, 0, width() - half, height());
  }
}
