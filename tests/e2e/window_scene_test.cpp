// A whole pass through the main window on the emulated head, its port taken
// from a settings file damaged around the port's lines: every cell holds
// the scene, the picture shows the spots beyond both ends of the colour
// scale, and the readout reads the mug back.
#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "headsim/scene.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/head_sim.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

// Binary junk, lines without a key, broken section headers and values in
// the store's notation for typed values cut short, around "Com 1" = link
// and "COMPORT=1".
void WriteDamagedSettings(const QString& link) {
  static const char kBinaryHead[] = "\x00\xff\xfe\x80[SETTINGS\n=\n==1\n\x01\x02\x03\x7f";
  QByteArray content(kBinaryHead, sizeof kBinaryHead - 1);
  content += "\n[SETTINGS]\nCOM1=" + link.toUtf8() + "\nCOMPORT=1\nno equals sign at all\n[]\n[%ZZ]\n";
  content += "COM9=@Variant(\\0\\0\\0\\x2\\0\n\xc3\x28\n";
  for (int i = 0; i < 256; ++i) content += static_cast<char>((i * 37) & 0xff);
  const QString path = QSettings(kOrganisation, kApplication).fileName();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(content), content.size());
}

// Client coordinates of the centre of a grid cell with both pictures at
// their start placement: left (36, 144), right (356, 144) in the picture
// area at (280, 10), cells 8 x 6 pixels, row 0 at the bottom.
QPoint CellCentre(int column, int row) {
  const int left = column < 31 ? 36 : 356;
  return {280 + left + (column % 31) * 8 + 4, 10 + 144 + (31 - row) * 6 + 3};
}

using headsim::ExpectedReading;

QString DegreesText(int celsius) { return QStringLiteral("%1 \u00b0 C").arg(celsius); }

TEST(WindowOnHead, FullPassFromDamagedSettingsFillsEveryCellShowsTheSpotsWhiteAndBlackAndReadsTheMug) {
  HeadSim head;
  ASSERT_TRUE(head.Start());
  ASSERT_NO_FATAL_FAILURE(WriteDamagedSettings(head.Link()));
  CTorvakDlg dlg(ScanService::LinkFactory{}, MakeNoWaitClock);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  const auto field = [&](int id) { return dlg.ControlAs<QLineEdit>(id)->text(); };
  auto* start = dlg.ControlAs<QAbstractButton>(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return start->isEnabled(); }));
  EXPECT_EQ(field(ctl::kAmbientField), DegreesText(headsim::kAmbientCelsius));

  QSignalSpy scanning(&dlg.Scan(), &ScanService::scanningChanged);
  QTest::mouseClick(start, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return scanning.size() == 2; }, 60000));  // on, and off after one pass
  int wrongCells = 0;
  for (int column = 0; column < 62; ++column) {
    for (int row = 0; row < 32; ++row) wrongCells += dlg.Image().grid[column][row] != ExpectedReading(column, row);
  }
  EXPECT_EQ(wrongCells, 0);
  EXPECT_EQ(dlg.StatusText(), OpenedText(head.Link()));
  EXPECT_EQ(head.Log().filter(QStringLiteral("skipped")), QStringList{});

  // With the transparency trackbar at 0 the background is not mixed in.
  dlg.ControlAs<QSlider>(ctl::kTransparency)->setValue(0);
  const QImage shown = dlg.grab().toImage();
  const auto colourAt = [&](const headsim::Spot& spot) { return shown.pixel(CellCentre(spot.column, spot.row)); };
  EXPECT_EQ(colourAt(headsim::kHotSpot), qRgb(255, 255, 255));
  EXPECT_EQ(colourAt(headsim::kColdSpot), qRgb(0, 0, 0));

  // The readout shows the stored degree, or one below where the palette
  // colour was truncated.
  const int mug = ExpectedReading(headsim::kMug.column, headsim::kMug.row);
  QTest::mouseMove(&dlg, CellCentre(headsim::kMug.column, headsim::kMug.row));
  ASSERT_TRUE(WaitFor([&] { return !field(ctl::kMouseField).isEmpty(); }));
  EXPECT_THAT(field(ctl::kMouseField), ::testing::AnyOf(DegreesText(mug), DegreesText(mug - 1)));
}

}  // namespace
