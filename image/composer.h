#pragma once

#include "image/colour.h"
#include "image/display.h"
#include "image/memory_picture.h"
#include "image/thermal_image.h"

// Composition of the picture area: the two thermal pictures, stretched into
// their layers, mixed with the background by the transparency, with the frame
// of a reduced scan range; and the colour-scale bar.

// Copies the background into the composite and recomputes the layer map for
// the current placement and display mode. Call after any change of either.
void BuildLayerMap(DisplayData& display, const ThermalImage& image);

// Stretches the pictures of the current display mode into the layers,
// composes both picture rectangles and draws the range frame.
void ComposePicture(DisplayData& display, const ThermalImage& image);

// Composes x0..x1-1, y0..y1-1 of the composite from the layers and the
// background as the layer map selects; clipped to the picture area.
void ComposeRect(DisplayData& display, int x0, int y0, int x1, int y1);

// Frames a reduced scan range in white on the composite; nothing for the full range.
void DrawRangeFrame(DisplayData& display, const ThermalImage& image);

// Draws the colour-scale bar (legendWidth x legendHeight) into the legend
// surface's top-left corner: palette from bottom to top between a band in the
// colour below the scale (black) and one in the colour above it (white).
void DrawScaleLegend(DisplayData& display, const ThermalImage& image);
// A new size of the colour-scale bar, drawn at once.
void SetLegendSize(DisplayData& display, const ThermalImage& image, int width, int height);

// What the "Mess-Pixel" and "Weichzeichner" buttons do, apart from the repaint.
void SetDisplayMode(DisplayData& display, const ThermalImage& image, DisplayMode mode);
// The background's weight in per cent; takes effect at the next composition.
void SetTransparency(DisplayData& display, int percent);
// New places for both pictures, with their layer map.
void PlacePictures(DisplayData& display, const ThermalImage& image, const PictureRect& left, const PictureRect& right);
