#include "scan/adapter_frames.h"

#include <array>
#include <cstdlib>

namespace {

constexpr std::uint8_t kAdapterCommand = 0x55;
constexpr std::uint8_t kServoPositionRegister = 0;
constexpr std::uint8_t kServoRangeRegister = 1;

// 8-bit I2C address, write direction; the read address is one above.
std::uint8_t ModuleAddress(int module) { return module == kTiltModule ? 0xD0 : 0xD2; }

bool WriteRegister(ByteLink* port, int module, std::uint8_t reg, int value) {
  if (port == nullptr) return true;
  const std::array<std::uint8_t, 5> frame{kAdapterCommand, ModuleAddress(module), reg, 0x01,
                                          static_cast<std::uint8_t>(value)};
  port->Send(frame);
  std::uint8_t reply = 0;  // the adapter's reply is never examined, only awaited
  return port->ReadByte(reply);
}

// A missing answer must not stop a scan: it becomes a reading of
// kLowestSubstitute..kHighestSubstitute.
std::uint8_t Substitute() { return static_cast<std::uint8_t>((std::rand() % 256) / 2 + kLowestSubstitute); }

}  // namespace

bool WriteServoPosition(ByteLink* port, int module, int value) {
  return WriteRegister(port, module, kServoPositionRegister, value);
}

bool WriteServoRange(ByteLink* port, int module, int value) {
  return WriteRegister(port, module, kServoRangeRegister, value);
}

std::uint8_t ReadRegister(ByteLink* port, Clock& clock, int module, int reg, ReadOutcome* outcome) {
  if (port != nullptr) {
    const std::uint8_t readAddress = ModuleAddress(module) + 1;
    const std::array<std::uint8_t, 4> frame{kAdapterCommand, readAddress, static_cast<std::uint8_t>(reg), 0x01};
    port->Send(frame);
  }
  clock.Wait(1);
  std::uint8_t reading = 0;
  const bool timedOut = port != nullptr && !port->ReadByte(reading);
  if (port == nullptr || timedOut) reading = 0;
  const double seconds = clock.Seconds();
  clock.Wait(1);
  // A genuine 0 °C cannot be told from a missing answer; both are replaced.
  const bool missing = reading == 0;
  if (missing) reading = Substitute();
  if (outcome != nullptr) *outcome = {missing, timedOut, seconds};
  return reading;
}
