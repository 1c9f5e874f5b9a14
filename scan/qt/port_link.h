#pragma once
#include <QString>

#include "scan/byte_link.h"

// The serial port as the scan's worker needs it: a ByteLink that can be
// opened on a numbered port, closed, aborted from another thread and that
// tells when the port went away. With no port open, Send does nothing and
// ReadByte returns false at once (the scan then uses substitutes).
class PortLink : public ByteLink {
 public:
  struct OpenResult {
    bool opened = false;
    // A plain German sentence for the status line: the port opened, or why
    // it could not be opened.
    QString message;
  };

  // Closes any open port, then opens "Com number" on device. Opening
  // failures leave no port open.
  virtual OpenResult Open(int number, const QString& device) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Callable from any thread: the current and every later read give up at
  // once. Used when the window closes.
  virtual void Abort() = 0;
  // True once for each loss of the port since the last call; message then
  // tells which port was lost.
  virtual bool TakeLoss(QString& message) = 0;
  // The bytes that came when no answer was due (before a frame, after a
  // read gave up, or while idle) since the last call. They are dropped.
  virtual int TakeNoise() = 0;
};
