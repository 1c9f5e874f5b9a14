#pragma once
#include <QImage>

#include "image/memory_picture.h"

// A memory picture as Qt's painter and writers see it, without copying its
// pixels (they have the layout of QImage::Format_RGB32); the picture must
// outlive the image.
QImage SurfaceImage(const MemoryPicture& picture);
