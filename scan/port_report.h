#pragma once
#include <string>

// What became of the scan's port, as the device layer tells it: a reason,
// not a sentence. The window's status line (ui/status_line.h) phrases it.
enum class PortOutcome {
  kOpened,
  kNoPortChosen,   // a number that is no Com port
  kDeviceMissing,
  kNoPermission,   // detail: the group that owns the device, empty if unknown
  kInUse,
  kNameTooLong,    // the device's name is longer than the system allows
  kSettingRefused, // the device does not take the adapter's line settings; detail: the system's error text, if any
  kOpenFailed,     // detail: the system's error text
  kLost,           // the open port went away
};

// The "Com" ports that can be chosen and stored, each on a device of its own.
inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 8;
constexpr bool IsComPort(int number) { return number >= kFirstComPort && number <= kLastComPort; }

// The number of a device opened by its path alone (given for one run), not as a "Com" port.
inline constexpr int kNoPortNumber = 0;
// The number of the emulated head a demonstration run started, opened by its path.
inline constexpr int kEmulatedHeadNumber = -1;

struct PortReport {
  PortOutcome outcome = PortOutcome::kNoPortChosen;
  int number = 0;      // "Com number", kNoPortNumber or kEmulatedHeadNumber
  std::string device;  // UTF-8
  std::string detail;  // UTF-8
  bool Opened() const { return outcome == PortOutcome::kOpened; }
  bool operator==(const PortReport&) const = default;
};

// What the last scan step found wrong on an open port.
enum class StepTrouble { kNone, kSilentSensors, kNoisyLine };
