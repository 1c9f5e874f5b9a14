// A whole pass through the main window on the emulated head: every cell holds
// the scene, the status line names only the port, and the picture shows the
// spots beyond both ends of the colour scale white and black.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "headsim/scene.h"
#include "tests/e2e/head_sim.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

TEST(WindowOnHead, FullPassHoldsTheSceneInEveryCellAndShowsTheSpotsWhiteAndBlack) {
  HeadSim head;
  ASSERT_TRUE(head.Start());
  CTorvakDlg dlg(ScanService::LinkFactory{}, NoWaits);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  auto* start = dlg.ControlAs<QAbstractButton>(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return start->isEnabled(); }));
  QSignalSpy scanning(&dlg.Scan(), &ScanService::scanningChanged);
  QTest::mouseClick(start, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return scanning.size() == 2; }, 60000));  // on, and off after one pass
  int wrongCells = 0;
  for (int cell = 0; cell < 62 * 32; ++cell) {
    wrongCells += dlg.Model().Image().Grid()[cell / 32][cell % 32] != headsim::ExpectedReading(cell / 32, cell % 32);
  }
  EXPECT_EQ(wrongCells, 0);
  EXPECT_EQ(dlg.StatusText().toStdString(), head.Status(PortOutcome::kOpened).toStdString());

  // With the transparency trackbar at 0 the background is not mixed in.
  dlg.ControlAs<QSlider>(ctl::kTransparency)->setValue(0);
  const QImage shown = dlg.grab().toImage();
  const Area& area = dlg.Layout().pictureArea;
  const PictureRect& right = dlg.Model().Display().rightPicture;  // both spots lie in the right half
  const auto colourAt = [&](const headsim::Spot& spot) {
    return shown.pixel(area.left + right.x + static_cast<int>((spot.column - 30.5) * right.cellWidth),
                       area.top + right.y + static_cast<int>((31.5 - spot.row) * right.cellHeight));
  };
  EXPECT_EQ(colourAt(headsim::kHotSpot), qRgb(255, 255, 255));
  EXPECT_EQ(colourAt(headsim::kColdSpot), qRgb(0, 0, 0));
}

}  // namespace
