#include "ui/arrangement_bars.h"

#include <QAbstractButton>
#include <QScrollBar>

#include "ui/picture_model.h"
#include "ui/torvak_controls.h"
#include "ui/up_down.h"

namespace {

// The model's code for a scroll bar action; kEndScroll for none.
int ScrollCodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return kLineUp;
    case QAbstractSlider::SliderSingleStepAdd: return kLineDown;
    case QAbstractSlider::SliderPageStepSub: return kPageUp;
    case QAbstractSlider::SliderPageStepAdd: return kPageDown;
    case QAbstractSlider::SliderMove: return kThumbTrack;
    case QAbstractSlider::SliderToMinimum: return kToMinimum;
    case QAbstractSlider::SliderToMaximum: return kToMaximum;
    default: return kEndScroll;
  }
}

}  // namespace

ArrangementBars::ArrangementBars(const QHash<int, QWidget*>& controls, PictureModel& picture)
    : leftBox_(qobject_cast<QAbstractButton*>(controls.value(ctl::kLeftPicture))),
      rightBox_(qobject_cast<QAbstractButton*>(controls.value(ctl::kRightPicture))),
      stepWidth_(qobject_cast<UpDown*>(controls.value(ctl::kStepWidthUpDown))),
      picture_(picture) {
  stepWidth_->SetRange(1, 24);  // hidden: the step stays 1
  stepWidth_->SetPosition(1);
  bars_[kPositionXBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarPositionX));
  bars_[kPositionYBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarPositionY));
  bars_[kWidthBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarWidth));
  bars_[kHeightBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarHeight));
  for (int index = 0; index < static_cast<int>(bars_.size()); ++index) {
    connect(bars_[index], &QAbstractSlider::actionTriggered, this,
            [this, index](int action) { OnAction(static_cast<ArrangementBarIndex>(index), action); });
  }
  connect(leftBox_, &QAbstractButton::clicked, this, &ArrangementBars::SetUp);
  connect(rightBox_, &QAbstractButton::clicked, this, &ArrangementBars::SetUp);
  connect(qobject_cast<QAbstractButton*>(controls.value(ctl::kKeepAspect)), &QAbstractButton::clicked, this,
          &ArrangementBars::OnKeepAspect);
  connect(qobject_cast<QAbstractButton*>(controls.value(ctl::kArrangementReset)), &QAbstractButton::clicked,
          this, &ArrangementBars::OnReset);
}

void ArrangementBars::SetUp() {
  ReadControls();
  const DisplayData& display = picture_.Display();
  model_.SetUpArrangement(display.leftPicture, display.rightPicture);
  ShowBars();
}

template <class Change>
void ArrangementBars::Place(Change change) {
  PictureRect left = picture_.Display().leftPicture;
  PictureRect right = picture_.Display().rightPicture;
  change(left, right);
  picture_.PlacePictures(left, right);
}

// Emitted by the scroll bar after it has moved its thumb for the action and
// before it takes the position as its value: the model's position replaces it.
// A neutral thumb outside the range is shown at the nearer end, but the next
// arrow or trough click steps from the model's position, not from the shown one.
void ArrangementBars::OnAction(ArrangementBarIndex index, int action) {
  QScrollBar* bar = bars_[index];
  model_.StepBar(ScrollCodeOf(action), index, bar->sliderPosition(), picture_.Display().leftPicture);
  bar->setSliderPosition(model_.Bar(index).position);
  ReadControls();
  Place([this](PictureRect& left, PictureRect& right) { model_.ApplyArrangement(left, right); });
}

void ArrangementBars::OnKeepAspect(bool checked) {
  ReadControls();
  const DisplayData& display = picture_.Display();
  model_.SetKeepAspect(checked, display.leftPicture, display.rightPicture);
  ShowBars();
}

void ArrangementBars::OnReset() {
  ReadControls();
  Place([this](PictureRect& left, PictureRect& right) { model_.Reset(left, right); });
  ShowBars();
}

void ArrangementBars::ReadControls() {
  model_.SelectPictures(leftBox_->isChecked(), rightBox_->isChecked());
  model_.SetStepWidth(stepWidth_->Position());
}

// A disabled bar keeps its last range and thumb, as it is drawn greyed.
void ArrangementBars::ShowBars() {
  for (ArrangementBarIndex index : {kPositionXBar, kPositionYBar, kWidthBar, kHeightBar}) {
    const ArrangementBar& model = model_.Bar(index);
    QScrollBar* bar = bars_[index];
    bar->setEnabled(model.enabled);
    if (model.enabled) {
      bar->setRange(model.minimum, model.maximum);
      bar->setValue(model.position);
    }
  }
}
