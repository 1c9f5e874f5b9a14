#pragma once
#include <cstdint>
#include <span>

// The line to the serial-to-I2C adapter as the scan sees it. Implemented by
// the serial port (scan/qt) and by fakes in tests.
class ByteLink {
 public:
  virtual ~ByteLink() = default;
  // Sends all bytes, in order. A link without a port sends nothing.
  virtual void Send(std::span<const std::uint8_t> bytes) = 0;
  // Waits at most the link's own time-out for one byte; false if none came.
  virtual bool ReadByte(std::uint8_t& byte) = 0;
};
