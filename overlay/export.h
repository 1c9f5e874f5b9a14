#pragma once
#include <QImage>
#include <QString>
#include <optional>

#include "image/thermal_image.h"
#include "overlay/measurements.h"

// The saved screenshot: the 640 x 480 picture area and, right of it, a
// 100 x 480 strip of the window with the colour scale.
inline constexpr int kStripWidth = 100;
inline constexpr int kExportWidth = kPictureWidth + kStripWidth;
inline constexpr int kExportHeight = kPictureHeight;

// The 740 x 480 screenshot: the 640 x 480 picture on the left, the strip
// that the window grabbed beside the picture area on the right (drawn into
// its 100 x 480 place, so a strip grabbed at a higher pixel ratio fits).
QImage AssembleScreenshot(const QImage& picture, const QImage& strip);

// Writes the picture in the format that the path's extension names,
// regardless of case (.bmp, .png, .jpg, ... as Qt can write them); a name
// without an extension or with one that no format has writes nothing.
// Atomic as WriteFileAtomically; on failure a translated sentence naming the
// file and the reason.
std::optional<QString> SaveImageFile(const QString& path, const QImage& picture);

// The save command's file: measured values for a .csv name, else the picture.
std::optional<QString> SaveExport(const QString& path, const QImage& picture, const Measurements& data);
