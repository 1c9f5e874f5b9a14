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

  SerialLink();
  ~SerialLink() override;

  OpenResult Open(int number, const QString& device) override;
  void Close() override;
  bool IsOpen() const override;
  void Abort() override;
  bool TakeLoss(QString& message) override;

  void Send(std::span<const std::uint8_t> bytes) override;
  bool ReadByte(std::uint8_t& byte) override;

 private:
  void Configure();
  QString OpenFailure() const;
  // Closes the port after an error other than a time-out: a vanished device
  // keeps reporting errors and would spin the processor.
  bool LostAfterError();
  void LoseConnection();
  QString PortLabel() const;  // "Com 3 (/dev/ttyUSB2)"

  QSerialPort port_;
  std::atomic<bool> aborted_{false};
  bool configured_ = false;  // errors while configuring are not a loss
  int number_ = 0;
  QString device_;
  bool lost_ = false;
  QString lossMessage_;
};
