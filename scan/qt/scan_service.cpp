#include "scan/qt/scan_service.h"

#include <QMetaMethod>

#include "scan/qt/port_settings.h"
#include "scan/qt/scan_worker.h"

ScanService::ScanService(LinkFactory makeLink, QObject* parent) : ScanService(std::move(makeLink), {}, parent) {}

ScanService::ScanService(LinkFactory makeLink, ClockFactory makeClock, QObject* parent)
    : ScanReports(parent), worker_(std::make_unique<ScanWorker>(std::move(makeLink), std::move(makeClock))) {
  qRegisterMetaType<ScanRange>("ScanRange");
  qRegisterMetaType<RangeEdge>("RangeEdge");
  qRegisterMetaType<CellReading>("CellReading");
  qRegisterMetaType<PortReport>("PortReport");
  qRegisterMetaType<StepTrouble>("StepTrouble");
  // Every report of the worker reaches the window's thread in the order it
  // was emitted, as the same signal of this service.
  const QMetaObject& reports = ScanReports::staticMetaObject;
  for (int i = reports.methodOffset(); i < reports.methodCount(); ++i) {
    const QMetaMethod report = reports.method(i);
    if (report.methodType() == QMetaMethod::Signal) connect(worker_.get(), report, this, report, Qt::QueuedConnection);
  }
  connect(
      worker_.get(), &ScanWorker::startEnabledChanged, this,
      [this](bool enabled, quint64 command) {
        if (command >= startHeldFrom_) emit startEnabledChanged(enabled);
      },
      Qt::QueuedConnection);

  worker_->moveToThread(&thread_);
  // Both run on the worker thread, before its event loop and after it.
  connect(&thread_, &QThread::started, worker_.get(), &ScanWorker::SetUpOnThread, Qt::DirectConnection);
  connect(&thread_, &QThread::finished, worker_.get(), &ScanWorker::TearDownOnThread, Qt::DirectConnection);
  thread_.start();
}

ScanService::~ScanService() {
  worker_->RequestStop();
  thread_.quit();
  thread_.wait();
  worker_->SyncWithFinishedThread();
}

quint64 ScanService::Post(Command command) {
  {
    std::lock_guard lock(commandsMutex_);
    commands_.push_back(std::move(command));
  }
  // One run per command, queued on the worker's event loop: commands run in
  // the order given, and between steps, never inside one.
  QMetaObject::invokeMethod(worker_.get(), [this] { RunNextCommand(); }, Qt::QueuedConnection);
  return ++postedCommands_;
}

void ScanService::RunNextCommand() {
  Command command;
  {
    std::lock_guard lock(commandsMutex_);
    command = std::move(commands_.front());
    commands_.pop_front();
  }
  worker_->CountCommand();
  command(*worker_);
}

void ScanService::StartUp(const RunDevice& device) {
  Post([device](ScanWorker& worker) { worker.StartUp(device); });
}

void ScanService::Start() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::Start); });
}

void ScanService::Stop() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::Stop); });
}

void ScanService::Reset() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::Reset); });
}

void ScanService::MiddlePosition() {
  // A click on "Start" before the worker gets here must not scan from the
  // middle: "Start" goes off now, and the enabling of a "Reset" still queued
  // or running is no longer news.
  startHeldFrom_ = Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::MiddlePosition); });
  emit startEnabledChanged(false);
}

void ScanService::Pause() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::PauseScan); });
}

void ScanService::Resume() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::ResumeScan); });
}

void ScanService::ChangeEdge(RangeEdge edge, int value) {
  Post([edge, value](ScanWorker& worker) { worker.ChangeEdge(edge, value); });
}

void ScanService::StartSpot(std::vector<GridCell> cells) {
  Post([cells = std::move(cells)](ScanWorker& worker) { worker.StartSpot(cells); });
}

void ScanService::StopSpot() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::EndSpot); });
}

double ScanService::ClockSeconds() const { return worker_->ClockSeconds(); }

void ScanService::ResetRange() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::ResetRange); });
}

void ScanService::SetOptions(bool stopAfterPass, bool bothDirections) {
  Post([stopAfterPass, bothDirections](ScanWorker& worker) { worker.SetOptions(stopAfterPass, bothDirections); });
}

void ScanService::SetOneRowMode() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::SetOneRowMode); });
}

void ScanService::SetFourRowMode() {
  Post([](ScanWorker& worker) { worker.RunCommand(&ScanController::SetFourRowMode); });
}

void ScanService::SelectPort(int number) {
  // Stored here, not on the worker: a window closed before the worker gets
  // to it must not lose the choice.
  StorePortNumber(number);
  Post([number](ScanWorker& worker) { worker.SelectPort(number); });
}
