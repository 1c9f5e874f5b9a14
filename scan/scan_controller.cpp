#include "scan/scan_controller.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kParkedTilt = 15;
constexpr int kMiddlePan = 15;
constexpr int kTiltServoRange = 20;
constexpr int kSettleMs = 300;
constexpr int kPanStepMs = 100;
constexpr int kMsPerServoPosition = 10;
// Bytes a recovering line may drop before it counts as streaming on its own.
constexpr int kMostDroppedBytes = 64;

// Stands in for the image until SetScanDefaults has given one.
class NoImage : public ImageSink {
 public:
  void StoreReading(const CellReading&) override {}
  void SetScanRange(const ScanRange&) override {}
  void SetAmbientTemperature(int) override {}
};

}  // namespace

ScanController::ScanController(Clock& clock, ScanWindow& window) : clock_(clock), window_(window) {}

void ScanController::SetPort(ByteLink* port) { port_ = port; }

ImageSink& ScanController::Image() {
  static NoImage noImage;
  return image_ != nullptr ? *image_ : noImage;
}

void ScanController::SetScanDefaults(ImageSink* image) {
  ScanState& s = state_;
  image_ = image;
  s.panPosition = kLastPanPosition;
  s.tiltOffset = 0;
  s.range = ScanRange{};  // the whole grid; its sweep follows from it
  ValidateRange();
  UpdateRegisterSpan();
  s.subRowCount = 4;
  s.bothDirections = false;
  s.stopAfterPass = false;
  s.tiltStep = 1;
  s.servoRange = 20;
  s.tiltBase = 16;
}

bool ScanController::ValidateRange() {
  ScanState& s = state_;
  if (s.range.firstRow > s.range.lastRow || s.range.lastRow >= kGridRows) return false;
  if (s.range.firstColumn > s.range.lastColumn || s.range.lastColumn >= kGridColumns) return false;
  // The sweep covers the columns of the one half the range lies in, or the
  // whole sweep when the range spans both halves.
  std::uint8_t firstPan = 0;
  std::uint8_t lastPan = kLastPanPosition;
  if (s.range.lastColumn < kHalfColumns) {
    firstPan = s.range.firstColumn;
    lastPan = s.range.lastColumn;
  } else if (s.range.firstColumn >= kHalfColumns) {
    firstPan = s.range.firstColumn - kHalfColumns;
    lastPan = s.range.lastColumn - kHalfColumns;
  }
  // The head must stay inside its sweep, also where a spot measurement
  // (running or paused) would take it next.
  const auto outside = [&](int pan) { return pan < firstPan || pan > lastPan; };
  if (outside(s.panPosition)) return false;
  for (const auto* visits : {&spotVisits_, &pausedSpot_}) {
    for (const SpotVisit& visit : *visits) {
      if (outside(visit.pan)) return false;
    }
  }
  Image().SetScanRange(s.range);
  s.firstPan = firstPan;
  s.lastPan = lastPan;
  return true;
}

void ScanController::UpdateRegisterSpan() {
  // The pixel registers whose row tiltOffset + 4 * (register - 2) lies in the
  // row range; the interleave is fixed at 4 rows per pixel.
  ScanState& s = state_;
  const int t = s.tiltOffset;
  s.firstRegister = static_cast<std::uint8_t>(s.range.firstRow / 4 + (s.range.firstRow % 4 > t ? 1 : 0) + 2);
  s.lastRegister = static_cast<std::uint8_t>(s.range.lastRow / 4 - (s.range.lastRow % 4 < t ? 1 : 0) + 2);
}

std::uint8_t ScanController::Read(int module, std::uint8_t reg, ReadOutcome* outcome) {
  ReadOutcome read;
  const std::uint8_t reading = ReadRegister(port_, clock_, module, reg, &read);
  ++readsInStep_;
  if (read.substituted) ++substitutesInStep_;
  if (read.timedOut) NoteTimeOut();
  if (outcome != nullptr) *outcome = read;
  return reading;
}

void ScanController::Write(bool replied) {
  if (!replied) NoteTimeOut();
}

// The answer that did not come in time may still come and would be taken as
// the answer to the next request. A spot measurement owns its pace and lets
// the line fall quiet first; the sweep keeps its timing and marks what it
// reads until the next step has passed as doubtful.
void ScanController::NoteTimeOut() {
  if (Spotting()) return RecoverLine();
  doubtInStep_ = true;  // outside a step the next BeginStep decides
  doubtInNextStep_ = true;
}

// Reads until the line stays quiet for a whole read time-out, dropping what
// comes; a line that keeps streaming leaves the rest of the step in doubt.
void ScanController::RecoverLine() {
  if (port_ == nullptr) return;
  std::uint8_t byte = 0;
  int dropped = 0;
  while (dropped < kMostDroppedBytes && port_->ReadByte(byte)) ++dropped;
  droppedInStep_ += dropped;
  if (dropped == kMostDroppedBytes) doubtInStep_ = true;
}

void ScanController::ReadPixel(int module, int column, int reg) {
  ScanState& s = state_;
  s.pixelRegister = static_cast<std::uint8_t>(reg);
  const bool doubtful = doubtInStep_;  // a time-out in this read itself only makes it a substitute
  ReadOutcome read;
  const int reading = Read(module, s.pixelRegister, &read);
  const int row = s.tiltOffset + s.subRowCount * (reg - kFirstPixelRegister);
  Image().StoreReading({column, row, reading, read.substituted, doubtful, read.seconds, round_});
}

void ScanController::ReadModule(int module, int column) {
  for (int reg = state_.firstRegister; reg <= state_.lastRegister; ++reg) ReadPixel(module, column, reg);
}

void ScanController::ReadColumn() {
  // The pan module first; a module whose column is outside the range is not addressed.
  const ScanState& s = state_;
  const int pan = s.panPosition;
  const int right = pan + kHalfColumns;
  if (s.range.firstColumn <= right && right <= s.range.lastColumn) ReadModule(kPanModule, right);
  if (s.range.firstColumn <= pan && pan <= s.range.lastColumn) ReadModule(kTiltModule, pan);
}

void ScanController::WriteTilt() {
  Write(WriteServoPosition(port_, kTiltModule, static_cast<std::uint8_t>(state_.tiltBase + state_.tiltOffset)));
}

void ScanController::ParkTilt() { Write(WriteServoPosition(port_, kTiltModule, kParkedTilt)); }

void ScanController::PerformMove(HeadMove move) {
  ScanState& s = state_;
  switch (move) {
    case HeadMove::kStepForward:
    case HeadMove::kStepBackward:
      s.panPosition = static_cast<std::uint8_t>(s.panPosition + (move == HeadMove::kStepForward ? 1 : -1));
      Write(WriteServoPosition(port_, kPanModule, s.panPosition));
      clock_.Wait(kPanStepMs);
      break;
    case HeadMove::kTiltStep:
      s.tiltOffset = static_cast<std::uint8_t>(s.tiltOffset + s.tiltStep);
      UpdateRegisterSpan();
      WriteTilt();
      break;
    case HeadMove::kReturnPan:
      Write(WriteServoPosition(port_, kPanModule, s.firstPan));
      clock_.Wait(kMsPerServoPosition * (s.panPosition - s.firstPan));
      s.panPosition = s.firstPan;
      break;
    case HeadMove::kResetTilt:
      Write(WriteServoPosition(port_, kTiltModule, s.tiltBase));
      clock_.Wait(kMsPerServoPosition * s.tiltOffset);
      s.tiltOffset = 0;
      UpdateRegisterSpan();
      if (s.stopAfterPass) s.running = false;
      break;
  }
  s.stepState = move;
}

void ScanController::DecideRow() {
  const ScanState& s = state_;
  PerformMove(s.tiltOffset < s.subRowCount - s.tiltStep ? HeadMove::kTiltStep : HeadMove::kResetTilt);
}

void ScanController::BeginStep() {
  substitutesInStep_ = 0;
  readsInStep_ = 0;
  droppedInStep_ = 0;
  doubtInStep_ = doubtInNextStep_;
  doubtInNextStep_ = false;
}

void ScanController::EndStep() {
  clock_.YieldOnce();
  substitutesInLastStep_ = substitutesInStep_;
  readsInLastStep_ = readsInStep_;
  droppedInLastStep_ = droppedInStep_;
}

void ScanController::ScanStep() {
  ScanState& s = state_;
  s.running = true;
  ++round_;
  BeginStep();
  clock_.Wait(kSettleMs);
  ReadColumn();
  EndStep();

  if (s.stepState == HeadMove::kReturnPan || s.stepState == HeadMove::kResetTilt) {
    // When one sweep is a whole frame, a frame that ended at lastPan with
    // both directions on has no tilt step to turn the sweep round; without
    // this the head would stay at lastPan and re-read that column forever.
    const bool turnAtLastPan = s.stepState == HeadMove::kResetTilt && s.bothDirections &&
                               s.panPosition == s.lastPan && s.tiltStep >= s.subRowCount;
    s.stepState = turnAtLastPan ? HeadMove::kStepBackward : HeadMove::kStepForward;
  }

  switch (s.stepState) {
    case HeadMove::kStepForward:
      if (s.panPosition != s.lastPan) return PerformMove(HeadMove::kStepForward);
      if (!s.bothDirections) PerformMove(HeadMove::kReturnPan);
      return DecideRow();
    case HeadMove::kStepBackward:
      if (s.panPosition != s.firstPan) return PerformMove(HeadMove::kStepBackward);
      return DecideRow();
    case HeadMove::kTiltStep:
      if (s.panPosition != s.firstPan) return PerformMove(HeadMove::kStepBackward);
      if (s.panPosition == s.lastPan) {
        s.stepState = HeadMove::kStepForward;  // a one-position sweep: nothing to move
        return;
      }
      return PerformMove(HeadMove::kStepForward);
    default:
      return;
  }
}

void ScanController::WriteServoRanges() {
  Write(WriteServoRange(port_, kPanModule, state_.servoRange));
  Write(WriteServoRange(port_, kTiltModule, kTiltServoRange));
}

void ScanController::ResendHeadPosition() {
  WriteServoRanges();
  Write(WriteServoPosition(port_, kPanModule, state_.panPosition));
  if (scanning_) {
    WriteTilt();
  } else {
    ParkTilt();
  }
}

void ScanController::Start() {
  spotVisits_.clear();
  if (awayFromSweep_) ReturnToSweepStart();
  Run();
}

// A pass begins where the range's sweep begins, as after "Reset".
void ScanController::ReturnToSweepStart() {
  PerformMove(HeadMove::kReturnPan);
  state_.tiltOffset = 0;
  UpdateRegisterSpan();
  awayFromSweep_ = false;
}

void ScanController::Run() {
  window_.SetStepTimer(true);
  scanning_ = true;
  WriteTilt();
}

void ScanController::Stop() {
  spotVisits_.clear();
  window_.SetStepTimer(false);
  scanning_ = false;
  ParkTilt();
  state_.running = false;
}

void ScanController::Tick() {
  if (!scanning_) return Stop();  // the last step ended a pass
  if (Spotting()) return SpotStep();
  ScanStep();
  scanning_ = state_.running;
  window_.RepaintPicture();
}

std::vector<int> ScanController::StartSpot(const std::vector<GridCell>& cells) {
  const ScanRange& range = state_.range;
  std::vector<int> outside;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (!range.Contains(cells[i])) outside.push_back(static_cast<int>(i) + 1);
  }
  if (cells.empty() || !outside.empty()) return outside;
  std::vector<SpotVisit> visits;
  for (const GridCell& cell : cells) {
    const int pan = cell.column % kHalfColumns, offset = cell.row % state_.subRowCount;
    auto visit = std::find_if(visits.begin(), visits.end(),
                              [&](const SpotVisit& v) { return v.pan == pan && v.tiltOffset == offset; });
    if (visit == visits.end()) visit = visits.insert(visits.end(), SpotVisit{pan, offset, {}});
    visit->cells.push_back(cell);
  }
  spotVisits_ = std::move(visits);
  nextVisit_ = 0;
  awayFromSweep_ = true;
  MoveHeadTo(spotVisits_.front());
  window_.SetStepTimer(true);
  scanning_ = true;
  return outside;
}

void ScanController::EndSpot() {
  if (Spotting()) Stop();
}

// Turns the head, then waits for it to settle. The tilt servo needs no
// wait of its own: the settling wait covers it.
void ScanController::MoveHeadTo(const SpotVisit& visit) {
  ScanState& s = state_;
  Write(WriteServoPosition(port_, kPanModule, visit.pan));
  clock_.Wait(kMsPerServoPosition * std::abs(visit.pan - s.panPosition));
  s.panPosition = static_cast<std::uint8_t>(visit.pan);
  s.tiltOffset = static_cast<std::uint8_t>(visit.tiltOffset);
  UpdateRegisterSpan();
  WriteTilt();
  clock_.Wait(kSettleMs);
}

// One visit per tick; a round of visits is one round of readings.
void ScanController::SpotStep() {
  const SpotVisit& visit = spotVisits_[nextVisit_];
  if (nextVisit_ == 0) ++round_;
  nextVisit_ = (nextVisit_ + 1) % spotVisits_.size();
  BeginStep();
  if (visit.pan != state_.panPosition || visit.tiltOffset != state_.tiltOffset) MoveHeadTo(visit);
  for (const GridCell& cell : visit.cells) {
    const bool right = cell.column >= kHalfColumns;
    ReadPixel(right ? kPanModule : kTiltModule, cell.column, cell.row / state_.subRowCount + kFirstPixelRegister);
  }
  EndStep();
  window_.RepaintPicture();
}

void ScanController::Reset() {
  if (Spotting()) Stop();  // the head leaves the spot
  awayFromSweep_ = false;
  PerformMove(HeadMove::kReturnPan);
  if (state_.running) {
    PerformMove(HeadMove::kResetTilt);
  } else {
    state_.tiltOffset = 0;
    UpdateRegisterSpan();
  }
  Read(kTiltModule, kAmbientRegister, nullptr);  // the first ambient reading is discarded
  ReadAmbient();
  window_.EnableStart(true);
}

void ScanController::MiddlePosition() {
  if (Spotting()) Stop();
  Write(WriteServoPosition(port_, kPanModule, kMiddlePan));  // panPosition keeps the scan's position
  PerformMove(HeadMove::kResetTilt);
  window_.EnableStart(false);
}

void ScanController::PauseScan() {
  pausedScan_ = scanning_;
  pausedSpot_ = spotVisits_;
  if (pausedScan_) Stop();
}

void ScanController::ResumeScan() {
  if (pausedScan_) {
    // A spot measurement resumed begins a new round: what ran while it was
    // paused (another spot measurement, say) may have left the next visit
    // beyond its visits.
    spotVisits_ = pausedSpot_;
    nextVisit_ = 0;
    Run();
  }
  pausedScan_ = false;
}

void ScanController::ReadAmbient() {
  const int celsius = Read(kTiltModule, kAmbientRegister, nullptr);
  Image().SetAmbientTemperature(celsius);
}

bool ScanController::ChangeEdge(RangeEdge edge, int value) {
  std::uint8_t& field = state_.range.Edge(edge);
  const std::uint8_t old = field;
  field = static_cast<std::uint8_t>(value);  // -1 becomes 255 and is refused
  if (!ValidateRange()) {
    field = old;
    return false;
  }
  if (edge == RangeEdge::Top || edge == RangeEdge::Bottom) UpdateRegisterSpan();
  window_.RepaintPicture();
  return true;
}

void ScanController::ResetRange() {
  ScanState& s = state_;
  s.range = ScanRange{};  // the whole grid
  s.firstPan = 0;
  s.lastPan = kLastPanPosition;
  Image().SetScanRange(s.range);
  UpdateRegisterSpan();
  window_.RepaintPicture();
}

void ScanController::SetOptions(bool stopAfterPass, bool bothDirections) {
  state_.stopAfterPass = stopAfterPass;
  state_.bothDirections = bothDirections;
}

void ScanController::SetOneRowMode() { state_.tiltStep = state_.subRowCount; }

void ScanController::SetFourRowMode() { state_.tiltStep = state_.subRowCount / 4; }
