#include "scan/qt/scan_worker.h"

#include "scan/qt/port_selection.h"
#include "scan/qt/serial_link.h"

ScanWorker::ScanWorker(ScanService::LinkFactory makeLink, ScanService::ClockFactory makeClock)
    : makeLink_(std::move(makeLink)) {
  if (makeClock) {
    clock_ = makeClock();
  } else {
    auto clock = std::make_unique<InterruptibleClock>();
    ownClock_ = clock.get();
    clock_ = std::move(clock);
  }
  if (!makeLink_) makeLink_ = [] { return std::make_unique<SerialLink>(); };
}

ScanWorker::~ScanWorker() = default;

void ScanWorker::RequestStop() {
  stopping_ = true;
  if (ownClock_ != nullptr) ownClock_->Stop();
  std::lock_guard lock(linkMutex_);
  if (link_) link_->Abort();
}

void ScanWorker::SetUpOnThread() {
  std::unique_ptr<PortLink> link = makeLink_();
  {
    std::lock_guard lock(linkMutex_);
    link_ = std::move(link);
    if (stopping_) link_->Abort();
  }
  link_->OnLoss([this](const PortReport& loss) { OnPortLost(loss); });
  controller_ = std::make_unique<ScanController>(*clock_, *this);
  stepTimer_ = std::make_unique<QTimer>();
  stepTimer_->setInterval(0);
  connect(stepTimer_.get(), &QTimer::timeout, this, &ScanWorker::Tick);
}

void ScanWorker::TearDownOnThread() {
  // Timers and the serial port belong to this thread: release them here.
  stepTimer_.reset();
  controller_.reset();
  std::lock_guard lock(linkMutex_);
  link_.reset();
}

void ScanWorker::SyncWithFinishedThread() { std::lock_guard lock(linkMutex_); }

void ScanWorker::StartUp(const RunDevice& device) {
  if (stopping_) return;
  ScanController& scan = *controller_;
  scan.SetScanDefaults(this);
  ReportPort(device.path.isEmpty() ? OpenStoredPort(*link_, scan) : OpenDevice(*link_, scan, device));
  scan.WriteServoRanges();
  EnableStart(false);
  scan.Reset();
  scan.SetOptions(true, true);
  scan.ReadAmbient();
  ReportScanning();
}

void ScanWorker::RunCommand(void (ScanController::*command)()) {
  if (stopping_) return;
  ((*controller_).*command)();
  ReportScanning();
}

void ScanWorker::ChangeEdge(RangeEdge edge, int value) {
  if (stopping_) return;
  const bool accepted = controller_->ChangeEdge(edge, value);
  emit edgeAnswered(edge, controller_->State().range.Edge(edge), accepted);
  ReportScanning();
}

void ScanWorker::StartSpot(const std::vector<GridCell>& cells) {
  if (stopping_) return;
  const std::vector<int> outside = controller_->StartSpot(cells);
  quint32 mask = 0;
  for (int number : outside) mask |= 1u << (number - 1);
  if (!outside.empty()) emit spotRefused(mask);
  ReportScanning();
}

void ScanWorker::SetOptions(bool stopAfterPass, bool bothDirections) {
  if (stopping_) return;
  controller_->SetOptions(stopAfterPass, bothDirections);
}

void ScanWorker::SelectPort(int number) {
  if (stopping_) return;
  const PortReport report = OpenPort(*link_, *controller_, number);
  // The head may have been moved or switched off while no port was open.
  if (report.Opened()) controller_->ResendHeadPosition();
  ReportPort(report);
  ReportScanning();
}

void ScanWorker::ReportPort(const PortReport& report) {
  emit portChosen(report.number);
  emit portReported(report);
}

void ScanWorker::Tick() {
  if (stopping_) return;
  const bool stepping = controller_->Scanning();
  link_->TakeNoise();  // what came while idle is not the step's
  controller_->Tick();
  const bool noisy = link_->TakeNoise() > 0 || controller_->DroppedInLastStep() > 0;
  ReportScanning();
  if (stepping) ReportStep(noisy);
}

void ScanWorker::ReportScanning() {
  if (controller_->Scanning() != scanning_) {
    scanning_ = controller_->Scanning();
    emit scanningChanged(scanning_);
  }
  if (controller_->Spotting() != spotting_) {
    spotting_ = controller_->Spotting();
    emit spotRunningChanged(spotting_);
  }
}

// Called by the link the moment the port goes away, also inside a step:
// the rest of the step reads substitutes.
void ScanWorker::OnPortLost(const PortReport& loss) {
  controller_->SetPort(nullptr);
  if (!stopping_) emit portReported(loss);
}

// Whether the sensors fell silent on an open port or the line carried bytes
// nobody asked for. Silence weighs more: its readings are substitutes. A step
// that read nothing tells nothing.
void ScanWorker::ReportStep(bool noisy) {
  if (stopping_ || !link_->IsOpen() || controller_->ReadsInLastStep() == 0) return;
  const StepTrouble trouble = controller_->SubstitutesInLastStep() > 0 ? StepTrouble::kSilentSensors
                              : noisy                                  ? StepTrouble::kNoisyLine
                                                                       : StepTrouble::kNone;
  emit stepChecked(trouble);
}

void ScanWorker::StoreReading(const CellReading& reading) { emit readingStored(reading); }

void ScanWorker::SetScanRange(const ScanRange& range) { emit scanRangeChanged(range); }

void ScanWorker::SetAmbientTemperature(int celsius) { emit ambientChanged(celsius); }

void ScanWorker::SetStepTimer(bool running) {
  if (running) {
    stepTimer_->start();
  } else {
    stepTimer_->stop();
  }
}

void ScanWorker::EnableStart(bool enabled) { emit startEnabledChanged(enabled, commandNumber_); }

void ScanWorker::RepaintPicture() { emit repaintRequested(); }
