#include "ui/dialog_parts.h"

#include <QSlider>

QImage SurfaceImage(const MemoryPicture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(), picture.Height(),
                picture.Width() * static_cast<int>(sizeof(Colour)), QImage::Format_RGB32);
}

QSlider* NewTrackbar(int maximum, QWidget* parent) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setTickPosition(QSlider::NoTicks);
  bar->setRange(0, maximum);
  bar->setPageStep(maximum / 5);
  return bar;
}
