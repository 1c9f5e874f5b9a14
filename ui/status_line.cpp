#include "ui/status_line.h"

#include <QStatusBar>

#include "scan/qt/scan_reports.h"
#include "ui/status_text.h"

StatusLine::StatusLine(const ScanReports& scan, QStatusBar* bar) : QObject(bar), bar_(bar) {
  connect(&scan, &ScanReports::portReported, this, &StatusLine::ShowPort);
  connect(&scan, &ScanReports::stepChecked, this, &StatusLine::ShowStep);
  connect(&scan, &ScanReports::spotRunningChanged, this, &StatusLine::ShowSpotRunning);
}

// A new port starts without trouble: the next troubled step says so again.
void StatusLine::ShowPort(const PortReport& report) {
  portSentence_ = StatusText(report);
  shownTrouble_ = StepTrouble::kNone;
  bar_->showMessage(report.outcome == PortOutcome::kLost ? portSentence_ : RunningSentence());
}

// Each trouble is said once, however many steps find it.
void StatusLine::ShowStep(StepTrouble trouble) {
  if (trouble == shownTrouble_) return;
  shownTrouble_ = trouble;
  bar_->showMessage(trouble == StepTrouble::kNone ? RunningSentence() : StatusText(trouble));
}

void StatusLine::ShowSpotRunning(bool running) {
  spotting_ = running;
  shownTrouble_ = StepTrouble::kNone;
  bar_->showMessage(RunningSentence());
}

QString StatusLine::RunningSentence() const { return spotting_ ? SpotStatusText(portSentence_) : portSentence_; }
