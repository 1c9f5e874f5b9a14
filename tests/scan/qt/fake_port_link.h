#pragma once
// A port link for the scan service's tests: records what is sent, answers
// every read with one configurable byte and can hold reads inside a scan
// step until the test releases them. The test keeps the shared control; the
// service owns the link on its worker thread.
#include <QString>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "scan/qt/port_link.h"

struct FakePortControl {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::uint8_t> sent;
  std::uint8_t reply = 40;     // 0: the sensors are silent
  bool openable = true;
  bool holdPixelReads = false;  // hold reads that answer a pixel register read (inside a step)
  int heldReads = 0;            // reads waiting right now
  bool aborted = false;
  bool heldReadEndedByAbort = false;
  bool loseOnNextRead = false;
  bool noisyLine = false;  // every read also finds a stray byte
  std::vector<std::pair<int, QString>> opened;  // number and device of every Open

  std::vector<std::uint8_t> Sent() {
    std::lock_guard lock(mutex);
    return sent;
  }
  void Set(auto&& change) {
    {
      std::lock_guard lock(mutex);
      change(*this);
    }
    changed.notify_all();
  }
  bool WaitUntilHeld() {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(10), [this] { return heldReads > 0; });
  }
};

class FakePortLink : public PortLink {
 public:
  explicit FakePortLink(std::shared_ptr<FakePortControl> control) : control_(std::move(control)) {}

  OpenResult Open(int number, const QString& device) override {
    std::lock_guard lock(control_->mutex);
    control_->opened.emplace_back(number, device);
    open_ = control_->openable;
    return {open_, QStringLiteral("Com %1 (%2) %3").arg(number).arg(device, open_ ? "geöffnet" : "lässt sich nicht öffnen")};
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Abort() override { control_->Set([](FakePortControl& c) { c.aborted = true; }); }
  bool TakeLoss(QString& message) override {
    if (!lost_) return false;
    lost_ = false;
    message = QStringLiteral("Verbindung verloren");
    return true;
  }

  int TakeNoise() override {
    std::lock_guard lock(control_->mutex);
    return std::exchange(noise_, 0);
  }

  void Send(std::span<const std::uint8_t> bytes) override {
    if (!open_) return;
    std::lock_guard lock(control_->mutex);
    control_->sent.insert(control_->sent.end(), bytes.begin(), bytes.end());
    lastFrame_.assign(bytes.begin(), bytes.end());
  }

  bool ReadByte(std::uint8_t& byte) override {
    std::unique_lock lock(control_->mutex);
    if (!open_ || control_->aborted) return false;
    if (control_->noisyLine) ++noise_;
    if (control_->loseOnNextRead) {
      control_->loseOnNextRead = false;
      open_ = false;
      lost_ = true;
      return false;
    }
    const bool pixelRead = lastFrame_.size() == 4 && lastFrame_[2] >= 2;
    if (pixelRead && control_->holdPixelReads) {
      ++control_->heldReads;
      control_->changed.notify_all();
      // Bounded, so that a fault shows up as a failed check, not a hang.
      control_->changed.wait_for(lock, std::chrono::seconds(30),
                                 [this] { return !control_->holdPixelReads || control_->aborted; });
      --control_->heldReads;
      if (control_->aborted) {
        control_->heldReadEndedByAbort = true;
        return false;
      }
    }
    byte = control_->reply;
    return byte != 0;
  }

 private:
  std::shared_ptr<FakePortControl> control_;
  std::vector<std::uint8_t> lastFrame_;
  bool open_ = false;
  bool lost_ = false;
  int noise_ = 0;
};
