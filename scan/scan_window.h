#pragma once

// What the scan asks of the window: its step timer, the "Start" button,
// the ambient field and the picture area.
class ScanWindow {
 public:
  virtual ~ScanWindow() = default;
  // Starts (true) or stops (false) the repeating step timer; every tick of
  // a running timer calls ScanController::Tick.
  virtual void SetStepTimer(bool running) = 0;
  virtual void EnableStart(bool enabled) = 0;
  // Shows the ambient temperature in the field under "Umgebung:".
  virtual void ShowAmbient(int celsius) = 0;
  // Asks for a repaint of the picture area (without erasing).
  virtual void RepaintPicture() = 0;
};
