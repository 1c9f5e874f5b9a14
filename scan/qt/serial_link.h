#pragma once
#include <QSerialPort>
#include <atomic>

#include "scan/qt/port_link.h"

// The adapter's serial port on QSerialPort. Created, used and closed on one
// thread (the scan's worker); only Abort may be called from another.
// Line: 19200 baud, 8 data bits, no parity, 2 stop bits, no flow control,
// DTR and RTS held off, opened exclusively.
class SerialLink : public PortLink {
 public:
  // The longest wait for one byte (500 ms per byte + 500 ms).
  static constexpr int kReadTimeoutMs = 1000;
  static constexpr int kWriteTimeoutMs = 1000;
  // The port never holds more than this of what the line delivers: an
  // answer is one byte, and a line that streams on its own must not grow
  // the program's memory.
  static constexpr qint64 kReadBufferBytes = 256;

  SerialLink();
  ~SerialLink() override;

  PortReport Open(int number, const QString& device) override;
  void Close() override;
  bool IsOpen() const override;
  void Abort() override;
  int TakeNoise() override;

  void Send(std::span<const std::uint8_t> bytes) override;
  bool ReadByte(std::uint8_t& byte) override;

 private:
  // Sets the adapter's line; false if the device refuses a setting, with
  // the system's reason in why (empty when the device took the call and
  // kept a setting of its own).
  bool Configure(QString& why);
  // Drops what the port took in while no answer was due, and counts it.
  void DropUnaskedBytes();
  qint64 PendingInTerminal() const;
  PortReport Report(PortOutcome outcome, const QString& detail = {}) const;
  PortReport OpenFailure() const;
  // Closes the port and reports its loss after an error other than a
  // time-out (a vanished device keeps reporting errors and would spin the
  // processor); true if it did.
  bool CloseOnFailure();

  QSerialPort port_;
  std::atomic<bool> aborted_{false};
  bool configured_ = false;  // errors while configuring are not a loss
  int number_ = 0;
  QString device_;
  bool exchanging_ = false;  // inside Send or ReadByte: arriving bytes may be the answer
  int noiseBytes_ = 0;
};
