// The spot measurement's pace on the emulated head (torvak-headsim on a
// pseudo-terminal, so no line time): readings per second of one marked cell
// through the scan's worker and the real serial link, with the per-read waits
// of a register read, and without any waits.
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include "headsim/scene.h"
#include "scan/qt/scan_service.h"
#include "tests/e2e/head_sim.h"

namespace {

void MeasureSpotRate(benchmark::State& state, ScanService::ClockFactory clock) {
  HeadSim head;
  if (!head.Start()) return state.SkipWithError("the emulator did not start");
  ScanService service{ScanService::LinkFactory{}, std::move(clock)};
  long long readings = 0;
  QObject::connect(&service, &ScanService::readingStored, &service, [&] { ++readings; });
  bool ready = false;
  QObject::connect(&service, &ScanService::startEnabledChanged, &service, [&](bool on) { ready = on; });
  service.StartUp();
  if (!WaitFor([&] { return ready; }, 20000)) return state.SkipWithError("no start-up");
  const GridCell mug{headsim::kMug.column, headsim::kMug.row};
  service.StartSpot({mug});
  WaitFor([] { return false; }, 500);  // the head's one move and settling
  for (auto _ : state) {
    const long long before = readings;
    QElapsedTimer elapsed;
    elapsed.start();
    WaitFor([] { return false; }, 2000);
    state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
    state.counters["readings_per_s"] = static_cast<double>(readings - before) * 1e9 / elapsed.nsecsElapsed();
  }
  service.Stop();
}

void BM_SpotRateWithReadWaits(benchmark::State& state) { MeasureSpotRate(state, {}); }
BENCHMARK(BM_SpotRateWithReadWaits)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SpotRateWithoutWaits(benchmark::State& state) { MeasureSpotRate(state, NoWaits); }
BENCHMARK(BM_SpotRateWithoutWaits)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
