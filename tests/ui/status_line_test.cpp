// The status line's choice of sentence about the scan, fed the scan's reports
// as the service delivers them, and what its sentences must keep of a report.
#include "ui/status_line.h"

#include <gtest/gtest.h>

#include <QSet>
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
  const PortReport lostReport{PortOutcome::kLost, 3, "/dev/ttyUSB2", {}}, otherReport{PortOutcome::kOpened, 4, "/x", {}};
  const QString lost = ShownFor(lostReport), other = ShownFor(otherReport), port = ShownFor(opened);
  emit scan.stepChecked(StepTrouble::kSilentSensors);
  emit scan.spotRunningChanged(true);
  const QString spot = Shown();
  EXPECT_TRUE(spot.contains(port) && spot != port);
  emit scan.stepChecked(StepTrouble::kSilentSensors);
  EXPECT_NE(Shown(), spot) << "a trouble from before is said again";
  EXPECT_EQ(ShownFor(otherReport), QString(spot).replace(port, other)) << "a port picked meanwhile is said on it";
  EXPECT_EQ(ShownFor(lostReport), lost);
  emit scan.portReported(opened);
  emit scan.spotRunningChanged(false);
  EXPECT_EQ(Shown(), port);
}

// A case lost or mixed up in the phrasing shows as two equal sentences.
TEST_F(StatusLineTest, EachPortOutcomeOnEachKindOfPortHasASentenceOfItsOwnNamingTheDevice) {
  QSet<QString> sentences;
  for (int outcome = 0; outcome <= static_cast<int>(PortOutcome::kLost); ++outcome) {
    for (int number : {4, kNoPortNumber, kEmulatedHeadNumber}) {
      const PortReport report{static_cast<PortOutcome>(outcome), number, "/dev/ttyUSB3", "EIO"};
      sentences << ShownFor(report);
      EXPECT_EQ(Shown().contains("/dev/ttyUSB3"), report.outcome != PortOutcome::kNoPortChosen) << outcome;
    }
  }
  EXPECT_EQ(sentences.size(), 8 * 3 + 1) << "no port chosen is one sentence, whatever the number";
}

TEST_F(StatusLineTest, FailuresNameTheSystemsErrorAndAMissingPermissionTheGroupGivenOrElseDialout) {
  for (PortOutcome failure : {PortOutcome::kOpenFailed, PortOutcome::kSettingRefused}) {
    EXPECT_TRUE(ShownFor({failure, 4, "/dev/ttyUSB3", "Input/output error"}).contains("„Input/output error“"));
  }
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
