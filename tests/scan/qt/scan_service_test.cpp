#include "scan/qt/scan_service.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <future>

#include "scan/qt/interruptible_clock.h"
#include "scan/qt/port_settings.h"
#include "tests/support/wait_for.h"
#include "tests/support/scan_fakes.h"
#include "tests/support/fake_port_link.h"

namespace {

PortReport Report(PortOutcome outcome, int number) { return {outcome, number, PortDevice(number).toStdString(), {}}; }

class ScanServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings().clear();
    StorePortNumber(2);
  }
  void TearDown() override {
    if (adapter) adapter->Release();
    service.reset();
    QSettings().clear();
  }

  // A service on a fresh fake adapter; without waits unless realWaits.
  void MakeService(bool realWaits = false) {
    ScanService::ClockFactory clock;
    if (!realWaits) clock = [] { return std::make_unique<scan_fakes::VirtualClock>(); };
    service = std::make_unique<ScanService>(LinkTo(adapter), clock);
    readings = std::make_unique<QSignalSpy>(service.get(), &ScanService::readingStored);
    ports = std::make_unique<QSignalSpy>(service.get(), &ScanService::portReported);
    troubles = std::make_unique<QSignalSpy>(service.get(), &ScanService::stepChecked);
    scanning = std::make_unique<QSignalSpy>(service.get(), &ScanService::scanningChanged);
    repaints = std::make_unique<QSignalSpy>(service.get(), &ScanService::repaintRequested);
    edges = std::make_unique<QSignalSpy>(service.get(), &ScanService::edgeAnswered);
    startEnabled = std::make_unique<QSignalSpy>(service.get(), &ScanService::startEnabledChanged);
  }
  void StartUpAndSettle() {
    service->StartUp();
    ASSERT_TRUE(WaitFor([&] { return startEnabled->size() == 2; }));
  }
  std::vector<PortReport> Ports() const {
    std::vector<PortReport> reports;
    for (const QList<QVariant>& signal : *ports) reports.push_back(signal.at(0).value<PortReport>());
    return reports;
  }
  StepTrouble LastTrouble() const { return troubles->last().at(0).value<StepTrouble>(); }
  std::vector<Bytes> FramesFrom(std::size_t first) const {
    const std::vector<Bytes> frames = SplitFrames(adapter->Sent());
    return {frames.begin() + static_cast<std::ptrdiff_t>(std::min(first, frames.size())), frames.end()};
  }

  std::shared_ptr<FakeAdapter> adapter = std::make_shared<FakeAdapter>();
  std::unique_ptr<ScanService> service;
  std::unique_ptr<QSignalSpy> readings, ports, troubles, scanning, repaints, edges, startEnabled;
};

TEST_F(ScanServiceTest, StartUpOpensStoredPortWritesRangesResetsAndReadsAmbientTwice) {
  adapter->Set([](FakeAdapter::Knobs& knobs) { knobs.ambientAnswers = {24, 25}; });
  MakeService();
  QSignalSpy ambient(service.get(), &ScanService::ambientChanged);
  StartUpAndSettle();
  ASSERT_TRUE(WaitFor([&] { return ambient.size() == 2; }));

  EXPECT_EQ(adapter->OpenedNumbers(), std::vector<int>{2});
  EXPECT_EQ(FramesFrom(0), (std::vector<Bytes>{RangeWrite(kPanAddress), RangeWrite(kTiltAddress), PanWrite(0),
                                               kAmbientRead, kAmbientRead, kAmbientRead}));
  EXPECT_TRUE(!startEnabled->at(0).at(0).toBool() && startEnabled->at(1).at(0).toBool()) << "off, then on by Reset";
  EXPECT_EQ(ambient.at(1).at(0).toInt(), 25) << "the first ambient reading is discarded";
  EXPECT_EQ(Ports(), std::vector{Report(PortOutcome::kOpened, 2)});
  EXPECT_TRUE(scanning->isEmpty()) << "start-up never starts the scan";
}

TEST_F(ScanServiceTest, StartRunsStepsWhoseReadingsReachTheCallersThreadUntilStop) {
  adapter->Set([](FakeAdapter::Knobs& knobs) { knobs.pixelAnswer = 33; });
  MakeService();
  StartUpAndSettle();
  QThread* callers = QThread::currentThread();
  QThread* delivered = nullptr;
  QObject::connect(service.get(), &ScanService::readingStored, service.get(),
                   [&] { delivered = QThread::currentThread(); });
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return readings->size() >= 48 && repaints->size() >= 3; }));
  service->Stop();
  ASSERT_TRUE(WaitFor([&] { return scanning->size() == 2; }));
  EXPECT_EQ(delivered, callers);
  const auto first = readings->at(0).at(0).value<CellReading>();
  EXPECT_TRUE(first.column == 31 && first.row == 0 && first.value == 33 && !first.substituted)
      << "the pan module's column first, lowest row first";
  EXPECT_FALSE(scanning->at(1).at(0).toBool());
}

// An edge change answers the applied value or, refused, the edge's previous one.
TEST_F(ScanServiceTest, CommandsGivenDuringStepTakeEffectOnlyAfterIt) {
  MakeService();
  StartUpAndSettle();                          // the head at pan 0
  service->ChangeEdge(RangeEdge::Right, 30);  // left module only
  service->ChangeEdge(RangeEdge::Left, 1);    // pan 0 would leave the sweep 1..30
  service->ChangeEdge(RangeEdge::Top, -1);    // 255 in 8 bits: beyond row 31
  ASSERT_TRUE(WaitFor([&] { return edges->size() == 3; }));
  EXPECT_EQ(edges->at(1), (QList<QVariant>{QVariant::fromValue(RangeEdge::Left), 0, false}));
  EXPECT_EQ(edges->at(2), (QList<QVariant>{QVariant::fromValue(RangeEdge::Top), 31, false}));
  const std::size_t framesBefore = SplitFrames(adapter->Sent()).size();

  adapter->HoldAfter(ReadFrame(kTiltAddress, 2));
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return adapter->Holding(); }));
  // Inside the step the head stands at pan 0, where a left edge of 1 would be
  // refused; after the step it stands at 1 and the edge is accepted.
  service->ChangeEdge(RangeEdge::Left, 1);
  service->Stop();
  adapter->Release();
  ASSERT_TRUE(WaitFor([&] { return edges->size() == 4 && scanning->size() == 2; }));
  EXPECT_EQ(edges->at(3), (QList<QVariant>{QVariant::fromValue(RangeEdge::Left), 1, true}));
  std::vector<Bytes> expected{TiltWrite(16)};
  for (std::uint8_t reg = 2; reg <= 9; ++reg) expected.push_back(ReadFrame(kTiltAddress, reg));
  expected.push_back(PanWrite(1));
  expected.push_back(TiltWrite(15));
  EXPECT_EQ(FramesFrom(framesBefore), expected);
}

TEST_F(ScanServiceTest, EachStepOnAnOpenPortReportsSilentSensorsOrNoiseUntilTheyEnd) {
  const std::pair<void (*)(FakeAdapter::Knobs&, bool), StepTrouble> kinds[] = {
      {[](FakeAdapter::Knobs& k, bool on) { k.pixelAnswer = on ? 0 : 30; }, StepTrouble::kSilentSensors},
      {[](FakeAdapter::Knobs& k, bool on) { k.noisyLine = on; }, StepTrouble::kNoisyLine},
  };
  for (const auto& [setTrouble, trouble] : kinds) {
    SCOPED_TRACE(static_cast<int>(trouble));
    adapter = std::make_shared<FakeAdapter>();
    adapter->Set([&](FakeAdapter::Knobs& k) { setTrouble(k, true); });
    MakeService();
    StartUpAndSettle();
    service->SetOptions(false, true);  // frame after frame
    service->Start();
    ASSERT_TRUE(WaitFor([&] { return troubles->size() >= 2; }));
    EXPECT_EQ(LastTrouble(), trouble);
    adapter->Set([&](FakeAdapter::Knobs& k) { setTrouble(k, false); });
    ASSERT_TRUE(WaitFor([&] { return LastTrouble() == StepTrouble::kNone; }));
    service.reset();
  }
}

TEST_F(ScanServiceTest, PortLostInsideAStepIsSaidAtOnceAndTheStepGoesOnWithSubstitutes) {
  adapter->Set([](FakeAdapter::Knobs& knobs) { knobs.pixelAnswer = 200; });  // above every substitute
  MakeService();
  StartUpAndSettle();
  adapter->Set([](FakeAdapter::Knobs& knobs) { knobs.loseOnNextRead = true; });
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return readings->size() >= 16; }));
  EXPECT_EQ(Ports().back(), Report(PortOutcome::kLost, 2));
  for (qsizetype i = 0; i < 16; ++i) EXPECT_LE(readings->at(i).at(0).value<CellReading>().value, 147) << i;
  EXPECT_TRUE(troubles->isEmpty()) << "no sensor complaint without a port";
}

TEST_F(ScanServiceTest, PickedPortGetsServoRangesAndHeadPositionOnceOpenedAndAnAbsentOneIsSaid) {
  MakeService();
  QSignalSpy chosen(service.get(), &ScanService::portChosen);
  StartUpAndSettle();
  const std::size_t frames = SplitFrames(adapter->Sent()).size();
  service->SelectPort(4);
  ASSERT_TRUE(WaitFor([&] { return ports->size() == 2; }));
  EXPECT_EQ(FramesFrom(frames),
            (std::vector<Bytes>{RangeWrite(kPanAddress), RangeWrite(kTiltAddress), PanWrite(0), TiltWrite(15)}));

  adapter->Set([](FakeAdapter::Knobs& knobs) { knobs.openable = false; });
  service->SelectPort(5);
  ASSERT_TRUE(WaitFor([&] { return ports->size() == 3; }));
  EXPECT_EQ(Ports().back(), Report(PortOutcome::kDeviceMissing, 5));
  EXPECT_EQ(FramesFrom(frames).size(), 4u) << "nothing to send without a port";
  ASSERT_EQ(chosen.size(), 3);
  EXPECT_EQ((QList<int>{chosen[0][0].toInt(), chosen[1][0].toInt(), chosen[2][0].toInt()}), (QList<int>{2, 4, 5}));
}

TEST_F(ScanServiceTest, MiddlePositionDisablesStartAtOnceAndNoEarlierReportEnablesIt) {
  MakeService();
  service->StartUp();  // its "Reset" enables "Start" when the worker gets to it
  service->MiddlePosition();
  service->Reset();
  ASSERT_TRUE(WaitFor([&] { return !startEnabled->isEmpty() && startEnabled->last().at(0).toBool(); }));
  QList<bool> states;
  for (const QList<QVariant>& report : *startEnabled) states << report.at(0).toBool();
  EXPECT_EQ(states, (QList<bool>{false, false, true})) << "off at the click, off from the worker, on by the later Reset";
}

// A device given for the run (here the emulated head of a demonstration) is
// opened as no "Com" port; the stored port stays stored.
TEST_F(ScanServiceTest, StartUpWithADeviceOpensItInsteadOfTheStoredPort) {
  MakeService();
  QSignalSpy chosen(service.get(), &ScanService::portChosen);
  service->StartUp({QStringLiteral("/dev/pts/7"), kEmulatedHeadNumber});
  ASSERT_TRUE(WaitFor([&] { return startEnabled->size() == 2; }));
  EXPECT_EQ(adapter->OpenedNumbers(), std::vector<int>{kEmulatedHeadNumber});
  EXPECT_EQ(Ports(), (std::vector<PortReport>{{PortOutcome::kOpened, kEmulatedHeadNumber, "/dev/pts/7", {}}}));
  EXPECT_EQ(chosen.at(0).at(0).toInt(), kEmulatedHeadNumber);
  EXPECT_EQ(StoredPortNumber(), 2);
}

TEST_F(ScanServiceTest, EndingDuringAHeldReadAbortsItAndKeepsAPortPickedMeanwhile) {
  MakeService(/*realWaits=*/true);
  service->StartUp();
  adapter->HoldAfter(ReadFrame(kPanAddress, 2));
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return adapter->Holding(); }));
  service->SelectPort(6);  // the worker would open it only after the step
  service.reset();
  EXPECT_TRUE(adapter->HoldEndedByAbort());
  EXPECT_FALSE(adapter->Holding());
  EXPECT_EQ(StoredPortNumber(), 6);
}

TEST(InterruptibleClock, StopEndsTheCurrentWaitAndEveryLaterOne) {
  InterruptibleClock clock;
  auto waiting = std::async(std::launch::async, [&] { clock.Wait(600000); });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
  clock.Stop();
  EXPECT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  auto later = std::async(std::launch::async, [&] { clock.Wait(600000); });
  EXPECT_EQ(later.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

}  // namespace

namespace {

// A refused spot measurement names the cells outside; an accepted one is
// reported running until it ends.
TEST_F(ScanServiceTest, SpotMeasurementIsReportedRunningOrWhichPointsAreOutside) {
  MakeService();
  StartUpAndSettle();
  QSignalSpy refused(service.get(), &ScanService::spotRefused);
  QSignalSpy spotting(service.get(), &ScanService::spotRunningChanged);
  service->ChangeEdge(RangeEdge::Right, 16);
  service->StartSpot({{3, 3}, {45, 12}});
  ASSERT_TRUE(WaitFor([&] { return refused.size() == 1; }));
  EXPECT_EQ(refused.at(0).at(0).value<quint32>(), 0b10u) << "point 2";
  service->StartSpot({{3, 3}});
  service->StopSpot();
  ASSERT_TRUE(WaitFor([&] { return spotting.size() == 2; }));
  EXPECT_EQ(spotting, (QList<QVariantList>{{true}, {false}}));
  EXPECT_FALSE(scanning->last().at(0).toBool());
}

}  // namespace
