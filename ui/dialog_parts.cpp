#include "ui/dialog_parts.h"

#include <QSlider>

QSlider* NewTrackbar(int maximum, QWidget* parent) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setTickPosition(QSlider::NoTicks);
  bar->setRange(0, maximum);
  bar->setPageStep(maximum / 5);
  return bar;
}
