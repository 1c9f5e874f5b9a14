// The faults of a real line and head, one emulator option each, through the
// scan's service on the real serial link: which readings are the head's own
// and which are substitutes, what the status line says, and that the
// emulator never gets a byte outside a frame.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "headsim/scene.h"
#include "scan/adapter_frames.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/head_sim.h"

namespace {

bool SubstituteCanRead(int celsius) { return celsius >= kLowestSubstitute && celsius <= kHighestSubstitute; }

enum class Answered { kAll, kMost, kNone };

struct Fault {
  const char* name;
  QStringList options;
  // Scan steps after start-up: 23 go from pan 0 past the hot spot (pan 13)
  // and the cold spot (pan 22). None where every frame costs a second.
  int steps;
  Answered answered;  // of the readings that tell the head's own from substitutes
  // The status line's sentence for the fault, %1 the link; none: the port's
  // own sentence stands alone.
  const char* status;
  bool headComesBack;
};
void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

const Fault kFaults[] = {
    {"Zeros", {"--zeros"}, 23, Answered::kNone, "Kein Sensor antwortet – Ersatzwerte", false},
    {"Garbage", {"--garbage", "10"}, 23, Answered::kMost, "Störungen auf der Leitung – Messwerte unsicher", false},
    // Start-up sends six frames: the line drops before its ambient reads.
    {"HangUp", {"--hangup-after", "4"}, 0, Answered::kNone, "Verbindung zu Com 1 (%1) verloren – Ersatzwerte", true},
    // Just below the link's time-out of a second.
    {"Delay", {"--delay", "800"}, 0, Answered::kAll, nullptr, false},
    {"Silent", {"--silent"}, 0, Answered::kNone, nullptr, false},
};

class FaultOnHead : public ::testing::TestWithParam<Fault> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(head.Start(GetParam().options));
    UseOnlyPort(1, head.Link());
  }

  // Start-up has ended once its "Reset" has enabled "Start" again and the
  // last ambient reading has come.
  void StartUp() {
    service.StartUp();
    ASSERT_TRUE(WaitFor([&] { return startEnabled.size() == 2 && ambient.size() == 2; }, 20000));
  }

  QStringList StatusTexts() const {
    QStringList texts;
    for (const QList<QVariant>& signal : status) texts << signal.at(0).toString();
    return texts;
  }

  // The readings that tell: the ambient, and the cells where the scene shows
  // what no substitute can read.
  void ExpectAnswered(Answered answered) const {
    int telling = 1;
    int own = ambient.last().at(0).toInt() == headsim::kAmbientCelsius;
    for (const QList<QVariant>& reading : readings) {
      const int scene = headsim::ExpectedReading(reading.at(0).toInt(), reading.at(1).toInt());
      if (SubstituteCanRead(scene)) continue;
      ++telling;
      own += reading.at(2).toInt() == scene;
    }
    switch (answered) {
      case Answered::kAll: EXPECT_EQ(own, telling); break;
      case Answered::kMost: EXPECT_GT(2 * own, telling) << own << " of " << telling; break;
      case Answered::kNone: EXPECT_EQ(own, 0) << "of " << telling; break;
    }
  }

  HeadSim head;
  ScanService service{ScanService::LinkFactory{}, MakeNoWaitClock};
  QSignalSpy readings{&service, &ScanService::readingStored};
  QSignalSpy ambient{&service, &ScanService::ambientChanged};
  QSignalSpy startEnabled{&service, &ScanService::startEnabledChanged};
  QSignalSpy status{&service, &ScanService::statusMessage};
};

TEST_P(FaultOnHead, HeadAnswersOnlyWhereItCanStatusNamesTheFaultAndNoByteFallsOutsideAFrame) {
  const Fault& fault = GetParam();
  ASSERT_NO_FATAL_FAILURE(StartUp());
  if (fault.steps > 0) {
    service.Start();
    ASSERT_TRUE(WaitFor([&] { return readings.size() >= fault.steps * 16; }));
    service.Stop();
  }
  ExpectAnswered(fault.answered);
  if (fault.status != nullptr) {
    const QString sentence = QString::fromUtf8(fault.status).replace(QStringLiteral("%1"), head.Link());
    EXPECT_TRUE(WaitFor([&] { return StatusTexts().contains(sentence); })) << StatusTexts().join(" | ").toStdString();
  } else {
    EXPECT_EQ(StatusTexts(), QStringList{OpenedText(head.Link())});
  }
  EXPECT_EQ(head.Log().filter(QStringLiteral("skipped")), QStringList{});

  if (!fault.headComesBack) return;
  // Plugged in again on the same link: once the port is picked again, the
  // head is read again.
  ASSERT_TRUE(head.Start());
  service.SelectPort(1);
  service.Reset();
  ASSERT_TRUE(WaitFor([&] { return ambient.size() == 3; }));
  EXPECT_EQ(ambient.last().at(0).toInt(), headsim::kAmbientCelsius);
  EXPECT_EQ(StatusTexts().last(), OpenedText(head.Link()));
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultOnHead, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

}  // namespace
