#pragma once
#include <QTimer>
#include <atomic>
#include <memory>
#include <mutex>

#include "scan/clock.h"
#include "scan/image_sink.h"
#include "scan/qt/interruptible_clock.h"
#include "scan/qt/port_link.h"
#include "scan/qt/port_selection.h"
#include "scan/qt/scan_reports.h"
#include "scan/qt/scan_service.h"
#include "scan/scan_controller.h"
#include "scan/scan_window.h"

// The worker side of ScanService. Lives on the worker thread, owns the scan
// controller and the port link there, and reports what the scan shows as
// the values of ScanReports. Only RequestStop may be called from another thread.
class ScanWorker : public ScanReports, public ImageSink, public ScanWindow {
  Q_OBJECT
 public:
  // A null makeClock means real waits that RequestStop cuts short.
  ScanWorker(ScanService::LinkFactory makeLink, ScanService::ClockFactory makeClock);
  ~ScanWorker() override;

  // Any thread: ends the current wait and read at once and makes the worker
  // ignore every later command and tick.
  void RequestStop();

  // On the worker thread, when it starts and when it ends.
  void SetUpOnThread();
  void TearDownOnThread();
  // Called once the thread has finished: takes the lock that
  // TearDownOnThread released
  // last, so all the worker thread did is ordered before the worker is
  // destroyed, also for a thread sanitizer, which cannot see QThread::wait.
  void SyncWithFinishedThread();

  // Each command the service posts counts itself here first, so that
  // reports can say which command they answer.
  void CountCommand() { ++commandNumber_; }

  // Commands, each followed by a report of what changed.
  void StartUp(const RunDevice& device);
  void RunCommand(void (ScanController::*command)());
  void ChangeEdge(RangeEdge edge, int value);
  void StartSpot(const std::vector<GridCell>& cells);
  void SetOptions(bool stopAfterPass, bool bothDirections);
  void SelectPort(int number);

  // Any thread: the time stamps' clock.
  double ClockSeconds() const { return clock_->Seconds(); }

  // ImageSink
  void StoreReading(const CellReading& reading) override;
  void SetScanRange(const ScanRange& range) override;
  void SetAmbientTemperature(int celsius) override;
  // ScanWindow
  void SetStepTimer(bool running) override;
  void EnableStart(bool enabled) override;
  void RepaintPicture() override;

 signals:
  // command: the number of the command that produced it (see CountCommand).
  void startEnabledChanged(bool enabled, quint64 command);

 private:
  void Tick();
  void ReportScanning();
  void OnPortLost(const PortReport& loss);
  void ReportStep(bool noisy);
  void ReportPort(const PortReport& report);

  ScanService::LinkFactory makeLink_;
  InterruptibleClock* ownClock_ = nullptr;  // the clock when it is ours: Stop cuts its waits
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<ScanController> controller_;
  std::unique_ptr<QTimer> stepTimer_;

  std::mutex linkMutex_;  // guards link_ against RequestStop
  std::unique_ptr<PortLink> link_;
  std::atomic<bool> stopping_{false};

  quint64 commandNumber_ = 0;
  bool scanning_ = false;
  bool spotting_ = false;
};
