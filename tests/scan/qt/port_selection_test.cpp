#include "scan/qt/port_selection.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <string>
#include <tuple>

#include "scan/qt/port_settings.h"
#include "scan/qt/serial_link.h"
#include "tests/scan/qt/pty_peer.h"
#include "tests/support/fake_port_link.h"
#include "tests/support/scan_fakes.h"

namespace {

class PortSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override { QSettings().clear(); }
  void TearDown() override { QSettings().clear(); }
  static void SetStored(const QString& key, const QVariant& value) { QSettings().setValue(key, value); }

  std::shared_ptr<FakeAdapter> adapter = std::make_shared<FakeAdapter>();
  FakePortLink fake{adapter};
  scan_fakes::VirtualClock clock;
  scan_fakes::RecordingWindow window;
  ScanController scan{clock, window};
};

TEST_F(PortSelectionTest, StoredNumberKeepsLowByteAndAnythingElseReadsAsNoPort) {
  EXPECT_EQ(StoredPortNumber(), 0) << "first start";
  const std::pair<QVariant, int> cases[] = {{3, 3},   {264, 8}, {256, 0}, {-1, 255}, {QString("5"), 5},
                                            {QString("COM5"), 0}, {QString(""), 0}, {QString("99999999999"), 0}};
  for (const auto& [stored, expected] : cases) {
    SetStored("SETTINGS/COMPORT", stored);
    EXPECT_EQ(StoredPortNumber(), expected) << stored.toString().toStdString();
  }
}

// A stored 264 keeps its low byte: the device of port 8. A number outside 1..8 closes the open port.
TEST_F(PortSelectionTest, StoredNumberOpensItsDeviceAndOneOutsideOneToEightLeavesTheScanWithoutPort) {
  const std::tuple<int, PortOutcome, int, std::string> cases[] = {{264, PortOutcome::kOpened, 8, "/dev/ttyUSB7"},
                                                                  {0, PortOutcome::kNoPortChosen, 0, ""},
                                                                  {9, PortOutcome::kNoPortChosen, 9, ""},
                                                                  {255, PortOutcome::kNoPortChosen, 255, ""}};
  for (const auto& [stored, outcome, number, device] : cases) {
    ASSERT_EQ(OpenPort(fake, scan, 2).outcome, PortOutcome::kOpened);
    SetStored("SETTINGS/COMPORT", stored);
    const PortReport report = OpenStoredPort(fake, scan);
    EXPECT_EQ(std::tuple(report.outcome, report.number, report.device, fake.IsOpen()),
              std::tuple(outcome, number, device, !device.empty()));
    EXPECT_EQ(scan.Port(), device.empty() ? nullptr : &fake) << stored;
  }
  EXPECT_EQ(adapter->OpenedNumbers(), (std::vector<int>{2, 8, 2, 2, 2}));
}

TEST_F(PortSelectionTest, OverrideOfCom3IsTheDeviceOpenedForPort3) {
  PtyPeer peer;
  ASSERT_TRUE(peer.Ready());
  SetStored("SETTINGS/COM3", peer.SlavePath());
  EXPECT_NE(PortDevice(2), peer.SlavePath()) << "the override is for port 3 only";
  SerialLink link;
  EXPECT_EQ(OpenPort(link, scan, 3).outcome, PortOutcome::kOpened);
  EXPECT_EQ(scan.Port(), &link);
  // Picking the open port again closes and reopens it (an exclusive port
  // would refuse a second open).
  EXPECT_EQ(OpenPort(link, scan, 3).outcome, PortOutcome::kOpened);
}

}  // namespace
