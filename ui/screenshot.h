#pragma once
#include <QImage>
#include <QRect>

class PictureModel;
class QWidget;

// The 740 x 480 screenshot of "Speichern (Screenshot)": the model's picture
// area as the window draws it (with the window's font for the markers'
// numbers) and the strip of the window beside `pictureArea` (the colour
// scale and the values) as it shows them, without the marks of editing a field.
QImage TakeScreenshot(QWidget& window, const PictureModel& model, const QRect& pictureArea);
