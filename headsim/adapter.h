#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "headsim/scene.h"

// The serial-to-I2C adapter with the two modules behind it, as the program
// talks to it: 0x55, address, register, count, then a data byte for a
// write (address 0xD0 or 0xD2) and nothing more for a read (0xD1 or 0xD3).
// Every complete frame gets one reply byte. Bytes that do not fit a frame
// are skipped until the next command byte, and counted.
namespace headsim {

struct Frame {
  std::uint8_t address = 0;
  std::uint8_t reg = 0;
  std::uint8_t value = 0;  // the data byte of a write
  bool read = false;
  std::uint8_t reply = 0;

  std::string Describe() const;  // one line for the log
};

class EmulatedAdapter {
 public:
  // Takes one byte from the line; returns true when it completed a frame,
  // which is then in *frame with its reply.
  bool Feed(std::uint8_t byte, Frame* frame);
  // The bytes skipped so far because they fit no frame.
  long SkippedBytes() const { return skippedBytes_; }
  // The scene as pixel reads from now on see it.
  void SetScene(SceneMoment moment) { scene_ = moment; }

 private:
  std::uint8_t Answer(const Frame& frame);

  std::vector<std::uint8_t> pending_;
  long skippedBytes_ = 0;
  int panPosition_ = 15;
  int tiltPosition_ = 15;
  SceneMoment scene_;
};

}  // namespace headsim
