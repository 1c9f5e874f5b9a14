// The main window's responsiveness: how long an event posted to the window's
// thread waits while the scan runs with its real waits, and how long the
// window takes from construction to its first paint. This file holds the
// main of torvak_bench_qt (an offscreen QApplication around Google Benchmark).
#include <QApplication>

#include <QAbstractButton>
#include <QEvent>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "bench/qt_event_delay.h"
#include "scan/qt/port_link.h"
#include "scan/qt/port_settings.h"
#include "tests/e2e/head_sim.h"
#include "ui/area_window.h"
#include "ui/large_picture_window.h"
#include "ui/measuring_point_tools.h"
#include "ui/profile_window.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

const SteadyClock::time_point kProgramStart = SteadyClock::now();  // static initialisation

// A port that is open but never answers: every read waits out the real
// one-second time-out (cut short when the window closes).
class SilentLink : public PortLink {
 public:
  PortReport Open(int number, const QString& device) override {
    open_ = true;
    return {PortOutcome::kOpened, number, device.toStdString(), {}};
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Abort() override {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    wake_.notify_all();
  }
  int TakeNoise() override { return 0; }
  void Send(std::span<const std::uint8_t>) override {}
  bool ReadByte(std::uint8_t&) override {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::seconds(1), [this] { return aborted_; });
    return false;
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool aborted_ = false;
  bool open_ = false;
};

// Ends the loop at the window's first paint.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QEventLoop& loop) : loop_(loop) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) loop_.quit();
    return false;
  }

 private:
  QEventLoop& loop_;
};

// From constructing the window to its first paint. Registered first, so
// that its first run is the process's first window: it also reports the
// time since the program started (the application's set-up included).
void BM_WindowToFirstPaint(benchmark::State& state) {
  StorePortNumber(0);
  static bool first = true;
  for (auto _ : state) {
    const auto begin = SteadyClock::now();
    CTorvakDlg window;
    QEventLoop loop;
    FirstPaint paint(loop);
    window.installEventFilter(&paint);
    window.show();
    loop.exec();
    const auto end = SteadyClock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    if (first) {
      state.counters["since_start_ms"] =
          std::chrono::duration<double, std::milli>(end - kProgramStart).count();
      first = false;
    }
    window.close();
  }
}
BENCHMARK(BM_WindowToFirstPaint)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToFirstPaint)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// Until the scan's start-up has enabled "Start" (on a silent port its
// exchanges wait out their time-outs: several seconds).
void WaitUntilStarted(CTorvakDlg& window) {
  if (window.Control(ctl::kStart)->isEnabled()) return;
  QEventLoop loop;
  QObject::connect(&window.Scan(), &ScanService::startEnabledChanged, &loop, [&loop](bool enabled) {
    if (enabled) loop.quit();
  });
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);
  loop.exec();
}

// How long events posted to the window's thread wait while the window scans.
// With largePicture, "Großbild" is open at 1920 x 1080 and repaints with the picture area.
void MeasureLatency(benchmark::State& state, int storedPort, ScanService::LinkFactory makeLink,
                    bool largePicture = false) {
  constexpr int kSamples = 300;
  StorePortNumber(storedPort);
  for (auto _ : state) {
    CTorvakDlg window(std::move(makeLink));
    window.show();
    WaitUntilStarted(window);
    if (largePicture) {
      LargePictureWindow& large = window.ShowLargePicture();
      large.showNormal();
      large.resize(1920, 1080);
    }
    // Frames follow each other, so the scan runs for the whole measurement.
    window.ControlAs<QAbstractButton>(ctl::kStopAfterPass)->click();
    window.ControlAs<QAbstractButton>(ctl::kStart)->click();

    event_delay::Measure(state, kSamples);
    window.close();
  }
}

// No port: every read gives a substitute at once, so every step of about
// 0.43 s (its real waits) stores 16 readings and repaints the picture.
void BM_UiLatencyDuringScanWithoutPort(benchmark::State& state) { MeasureLatency(state, 0, {}); }
BENCHMARK(BM_UiLatencyDuringScanWithoutPort)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_UiLatencyDuringScanWithLargePicture(benchmark::State& state) { MeasureLatency(state, 0, {}, true); }
BENCHMARK(BM_UiLatencyDuringScanWithLargePicture)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// How long events posted to the window's thread wait during the spot
// measurement on the emulated head (a few hundred readings a second) that
// `start` sets up and starts; `end` leaves nothing to ask or keep on closing.
void MeasureDuringSpot(benchmark::State& state, const std::function<void(CTorvakDlg&)>& start,
                       const std::function<void(PictureModel&)>& end) {
  HeadSim head;
  if (!head.Start()) return state.SkipWithError("the emulator did not start");
  for (auto _ : state) {
    CTorvakDlg window({}, {}, RunDevice{head.Link(), kNoPortNumber});
    window.show();
    WaitUntilStarted(window);
    start(window);
    event_delay::Measure(state, 300);
    end(window.Model());
    window.close();
  }
}

// With the colour span following the readings, an isotherm, and the
// difference to a reference shown, its reach following too.
void BM_UiLatencyDuringSpotWithSpanIsothermAndDifference(benchmark::State& state) {
  MeasureDuringSpot(
      state,
      [](CTorvakDlg& window) {
        PictureModel& model = window.Model();
        model.SetSpanMode(PictureModel::SpanMode::Automatic);
        model.SetIsotherm(Isotherm{IsothermKind::Band, 20, 30});
        model.StoreReading(CellReading{12, 12, 20});
        model.RememberReference();
        model.ShowDifference();
        window.Scan().StartSpot({{12, 12}, {13, 12}, {40, 13}, {12, 14}});
      },
      [](PictureModel& model) { model.SetSpanMode(PictureModel::SpanMode::Standard); });
}
BENCHMARK(BM_UiLatencyDuringSpotWithSpanIsothermAndDifference)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Over four points, four areas of 5 x 5 cells and a line across both
// pictures, with "Messfelder" and "Linienprofil" open and following live.
void BM_UiLatencyDuringSpotWithAreasAndLineProfile(benchmark::State& state) {
  MeasureDuringSpot(
      state,
      [](CTorvakDlg& window) {
        PictureModel& model = window.Model();
        for (const GridCell& point : {GridCell{12, 12}, GridCell{13, 12}, GridCell{40, 13}, GridCell{12, 14}}) {
          model.AddPoint(point);
        }
        for (const GridCell& corner : {GridCell{3, 3}, GridCell{20, 20}, GridCell{35, 5}, GridCell{50, 22}}) {
          model.AddArea(CellArea{corner, {corner.column + 4, corner.row + 4}});
        }
        model.SetLine({2, 16}, {59, 16});
        (new AreaWindow(model, &window))->show();  // the window's children, gone with it
        (new ProfileWindow(model, &window))->show();
        window.MeasuringPoints().StartSpotMeasurement();
      },
      [](PictureModel& model) {  // closing would ask about the unsaved recording
        model.ClearPoints();
        model.ClearLine();
      });
}
BENCHMARK(BM_UiLatencyDuringSpotWithAreasAndLineProfile)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// An open port that never answers: every read waits out its time-out on the worker.
void BM_UiLatencyDuringScanOnSilentPort(benchmark::State& state) {
  MeasureLatency(state, 1, [] { return std::make_unique<SilentLink>(); });
}
BENCHMARK(BM_UiLatencyDuringScanOnSilentPort)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;  // keeps the settings store away from the user's
  qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("HOME", home.path().toUtf8());
  QStandardPaths::setTestModeEnabled(true);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
