#include "overlay/surface_image.h"

QImage SurfaceImage(const MemoryPicture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(), picture.Height(),
                picture.Width() * static_cast<qsizetype>(sizeof(Colour)), QImage::Format_RGB32);
}
