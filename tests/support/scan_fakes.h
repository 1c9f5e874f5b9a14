#pragma once
// Fakes of the scan's surroundings: a scripted adapter line, a virtual clock,
// a recording window and a recording image, and a rig that wires them to a
// ScanController. Shared by the scan tests and later suites.
#include <atomic>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scan/byte_link.h"
#include "scan/clock.h"
#include "scan/image_sink.h"
#include "scan/scan_controller.h"
#include "scan/scan_window.h"

namespace scan_fakes {

using Frame = std::vector<std::uint8_t>;

// One ordered record of what the link and the clock saw, e.g.
// "send 55 D3 02 01", "read", "wait 1", "yield".
using Timeline = std::vector<std::string>;

// Records every frame sent and answers reads from a script; an entry of
// std::nullopt is a read that times out. When the script runs dry, reads
// get `fallback` (no byte by default).
class FakeLink : public ByteLink {
 public:
  explicit FakeLink(Timeline* timeline = nullptr) : timeline_(timeline) {}

  void Send(std::span<const std::uint8_t> bytes) override {
    frames.emplace_back(bytes.begin(), bytes.end());
    if (timeline_ == nullptr) return;
    std::string text = "send";
    for (std::uint8_t b : bytes) text += {' ', "0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    timeline_->push_back(text);
  }

  bool ReadByte(std::uint8_t& byte) override {
    ++reads;
    if (timeline_ != nullptr) timeline_->push_back("read");
    std::optional<std::uint8_t> answer = fallback;
    if (!script.empty()) {
      answer = script.front();
      script.pop_front();
    }
    if (!answer) {
      byte = 0xEE;  // a failed read may leave rubbish behind
      return false;
    }
    byte = *answer;
    return true;
  }

  void Answer(std::uint8_t byte) { script.push_back(byte); }
  void NoAnswer() { script.push_back(std::nullopt); }

  std::vector<Frame> frames;
  int reads = 0;
  std::deque<std::optional<std::uint8_t>> script;
  std::optional<std::uint8_t> fallback;

 private:
  Timeline* timeline_;
};

// Adds up the waits instead of sleeping; its time is the sum of the waits.
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(Timeline* timeline = nullptr) : timeline_(timeline) {}
  void Wait(int milliseconds) override {
    waits.push_back(milliseconds);
    elapsedMs += milliseconds;
    if (timeline_ != nullptr) timeline_->push_back("wait " + std::to_string(milliseconds));
  }
  void YieldOnce() override {
    ++yields;
    if (timeline_ != nullptr) timeline_->push_back("yield");
  }
  double Seconds() const override { return static_cast<double>(elapsedMs) / 1000.0; }
  std::atomic<long long> elapsedMs = 0;  // read by other threads through Seconds
  int yields = 0;
  std::vector<int> waits;

 private:
  Timeline* timeline_;
};

class RecordingWindow : public ScanWindow {
 public:
  void SetStepTimer(bool running) override {
    timerRunning = running;
    calls.push_back(running ? "timer on" : "timer off");
  }
  void EnableStart(bool enabled) override {
    startEnabled = enabled;
    calls.push_back(enabled ? "start on" : "start off");
  }
  void RepaintPicture() override { ++repaints; }

  bool timerRunning = false;
  std::optional<bool> startEnabled;
  int repaints = 0;
  std::vector<std::string> calls;
};

struct Reading {
  int column;
  int row;
  int value;
  bool substituted = false;
  friend bool operator==(const Reading&, const Reading&) = default;
};

class RecordingImage : public ImageSink {
 public:
  void StoreReading(const CellReading& reading) override {
    readings.push_back({reading.column, reading.row, reading.value, reading.substituted});
    stamped.push_back(reading);
  }
  std::vector<CellReading> stamped;  // the same readings with doubt, time and round
  void SetScanRange(const ScanRange& range) override { ranges.push_back(range); }
  void SetAmbientTemperature(int celsius) override { ambients.push_back(celsius); }
  std::vector<Reading> readings;
  std::vector<ScanRange> ranges;
  std::vector<int> ambients;
};

// A decoded 5-byte register write.
struct ServoWrite {
  std::uint8_t address;
  std::uint8_t reg;
  std::uint8_t value;
  friend bool operator==(const ServoWrite&, const ServoWrite&) = default;
};

inline std::vector<ServoWrite> WritesIn(const std::vector<Frame>& frames, std::size_t from = 0) {
  std::vector<ServoWrite> writes;
  for (std::size_t i = from; i < frames.size(); ++i)
    if (frames[i].size() == 5) writes.push_back({frames[i][1], frames[i][2], frames[i][4]});
  return writes;
}

// A controller with defaults set, wired to fakes; reads answer 37 unless
// scripted otherwise.
struct ScanRig {
  ScanRig() : link(&timeline), clock(&timeline), controller(clock, window) {
    link.fallback = 37;
    controller.SetScanDefaults(&image);
    controller.SetPort(&link);
  }
  ScanState& State() { return controller.State(); }

  Timeline timeline;
  FakeLink link;
  VirtualClock clock;
  RecordingWindow window;
  RecordingImage image;
  ScanController controller;
};

}  // namespace scan_fakes
