// The status line's choice of sentence about the scan, fed the scan's reports
// as the service delivers them, and what its sentences must keep of a report.
#include "ui/status_line.h"

#include <gtest/gtest.h>

#include <QStatusBar>

#include "scan/qt/scan_reports.h"

namespace {

class StatusLineTest : public ::testing::Test {
 protected:
  QString Shown() const { return bar.currentMessage(); }
  QString ShownFor(const PortReport& report) {
    emit scan.portReported(report);
    return Shown();
  }

  const PortReport opened{PortOutcome::kOpened, 3, "/dev/ttyUSB2", {}};
  ScanReports scan;
  QStatusBar bar;
  StatusLine line{scan, &bar};
};

TEST_F(StatusLineTest, TroubleReplacesThePortsSentenceOnceAndACleanStepBringsItBack) {
  const QString port = ShownFor(opened);
  emit scan.stepChecked(StepTrouble::kNone);
  EXPECT_EQ(Shown(), port);
  emit scan.stepChecked(StepTrouble::kSilentSensors);
  const QString silent = Shown();
  emit scan.stepChecked(StepTrouble::kNoisyLine);
  const QString noisy = Shown();
  EXPECT_TRUE(silent != port && noisy != port && noisy != silent);
  bar.showMessage(QStringLiteral("saved"));
  emit scan.stepChecked(StepTrouble::kNoisyLine);
  EXPECT_EQ(Shown(), QStringLiteral("saved")) << "a trouble that lasts is not said again";
  emit scan.stepChecked(StepTrouble::kNone);
  EXPECT_EQ(Shown(), port);
  emit scan.stepChecked(StepTrouble::kNoisyLine);
  emit scan.portReported(opened);
  emit scan.stepChecked(StepTrouble::kNoisyLine);
  EXPECT_EQ(Shown(), noisy) << "a port opened again starts without trouble";
}

TEST_F(StatusLineTest, SpotMeasurementIsSaidOnThePortsSentenceWhileItRunsAndALostPortStandsAsIs) {
  const QString lost = ShownFor({PortOutcome::kLost, 3, "/dev/ttyUSB2", {}});
  const QString port = ShownFor(opened);
  emit scan.stepChecked(StepTrouble::kSilentSensors);
  emit scan.spotRunningChanged(true);
  const QString spot = Shown();
  EXPECT_TRUE(spot.contains(port) && spot != port);
  const QString other = ShownFor({PortOutcome::kOpened, 4, "/dev/ttyUSB3", {}});
  EXPECT_TRUE(other.startsWith(spot.left(spot.indexOf(port)))) << "a port picked meanwhile is said on the same";
  EXPECT_EQ(ShownFor({PortOutcome::kLost, 3, "/dev/ttyUSB2", {}}), lost);
  emit scan.portReported(opened);
  emit scan.spotRunningChanged(false);
  EXPECT_EQ(Shown(), port);
}

TEST_F(StatusLineTest, EveryPortOutcomeHasASentenceOfItsOwnNamingTheDevice) {
  QStringList sentences;
  for (PortOutcome outcome : {PortOutcome::kOpened, PortOutcome::kDeviceMissing, PortOutcome::kNoPermission,
                              PortOutcome::kInUse, PortOutcome::kNameTooLong, PortOutcome::kSettingRefused,
                              PortOutcome::kOpenFailed, PortOutcome::kLost}) {
    sentences << ShownFor({outcome, 4, "/dev/ttyUSB3", "Input/output error"});
    EXPECT_TRUE(sentences.last().contains(QStringLiteral("/dev/ttyUSB3"))) << sentences.last().toStdString();
  }
  sentences << ShownFor({PortOutcome::kNoPortChosen, 9, {}, {}});
  for (int number : {kNoPortNumber, kEmulatedHeadNumber}) {
    for (PortOutcome outcome : {PortOutcome::kOpened, PortOutcome::kInUse, PortOutcome::kLost}) {
      sentences << ShownFor({outcome, number, "/dev/ttyUSB3", {}});
    }
  }
  sentences.removeDuplicates();
  EXPECT_EQ(sentences.size(), 15);
  EXPECT_TRUE(sentences.at(6).contains(QStringLiteral("Input/output error"))) << "the system's error is named";
}

TEST_F(StatusLineTest, PermissionSentenceNamesTheGroupGivenOrElseDialout) {
  EXPECT_TRUE(ShownFor({PortOutcome::kNoPermission, 4, "/dev/ttyUSB3", "uucp"}).contains(QStringLiteral("„uucp“")));
  EXPECT_TRUE(ShownFor({PortOutcome::kNoPermission, 4, "/dev/ttyUSB3", {}}).contains(QStringLiteral("„dialout“")));
}

// Forty characters are shown whole, counted as characters, not as bytes.
TEST_F(StatusLineTest, LongDeviceIsShortenedInTheMiddleKeepingBothEnds) {
  const QString forty = QStringLiteral("/dev/serial/by-id/usb-äöü-0123456789abcd");
  EXPECT_TRUE(ShownFor({PortOutcome::kOpened, 2, forty.toStdString(), {}}).contains(forty));
  const QString longer = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_Ä50285BI-if00-port0");
  const QString shown = ShownFor({PortOutcome::kDeviceMissing, 2, longer.toStdString(), {}});
  EXPECT_TRUE(shown.contains(longer.left(20) + QChar(0x2026) + longer.right(19))) << shown.toStdString();
}

}  // namespace
