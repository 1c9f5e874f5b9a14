#include "headsim/adapter.h"

#include <cstdio>

#include "headsim/scene.h"

namespace headsim {
namespace {

constexpr std::uint8_t kCommand = 0x55;
constexpr std::uint8_t kWriteReply = 0x01;

bool IsModuleAddress(std::uint8_t address) { return (address & 0xFC) == 0xD0; }
bool IsTiltModule(std::uint8_t address) { return (address & 0xFE) == 0xD0; }

}  // namespace

std::string Frame::Describe() const {
  char line[80];
  if (read) {
    std::snprintf(line, sizeof line, "read  %02X reg %u -> %u", address, reg, reply);
  } else {
    std::snprintf(line, sizeof line, "write %02X reg %u = %u", address, reg, value);
  }
  return line;
}

bool EmulatedAdapter::Feed(std::uint8_t byte, Frame* frame) {
  if (pending_.empty() && byte != kCommand) {
    ++skippedBytes_;  // noise between frames
    return false;
  }
  if (pending_.size() == 1 && !IsModuleAddress(byte)) {
    pending_.clear();  // not a frame after all: resynchronise
    ++skippedBytes_;
    if (byte == kCommand) {
      pending_.push_back(byte);
    } else {
      ++skippedBytes_;
    }
    return false;
  }
  pending_.push_back(byte);
  const bool read = pending_.size() > 1 && (pending_[1] & 1) != 0;
  const std::size_t length = read ? 4 : 5;
  if (pending_.size() < length) {
    return false;
  }
  Frame complete;
  complete.address = pending_[1];
  complete.reg = pending_[2];
  complete.read = read;
  complete.value = read ? 0 : pending_[4];
  complete.reply = Answer(complete);
  pending_.clear();
  *frame = complete;
  return true;
}

std::uint8_t EmulatedAdapter::Answer(const Frame& frame) {
  const bool tilt = IsTiltModule(frame.address);
  if (!frame.read) {
    if (frame.reg == 0) {
      (tilt ? tiltPosition_ : panPosition_) = frame.value;
    }
    return kWriteReply;  // a servo range (register 1) changes nothing the head sees
  }
  if (frame.reg == 1) {
    return kAmbientCelsius;
  }
  if (frame.reg >= 2 && frame.reg <= 9) {
    return static_cast<std::uint8_t>(
        PixelReading(frame.address, panPosition_, tiltPosition_, frame.reg, scene_));
  }
  return 0;  // registers the program does not use
}

}  // namespace headsim
