#pragma once
#include <QRect>

class PictureModel;
class QPainter;

// Draws the model's picture area (the composite with the measuring points'
// numbered markers) into `target`, scaled from its 640 x 480 pixels; the
// main window's picture area and the large picture both show it so.
void PaintPicture(QPainter& painter, const PictureModel& model, const QRect& target);
