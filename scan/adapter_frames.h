#pragma once
#include <cstdint>

#include "scan/byte_link.h"
#include "scan/clock.h"

// The three exchanges with the serial-to-I2C adapter. Module 1 selects the
// tilt module at 0xD0, any other value the pan module at 0xD2. A null port
// means no port is open: writes do nothing and reads give substitutes.
inline constexpr int kTiltModule = 1;  // 0xD0: tilt servo, ambient sensor, left half
inline constexpr int kPanModule = 0;   // 0xD2: pan servo, right half

inline constexpr std::uint8_t kAmbientRegister = 1;
inline constexpr std::uint8_t kFirstPixelRegister = 2;
inline constexpr std::uint8_t kLastPixelRegister = 9;

// The range of the substitute that stands in for a missing answer.
inline constexpr int kLowestSubstitute = 20;
inline constexpr int kHighestSubstitute = 147;

// Register 0 (servo position); the value is taken modulo 256. Writes return
// false when the adapter's reply did not come in time (it may still come).
bool WriteServoPosition(ByteLink* port, int module, int value);
// Register 1 (servo range).
bool WriteServoRange(ByteLink* port, int module, int value);

// How a register read went.
struct ReadOutcome {
  bool substituted = false;  // a 0 byte or no byte: the reading is made up
  bool timedOut = false;     // no byte came in time; the answer may still come
  double seconds = 0.0;      // when the answer arrived (or the read gave up)
};
// Reads one register; never returns 0. A 0 byte or no byte is replaced by a
// substitute from std::rand(); *outcome (if given) tells how the read went.
std::uint8_t ReadRegister(ByteLink* port, Clock& clock, int module, int reg, ReadOutcome* outcome = nullptr);
