#pragma once
#include <QString>
#include <optional>

struct DisplayData;

// The webcam still behind the thermal pictures.

// The file the background is read from, with forward slashes: the string
// setting "BACKGROUND" in section "SETTINGS" if set, else Torvak.bmp in the
// system's temporary folder ("C:/temp/Torvak.bmp" on Windows).
QString BackgroundPath();

// Reads the picture at path (any format Qt reads, recognised by content)
// and puts its top-left 640 x 480 pixels, unscaled, into the background
// surface; the rest of the surface is black. A file that is missing, not a
// regular file, too large or not a readable picture leaves the surface
// black; the result is then a German sentence saying why, for the status
// line.
std::optional<QString> LoadBackground(DisplayData& display, const QString& path = BackgroundPath());

// LoadBackground, then the whole background into the composite picture.
std::optional<QString> ShowBackground(DisplayData& display, const QString& path = BackgroundPath());

// A black background, also in the composite picture.
void ClearBackground(DisplayData& display);
