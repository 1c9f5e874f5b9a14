// Drives the scan controller with an arbitrary adapter line and arbitrary
// window commands, storing into a real thermal image, and aborts as soon as
// the grid, ScanState or the frames on the line leave what they may hold.
//
// Input layout: the adapter's answers are taken from the front, the window's
// commands from the back, so either stream can be mutated without shifting
// the other. When the answers run out the adapter falls silent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <utility>

#include "fuzz/fuzz_check.h"
#include "fuzz/thermal_image_sink.h"
#include "image/thermal_image.h"
#include "scan/adapter_frames.h"
#include "scan/scan_controller.h"
#include "tests/support/scan_fakes.h"

namespace {

// Keeps the thermal image work of one input bounded.
constexpr int kMaxTicks = 600;
constexpr int kTicksPerPass = 4 * 31 + 4;  // a whole frame with both directions, and some slack
constexpr int kLongestWaitMs = 300;        // settling, or a return across the whole sweep

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), back_(size) {}
  std::optional<std::uint8_t> Answer() {
    if (front_ == back_) return std::nullopt;
    return data_[front_++];
  }
  std::optional<std::uint8_t> Command() {
    if (front_ == back_) return std::nullopt;
    return data_[--back_];
  }

 private:
  const std::uint8_t* data_;
  std::size_t front_ = 0;
  std::size_t back_;
};

// The adapter as the input has it. An answer byte b is that byte, except
// that 0 escapes: 0 0 is a genuine 0, 0 x (x not 0) is no byte at all with x
// left behind in the caller's buffer. Every frame sent is checked against
// what the program may send, and the answer to the last register read is
// kept so that the reading made of it can be checked.
class FuzzLink : public ByteLink {
 public:
  explicit FuzzLink(FuzzInput& input) : input_(input) {}

  void Send(std::span<const std::uint8_t> frame) override {
    FUZZ_CHECK(frame.size() == 4 || frame.size() == 5);
    FUZZ_CHECK(frame[0] == 0x55);
    FUZZ_CHECK(frame[3] == 0x01);
    readSent_ = frame.size() == 4;
    reading_.reset();
    if (readSent_) return CheckRead(frame[1], frame[2]);
    CheckWrite(frame[1], frame[2], frame[4]);
  }

  bool ReadByte(std::uint8_t& byte) override {
    const bool answered = Answer(byte);
    if (readSent_ && answered && byte != 0) reading_ = byte;
    readSent_ = false;
    return answered;
  }

  // The byte the last register read got; none if it got no byte or a 0
  // (or no port was open), which must have become a substitute. Once only.
  std::optional<std::uint8_t> TakeReading() { return std::exchange(reading_, std::nullopt); }

 private:
  bool Answer(std::uint8_t& byte) {
    const std::optional<std::uint8_t> first = input_.Answer();
    if (!first) return false;
    if (*first != 0) {
      byte = *first;
      return true;
    }
    byte = input_.Answer().value_or(0xEE);
    return byte == 0;
  }

  static void CheckRead(std::uint8_t address, std::uint8_t reg) {
    // Pixels of both modules; the ambient temperature of module 0xD0 only.
    FUZZ_CHECK(address == 0xD1 || address == 0xD3);
    FUZZ_CHECK((reg >= kFirstPixelRegister && reg <= kLastPixelRegister) ||
               (reg == kAmbientRegister && address == 0xD1));
  }

  static void CheckWrite(std::uint8_t address, std::uint8_t reg, std::uint8_t value) {
    FUZZ_CHECK(address == 0xD0 || address == 0xD2);
    FUZZ_CHECK(reg == 0 || reg == 1);
    if (reg == 1) {
      FUZZ_CHECK(value == 20);
    } else if (address == 0xD2) {
      FUZZ_CHECK(value <= 30);  // pan 0..30, middle 15
    } else {
      FUZZ_CHECK(value >= 15 && value <= 19);  // park 15, or base 16 + offset 0..3
    }
  }

  FuzzInput& input_;
  bool readSent_ = false;
  std::optional<std::uint8_t> reading_;
};

class FastClock : public Clock {
 public:
  void Wait(int milliseconds) override { FUZZ_CHECK(milliseconds >= 0 && milliseconds <= kLongestWaitMs); }
  void YieldOnce() override {}
  double Seconds() const override { return 0.0; }
};

// Passes readings on to the image after checking that each lands in the
// grid and is what the adapter answered, or a substitute of 20..147.
class CheckingSink : public ThermalImageSink {
 public:
  CheckingSink(ThermalImage& image, FuzzLink& link) : ThermalImageSink(image), link_(link) {}
  void StoreReading(const CellReading& reading) override {
    FUZZ_CHECK(reading.column >= 0 && reading.column < kGridColumns);
    FUZZ_CHECK(reading.row >= 0 && reading.row < kGridRows);
    FUZZ_CHECK(CheckReading(reading.value) != reading.substituted);
    ThermalImageSink::StoreReading(reading);
  }
  void SetAmbientTemperature(int celsius) override {
    CheckReading(celsius);
    ThermalImageSink::SetAmbientTemperature(celsius);
  }

 private:
  // Whether the value is the adapter's answer (else a substitute).
  bool CheckReading(int value) {
    const std::optional<std::uint8_t> answer = link_.TakeReading();
    if (answer) {
      FUZZ_CHECK(value == *answer);
    } else {
      FUZZ_CHECK(value >= 20 && value <= 147);
    }
    return answer.has_value();
  }

  FuzzLink& link_;
};

// Run after every step: left out of libFuzzer's comparison tracing, which
// would otherwise spend most of the run on these 1,984 comparisons.
FUZZ_UNTRACED void CheckGrid(const ThermalImage& image) {
  for (const auto& column : image.Grid()) {
    for (std::int32_t cell : column) FUZZ_CHECK(cell == kNoReading || (cell >= 1 && cell <= 255));
  }
}

// The registers r whose row t + 4 (r - 2) lies in the row range, worked out
// one by one: firstRegister and lastRegister must be their ends, or cross
// when there is none.
void CheckRegisterSpan(const ScanState& s) {
  int lowest = 0;
  int highest = -1;
  for (int reg = kFirstPixelRegister; reg <= kLastPixelRegister; ++reg) {
    const int row = s.tiltOffset + 4 * (reg - 2);
    if (row < s.range.firstRow || row > s.range.lastRow) continue;
    if (highest < 0) lowest = reg;
    highest = reg;
  }
  if (highest < 0) {
    FUZZ_CHECK(s.firstRegister > s.lastRegister);
  } else {
    FUZZ_CHECK(s.firstRegister == lowest && s.lastRegister == highest);
  }
}

void CheckState(const ScanController& controller, const scan_fakes::RecordingWindow& window) {
  const ScanState& s = controller.State();
  FUZZ_CHECK(s.range.firstColumn <= s.range.lastColumn && s.range.lastColumn <= 61);
  FUZZ_CHECK(s.range.firstRow <= s.range.lastRow && s.range.lastRow <= 31);
  FUZZ_CHECK(s.firstPan <= s.panPosition && s.panPosition <= s.lastPan);
  FUZZ_CHECK(s.tiltOffset < s.subRowCount);
  CheckRegisterSpan(s);
  FUZZ_CHECK(!controller.Scanning() || window.timerRunning);  // steps only come from the timer
}

enum Command : std::uint8_t {
  kTicks,  // argument + 1 ticks
  kStart,
  kStop,
  kReset,
  kMiddlePosition,
  kChangeEdge,  // edge from the argument, value from the next command byte
  kResetRange,
  kSetOptions,
  kOneRowMode,
  kFourRowMode,
  kPauseScan,
  kResumeScan,
  kReadAmbient,  // argument 0; else a spot measurement (see Spot)
  kSetPort,  // argument bit 0: open or no port
  kWriteServoRanges,
  kWholePass,  // ticks until the timer stops, at most one pass
};

class Session {
 public:
  Session(FuzzInput& input, ThermalImage& image)
      : input_(input), link_(input), sink_(image, link_), image_(image), controller_(clock_, window_) {}

  // What start-up does to the scan before the first click.
  void StartUp() {
    controller_.SetScanDefaults(&sink_);
    controller_.SetPort(&link_);
    controller_.WriteServoRanges();
    window_.EnableStart(false);
    controller_.Reset();
    controller_.SetOptions(true, true);
    controller_.ReadAmbient();
    Check();
  }

  void Run() {
    while (const std::optional<std::uint8_t> byte = input_.Command()) {
      Perform(static_cast<Command>(*byte & 0x0F), *byte >> 4);
      Check();
      if (ticks_ >= kMaxTicks) return;
    }
  }

 private:
  void Perform(Command command, int argument) {
    switch (command) {
      case kTicks: return Ticks(argument + 1);
      case kStart:
        // A disabled "Start" cannot be clicked.
        if (window_.startEnabled.value_or(true)) controller_.Start();
        return;
      case kStop: return controller_.Stop();
      case kReset: return controller_.Reset();
      case kMiddlePosition: return controller_.MiddlePosition();
      case kChangeEdge: return ChangeEdge(argument);
      case kResetRange: return controller_.ResetRange();
      case kSetOptions: return controller_.SetOptions((argument & 1) != 0, (argument & 2) != 0);
      case kOneRowMode: return controller_.SetOneRowMode();
      case kFourRowMode: return controller_.SetFourRowMode();
      case kPauseScan: return controller_.PauseScan();
      case kResumeScan: return controller_.ResumeScan();
      case kReadAmbient: return argument == 0 ? controller_.ReadAmbient() : Spot(argument);
      case kSetPort: return controller_.SetPort((argument & 1) != 0 ? &link_ : nullptr);
      case kWriteServoRanges: return controller_.WriteServoRanges();
      case kWholePass: return Ticks(kTicksPerPass);
    }
  }

  void ChangeEdge(int argument) {
    const std::uint8_t raw = input_.Command().value_or(0);
    // Bit 2 reads the value as signed, so values below 0 reach the controller too.
    const int value = (argument & 4) != 0 ? static_cast<std::int8_t>(raw) : raw;
    controller_.ChangeEdge(static_cast<RangeEdge>(argument & 3), value);
  }

  // At a cell from the next two command bytes, a few outside the grid; bit 0
  // of the argument adds the cell of the other half, bit 1 one a row above.
  void Spot(int argument) {
    const GridCell target{input_.Command().value_or(0) % 64, input_.Command().value_or(0) % 33};
    std::vector<GridCell> cells{target};
    if ((argument & 1) != 0) cells.push_back({(target.column + 31) % 62, target.row});
    if ((argument & 2) != 0) cells.push_back({target.column, target.row + 1});
    controller_.StartSpot(cells);
  }

  // Ticks come only while the step timer runs.
  void Ticks(int count) {
    for (int i = 0; i < count && window_.timerRunning && ticks_ < kMaxTicks; ++i, ++ticks_) {
      controller_.Tick();
      Check();
    }
  }

  void Check() {
    CheckState(controller_, window_);
    CheckGrid(image_);
  }

  FuzzInput& input_;
  FuzzLink link_;
  CheckingSink sink_;
  ThermalImage& image_;
  FastClock clock_;
  scan_fakes::RecordingWindow window_;
  ScanController controller_;
  int ticks_ = 0;
};

// The smallest radius the settings dialog offers above 0 keeps a step's
// smoothing work to a few pixels instead of 40 x 40 per reading.
ThermalImage SmallKernelImage() {
  ThermalImage image;
  image.SetSmoothing(image.KernelHalfWidth(), 1);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Copying a fresh image is cheaper than building or clearing one.
  static const ThermalImage fresh = SmallKernelImage();
  static ThermalImage image;
  image = fresh;
  std::srand(1);  // substitutes come from rand(): the same input must give the same run
  FuzzInput input(data, size);
  Session session(input, image);
  session.StartUp();
  session.Run();
  return 0;
}
