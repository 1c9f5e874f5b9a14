#include "scan/scan_controller.h"

#include "scan/adapter_frames.h"

#include <cstdlib>

namespace {

constexpr std::uint8_t kLastGridRow = 31;
constexpr std::uint8_t kLastGridColumn = 61;
constexpr std::uint8_t kLastPanPosition = 30;
constexpr std::uint8_t kRightHalfOffset = 31;  // grid column of pan position 0 in the right half
constexpr int kParkedTilt = 15;
constexpr int kMiddlePan = 15;
constexpr int kTiltServoRange = 20;
constexpr int kSettleMs = 300;
constexpr int kPanStepMs = 100;
constexpr int kMsPerServoPosition = 10;

// Stands in for the image until SetScanDefaults has given one.
class NoImage : public ImageSink {
 public:
  void StoreReading(int, int, int, bool) override {}
  void SetScanRange(const ScanRange&) override {}
  void SetAmbientTemperature(int) override {}
};

}  // namespace

ScanController::ScanController(Clock& clock, ScanWindow& window) : clock_(clock), window_(window) {}

void ScanController::SetPort(ByteLink* port) { state_.port = port; }

ImageSink& ScanController::Image() {
  static NoImage noImage;
  return state_.image != nullptr ? *state_.image : noImage;
}

void ScanController::SetScanDefaults(ImageSink* image) {
  ScanState& s = state_;
  s.image = image;
  s.panPosition = kLastPanPosition;
  s.tiltOffset = 0;
  s.range = ScanRange{};  // the whole grid
  s.firstPan = 0;
  s.lastPan = kLastPanPosition;
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
  if (s.range.firstRow > s.range.lastRow || s.range.lastRow > kLastGridRow) return false;
  if (s.range.firstColumn > s.range.lastColumn || s.range.lastColumn > kLastGridColumn) return false;
  // The sweep covers the columns of the one half the range lies in, or the
  // whole sweep when the range spans both halves.
  std::uint8_t firstPan = 0;
  std::uint8_t lastPan = kLastPanPosition;
  if (s.range.lastColumn < kRightHalfOffset) {
    firstPan = s.range.firstColumn;
    lastPan = s.range.lastColumn;
  } else if (s.range.firstColumn >= kRightHalfOffset) {
    firstPan = s.range.firstColumn - kRightHalfOffset;
    lastPan = s.range.lastColumn - kRightHalfOffset;
  }
  // The head must stay inside its sweep.
  if (s.panPosition < firstPan || s.panPosition > lastPan) return false;
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

std::uint8_t ScanController::Read(int module, std::uint8_t reg, bool* substituted) {
  bool missing = false;
  const std::uint8_t reading = ReadRegister(state_.port, clock_, module, reg, &missing);
  ++readsInStep_;
  if (missing) ++substitutesInStep_;
  if (substituted != nullptr) *substituted = missing;
  return reading;
}

void ScanController::ReadPixel(int module, int column, int reg) {
  ScanState& s = state_;
  s.pixelRegister = static_cast<std::uint8_t>(reg);
  bool substituted = false;
  const int reading = Read(module, s.pixelRegister, &substituted);
  Image().StoreReading(column, s.tiltOffset + s.subRowCount * (reg - 2), reading, substituted);
}

void ScanController::ReadModule(int module, int column) {
  for (int reg = state_.firstRegister; reg <= state_.lastRegister; ++reg) ReadPixel(module, column, reg);
}

void ScanController::ReadColumn() {
  // The pan module first; a module whose column is outside the range is not addressed.
  const ScanState& s = state_;
  const int pan = s.panPosition;
  const int right = pan + kRightHalfOffset;
  if (s.range.firstColumn <= right && right <= s.range.lastColumn) ReadModule(kPanModule, right);
  if (s.range.firstColumn <= pan && pan <= s.range.lastColumn) ReadModule(kTiltModule, pan);
}

void ScanController::WriteTilt() {
  WriteServoPosition(state_.port, kTiltModule, static_cast<std::uint8_t>(state_.tiltBase + state_.tiltOffset));
}

void ScanController::ParkTilt() { WriteServoPosition(state_.port, kTiltModule, kParkedTilt); }

void ScanController::PerformMove(HeadMove move) {
  ScanState& s = state_;
  switch (move) {
    case HeadMove::kStepForward:
    case HeadMove::kStepBackward:
      s.panPosition = static_cast<std::uint8_t>(s.panPosition + (move == HeadMove::kStepForward ? 1 : -1));
      WriteServoPosition(s.port, kPanModule, s.panPosition);
      clock_.Wait(kPanStepMs);
      break;
    case HeadMove::kTiltStep:
      s.tiltOffset = static_cast<std::uint8_t>(s.tiltOffset + s.tiltStep);
      UpdateRegisterSpan();
      WriteTilt();
      break;
    case HeadMove::kReturnPan:
      WriteServoPosition(s.port, kPanModule, s.firstPan);
      clock_.Wait(kMsPerServoPosition * (s.panPosition - s.firstPan));
      s.panPosition = s.firstPan;
      break;
    case HeadMove::kResetTilt:
      WriteServoPosition(s.port, kTiltModule, s.tiltBase);
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
}

void ScanController::EndStep() {
  clock_.YieldOnce();
  substitutesInLastStep_ = substitutesInStep_;
  readsInLastStep_ = readsInStep_;
}

void ScanController::ScanStep() {
  ScanState& s = state_;
  s.running = true;
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
  WriteServoRange(state_.port, kPanModule, state_.servoRange);
  WriteServoRange(state_.port, kTiltModule, kTiltServoRange);
}

void ScanController::ResendHeadPosition() {
  WriteServoRanges();
  WriteServoPosition(state_.port, kPanModule, state_.panPosition);
  if (scanning_) {
    WriteTilt();
  } else {
    ParkTilt();
  }
}

void ScanController::Start() {
  spotCells_.clear();
  Run();
}

void ScanController::Run() {
  window_.SetStepTimer(true);
  scanning_ = true;
  WriteTilt();
}

void ScanController::Stop() {
  spotCells_.clear();
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

bool ScanController::StartSpot(GridCell target, const std::vector<GridCell>& cells) {
  ScanState& s = state_;
  const int pan = target.column % kRightHalfOffset;
  if (target.row < 0 || target.row > kLastGridRow || target.column < 0 || target.column > kLastGridColumn ||
      pan < s.firstPan || pan > s.lastPan)
    return false;
  // The sweep goes on from where the head then stands.
  WriteServoPosition(s.port, kPanModule, pan);
  clock_.Wait(kMsPerServoPosition * std::abs(pan - s.panPosition));
  s.panPosition = static_cast<std::uint8_t>(pan);
  s.tiltOffset = static_cast<std::uint8_t>(target.row % s.subRowCount);
  UpdateRegisterSpan();
  spotCells_.clear();
  for (const GridCell& cell : cells) {
    if (cell.column % kRightHalfOffset == pan && cell.row % s.subRowCount == s.tiltOffset) spotCells_.push_back(cell);
  }
  if (spotCells_.empty()) spotCells_.push_back(target);
  Run();
  clock_.Wait(kSettleMs);
  return true;
}

void ScanController::SpotStep() {
  BeginStep();
  for (const GridCell& cell : spotCells_) {
    const bool right = cell.column >= kRightHalfOffset;
    ReadPixel(right ? kPanModule : kTiltModule, cell.column, cell.row / state_.subRowCount + kFirstPixelRegister);
  }
  EndStep();
  window_.RepaintPicture();
}

void ScanController::Reset() {
  if (Spotting()) Stop();  // the head leaves the spot
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
  WriteServoPosition(state_.port, kPanModule, kMiddlePan);  // panPosition keeps the scan's position
  PerformMove(HeadMove::kResetTilt);
  window_.EnableStart(false);
}

void ScanController::PauseScan() {
  pausedScan_ = scanning_;
  pausedSpot_ = spotCells_;
  if (pausedScan_) Stop();
}

void ScanController::ResumeScan() {
  if (pausedScan_) {
    spotCells_ = pausedSpot_;
    Run();
  }
  pausedScan_ = false;
}

void ScanController::ReadAmbient() {
  const int celsius = Read(kTiltModule, kAmbientRegister, nullptr);
  Image().SetAmbientTemperature(celsius);
  window_.ShowAmbient(celsius);
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
