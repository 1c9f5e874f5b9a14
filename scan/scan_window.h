#pragma once

// What the scan asks of the window: its step timer, the "Start" button and
// the picture area. The ambient temperature reaches the window through the
// ImageSink alone.
class ScanWindow {
 public:
  virtual ~ScanWindow() = default;
  // Starts (true) or stops (false) the repeating step timer; every tick of
  // a running timer calls ScanController::Tick.
  virtual void SetStepTimer(bool running) = 0;
  virtual void EnableStart(bool enabled) = 0;
  // Asks for a repaint of the picture area (without erasing).
  virtual void RepaintPicture() = 0;
};
