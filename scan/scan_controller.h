#pragma once
#include <cstdint>
#include <vector>

#include "image/grid_cell.h"

#include "scan/adapter_frames.h"
#include "scan/byte_link.h"
#include "scan/clock.h"
#include "scan/image_sink.h"
#include "scan/scan_window.h"

// The head's moves between readings, in the order the sweep knows them.
enum class HeadMove : std::int32_t { kStepForward, kStepBackward, kTiltStep, kReturnPan, kResetTilt };

// The pan servo's positions: one per column of a half, pan position p
// points the left module at column p and the right one at p + kHalfColumns.
inline constexpr std::uint8_t kLastPanPosition = kHalfColumns - 1;

// Where the sensor head points, what is to be scanned and how the sweep
// runs. Byte fields wrap modulo 256 and compare unsigned.
struct ScanState {
  std::uint8_t panPosition = kLastPanPosition;
  std::uint8_t tiltOffset = 0;
  std::uint8_t tiltBase = 16;
  ScanRange range;
  std::uint8_t firstPan = 0;
  std::uint8_t lastPan = kLastPanPosition;
  std::uint8_t pixelRegister = 0;
  std::uint8_t firstRegister = 2;
  std::uint8_t lastRegister = 9;
  std::uint8_t servoRange = 20;
  bool running = false;
  bool bothDirections = false;
  bool stopAfterPass = false;
  HeadMove stepState = HeadMove::kStepForward;  // the last move
  std::int32_t subRowCount = 4;
  std::int32_t tiltStep = 1;
  friend bool operator==(const ScanState&, const ScanState&) = default;
};

// Moves the head and reads the columns. Runs on one thread (the scan's
// worker, or a test); it never sleeps itself but waits through the Clock.
class ScanController {
 public:
  ScanController(Clock& clock, ScanWindow& window);

  ScanState& State() { return state_; }
  const ScanState& State() const { return state_; }
  bool Scanning() const { return scanning_; }
  // Register reads of the last ScanStep that got no answer (substitutes).
  int SubstitutesInLastStep() const { return substitutesInLastStep_; }
  // Bytes dropped while the line recovered from a time-out in the last step.
  int DroppedInLastStep() const { return droppedInLastStep_; }
  // Register reads of the last ScanStep (none when the range misses every row of the offset).
  int ReadsInLastStep() const { return readsInLastStep_; }

  void SetPort(ByteLink* port);  // not owned; null: no port
  ByteLink* Port() const { return port_; }

  void SetScanDefaults(ImageSink* image);  // not owned
  bool ValidateRange();
  void UpdateRegisterSpan();
  void ReadColumn();
  void PerformMove(HeadMove move);
  void ScanStep();

  // Start-up: servo range of the pan module, then of the tilt module.
  void WriteServoRanges();
  // After a port opened on a running program: the servo ranges, then the
  // pan position the scan holds and the tilt of a running scan (parked
  // otherwise), so the next reading is taken where it is filed.
  void ResendHeadPosition();

  // Commands of the window.
  void Start();           // "Start": a pass; after a spot measurement from the range's edge
  void Stop();            // "Stopp"
  void Tick();            // one tick of the step timer
  void Reset();           // "Reset" of "Steuerung"
  void MiddlePosition();  // "Mittelposition"
  void PauseScan();       // before a modal dialog
  void ResumeScan();      // after it
  // Reads the ambient temperature once and hands it to the image sink.
  void ReadAmbient();

  // Spot measurement of the given cells (measuring points, in their
  // order): the cells seen from one head position (the pan position of a
  // column, the tilt sub-row of a row) are read there without moves; the
  // positions are visited in turn, one per tick, each with one move and one
  // settling wait (none when there is only one). "Stopp" ends it. Returns
  // the numbers (from 1) of the cells outside the scan range; it starts
  // only when there are cells and none is outside (nothing is sent
  // otherwise).
  std::vector<int> StartSpot(const std::vector<GridCell>& cells);
  bool Spotting() const { return !spotVisits_.empty(); }
  // Ends a spot measurement, if one runs, as "Stopp" does.
  void EndSpot();

  // Range and options. ChangeEdge tries the edge's new value (taken in
  // 8 bits) and keeps it only if the range stays valid; returns acceptance.
  bool ChangeEdge(RangeEdge edge, int value);
  void ResetRange();  // "Reset" of "Messbereich verkleinern"
  void SetOptions(bool stopAfterPass, bool bothDirections);
  void SetOneRowMode();   // "1-zeilig"
  void SetFourRowMode();  // "4-zeilig"

 private:
  void Run();  // starts the step timer and tilts the head to its sub-row
  void ParkTilt();
  void WriteTilt();
  void ReadModule(int module, int column);
  void ReadPixel(int module, int column, int reg);
  std::uint8_t Read(int module, std::uint8_t reg, ReadOutcome* outcome);
  void Write(bool replied);
  void NoteTimeOut();
  void RecoverLine();
  void ReturnToSweepStart();
  void BeginStep();
  void EndStep();
  // Where the head points for a spot measurement, and what it reads there.
  struct SpotVisit {
    int pan = 0;
    int tiltOffset = 0;
    std::vector<GridCell> cells;
  };
  void SpotStep();
  void MoveHeadTo(const SpotVisit& visit);
  void DecideRow();
  ImageSink& Image();

  Clock& clock_;
  ScanWindow& window_;
  ScanState state_;
  ByteLink* port_ = nullptr;
  ImageSink* image_ = nullptr;
  bool scanning_ = false;
  bool pausedScan_ = false;  // a scan was running when PauseScan stopped it
  int substitutesInStep_ = 0;
  int substitutesInLastStep_ = 0;
  int readsInStep_ = 0;
  int readsInLastStep_ = 0;
  int droppedInStep_ = 0;
  int droppedInLastStep_ = 0;
  std::uint64_t round_ = 0;  // the step, or spot round, readings are taken in
  // A time-out leaves an answer that may still come and be taken as the
  // answer to a later request: the rest of its step and the next step are
  // in doubt.
  bool doubtInStep_ = false;
  bool doubtInNextStep_ = false;
  bool awayFromSweep_ = false;  // a spot measurement moved the head off the sweep
  std::vector<SpotVisit> spotVisits_;
  std::size_t nextVisit_ = 0;
  std::vector<SpotVisit> pausedSpot_;
};
