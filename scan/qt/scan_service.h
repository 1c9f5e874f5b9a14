#pragma once
#include <QThread>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "scan/qt/port_selection.h"
#include "scan/qt/scan_reports.h"
#include "scan/scan_controller.h"

class Clock;
class PortLink;
class ScanWorker;

// The scan on a worker thread of its own. The worker owns the scan
// controller, its state and the serial port, and paces the steps with its
// own timer. The window's commands are queued to it in the order given and
// take effect between steps, never inside one; everything the window shows
// comes back as the signals of ScanReports, delivered on the window's thread.
class ScanService : public ScanReports {
  Q_OBJECT
 public:
  // makeLink creates the port link on the worker thread (the serial port by
  // default; tests pass fakes).
  using LinkFactory = std::function<std::unique_ptr<PortLink>()>;
  explicit ScanService(LinkFactory makeLink = {}, QObject* parent = nullptr);
  // makeClock gives the scan's waits (by default real waits that the
  // destructor cuts short; tests may pass a clock that does not wait). It is
  // called once, before the worker starts; the clock is used on the worker.
  using ClockFactory = std::function<std::unique_ptr<Clock>()>;
  ScanService(LinkFactory makeLink, ClockFactory makeClock, QObject* parent = nullptr);
  // Stops the worker and joins it, waiting at most one serial time-out.
  ~ScanService() override;

  // Start-up of the scan: defaults, the stored port (or, for this run only,
  // the device given), both servo ranges, "Start" disabled, "Reset", both
  // options on, one more ambient reading.
  void StartUp(const RunDevice& device = {});
  void Start();
  void Stop();
  void Reset();
  // Disables "Start" at once; no report of an earlier command enables it
  // again, only a later "Reset".
  void MiddlePosition();
  void Pause();
  void Resume();
  // Answered by edgeAnswered with the accepted or refused value.
  void ChangeEdge(RangeEdge edge, int value);
  // A spot measurement of the given cells (see ScanController::StartSpot);
  // answered by spotRefused if refused. "Stopp" and StopSpot end it,
  // "Start" runs a pass from the range's edge.
  void StartSpot(std::vector<GridCell> cells);
  // Ends a spot measurement, if one runs; a pass runs on.
  void StopSpot();
  // The clock that stamps the readings, in seconds; any thread.
  double ClockSeconds() const;
  void ResetRange();
  void SetOptions(bool stopAfterPass, bool bothDirections);
  void SetOneRowMode();
  void SetFourRowMode();
  // Stores the number as the port to open at the next start at once, then
  // opens it on the worker.
  void SelectPort(int number);

 signals:
  // The worker's enabling of "Start", less the reports MiddlePosition made out of date.
  void startEnabledChanged(bool enabled);

 private:
  // Returns the command's number, counted from 1 in the order posted.
  using Command = std::function<void(ScanWorker&)>;
  quint64 Post(Command command);
  // On the worker: runs the oldest command posted.
  void RunNextCommand();

  QThread thread_;
  quint64 postedCommands_ = 0;
  // Reports of "Start" from commands before this one are out of date.
  quint64 startHeldFrom_ = 0;
  // Commands wait here, in order, for the worker. The lock hands each one
  // (and whatever it carries) over to the worker's thread.
  std::mutex commandsMutex_;
  std::deque<Command> commands_;
  std::unique_ptr<ScanWorker> worker_;
};
