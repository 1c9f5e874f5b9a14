#pragma once
// A fake adapter behind a fake serial port, for the scan's worker: it
// records every byte sent, answers at once (1 to a register write, the
// ambient answers to ambient reads, pixelAnswer to pixel reads; 0 is a
// silent sensor), and on demand holds the worker inside an exchange until
// released, refuses to open, loses the port or finds noise on the line.
// The test keeps the adapter; the worker owns the link.
#include <QString>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <utility>
#include <vector>

#include "scan/qt/port_link.h"
#include "scan/qt/scan_service.h"
#include "tests/support/frames.h"

class FakeAdapter {
 public:
  static constexpr auto kHoldLimit = std::chrono::seconds(20);

  // What the test may change, under the adapter's lock (see Set).
  struct Knobs {
    int pixelAnswer = 42;
    std::vector<int> ambientAnswers{21};  // one per ambient read; the last one repeats
    bool openable = true;
    bool loseOnNextRead = false;
    bool noisyLine = false;  // every read also finds a stray byte
  };
  void Set(const std::function<void(Knobs&)>& change) {
    std::lock_guard lock(mutex_);
    change(knobs_);
  }

  Bytes Sent() const { return Locked(sent_); }
  std::vector<int> OpenedNumbers() const { return Locked(opened_); }

  // The next exchange whose frame ends the byte stream with `frame` holds
  // the worker in its reply read until Release, an abort or kHoldLimit
  // (so that a fault shows as a failed check, not a hang).
  void HoldAfter(Bytes frame) {
    std::lock_guard lock(mutex_);
    holdFrame_ = std::move(frame);
  }
  bool Holding() const { return Locked(holding_); }
  // Lets the held worker go on; it is held again after holdNext, if given
  // (set in the same breath, so a fast worker cannot slip past it).
  void Release(Bytes holdNext = {}) {
    std::lock_guard lock(mutex_);
    holdFrame_ = std::move(holdNext);
    released_ = true;
    changed_.notify_all();
  }
  bool HoldEndedByAbort() const { return Locked(holdEndedByAbort_); }

 private:
  friend class FakePortLink;

  template <class T>
  T Locked(const T& field) const {
    std::lock_guard lock(mutex_);
    return field;
  }

  // Records the open; true if the port opens.
  bool Open(int number) {
    std::lock_guard lock(mutex_);
    opened_.push_back(number);
    return knobs_.openable;
  }
  void Send(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    sent_.insert(sent_.end(), bytes.begin(), bytes.end());
    lastFrame_.assign(bytes.begin(), bytes.end());
  }
  enum class Read { kAnswer, kNothing, kLost };
  // The answer to the last frame; noise counts a stray byte.
  Read ReadByte(std::uint8_t& byte, int& noise) {
    std::unique_lock lock(mutex_);
    if (knobs_.noisyLine) ++noise;
    if (std::exchange(knobs_.loseOnNextRead, false)) return Read::kLost;
    if (!holdFrame_.empty() && sent_.size() >= holdFrame_.size() &&
        std::equal(holdFrame_.begin(), holdFrame_.end(), sent_.end() - static_cast<std::ptrdiff_t>(holdFrame_.size()))) {
      holding_ = true;
      released_ = false;
      changed_.wait_for(lock, kHoldLimit, [this] { return released_ || aborted_; });
      holdEndedByAbort_ = aborted_;
      holding_ = false;
    }
    if (aborted_) return Read::kNothing;
    byte = Answer();
    return byte != 0 ? Read::kAnswer : Read::kNothing;
  }
  std::uint8_t Answer() {
    if (lastFrame_.size() == 5) return 1;  // reply to a register write
    if (lastFrame_.size() == 4 && lastFrame_[2] == 1) {
      std::vector<int>& answers = knobs_.ambientAnswers;
      const int value = answers.front();
      if (answers.size() > 1) answers.erase(answers.begin());
      return static_cast<std::uint8_t>(value);
    }
    return static_cast<std::uint8_t>(knobs_.pixelAnswer);
  }
  void Abort() {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  Knobs knobs_;
  Bytes sent_;
  Bytes lastFrame_;
  std::vector<int> opened_;
  Bytes holdFrame_;
  bool holding_ = false;
  bool released_ = false;
  bool aborted_ = false;
  bool holdEndedByAbort_ = false;
};

class FakePortLink : public PortLink {
 public:
  explicit FakePortLink(std::shared_ptr<FakeAdapter> adapter) : adapter_(std::move(adapter)) {}

  PortReport Open(int number, const QString& device) override {
    open_ = adapter_->Open(number);
    report_ = {open_ ? PortOutcome::kOpened : PortOutcome::kDeviceMissing, number, device.toStdString(), {}};
    return report_;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Abort() override { adapter_->Abort(); }
  int TakeNoise() override { return std::exchange(noise_, 0); }
  void Send(std::span<const std::uint8_t> bytes) override {
    if (open_) adapter_->Send(bytes);
  }
  bool ReadByte(std::uint8_t& byte) override {
    if (!open_) return false;
    const FakeAdapter::Read read = adapter_->ReadByte(byte, noise_);
    if (read != FakeAdapter::Read::kLost) return read == FakeAdapter::Read::kAnswer;
    open_ = false;
    report_.outcome = PortOutcome::kLost;
    ReportLoss(report_);
    return false;
  }

 private:
  std::shared_ptr<FakeAdapter> adapter_;
  PortReport report_;
  bool open_ = false;
  int noise_ = 0;
};

// The link factory of a scan service or window on the adapter.
inline ScanService::LinkFactory LinkTo(const std::shared_ptr<FakeAdapter>& adapter) {
  return [adapter] { return std::make_unique<FakePortLink>(adapter); };
}
