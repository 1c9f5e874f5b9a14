// A whole pass through the window: the scene lands in the thermal image,
// the picture shows it on the colour scale, the readout reads it back.
#include <gmock/gmock.h>

#include <QSlider>

#include "tests/e2e/window_on_head.h"

namespace {

// Client coordinates of the centre of a grid cell with both pictures at
// their start placement: left (36, 144), right (356, 144) in the picture
// area at (280, 10), cells 8 x 6 pixels, row 0 at the bottom.
QPoint CellCentre(int column, int row) {
  const int left = column < 31 ? 36 : 356;
  const int cellX = column % 31;
  return {280 + left + cellX * 8 + 4, 10 + 144 + (31 - row) * 6 + 3};
}

QString DegreesText(int celsius) { return QStringLiteral("%1 \u00b0 C").arg(celsius); }

Grid GridOf(const ThermalImage& image) {
  Grid grid;
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) grid[column][row] = image.grid[column][row];
  }
  return grid;
}

TEST_F(WindowOnHead, FullPassShowsTheSceneWithWhiteHotSpotBlackColdSpotAndTheMugUnderTheMouse) {
  ASSERT_TRUE(head.Start());
  UseOnlyPort(1, head.Link());
  CTorvakDlg& dlg = Open();
  ASSERT_TRUE(WaitFor([&] { return StartUpDone(); }));
  EXPECT_EQ(dlg.StatusText(), OpenedText());
  EXPECT_EQ(Field(ctl::kAmbientField), DegreesText(headsim::kAmbientCelsius));

  QSignalSpy scanning(&dlg.Scan(), &ScanService::scanningChanged);
  Click(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return scanning.size() == 2; }, 60000));  // on, and off after one pass
  ASSERT_TRUE(head.WaitForLine(WriteLine(0xD0, 0, 15)));
  ExpectSceneInEveryCell(GridOf(dlg.Image()));

  // With the transparency trackbar at 0 the background is not mixed in,
  // and the window shows the scale's colours.
  dlg.ControlAs<QSlider>(ctl::kTransparency)->setValue(0);
  const QImage shown = dlg.grab().toImage();
  const auto colourAt = [&](const headsim::Spot& spot) {
    return shown.pixel(CellCentre(spot.column, spot.row));
  };
  EXPECT_EQ(colourAt(headsim::kHotSpot), qRgb(255, 255, 255));
  EXPECT_EQ(colourAt(headsim::kColdSpot), qRgb(0, 0, 0));
  const QRgb room = shown.pixel(CellCentre(0, 31));
  EXPECT_NE(room, qRgb(255, 255, 255));
  EXPECT_NE(room, qRgb(0, 0, 0));

  // The pointer over the mug's centre: the readout shows the stored degree,
  // or one below where the palette colour was truncated.
  const int mug = headsim::ExpectedReading(headsim::kMug.column, headsim::kMug.row);
  QTest::mouseMove(&dlg, CellCentre(headsim::kMug.column, headsim::kMug.row));
  ASSERT_TRUE(WaitFor([&] { return !Field(ctl::kMouseField).isEmpty(); }));
  EXPECT_THAT(Field(ctl::kMouseField), ::testing::AnyOf(DegreesText(mug), DegreesText(mug - 1)));
}

}  // namespace
