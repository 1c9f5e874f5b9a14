// The faults of a real line and head, one emulator option each, through the
// scan's service on the real serial link: which readings are the head's own,
// what the scan reports of the port and the steps, and that no byte reaches
// the emulator outside a frame.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "headsim/scene.h"
#include "scan/adapter_frames.h"
#include "scan/qt/scan_service.h"
#include "tests/e2e/head_sim.h"

namespace {

static_assert(headsim::kAmbientCelsius < kLowestSubstitute, "an ambient reading tells the head from a substitute");

struct Fault {
  const char* name;
  QStringList options;
  bool heard;  // more than half of the telling readings are the head's own; else none
  // The first one the scan steps report, which only these rows run: 23 go
  // from pan 0 past the hot spot (pan 13) and the cold spot (pan 22).
  StepTrouble trouble;
  bool hangsUp;
};
void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

const Fault kFaults[] = {
    {"Zeros", {"--zeros"}, false, StepTrouble::kSilentSensors, false},
    {"Garbage", {"--garbage", "10"}, true, StepTrouble::kNoisyLine, false},
    // Start-up sends six frames: the line drops before its ambient read.
    {"HangUp", {"--hangup-after", "4"}, false, StepTrouble::kNone, true},
    {"Delay", {"--delay", "500"}, true, StepTrouble::kNone, false},  // well below the link's time-out of 1 s
    {"Silent", {"--silent"}, false, StepTrouble::kNone, false},
};

class FaultOnHead : public ::testing::TestWithParam<Fault> {};

TEST_P(FaultOnHead, HeadIsHeardOnlyWhereItAnswersTheFaultIsReportedAndNoByteFallsOutsideAFrame) {
  const Fault& fault = GetParam();
  HeadSim head;
  ASSERT_TRUE(head.Start(fault.options));
  ScanService service{ScanService::LinkFactory{}, NoWaits};
  std::vector<PortOutcome> ports;
  StepTrouble trouble = StepTrouble::kNone;  // the first reported
  QObject::connect(&service, &ScanService::portReported, &service,
                   [&](const PortReport& report) { ports.push_back(report.outcome); });
  QObject::connect(&service, &ScanService::stepChecked, &service, [&](StepTrouble found) {
    if (trouble == StepTrouble::kNone) trouble = found;
  });
  QSignalSpy readings{&service, &ScanService::readingStored};
  QSignalSpy ambient{&service, &ScanService::ambientChanged};
  service.StartUp();  // ends with its second ambient reading, after that of its "Reset"
  ASSERT_TRUE(WaitFor([&] { return ambient.size() == 2; }, 20000));
  if (fault.trouble != StepTrouble::kNone) {
    service.Start();
    ASSERT_TRUE(WaitFor([&] { return readings.size() >= 23 * 16; }));
    service.Stop();
  }

  // The telling readings: the ambient, and cells where the scene shows what no substitute can read.
  int telling = 1;
  int own = ambient.last().at(0).toInt() == headsim::kAmbientCelsius;
  for (const QList<QVariant>& signal : readings) {
    const auto reading = signal.at(0).value<CellReading>();
    const int scene = headsim::ExpectedReading(reading.column, reading.row);
    if (scene >= kLowestSubstitute && scene <= kHighestSubstitute) continue;
    ++telling;
    own += reading.value == scene;
  }
  EXPECT_TRUE(fault.heard ? 2 * own > telling : own == 0) << own << " of " << telling;
  std::vector<PortOutcome> expected{PortOutcome::kOpened};
  if (fault.hangsUp) expected.push_back(PortOutcome::kLost);
  EXPECT_TRUE(WaitFor([&] { return ports == expected; })) << ports.size();
  EXPECT_EQ(trouble, fault.trouble);
  EXPECT_EQ(head.Log().count(QStringLiteral("skipped")), 0);

  if (!fault.hangsUp) return;
  // Plugged in again on the same link: once the port is picked again, the head is read again.
  ASSERT_TRUE(head.Start());
  service.SelectPort(1);
  service.Reset();
  ASSERT_TRUE(WaitFor([&] { return ambient.size() == 3; }));
  EXPECT_EQ(ambient.last().at(0).toInt(), headsim::kAmbientCelsius);
  EXPECT_EQ(ports.back(), PortOutcome::kOpened);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultOnHead, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
