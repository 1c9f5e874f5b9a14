#include "scan/qt/serial_link.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <thread>

#include "scan/adapter_frames.h"
#include "tests/scan/qt/pty_peer.h"
#include "tests/support/scan_fakes.h"
#include "tests/support/process_cpu.h"
#include "tests/support/wait_for.h"

namespace {

using scan_fakes::VirtualClock;
using Bytes = std::vector<std::uint8_t>;

// The processor time the whole process uses while the event loop runs for a
// second. A port left spinning on a vanished device uses nearly all of it.
double CpuSecondsOverOneSecond() {
  const double before = ProcessCpuSeconds();
  QEventLoop loop;
  QTimer::singleShot(1000, &loop, &QEventLoop::quit);
  loop.exec();
  return ProcessCpuSeconds() - before;
}

class SerialLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(peer.Ready());
    const PortReport report = link.Open(3, peer.SlavePath());
    ASSERT_EQ(report.outcome, PortOutcome::kOpened);
    EXPECT_EQ(report.number, 3);
    EXPECT_EQ(report.device, peer.SlavePath().toStdString());
    link.OnLoss([this](const PortReport& loss) { losses.push_back(loss); });
  }

  PtyPeer peer;
  SerialLink link;
  VirtualClock clock;
  std::vector<PortReport> losses;
};

// 19200 baud, 8 data bits, no parity, two stop bits, no flow control; binary bytes both ways:
// no line editing, echo or character translation.
TEST_F(SerialLinkTest, OpenedPortHasAdapterLineSettings) {
  const termios settings = peer.LineSettings();
  EXPECT_TRUE(::cfgetospeed(&settings) == B19200 && ::cfgetispeed(&settings) == B19200);
  EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8 | CSTOPB));
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | ISTRIP), 0u);
  EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(settings.c_oflag & OPOST, 0u);
}

TEST_F(SerialLinkTest, LateReplyIsDiscardedAndDoesNotShiftLaterReadings) {
  // The late byte may still wait in the terminal when the next frame goes
  // out, or come while the event loop runs between exchanges.
  for (const bool eventLoopRan : {false, true}) {
    SCOPED_TRACE(eventLoopRan ? "event loop ran" : "waiting in the terminal");
    ReadOutcome outcome;
    ReadRegister(&link, clock, kPanModule, 2, &outcome);
    ASSERT_TRUE(outcome.substituted);
    ASSERT_EQ(peer.Receive(4, 1000).size(), 4u);
    peer.Write({0x21});  // the answer to the read that gave up
    int noise = 0;
    if (eventLoopRan) {
      ASSERT_TRUE(WaitFor([&] { return (noise += link.TakeNoise()) == 1; }, 2000)) << noise;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    peer.Respond({{4, 0x42}, {4, 0x43}});
    EXPECT_EQ(ReadRegister(&link, clock, kPanModule, 3), 0x42);
    EXPECT_EQ(ReadRegister(&link, clock, kPanModule, 4), 0x43);
    peer.Join();
    EXPECT_EQ(noise + link.TakeNoise(), 1) << "the late answer counts as noise on the line";
  }
}

TEST_F(SerialLinkTest, BytesStreamingWhileIdleAreDroppedAndCountedNotHoarded) {
  // A device that talks on its own, in small pieces, to a port nobody reads.
  constexpr int kPieces = 200, kPieceBytes = 16;
  for (int piece = 0; piece < kPieces; ++piece) {
    peer.Write(Bytes(kPieceBytes, 0x5A));
    QTest::qWait(1);
  }
  int counted = 0;
  EXPECT_TRUE(WaitFor([&] { return (counted += link.TakeNoise()) == kPieces * kPieceBytes; }, 2000)) << counted;
  peer.Respond({{4, 0x42}});
  EXPECT_EQ(ReadRegister(&link, clock, kPanModule, 2), 0x42);
  EXPECT_EQ(link.TakeNoise(), 0);
}

TEST_F(SerialLinkTest, PeerClosingDuringExchangeReportsLossOnceAndBurnsNoProcessor) {
  peer.CloseMaster();
  std::uint8_t byte = 0;
  EXPECT_FALSE(link.ReadByte(byte));
  ASSERT_EQ(losses.size(), 1u) << "reported inside the exchange";
  EXPECT_EQ(losses[0].outcome, PortOutcome::kLost);
  EXPECT_EQ(losses[0].number, 3);
  EXPECT_FALSE(link.IsOpen());
  // Carries on as with no port: substitutes at once.
  ReadOutcome outcome;
  ReadRegister(&link, clock, kPanModule, 2, &outcome);
  EXPECT_TRUE(outcome.substituted);
  EXPECT_LT(CpuSecondsOverOneSecond(), 0.1);
  EXPECT_EQ(losses.size(), 1u) << "one loss, one report";
}

TEST_F(SerialLinkTest, PeerClosingBetweenExchangesIsNoticedWithoutSpinning) {
  peer.CloseMaster();
  EXPECT_LT(CpuSecondsOverOneSecond(), 0.1);
  EXPECT_EQ(losses.size(), 1u);
  EXPECT_FALSE(link.IsOpen());
}

TEST_F(SerialLinkTest, AbortEndsWaitingReadAndEveryLaterExchange) {
  std::thread aborter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    link.Abort();
  });
  QElapsedTimer elapsed;
  elapsed.start();
  std::uint8_t byte = 0;
  EXPECT_FALSE(link.ReadByte(byte));
  aborter.join();
  EXPECT_LT(elapsed.elapsed(), SerialLink::kReadTimeoutMs / 2) << "the read outlived the abort";
  // Later: a byte is waiting, yet the read gives up; nothing is sent.
  peer.Write({0x30});
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(link.ReadByte(byte));
  WriteServoPosition(&link, kPanModule, 3);
  EXPECT_TRUE(peer.Receive(1, 200).empty());
}

TEST_F(SerialLinkTest, ADeviceNameLongerThanTheSystemAllowsIsSaidSoNotTakenForAPortInUse) {
  EXPECT_EQ(link.Open(1, "/tmp/" + QString(300, u'x')).outcome, PortOutcome::kNameTooLong);
  EXPECT_FALSE(link.IsOpen());
}

// An adapter that takes the settings without complaint yet keeps its own
// (here a pseudo-terminal whose stop bits or speed are locked, which only
// the system's administrator may do) would deliver garbage.
TEST_F(SerialLinkTest, ADeviceThatKeepsItsOwnSpeedOrStopBitsIsAnOpenFailureNotOpened) {
  for (const auto& [lock, what] : {std::pair{tcflag_t{CSTOPB}, "stop bits"}, {tcflag_t{CBAUD}, "speed"}}) {
    SCOPED_TRACE(what);
    PtyPeer locked;
    termios line = locked.LineSettings();
    ::cfsetspeed(&line, B9600);
    line.c_cflag &= ~CSTOPB;
    ASSERT_EQ(locked.SetLineSettings(line), 0);
    termios locks{};
    locks.c_cflag = lock;
    if (locked.LockLineSettings(locks) != 0) GTEST_SKIP() << "locking a terminal's settings needs CAP_SYS_ADMIN";
    const PortReport report = link.Open(2, locked.SlavePath());
    EXPECT_EQ(report.outcome, PortOutcome::kSettingRefused);
    EXPECT_FALSE(link.IsOpen());
  }
  EXPECT_TRUE(losses.empty()) << "a failed open is no loss";
}

TEST_F(SerialLinkTest, PortInUseIsRefusedAndAFailedOpenLeavesNoPortOpen) {
  SerialLink second;
  EXPECT_EQ(second.Open(2, peer.SlavePath()).outcome, PortOutcome::kInUse);
  EXPECT_FALSE(second.IsOpen());
  EXPECT_TRUE(link.IsOpen());
  // Opening another port closes the first, even when the new one fails.
  EXPECT_EQ(link.Open(4, "/dev/ttyTorvakAbsent").outcome, PortOutcome::kDeviceMissing);
  EXPECT_FALSE(link.IsOpen());
  std::uint8_t byte = 0;
  EXPECT_FALSE(link.ReadByte(byte));
  link.Send(Bytes{0x55, 0xD3, 0x02, 0x01});
  EXPECT_TRUE(peer.Receive(1, 100).empty());
  EXPECT_TRUE(losses.empty()) << "a failed open is no loss";
}

}  // namespace
