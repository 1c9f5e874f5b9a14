// The software cost of one scan step: the link answers at once and the
// clock does not wait, so only the controller's own work is measured.
#include <benchmark/benchmark.h>

#include "scan/scan_controller.h"

namespace {

class InstantLink : public ByteLink {
 public:
  void Send(std::span<const std::uint8_t> bytes) override { sent_ += bytes.size(); }
  bool ReadByte(std::uint8_t& byte) override {
    byte = static_cast<std::uint8_t>(20 + sent_ % 100);
    return true;
  }

 private:
  std::size_t sent_ = 0;
};

class NoWaitClock : public Clock {
 public:
  void Wait(int) override {}
  void YieldOnce() override {}
  double Seconds() const override { return 0.0; }
};

class IdleWindow : public ScanWindow {
 public:
  void SetStepTimer(bool) override {}
  void EnableStart(bool) override {}
  void RepaintPicture() override {}
};

class SummingImage : public ImageSink {
 public:
  void StoreReading(const CellReading& r) override { sum += r.column + r.row + r.value; }
  void SetScanRange(const ScanRange&) override {}
  void SetAmbientTemperature(int) override {}
  long long sum = 0;
};

void ScanStepFullRange(benchmark::State& state) {
  InstantLink link;
  NoWaitClock clock;
  IdleWindow window;
  SummingImage image;
  ScanController controller(clock, window);
  controller.SetScanDefaults(&image);
  controller.SetPort(&link);
  controller.SetOptions(false, true);  // frame after frame, never stops
  controller.Reset();
  for (auto _ : state) {
    controller.ScanStep();
    benchmark::DoNotOptimize(image.sum);
  }
}
BENCHMARK(ScanStepFullRange);

}  // namespace
