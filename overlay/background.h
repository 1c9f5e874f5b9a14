#pragma once
#include <QString>
#include <optional>

struct DisplayData;

// The webcam still behind the thermal pictures.

// The file the background is read from, with forward slashes: the string
// setting "BACKGROUND" in section "SETTINGS" if set, else Torvak.bmp in the
// system's temporary folder ("C:/temp/Torvak.bmp" on Windows).
QString BackgroundPath();
// Makes path the "BACKGROUND" setting, so BackgroundPath returns it from now on.
void StoreBackgroundPath(const QString& path);

// What became of a background file: whether its picture is on the surface
// and, if something is wrong, a translated sentence saying what, for the status
// line. A file that ends early is shown as far as it goes, with a problem.
struct BackgroundLoad {
  bool shown = false;
  std::optional<QString> problem;
};

// How a picture fills the 640 x 480 background surface.
enum class BackgroundFit {
  TopLeft,  // its top-left 640 x 480 pixels, unscaled: the webcam still of "Bild Laden"
  Scaled,   // all of it, as large as fits with its aspect kept, centred: a picture chosen by the user
};

// Reads the picture at path (any format Qt reads, recognised by content)
// and puts it into the background surface as fit says; the rest of the
// surface is black. A file that is missing, not a regular file, too large or
// not a readable picture is not shown: the surface is black. A file that
// ends early is shown with the rows it lacks black (a JPEG decoder fills
// them grey itself).
BackgroundLoad LoadBackground(DisplayData& display, const QString& path = BackgroundPath(),
                              BackgroundFit fit = BackgroundFit::TopLeft);

// LoadBackground, then the whole background into the composite picture.
BackgroundLoad ShowBackground(DisplayData& display, const QString& path = BackgroundPath(),
                              BackgroundFit fit = BackgroundFit::TopLeft);

// A black background, also in the composite picture.
void ClearBackground(DisplayData& display);
