#include "scan/qt/scan_service.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <future>

#include "scan/qt/interruptible_clock.h"
#include "scan/qt/port_settings.h"
#include "tests/scan/qt/fake_port_link.h"
#include "tests/scan/qt/pty_peer.h"
#include "tests/scan/scan_fakes.h"
#include "tests/scan/qt/wait_for.h"

namespace {

using scan_fakes::VirtualClock;
using Bytes = std::vector<std::uint8_t>;

// The adapter frames, as sent.
Bytes PanWrite(int position) { return {0x55, 0xD2, 0x00, 0x01, static_cast<std::uint8_t>(position)}; }
Bytes TiltWrite(int position) { return {0x55, 0xD0, 0x00, 0x01, static_cast<std::uint8_t>(position)}; }
Bytes RangeWrite(std::uint8_t address) { return {0x55, address, 0x01, 0x01, 20}; }
Bytes TiltModuleRead(int reg) { return {0x55, 0xD1, static_cast<std::uint8_t>(reg), 0x01}; }

// Splits what was sent into frames: writes (even address) have 5 bytes,
// reads 4.
std::vector<Bytes> Frames(const Bytes& sent) {
  std::vector<Bytes> frames;
  for (std::size_t i = 0; i < sent.size();) {
    const std::size_t length = i + 1 < sent.size() && (sent[i + 1] & 1) != 0 ? 4 : 5;
    frames.emplace_back(sent.begin() + static_cast<std::ptrdiff_t>(i),
                        sent.begin() + static_cast<std::ptrdiff_t>(std::min(i + length, sent.size())));
    i += length;
  }
  return frames;
}

class ScanServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings store("Vom lokalen Anwendungs-Assistenten generierte Anwendungen", "Torvak");
    store.clear();
    store.setValue("SETTINGS/COMPORT", 2);
  }
  void TearDown() override {
    service.reset();
    QSettings("Vom lokalen Anwendungs-Assistenten generierte Anwendungen", "Torvak").clear();
  }

  // A service on the fake link; without waits unless realWaits.
  void MakeService(bool realWaits = false) {
    ScanService::ClockFactory clock;
    if (!realWaits) clock = [] { return std::make_unique<VirtualClock>(); };
    service = std::make_unique<ScanService>([control = control] { return std::make_unique<FakePortLink>(control); },
                                            clock);
    readings = std::make_unique<QSignalSpy>(service.get(), &ScanService::readingStored);
    status = std::make_unique<QSignalSpy>(service.get(), &ScanService::statusMessage);
    scanning = std::make_unique<QSignalSpy>(service.get(), &ScanService::scanningChanged);
    repaints = std::make_unique<QSignalSpy>(service.get(), &ScanService::repaintRequested);
    edges = std::make_unique<QSignalSpy>(service.get(), &ScanService::edgeAnswered);
    startEnabled = std::make_unique<QSignalSpy>(service.get(), &ScanService::startEnabledChanged);
  }
  void StartUpAndSettle() {
    service->StartUp();
    ASSERT_TRUE(WaitFor([&] { return startEnabled->size() == 2; }));
  }
  QStringList StatusTexts() const {
    QStringList texts;
    for (const QList<QVariant>& signal : *status) texts << signal.at(0).toString();
    return texts;
  }
  std::size_t FrameCount() { return Frames(control->Sent()).size(); }

  std::shared_ptr<FakePortControl> control = std::make_shared<FakePortControl>();
  std::unique_ptr<ScanService> service;
  std::unique_ptr<QSignalSpy> readings, status, scanning, repaints, edges, startEnabled;
};

TEST_F(ScanServiceTest, StartUpOpensStoredPortWritesRangesResetsAndReadsAmbient) {
  control->reply = 25;
  MakeService();
  QSignalSpy ambient(service.get(), &ScanService::ambientChanged);
  QSignalSpy range(service.get(), &ScanService::scanRangeChanged);
  StartUpAndSettle();
  ASSERT_TRUE(WaitFor([&] { return ambient.size() == 2; }));

  ASSERT_EQ(control->opened.size(), 1u);
  EXPECT_EQ(control->opened[0].first, 2);
  EXPECT_EQ(control->opened[0].second, PortDevice(2));
  const std::vector<Bytes> expected{RangeWrite(0xD2),  RangeWrite(0xD0),  PanWrite(0),
                                    TiltModuleRead(1), TiltModuleRead(1), TiltModuleRead(1)};
  EXPECT_EQ(Frames(control->Sent()), expected);
  EXPECT_FALSE(startEnabled->at(0).at(0).toBool());
  EXPECT_TRUE(startEnabled->at(1).at(0).toBool());
  EXPECT_EQ(ambient.at(0).at(0).toInt(), 25);
  EXPECT_EQ(ambient.at(1).at(0).toInt(), 25);
  ASSERT_GE(range.size(), 1);
  EXPECT_EQ(range.at(0).at(0).value<ScanRange>(), (ScanRange{0, 61, 0, 31}));
  EXPECT_EQ(StatusTexts(), QStringList{"Com 2 (" + PortDevice(2) + ") geöffnet"});
  EXPECT_TRUE(scanning->isEmpty()) << "start-up never starts the scan";
}

TEST_F(ScanServiceTest, StartRunsStepsWhoseReadingsArriveInOrderUntilStop) {
  control->reply = 33;
  MakeService();
  StartUpAndSettle();
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return readings->size() >= 48; }));
  service->Stop();
  ASSERT_TRUE(WaitFor([&] { return scanning->size() == 2; }));
  EXPECT_TRUE(scanning->at(0).at(0).toBool());
  EXPECT_FALSE(scanning->at(1).at(0).toBool());

  // Three steps from pan 0: the right module's column first, each column
  // from its lowest row up, then the next pan position.
  for (int step = 0; step < 3; ++step) {
    for (int i = 0; i < 16; ++i) {
      const QList<QVariant>& reading = readings->at(step * 16 + i);
      const int expectedColumn = step + (i < 8 ? 31 : 0);
      EXPECT_EQ(reading.at(0).toInt(), expectedColumn) << "step " << step << " reading " << i;
      EXPECT_EQ(reading.at(1).toInt(), 4 * (i % 8)) << "step " << step << " reading " << i;
      EXPECT_EQ(reading.at(2).toInt(), 33);
    }
  }
  EXPECT_GE(repaints->size(), 3);
  EXPECT_EQ(Frames(control->Sent()).back(), TiltWrite(15)) << "Stopp parks the tilt servo";
}

TEST_F(ScanServiceTest, CommandsGivenDuringStepTakeEffectOnlyAfterIt) {
  MakeService();
  StartUpAndSettle();
  service->ChangeEdge(RangeEdge::Right, 30);  // left module only
  ASSERT_TRUE(WaitFor([&] { return edges->size() == 1; }));
  const std::size_t framesBefore = FrameCount();

  control->Set([](FakePortControl& c) { c.holdPixelReads = true; });
  service->Start();
  ASSERT_TRUE(control->WaitUntilHeld());
  // Inside the step the head stands at pan 0, where a left edge of 1 would be
  // refused; after the step it stands at 1 and the edge is accepted.
  service->ChangeEdge(RangeEdge::Left, 1);
  service->Stop();
  control->Set([](FakePortControl& c) { c.holdPixelReads = false; });
  ASSERT_TRUE(WaitFor([&] { return edges->size() == 2 && scanning->size() == 2; }));

  EXPECT_EQ(edges->at(1).at(0).value<RangeEdge>(), RangeEdge::Left);
  EXPECT_EQ(edges->at(1).at(1).toInt(), 1);
  EXPECT_TRUE(edges->at(1).at(2).toBool());
  std::vector<Bytes> expected{TiltWrite(16)};
  for (int reg = 2; reg <= 9; ++reg) expected.push_back(TiltModuleRead(reg));
  expected.push_back(PanWrite(1));
  expected.push_back(TiltWrite(15));
  const std::vector<Bytes> frames = Frames(control->Sent());
  EXPECT_EQ(std::vector<Bytes>(frames.begin() + static_cast<std::ptrdiff_t>(framesBefore), frames.end()), expected);
}

TEST_F(ScanServiceTest, EdgeChangesAnswerTheAppliedOrThePreviousValue) {
  MakeService();
  StartUpAndSettle();  // the head at pan 0
  QSignalSpy range(service.get(), &ScanService::scanRangeChanged);
  service->ChangeEdge(RangeEdge::Left, 31);
  service->ChangeEdge(RangeEdge::Left, 32);  // pan 0 would leave the sweep 1..30
  service->ChangeEdge(RangeEdge::Top, -1);   // 255 in 8 bits: beyond row 31
  ASSERT_TRUE(WaitFor([&] { return edges->size() == 3; }));
  const std::tuple<RangeEdge, int, bool> expected[] = {
      {RangeEdge::Left, 31, true}, {RangeEdge::Left, 31, false}, {RangeEdge::Top, 31, false}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(edges->at(i).at(0).value<RangeEdge>(), std::get<0>(expected[i])) << i;
    EXPECT_EQ(edges->at(i).at(1).toInt(), std::get<1>(expected[i])) << i;
    EXPECT_EQ(edges->at(i).at(2).toBool(), std::get<2>(expected[i])) << i;
  }
  ASSERT_EQ(range.size(), 1) << "only the accepted change reaches the image";
  EXPECT_EQ(range.at(0).at(0).value<ScanRange>(), (ScanRange{31, 61, 0, 31}));
}

TEST_F(ScanServiceTest, SilentSensorsOrNoiseOnOpenPortAreSaidOnceAndTakenBackAfterACleanStep) {
  const QString opened = "Com 2 (" + PortDevice(2) + ") geöffnet";
  const std::pair<void (*)(FakePortControl&, bool), QString> troubles[] = {
      {[](FakePortControl& c, bool on) { c.reply = on ? 0 : 30; }, "Kein Sensor antwortet – Ersatzwerte"},
      {[](FakePortControl& c, bool on) { c.noisyLine = on; }, "Störungen auf der Leitung – Messwerte unsicher"},
  };
  for (const auto& [setTrouble, message] : troubles) {
    SCOPED_TRACE(message.toStdString());
    control = std::make_shared<FakePortControl>();
    setTrouble(*control, true);
    MakeService();
    StartUpAndSettle();
    service->SetOptions(false, true);  // frame after frame
    service->Start();
    ASSERT_TRUE(WaitFor([&] { return repaints->size() >= 3; }));
    EXPECT_EQ(StatusTexts(), (QStringList{opened, message}));
    control->Set([&](FakePortControl& c) { setTrouble(c, false); });
    ASSERT_TRUE(WaitFor([&] { return status->size() == 3; }));
    EXPECT_EQ(StatusTexts().last(), opened);
    const qsizetype steps = repaints->size();
    ASSERT_TRUE(WaitFor([&] { return repaints->size() >= steps + 2; }));
    EXPECT_EQ(status->size(), 3);
    service.reset();
  }
}

TEST_F(ScanServiceTest, NoStoredPortIsSaidOnceAndTheScanRunsOnSubstitutes) {
  QSettings("Vom lokalen Anwendungs-Assistenten generierte Anwendungen", "Torvak").setValue("SETTINGS/COMPORT", 0);
  control->reply = 0;
  MakeService();
  StartUpAndSettle();
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return repaints->size() >= 3; }));
  EXPECT_EQ(StatusTexts(), QStringList{"Kein Port gewählt – Ersatzwerte"});
  EXPECT_TRUE(control->opened.empty());
  ASSERT_FALSE(readings->isEmpty());
  for (const QList<QVariant>& reading : *readings) EXPECT_GE(reading.at(2).toInt(), 20);
}

TEST_F(ScanServiceTest, LostPortIsReportedAndTheScanGoesOnWithSubstitutes) {
  control->reply = 200;  // above every substitute
  MakeService();
  StartUpAndSettle();
  service->SetOptions(false, true);  // frame after frame
  control->Set([](FakePortControl& c) { c.loseOnNextRead = true; });
  service->Start();
  ASSERT_TRUE(WaitFor([&] { return status->size() == 2 && repaints->size() >= 2; }));
  EXPECT_EQ(StatusTexts().last(), "Verbindung verloren");
  const qsizetype before = readings->size();
  ASSERT_TRUE(WaitFor([&] { return readings->size() >= before + 16; }));
  for (qsizetype i = before; i < readings->size(); ++i) EXPECT_LE(readings->at(i).at(2).toInt(), 147);
  EXPECT_EQ(status->size(), 2) << "no sensor complaint without a port";
}

TEST_F(ScanServiceTest, PickedPortGetsServoRangesAndHeadPositionOnceOpenedAndAnAbsentOneIsSaid) {
  MakeService();
  QSignalSpy chosen(service.get(), &ScanService::portChosen);
  StartUpAndSettle();
  const std::size_t frames = FrameCount();
  service->SelectPort(4);
  ASSERT_TRUE(WaitFor([&] { return status->size() == 2; }));
  const std::vector<Bytes> sent = Frames(control->Sent());
  EXPECT_EQ(std::vector<Bytes>(sent.begin() + static_cast<std::ptrdiff_t>(frames), sent.end()),
            (std::vector<Bytes>{RangeWrite(0xD2), RangeWrite(0xD0), PanWrite(0), TiltWrite(15)}));

  control->Set([](FakePortControl& c) { c.openable = false; });
  service->SelectPort(5);
  ASSERT_TRUE(WaitFor([&] { return status->size() == 3; }));
  EXPECT_EQ(StatusTexts().last(), "Com 5 (" + PortDevice(5) + ") lässt sich nicht öffnen");
  EXPECT_EQ(FrameCount(), sent.size()) << "nothing to send without a port";
  ASSERT_EQ(chosen.size(), 3);
  EXPECT_EQ((QList<int>{chosen[0][0].toInt(), chosen[1][0].toInt(), chosen[2][0].toInt()}), (QList<int>{2, 4, 5}));
}

TEST_F(ScanServiceTest, PortPickedDuringAStepIsStoredEvenWhenTheScanEndsBeforeTheStep) {
  MakeService(/*realWaits=*/true);
  service->StartUp();
  control->Set([](FakePortControl& c) { c.holdPixelReads = true; });
  service->Start();
  ASSERT_TRUE(control->WaitUntilHeld());
  service->SelectPort(6);
  service.reset();
  EXPECT_EQ(StoredPortNumber(), 6);
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

TEST_F(ScanServiceTest, DestructorDuringBlockedReadAbortsItAndReturns) {
  MakeService(/*realWaits=*/true);
  service->StartUp();
  control->Set([](FakePortControl& c) { c.holdPixelReads = true; });
  service->Start();
  ASSERT_TRUE(control->WaitUntilHeld());
  service.reset();
  EXPECT_TRUE(control->aborted);
  EXPECT_TRUE(control->heldReadEndedByAbort);
  EXPECT_EQ(control->heldReads, 0);
}

// The serial port itself, created and used on the worker: start-up talks to
// the adapter, and a port that vanishes while no scan runs is reported.
TEST(ScanServiceOnSerialPort, StartUpTalksToAdapterAndVanishedPortIsReportedWhileIdle) {
  PtyPeer peer;
  ASSERT_TRUE(peer.Ready());
  QSettings store("Vom lokalen Anwendungs-Assistenten generierte Anwendungen", "Torvak");
  store.setValue("SETTINGS/COMPORT", 1);
  store.setValue("SETTINGS/COM1", peer.SlavePath());
  store.sync();
  ScanService service({}, [] { return std::make_unique<VirtualClock>(); });
  QSignalSpy ambient(&service, &ScanService::ambientChanged);
  QSignalSpy status(&service, &ScanService::statusMessage);
  peer.Respond({{5, 1}, {5, 1}, {5, 1}, {4, 22}, {4, 22}, {4, 23}});
  service.StartUp();
  ASSERT_TRUE(WaitFor([&] { return ambient.size() == 2; }));
  peer.Join();
  EXPECT_EQ(ambient.at(0).at(0).toInt(), 22);
  EXPECT_EQ(ambient.at(1).at(0).toInt(), 23);
  ASSERT_EQ(status.size(), 1);
  EXPECT_EQ(status.at(0).at(0).toString(), QStringLiteral("Com 1 (%1) geöffnet").arg(peer.SlavePath()));

  peer.CloseMaster();
  ASSERT_TRUE(WaitFor([&] { return status.size() == 2; }));
  EXPECT_EQ(status.at(1).at(0).toString(),
            QStringLiteral("Verbindung zu Com 1 (%1) verloren – Ersatzwerte").arg(peer.SlavePath()));
  store.clear();
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
