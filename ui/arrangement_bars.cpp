#include "ui/arrangement_bars.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QScrollBar>

#include "image/composer.h"
#include "image/display.h"
#include "ui/torvak_controls.h"

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

bool IsVertical(int index) { return index == kPositionYBar || index == kHeightBar; }

}  // namespace

ArrangementBars::ArrangementBars(const QHash<int, QWidget*>& controls, DisplayData& display,
                                 const ThermalImage& image, QObject* parent)
    : QObject(parent),
      leftBox_(qobject_cast<QAbstractButton*>(controls.value(ctl::kLeftPicture))),
      rightBox_(qobject_cast<QAbstractButton*>(controls.value(ctl::kRightPicture))),
      stepWidthEdit_(qobject_cast<QLineEdit*>(controls.value(ctl::kStepWidthEdit))),
      display_(display),
      image_(image) {
  bars_[kPositionXBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarPositionX));
  bars_[kPositionYBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarPositionY));
  bars_[kWidthBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarWidth));
  bars_[kHeightBar] = qobject_cast<QScrollBar*>(controls.value(ctl::kBarHeight));
  for (int index = 0; index < static_cast<int>(bars_.size()); ++index) {
    connect(bars_[index], &QAbstractSlider::actionTriggered, this,
            [this, index](int action) { OnAction(index, action); });
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
  model_.SetUpArrangement(display_.leftPicture, display_.rightPicture);
  ShowBars();
}

// Emitted by the scroll bar after it has moved its thumb for the action and
// before it takes the position as its value: the model's position replaces it.
// A neutral thumb outside the range is shown at the nearer end, but the next
// arrow or trough click steps from the model's position, not from the shown one.
void ArrangementBars::OnAction(int index, int action) {
  QScrollBar* bar = bars_[index];
  ArrangementBar& model = model_.bars[index];
  model_.StepBar(ScrollCodeOf(action), model, IsVertical(index), bar->sliderPosition(), display_.leftPicture);
  bar->setSliderPosition(model.position);
  ReadControls();
  model_.ApplyArrangement(display_.leftPicture, display_.rightPicture);
  Compose();
}

void ArrangementBars::OnKeepAspect(bool checked) {
  ReadControls();
  model_.SetKeepAspect(checked, display_.leftPicture, display_.rightPicture);
  ShowBars();
}

void ArrangementBars::OnReset() {
  ReadControls();
  model_.Reset(display_.leftPicture, display_.rightPicture);
  ShowBars();
  Compose();
}

void ArrangementBars::ReadControls() {
  model_.leftSelected = leftBox_->isChecked();
  model_.rightSelected = rightBox_->isChecked();
  bool isNumber = false;
  const int stepWidth = stepWidthEdit_->text().toInt(&isNumber);
  if (isNumber) {
    model_.stepWidth = stepWidth;  // the hidden edit only ever holds its up-down's position
  }
}

// A disabled bar keeps its last range and thumb, as it is drawn greyed.
void ArrangementBars::ShowBars() {
  for (std::size_t index = 0; index < bars_.size(); ++index) {
    const ArrangementBar& model = model_.bars[index];
    QScrollBar* bar = bars_[index];
    bar->setEnabled(model.enabled);
    if (model.enabled) {
      bar->setRange(model.minimum, model.maximum);
      bar->setValue(model.position);
    }
  }
}

void ArrangementBars::Compose() {
  BuildLayerMap(display_, image_);
  emit repaintRequested();
}
