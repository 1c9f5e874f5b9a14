#pragma once
// Fakes for the window's scan: a port link that answers at once, records
// every byte and can hold the worker inside an exchange, and a clock that
// runs a hundred times faster than the real one.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "scan/clock.h"
#include "scan/qt/port_link.h"
#include "scan/qt/scan_service.h"

// Frames as the adapter receives them.
using Bytes = std::vector<std::uint8_t>;
inline Bytes WriteFrame(std::uint8_t address, std::uint8_t reg, std::uint8_t value) {
  return {0x55, address, reg, 0x01, value};
}
inline Bytes ReadFrame(std::uint8_t address, std::uint8_t reg) { return {0x55, address, reg, 0x01}; }
inline const Bytes kPanRange = WriteFrame(0xD2, 1, 20);
inline const Bytes kTiltRange = WriteFrame(0xD0, 1, 20);
inline Bytes PanWrite(int position) { return WriteFrame(0xD2, 0, static_cast<std::uint8_t>(position)); }
inline Bytes TiltWrite(int position) { return WriteFrame(0xD0, 0, static_cast<std::uint8_t>(position)); }
inline const Bytes kAmbientRead = ReadFrame(0xD1, 1);

// What the fake adapter saw and how it answers; shared between the test and
// the link that the scan's worker owns.
class FakeAdapter {
 public:
  static constexpr int kPixelAnswer = 42;
  static constexpr auto kHoldLimit = std::chrono::seconds(20);

  // Everything sent so far, as one byte stream.
  Bytes Sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
  }
  std::vector<int> OpenedNumbers() const {
    std::lock_guard lock(mutex_);
    return opened_;
  }
  // Ambient answers, one per ambient read; the last one repeats.
  void SetAmbientAnswers(std::vector<int> answers) {
    std::lock_guard lock(mutex_);
    ambient_ = std::move(answers);
  }

  // The next exchange whose frame ends the byte stream with `frame` holds
  // the worker in its reply read until Release (or kHoldLimit passes).
  void HoldAfter(Bytes frame) {
    std::lock_guard lock(mutex_);
    holdFrame_ = std::move(frame);
  }
  bool Holding() const {
    std::lock_guard lock(mutex_);
    return holding_;
  }
  void Release() {
    std::lock_guard lock(mutex_);
    holdFrame_.clear();
    released_ = true;
    changed_.notify_all();
  }
  // True if a hold ended by its limit instead of by Release.
  bool HoldTimedOut() const {
    std::lock_guard lock(mutex_);
    return holdTimedOut_;
  }

 private:
  friend class FakePortLink;

  void Send(const std::uint8_t* bytes, std::size_t count) {
    std::lock_guard lock(mutex_);
    sent_.insert(sent_.end(), bytes, bytes + count);
    lastFrame_.assign(bytes, bytes + count);
  }

  bool ReadByte(std::uint8_t& byte) {
    std::unique_lock lock(mutex_);
    if (!holdFrame_.empty() && EndsWith(sent_, holdFrame_)) {
      holding_ = true;
      released_ = false;
      if (!changed_.wait_for(lock, kHoldLimit, [this] { return released_ || aborted_; }))
        holdTimedOut_ = true;
      holding_ = false;
    }
    if (aborted_) return false;
    byte = Answer();
    return true;
  }

  std::uint8_t Answer() {
    if (lastFrame_.size() == 5) return 1;  // reply to a register write
    if (lastFrame_.size() == 4 && lastFrame_[2] == 1) {
      const int value = ambient_.empty() ? 21 : ambient_.front();
      if (ambient_.size() > 1) ambient_.erase(ambient_.begin());
      return static_cast<std::uint8_t>(value);
    }
    return kPixelAnswer;
  }

  void Abort() {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
  }

  static bool EndsWith(const Bytes& all, const Bytes& tail) {
    return all.size() >= tail.size() && std::equal(tail.begin(), tail.end(), all.end() - tail.size());
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  Bytes sent_;
  Bytes lastFrame_;
  std::vector<int> opened_;
  std::vector<int> ambient_;
  Bytes holdFrame_;
  bool holding_ = false;
  bool released_ = false;
  bool aborted_ = false;
  bool holdTimedOut_ = false;
};

// An open port on the fake adapter for every number asked for.
class FakePortLink : public PortLink {
 public:
  explicit FakePortLink(std::shared_ptr<FakeAdapter> adapter) : adapter_(std::move(adapter)) {}

  OpenResult Open(int number, const QString& device) override {
    {
      std::lock_guard lock(adapter_->mutex_);
      adapter_->opened_.push_back(number);
    }
    open_ = true;
    return {true, QStringLiteral("Com %1 (%2) geöffnet").arg(number).arg(device)};
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Abort() override { adapter_->Abort(); }
  bool TakeLoss(QString&) override { return false; }
  int TakeNoise() override { return 0; }
  void Send(std::span<const std::uint8_t> bytes) override {
    if (open_) adapter_->Send(bytes.data(), bytes.size());
  }
  bool ReadByte(std::uint8_t& byte) override { return open_ && adapter_->ReadByte(byte); }

 private:
  std::shared_ptr<FakeAdapter> adapter_;
  bool open_ = false;
};

// The window's link factory: the worker thread creates a link on the adapter.
inline ScanService::LinkFactory LinkTo(const std::shared_ptr<FakeAdapter>& adapter) {
  return [adapter] { return std::make_unique<FakePortLink>(adapter); };
}

// Real waits, a hundred times shorter: a step takes a few milliseconds, so a
// pass of 124 steps stays well under a second.
class FastClock : public Clock {
 public:
  void Wait(int milliseconds) override {
    std::this_thread::sleep_for(std::chrono::microseconds(milliseconds * 10));
  }
  void YieldOnce() override { std::this_thread::yield(); }
};

inline ScanService::ClockFactory FastClocks() {
  return [] { return std::make_unique<FastClock>(); };
}
