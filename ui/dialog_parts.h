#pragma once
#include <QImage>

#include "image/memory_picture.h"

class QSlider;
class QWidget;

// What the main window and the smoothing settings dialog both need.

// A memory picture as the painter sees it, without copying its pixels; the
// picture must outlive the image.
QImage SurfaceImage(const MemoryPicture& picture);

// A horizontal trackbar from 0 to maximum without tick marks that pages by a
// fifth of its range, as trackbars do by default.
QSlider* NewTrackbar(int maximum, QWidget* parent);
