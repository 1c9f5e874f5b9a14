#pragma once
class QSlider;
class QWidget;

// What the main window and the smoothing settings dialog both need.

// A horizontal trackbar from 0 to maximum without tick marks that pages by a
// fifth of its range, as trackbars do by default.
QSlider* NewTrackbar(int maximum, QWidget* parent);
