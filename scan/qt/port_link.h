#pragma once
#include <QString>
#include <functional>
#include <utility>

#include "scan/byte_link.h"
#include "scan/port_report.h"

// The serial port as the scan's worker needs it: a ByteLink that can be
// opened on a numbered port, closed and aborted from another thread, and
// that tells at once when the port goes away. With no port open, Send does
// nothing and ReadByte returns false at once (the scan then uses
// substitutes).
class PortLink : public ByteLink {
 public:
  using LossHandler = std::function<void(const PortReport& loss)>;

  // Closes any open port, then opens "Com number" on device and says what
  // became of it. Opening failures leave no port open.
  virtual PortReport Open(int number, const QString& device) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Callable from any thread: the current and every later read give up at
  // once. Used when the window closes.
  virtual void Abort() = 0;
  // The bytes that came when no answer was due (before a frame, after a
  // read gave up, or while idle) since the last call. They are dropped.
  virtual int TakeNoise() = 0;

  // handler runs on the link's thread as soon as the open port goes away,
  // inside an exchange or between exchanges; the port is closed by then.
  void OnLoss(LossHandler handler) { lossHandler_ = std::move(handler); }

 protected:
  void ReportLoss(const PortReport& loss) const {
    if (lossHandler_) lossHandler_(loss);
  }

 private:
  LossHandler lossHandler_;
};
