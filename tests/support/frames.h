#pragma once
// The adapter's frames as they go over the line, for tests that check what
// was sent: 5-byte register writes to an even address, 4-byte reads from
// the odd one above it.
#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kTiltAddress = 0xD0;
inline constexpr std::uint8_t kPanAddress = 0xD2;

inline Bytes WriteFrame(std::uint8_t address, std::uint8_t reg, std::uint8_t value) {
  return {0x55, address, reg, 0x01, value};
}
inline Bytes ReadFrame(std::uint8_t address, std::uint8_t reg) {
  return {0x55, static_cast<std::uint8_t>(address | 1), reg, 0x01};
}
inline Bytes PanWrite(int position) { return WriteFrame(kPanAddress, 0, static_cast<std::uint8_t>(position)); }
inline Bytes TiltWrite(int position) { return WriteFrame(kTiltAddress, 0, static_cast<std::uint8_t>(position)); }
inline Bytes RangeWrite(std::uint8_t address) { return WriteFrame(address, 1, 20); }
inline const Bytes kAmbientRead = ReadFrame(kTiltAddress, 1);

// A byte stream cut into frames by their address byte.
inline std::vector<Bytes> SplitFrames(const Bytes& sent) {
  std::vector<Bytes> frames;
  for (std::size_t i = 0; i < sent.size();) {
    const std::size_t length = i + 1 < sent.size() && (sent[i + 1] & 1) != 0 ? 4 : 5;
    const std::size_t end = i + length < sent.size() ? i + length : sent.size();
    frames.emplace_back(sent.begin() + static_cast<std::ptrdiff_t>(i), sent.begin() + static_cast<std::ptrdiff_t>(end));
    i = end;
  }
  return frames;
}
