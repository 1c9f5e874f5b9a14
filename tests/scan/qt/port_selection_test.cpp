#include "scan/qt/port_selection.h"

#include <gtest/gtest.h>

#include <QSettings>

#include "scan/qt/port_settings.h"
#include "scan/qt/serial_link.h"
#include "tests/scan/qt/fake_port_link.h"
#include "tests/scan/qt/pty_peer.h"

namespace {

// The store the program keeps its port in (the tests' temporary one).
class PortSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override { Store().clear(); }
  void TearDown() override { Store().clear(); }
  static void SetStored(const QString& key, const QVariant& value) { Store().setValue(key, value); }

  static QSettings& Store() {
    static QSettings store("Vom lokalen Anwendungs-Assistenten generierte Anwendungen", "Torvak");
    store.sync();
    return store;
  }

  std::shared_ptr<FakePortControl> control = std::make_shared<FakePortControl>();
  FakePortLink fake{control};
  ScanState scan;
};

TEST_F(PortSelectionTest, StoredNumberKeepsLowByteAndAnythingElseReadsAsNoPort) {
  EXPECT_EQ(StoredPortNumber(), 0) << "first start";
  const std::pair<QVariant, int> cases[] = {
      {3, 3}, {264, 8}, {256, 0}, {-1, 255}, {QString("5"), 5}, {QString("COM5"), 0}, {QString(""), 0}};
  for (const auto& [stored, expected] : cases) {
    SetStored("SETTINGS/COMPORT", stored);
    EXPECT_EQ(StoredPortNumber(), expected) << stored.toString().toStdString();
  }
}

TEST_F(PortSelectionTest, StoredComport264OpensTheDeviceOfPort8) {
  SetStored("SETTINGS/COMPORT", 264);
  const StoredPortChoice choice = OpenPortFromSettings(fake, scan);
  EXPECT_EQ(choice.number, 8);
  EXPECT_TRUE(choice.result.opened);
  ASSERT_EQ(control->opened.size(), 1u);
  EXPECT_EQ(control->opened[0].first, 8);
#ifdef Q_OS_WIN
  EXPECT_EQ(control->opened[0].second, "COM8");
#else
  EXPECT_EQ(control->opened[0].second, "/dev/ttyUSB7");
#endif
  EXPECT_EQ(scan.port, &fake);
}

TEST_F(PortSelectionTest, NumberOutsideOneToEightOpensNothingAndScanHasNoPort) {
  for (const int stored : {0, 9, 255}) {
    SetStored("SETTINGS/COMPORT", stored);
    scan.port = &fake;
    const StoredPortChoice choice = OpenPortFromSettings(fake, scan);
    EXPECT_EQ(choice.number, stored);
    EXPECT_FALSE(choice.result.opened);
    EXPECT_EQ(choice.result.message, "Kein Port gewählt – Ersatzwerte");
    EXPECT_EQ(scan.port, nullptr);
  }
  EXPECT_TRUE(control->opened.empty());
}

TEST_F(PortSelectionTest, OverrideOfCom3IsTheDeviceOpenedForPort3) {
  PtyPeer peer;
  ASSERT_TRUE(peer.Ready());
  SetStored("SETTINGS/COM3", peer.SlavePath());
  EXPECT_EQ(PortDevice(3), peer.SlavePath());
  EXPECT_NE(PortDevice(2), peer.SlavePath()) << "the override is for port 3 only";
  SerialLink link;
  const PortLink::OpenResult result = OpenPort(link, scan, 3);
  EXPECT_TRUE(result.opened) << result.message.toStdString();
  EXPECT_EQ(result.message, QStringLiteral("Com 3 (%1) geöffnet").arg(peer.SlavePath()));
  EXPECT_EQ(scan.port, &link);
  // Picking the open port again closes and reopens it (an exclusive port
  // would refuse a second open).
  EXPECT_TRUE(OpenPort(link, scan, 3).opened);
  EXPECT_TRUE(link.IsOpen());
}

TEST_F(PortSelectionTest, FailedOpenLeavesNoPort) {
  SetStored("SETTINGS/COM5", "/dev/ttyTorvakAbsent");
  SerialLink link;
  scan.port = &link;
  const PortLink::OpenResult result = OpenPort(link, scan, 5);
  EXPECT_FALSE(result.opened);
  EXPECT_TRUE(result.message.startsWith("Com 5 (/dev/ttyTorvakAbsent) lässt sich nicht öffnen: "));
  EXPECT_EQ(scan.port, nullptr);
}

TEST_F(PortSelectionTest, SelectingNoPortClosesTheOpenOne) {
  ASSERT_TRUE(OpenPort(fake, scan, 2).opened);
  OpenPort(fake, scan, 9);
  EXPECT_FALSE(fake.IsOpen());
  EXPECT_EQ(scan.port, nullptr);
}

}  // namespace
