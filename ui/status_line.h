#pragma once
#include <QObject>
#include <QString>

#include "scan/port_report.h"

class QStatusBar;
class ScanReports;

// Decides which sentence about the scan stands in the status line: the
// port's; while the steps find something wrong, that trouble's, until a clean
// step brings the port's back; while a spot measurement runs, that it does,
// on the port's sentence. A lost port's sentence stands as is. Other messages
// shown on the bar in between stand until the scan reports news.
class StatusLine : public QObject {
  Q_OBJECT
 public:
  // Follows the scan's reports, delivered on this thread; bar owns it.
  StatusLine(const ScanReports& scan, QStatusBar* bar);

 private:
  void ShowPort(const PortReport& report);
  void ShowStep(StepTrouble trouble);
  void ShowSpotRunning(bool running);
  // What runs on the port: its sentence, or that of a spot measurement on it.
  QString RunningSentence() const;

  QStatusBar* bar_;
  QString portSentence_;
  bool spotting_ = false;
  StepTrouble shownTrouble_ = StepTrouble::kNone;
};
