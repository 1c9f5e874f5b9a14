#include "scan/qt/serial_link.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <thread>

#include "scan/adapter_frames.h"
#include "tests/scan/qt/pty_peer.h"
#include "tests/support/process_cpu.h"
#include "tests/scan/scan_fakes.h"
#include "tests/scan/qt/wait_for.h"

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
    const PortLink::OpenResult result = link.Open(3, peer.SlavePath());
    ASSERT_TRUE(result.opened) << result.message.toStdString();
    EXPECT_EQ(result.message, QStringLiteral("Com 3 (%1) geöffnet").arg(peer.SlavePath()));
  }

  PtyPeer peer;
  SerialLink link;
  VirtualClock clock;
};

TEST_F(SerialLinkTest, OpenedPortHasAdapterLineSettings) {
  const termios settings = peer.LineSettings();
  EXPECT_EQ(::cfgetospeed(&settings), B19200);
  EXPECT_EQ(::cfgetispeed(&settings), B19200);
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(settings.c_cflag & PARENB, 0u);
  EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | IXANY), 0u);
  // Binary bytes both ways: no line editing, echo or character translation.
  EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(settings.c_iflag & (ICRNL | INLCR | ISTRIP), 0u);
  EXPECT_EQ(settings.c_oflag & OPOST, 0u);
  EXPECT_TRUE(link.IsOpen());
}

TEST_F(SerialLinkTest, FramesReachPeerByteForByteAndRepliesComeBackUnchanged) {
  // Bytes a text-mode line would translate or swallow: LF, CR, XON, XOFF.
  peer.Respond({{5, 0x0D}, {4, 0x0D}, {4, 0x11}, {4, 0x13}, {5, 0x0A}});
  WriteServoPosition(&link, kTiltModule, 0x0A);
  EXPECT_EQ(ReadRegister(&link, clock, kPanModule, 5), 0x0D);
  EXPECT_EQ(ReadRegister(&link, clock, kTiltModule, 1), 0x11);
  EXPECT_EQ(ReadRegister(&link, clock, kPanModule, 9), 0x13);
  WriteServoRange(&link, kPanModule, 20);
  peer.Join();
  const Bytes expected{0x55, 0xD0, 0x00, 0x01, 0x0A, 0x55, 0xD3, 0x05, 0x01, 0x55, 0xD1, 0x01, 0x01,
                       0x55, 0xD3, 0x09, 0x01, 0x55, 0xD2, 0x01, 0x01, 0x14};
  EXPECT_EQ(peer.Received(), expected);
  EXPECT_TRUE(peer.Receive(1, 100).empty()) << "nothing beyond the frames";
}

TEST_F(SerialLinkTest, SilentPeerReadWaitsForTimeOutThenGivesSubstituteAndKeepsPort) {
  QElapsedTimer elapsed;
  elapsed.start();
  bool substituted = false;
  const int reading = ReadRegister(&link, clock, kTiltModule, 2, &substituted);
  EXPECT_GE(elapsed.elapsed(), SerialLink::kReadTimeoutMs - 20);
  EXPECT_TRUE(substituted);
  EXPECT_GE(reading, 20);
  EXPECT_LE(reading, 147);
  // A silent adapter is not a lost port.
  QString message;
  EXPECT_FALSE(link.TakeLoss(message));
  EXPECT_TRUE(link.IsOpen());
}

TEST_F(SerialLinkTest, LateReplyIsDiscardedAndDoesNotShiftLaterReadings) {
  // The late byte may still wait in the terminal when the next frame goes
  // out, or come while the event loop runs between exchanges.
  for (const bool eventLoopRan : {false, true}) {
    SCOPED_TRACE(eventLoopRan ? "event loop ran" : "waiting in the terminal");
    bool substituted = false;
    ReadRegister(&link, clock, kPanModule, 2, &substituted);
    ASSERT_TRUE(substituted);
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
  QString message;
  ASSERT_TRUE(link.TakeLoss(message));
  EXPECT_EQ(message, QStringLiteral("Verbindung zu Com 3 (%1) verloren – Ersatzwerte").arg(peer.SlavePath()));
  EXPECT_FALSE(link.TakeLoss(message)) << "one loss, one report";
  EXPECT_FALSE(link.IsOpen());
  // Carries on as with no port: substitutes at once.
  bool substituted = false;
  ReadRegister(&link, clock, kPanModule, 2, &substituted);
  EXPECT_TRUE(substituted);
  EXPECT_LT(CpuSecondsOverOneSecond(), 0.1);
}

TEST_F(SerialLinkTest, PeerClosingBetweenExchangesIsNoticedWithoutSpinning) {
  peer.CloseMaster();
  EXPECT_LT(CpuSecondsOverOneSecond(), 0.1);
  QString message;
  EXPECT_TRUE(link.TakeLoss(message));
  EXPECT_FALSE(link.IsOpen());
}

TEST_F(SerialLinkTest, PortOpenedAfterAnUnreportedLossIsNotTakenForLost) {
  peer.CloseMaster();
  std::uint8_t byte = 0;
  EXPECT_FALSE(link.ReadByte(byte));  // the loss is noticed, not yet reported
  PtyPeer next;
  ASSERT_TRUE(next.Ready());
  ASSERT_TRUE(link.Open(4, next.SlavePath()).opened);
  QString message;
  EXPECT_FALSE(link.TakeLoss(message)) << "the new port would be dropped for the old one's loss";
  EXPECT_TRUE(link.IsOpen());
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

TEST(SerialLinkOpen, MissingDeviceLeavesNoPortAndSaysWhy) {
  PtyPeer peer;
  ASSERT_TRUE(peer.Ready());
  SerialLink link;
  ASSERT_TRUE(link.Open(1, peer.SlavePath()).opened);
  // Opening another port closes the first, even when the new one fails.
  const PortLink::OpenResult result = link.Open(4, "/dev/ttyTorvakAbsent");
  EXPECT_FALSE(result.opened);
  EXPECT_EQ(result.message, "Com 4 (/dev/ttyTorvakAbsent) lässt sich nicht öffnen: Gerät nicht vorhanden");
  // A long path keeps its start and end, so the result after it stays in view.
  const QString longPath = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
  EXPECT_EQ(link.Open(4, longPath).message,
            "Com 4 (/dev/serial/by-id/us…A50285BI-if00-port0) lässt sich nicht öffnen: Gerät nicht vorhanden");
  EXPECT_FALSE(link.IsOpen());
  std::uint8_t byte = 0;
  EXPECT_FALSE(link.ReadByte(byte));
  link.Send(Bytes{0x55, 0xD3, 0x02, 0x01});
  EXPECT_TRUE(peer.Receive(1, 100).empty());
  QString message;
  EXPECT_FALSE(link.TakeLoss(message)) << "a failed open is no loss";
}

TEST(SerialLinkOpen, PortInUseIsRefusedWithReason) {
  PtyPeer peer;
  ASSERT_TRUE(peer.Ready());
  SerialLink first;
  SerialLink second;
  ASSERT_TRUE(first.Open(2, peer.SlavePath()).opened);
  const PortLink::OpenResult result = second.Open(2, peer.SlavePath());
  EXPECT_FALSE(result.opened);
  EXPECT_TRUE(result.message.startsWith(QStringLiteral("Com 2 (%1) lässt sich nicht öffnen: ").arg(peer.SlavePath())))
      << result.message.toStdString();
  EXPECT_FALSE(second.IsOpen());
  EXPECT_TRUE(first.IsOpen());
}

}  // namespace
